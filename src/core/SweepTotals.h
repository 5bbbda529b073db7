#pragma once

#include "core/PoissonBinomial.h"
#include "core/Sweep.h"

#include <cstdint>
#include <vector>

class ChanceIndex;
struct CaseTracks;

// Sums over a group of a sweep's cases at one colpi value: over complete cases for the comparison with
// chance, over all for the balance.
struct SweepTotals {
    int complete = 0;
    int positives = 0;
    PoissonBinomialMoments moments;
    double spent = 0.0;
    double won = 0.0;
    std::vector<std::int32_t> chanceCounts; // complete cases by the number of their chance (ChanceIndex)

    // Track i played with k colpi; `chance` is the number of its chance within k.
    void addCase(const CaseTracks& tracks, std::size_t i, int k, int chance);
    void add(const SweepTotals& o);
};

// The figures of a group of cases played with k colpi; p from the saddlepoint approximation.
SweepFigures sweepFigures(const SweepTotals& t, const ChanceIndex& index, int k);
