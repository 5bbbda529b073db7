#include "core/WheelNames.h"

#include <algorithm>
#include <cctype>

namespace {
bool sameLetters(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}
} // namespace

std::optional<int> wheelFromName(std::string_view text) {
    for (int wheel = 0; wheel < WheelCount; ++wheel) {
        const WheelNaming& n = WheelNames[static_cast<std::size_t>(wheel)];
        if (sameLetters(text, n.code) || sameLetters(text, n.storicoCode) || sameLetters(text, n.name))
            return wheel;
    }
    return std::nullopt;
}
