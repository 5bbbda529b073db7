#pragma once

#include "core/OverdueCase.h"
#include "core/WheelNames.h"

#include <array>
#include <span>
#include <vector>

class DrawArchive;
class DrawnNumbers;

// The overdue number as a source of cases, wheel by wheel. The delays are the delay walker's
// (core/DelayWalker.h): walking the archive from its first draw, a number's delay on a wheel counts the
// draws where the wheel was drawn since the number last came out there. After a draw d of the range where
// the wheel was drawn, when no case on the wheel is in play and the longest delay reaches the threshold,
// a case opens on the smallest number with that delay. It is played in draws d+1 .. d+Colpi of the
// archive and is in play from d through its last played draw: its first hit, or d+Colpi. The next case on
// the wheel opens only after that.

// After each draw of the range where the wheel was drawn, the longest delay and its smallest number.
struct LongestDelay {
    int draw = 0;
    int delay = 0;
    int number = 0;
};
std::vector<LongestDelay> longestDelays(const DrawArchive& archive, int wheel, int first, int last);

// Every draw of `delays` where the longest delay reaches `soglia`, as a case that would open there: a
// wheel's candidates, in draw order, for any threshold from soglia up.
std::vector<OverdueCase> overdueCandidates(std::span<const LongestDelay> delays, int wheel, int soglia);

// The candidates that open with this threshold and Colpi, in draw order: each blocks the wheel through
// its last played draw. hitColpo(i) is candidate i's first hit (0 for none; a hit after colpi counts as
// none); opens(i) is called for each case that opens.
template <typename HitColpo, typename Opens>
void pickOverdueCases(std::span<const OverdueCase> candidates, int soglia, int colpi, HitColpo&& hitColpo,
                      Opens&& opens) {
    int busyThrough = 0; // the last draw of the case in play
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const OverdueCase& c = candidates[i];
        if (c.draw <= busyThrough || c.delay < soglia)
            continue;
        opens(i);
        const int hit = hitColpo(i);
        busyThrough = c.draw + (hit > 0 && hit <= colpi ? hit : colpi);
    }
}

// The first colpo, within colpi and the archive, at which the case's number is among its wheel's
// numbers; 0 when none.
int firstOverdueHit(const OverdueCase& c, int colpi, const DrawnNumbers& drawn);

// Every case on the chosen wheels whose opening draw lies in first..last: most recent first, then in
// wheel order.
std::vector<OverdueCase> findOverdueCases(const std::array<bool, WheelCount>& wheels, int soglia, int colpi,
                                          int first, int last, const DrawArchive& archive,
                                          const DrawnNumbers& drawn);
