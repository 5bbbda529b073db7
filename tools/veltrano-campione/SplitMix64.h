#pragma once

#include <cstdint>

// A small generator of our own: its sequence is the same on every compiler and standard library, so a
// seed always gives the same sample archive.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next();
    // Uniform in 1..bound, without the bias of a plain modulo.
    int uniform(int bound);

private:
    std::uint64_t m_state;
};
