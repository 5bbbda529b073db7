#pragma once

#include "core/PoissonBinomial.h"
#include "core/Sweep.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

class DrawArchive;

// What one method's part of the sweep hands to the part they share (ranking, Holm, the exact p): every
// combination as a row with its figures, and for any row the chances of its complete cases before the
// split and from it on.
struct SweepCombinations {
    std::size_t cases = 0;
    std::vector<SweepRow> rows;
    std::function<std::array<std::vector<ChanceCount>, 2>(std::size_t row)> chances;
    bool cancelled = false;
};

// Each method's combinations. progress (may be empty) gets the share of this part done, 0 to 1.
SweepCombinations equalAmboCombinations(const SweepSettings& settings, const DrawArchive& archive,
                                        const std::function<void(double)>& progress,
                                        const std::atomic<bool>* cancel);
SweepCombinations overdueCombinations(const SweepSettings& settings, const DrawArchive& archive,
                                      const std::function<void(double)>& progress,
                                      const std::atomic<bool>* cancel);
