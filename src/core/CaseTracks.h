#pragma once

#include "core/CaseOutcome.h"
#include "core/EqualAmboCase.h"
#include "core/Giocata.h"
#include "core/OutcomeBoxes.h"
#include "core/OverdueCase.h"
#include "core/Stakes.h"
#include "core/UninitialisedAllocator.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

class DrawArchive;
class DrawnNumbers;

// Every case followed once over up to `colpi` draws: its first positive colpo, and colpo by colpo the
// chance probability of an outcome so far and what playing it has spent so far. Both stop growing after
// the last draw of the archive; the spending also stops at the first positive colpo, where the win is.
// A back-test with fewer colpi reads its figures from the same tracks. Whatever the method, its cases
// give these figures; track i is the i-th case given.
struct CaseTracks {
    int colpi = 0;
    std::vector<int> colpo; // first positive colpo, 0 when none within colpi
    // Colpi draws that lie in the archive, at most colpi. A case played for fewer colpi than the tracks'
    // whose own colpi all lie in the archive counts colpi: it is complete, its figures carried forward.
    std::vector<int> available;
    // [case * colpi + k - 1]: within k colpi, and over the first k colpi
    std::vector<double, UninitialisedAllocator<double>> probability;
    std::vector<double, UninitialisedAllocator<double>> spent;
    std::vector<double> won; // gross, at the first positive colpo

    std::size_t size() const { return colpo.size(); }
    double probabilityWithin(std::size_t i, int k) const {
        return k > 0 ? probability[i * colpi + k - 1] : 0.0;
    }
    double spentWithin(std::size_t i, int k) const { return k > 0 ? spent[i * colpi + k - 1] : 0.0; }
    bool positiveWithin(std::size_t i, int k) const { return colpo[i] != 0 && colpo[i] <= k; }
    bool completeWithin(std::size_t i, int k) const { return available[i] >= k; }
    double wonWithin(std::size_t i, int k) const { return positiveWithin(i, k) ? won[i] : 0.0; }
};

// Follows the cases on `threads` threads. progress (may be empty) gets the number of cases done so far;
// a raised cancel flag stops the work early, leaving the tracks incomplete.
CaseTracks trackCases(const std::vector<EqualAmboCase>& cases, int colpi, const OutcomeBoxes& boxes,
                      const Stakes& stakes, const DrawArchive& archive, int threads = 1,
                      const std::function<void(std::size_t)>& progress = {},
                      const std::atomic<bool>* cancel = nullptr);
// The overdue number's cases, over the draws as the back-test reads them.
CaseTracks trackCases(const std::vector<OverdueCase>& cases, int colpi, const Stakes& stakes,
                      const DrawnNumbers& drawn, int threads = 1,
                      const std::function<void(std::size_t)>& progress = {},
                      const std::atomic<bool>* cancel = nullptr);

// The longest colpi among the giocate: their tracks' colpi.
int longestColpi(const std::vector<Giocata>& giocate);

// Giocate of any method, each followed over its own colpi (tracks as long as the longest), by the rules of
// Giocata.h, GiocataBets.h and GiocataChance.h. Track i is giocate[i]. Every giocata opens after a draw
// 0..the archive's last.
CaseTracks trackGiocate(const std::vector<Giocata>& giocate, const DrawnNumbers& drawn, int threads = 1,
                        const std::function<void(std::size_t)>& progress = {},
                        const std::atomic<bool>* cancel = nullptr);
