#include "core/DelayItems.h"

#include <array>

namespace {

struct PairTable {
    std::array<std::pair<std::uint8_t, std::uint8_t>, itemCount(Sorte::Ambo)> numbers{};
    PairTable() {
        for (int a = 1; a <= 90; ++a)
            for (int b = a + 1; b <= 90; ++b)
                numbers[static_cast<std::size_t>(amboItem(a, b))] = {a, b};
    }
};

} // namespace

std::pair<int, int> itemNumbers(Sorte sorte, int item) {
    if (sorte == Sorte::Estratto)
        return {item + 1, 0};
    static const PairTable table;
    const auto& [a, b] = table.numbers.at(static_cast<std::size_t>(item));
    return {a, b};
}
