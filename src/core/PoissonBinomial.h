#pragma once

#include <cstdint>
#include <span>

// The law of the number of successes among independent trials with their own probabilities.

// P[X >= x], exact to well beyond 6 significant digits however small: a dynamic programme over a band of
// partial sums, tilted so that x sits in the middle of the band when x lies above the mean.
double poissonBinomialUpperTail(std::span<const double> probabilities, std::int64_t x);

// The moments the approximation below needs: sums of p, p(1-p) and p(1-p)(1-2p).
struct PoissonBinomialMoments {
    double mean = 0.0;
    double variance = 0.0;
    double third = 0.0;

    void add(double p) {
        mean += p;
        variance += p * (1.0 - p);
        third += p * (1.0 - p) * (1.0 - 2.0 * p);
    }
    void add(const PoissonBinomialMoments& o) {
        mean += o.mean;
        variance += o.variance;
        third += o.third;
    }
};

// P[X >= x] by the refined normal approximation (normal law with continuity correction and a skewness
// term; the plain normal tail where that term would make it negative); fast enough to rank tens of
// thousands of combinations, not exact.
double refinedNormalUpperTail(const PoissonBinomialMoments& m, std::int64_t x);
