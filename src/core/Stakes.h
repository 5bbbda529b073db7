#pragma once

#include <cmath>

// The stake of each bet the balance places; a stake of 0 places no such bet.
struct Stakes {
    double ambata = 1.0;
    double ambo = 1.0;
    double terno = 1.0;
    double quaterna = 1.0;
};

// A stake is in euro and cents, from nothing to a million: every sum of a balance stays an exact
// count of cents far from the limits of a double.
constexpr double MaxStake = 1'000'000.0;
constexpr int StakeDecimals = 2;

inline bool isValidStake(double stake) {
    if (!(stake >= 0.0 && stake <= MaxStake))
        return false;
    const double cents = stake * 100.0;
    return std::fabs(cents - std::round(cents)) < 1e-6;
}
