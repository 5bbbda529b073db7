#pragma once

#include <array>
#include <bit>
#include <cstdint>

// How many bits each mask of `Bits` bits holds (wheels, or a forecast's numbers), looked up: without a
// popcount instruction in the target, std::popcount is a library call, and the chances ask for it on
// every colpo of every case.
template <unsigned Bits>
inline constexpr std::array<std::uint8_t, 1u << Bits> BitCounts = [] {
    std::array<std::uint8_t, 1u << Bits> counts{};
    for (unsigned m = 0; m < counts.size(); ++m)
        counts[m] = static_cast<std::uint8_t>(std::popcount(m));
    return counts;
}();
