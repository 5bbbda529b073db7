#pragma once

#include <cstdint>

// A set of lotto numbers 1..90, one bit each, so that the numbers two sets share are a bitwise and.
// Anything outside 1..90 is never in a set.
class NumberSet {
public:
    void add(int n) {
        if (n >= 1 && n <= 63)
            m_low |= std::uint64_t{1} << n;
        else if (n >= 64 && n <= 90)
            m_high |= std::uint64_t{1} << (n - 64);
    }
    bool holds(int n) const {
        if (n >= 1 && n <= 63)
            return (m_low >> n) & 1u;
        return n >= 64 && n <= 90 && (m_high >> (n - 64)) & 1u;
    }
    NumberSet operator&(const NumberSet& o) const { return NumberSet(m_low & o.m_low, m_high & o.m_high); }
    bool any() const { return (m_low | m_high) != 0; }
    int count() const { return bitsIn(m_low) + bitsIn(m_high); }
    bool atLeastTwo() const {
        // x & (x - 1) clears the lowest bit: something left means a second number.
        return (m_low & (m_low - 1)) != 0 || (m_high & (m_high - 1)) != 0 || (m_low != 0 && m_high != 0);
    }

    NumberSet() = default;

private:
    // The sets intersected hold a few numbers at most: one step per number set.
    static int bitsIn(std::uint64_t x) {
        int n = 0;
        for (; x != 0; x &= x - 1)
            ++n;
        return n;
    }

    NumberSet(std::uint64_t low, std::uint64_t high) : m_low(low), m_high(high) {}

    std::uint64_t m_low = 0;  // bits 1..63
    std::uint64_t m_high = 0; // bits 0..26 for 64..90
};
