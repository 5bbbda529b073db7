#pragma once

#include <cstdint>
#include <span>

// The law of the number of successes among independent trials with their own probabilities.

// P[X >= x], exact to well beyond 6 significant digits however small: a dynamic programme over a band of
// partial sums, tilted so that x sits in the middle of the band when x lies above the mean.
double poissonBinomialUpperTail(std::span<const double> probabilities, std::int64_t x);

// Trials that share one probability. Cases of a back-test share few distinct chances, so a law is
// most cheaply given as these counts.
struct ChanceCount {
    double p = 0.0;
    std::int64_t count = 0;
};

// The same exact tail from the counts of each distinct probability (any order, a probability may repeat):
// given the same trials it adds them in the same order as the function above.
double poissonBinomialUpperTail(std::span<const ChanceCount> chances, std::int64_t x);

// P[X >= x] within a fraction of a percent of the exact value, in far tails too, at the cost of a few
// passes over the distinct probabilities: the saddlepoint approximation of Lugannani and Rice with the
// continuity correction for a law on the integers (Daniels), on the exact tail where the law is too
// narrow for it.
double saddlepointUpperTail(std::span<const ChanceCount> chances, std::int64_t x);

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
