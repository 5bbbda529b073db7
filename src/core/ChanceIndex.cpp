#include "core/ChanceIndex.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace {
std::size_t hashOf(std::uint64_t key, std::size_t mask) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}
} // namespace

ChanceIndex::ChanceIndex(int colpi)
    : m_tables(static_cast<std::size_t>(std::max(colpi, 0))), m_values(m_tables.size()),
      m_final(m_tables.size()) {
    for (Table& t : m_tables) {
        t.keys.assign(64, Empty);
        t.numbers.assign(64, 0);
    }
}

int ChanceIndex::note(int k, double p) {
    Table& t = m_tables[slot(k)];
    const auto key = std::bit_cast<std::uint64_t>(p);
    const std::size_t mask = t.keys.size() - 1;
    for (std::size_t h = hashOf(key, mask);; h = (h + 1) & mask) {
        if (t.keys[h] == key)
            return t.numbers[h];
        if (t.keys[h] != Empty)
            continue;
        std::vector<double>& values = m_values[slot(k)];
        const auto number = static_cast<std::int32_t>(values.size());
        values.push_back(p);
        t.keys[h] = key;
        t.numbers[h] = number;
        if (2 * values.size() > t.keys.size())
            grow(t);
        return number;
    }
}

void ChanceIndex::grow(Table& table) {
    Table bigger;
    bigger.keys.assign(table.keys.size() * 2, Empty);
    bigger.numbers.assign(bigger.keys.size(), 0);
    const std::size_t mask = bigger.keys.size() - 1;
    for (std::size_t i = 0; i < table.keys.size(); ++i) {
        if (table.keys[i] == Empty)
            continue;
        std::size_t h = hashOf(table.keys[i], mask);
        while (bigger.keys[h] != Empty)
            h = (h + 1) & mask;
        bigger.keys[h] = table.keys[i];
        bigger.numbers[h] = table.numbers[i];
    }
    table = std::move(bigger);
}

void ChanceIndex::finish() {
    for (std::size_t s = 0; s < m_values.size(); ++s) {
        std::vector<double>& values = m_values[s];
        std::vector<std::int32_t> order(values.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
            return values[static_cast<std::size_t>(a)] < values[static_cast<std::size_t>(b)];
        });
        std::vector<std::int32_t>& final = m_final[s];
        final.assign(values.size(), 0);
        std::vector<double> sorted(values.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            final[static_cast<std::size_t>(order[i])] = static_cast<std::int32_t>(i);
            sorted[i] = values[static_cast<std::size_t>(order[i])];
        }
        values = std::move(sorted);
        m_tables[s] = {};
    }
}

void ChanceIndex::renumber(int k, std::vector<std::int32_t>& counts) const {
    const std::vector<std::int32_t>& final = m_final[slot(k)];
    std::vector<std::int32_t> renumbered(final.size(), 0);
    for (std::size_t c = 0; c < counts.size() && c < final.size(); ++c)
        renumbered[static_cast<std::size_t>(final[c])] = counts[c];
    counts = std::move(renumbered);
}

std::vector<ChanceCount> ChanceIndex::chances(int k, std::span<const std::int32_t> counts) const {
    const std::vector<double>& values = m_values[slot(k)];
    std::vector<ChanceCount> chances;
    for (std::size_t i = 0; i < counts.size() && i < values.size(); ++i)
        if (counts[i] > 0)
            chances.push_back({values[i], counts[i]});
    return chances;
}
