#pragma once

#include "core/PoissonBinomial.h"

#include <cstdint>
#include <span>
#include <vector>

// The distinct chance probabilities of a sweep's complete cases at each colpi value, numbered in
// ascending order. Cases share few distinct chances, so a group of cases counts its chances in a short
// array; the exact tail then reads them in the order it sorts them into.
class ChanceIndex {
public:
    explicit ChanceIndex(int colpi);

    // First pass, one thread: a chance met at colpi value k (1..colpi); returns its provisional number.
    int note(int k, double p);
    // Numbers the chances of each colpi value in ascending order.
    void finish();
    // After finish: counts kept by provisional number, put in the order of the numbers.
    void renumber(int k, std::vector<std::int32_t>& counts) const;
    std::size_t size(int k) const { return m_values[slot(k)].size(); }
    // A group's counts (by number) as the chances of its trials, in ascending order.
    std::vector<ChanceCount> chances(int k, std::span<const std::int32_t> counts) const;

private:
    static std::size_t slot(int k) { return static_cast<std::size_t>(k - 1); }

    struct Table {
        std::vector<std::uint64_t> keys; // a chance's bits, or Empty
        std::vector<std::int32_t> numbers;
    };
    static constexpr std::uint64_t Empty = ~std::uint64_t{0}; // a NaN's bits: no chance has them
    void grow(Table& table);

    std::vector<Table> m_tables;
    std::vector<std::vector<double>> m_values; // by provisional number, then by number
    std::vector<std::vector<std::int32_t>> m_final;
};
