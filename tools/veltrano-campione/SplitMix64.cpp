#include "SplitMix64.h"

std::uint64_t SplitMix64::next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int SplitMix64::uniform(int bound) {
    const auto n = static_cast<std::uint64_t>(bound);
    // 2^64 mod n: values below it would make the low results more likely.
    const std::uint64_t threshold = (0 - n) % n;
    std::uint64_t value = next();
    while (value < threshold)
        value = next();
    return static_cast<int>(value % n) + 1;
}
