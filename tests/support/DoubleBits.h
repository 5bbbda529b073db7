#pragma once

#include <cstdint>
#include <cstring>

// The bits of a double, to compare stored dates and values exactly.
inline std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
