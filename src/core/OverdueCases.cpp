#include "core/OverdueCases.h"

#include "core/DelayWalker.h"
#include "core/DrawnNumbers.h"

#include <algorithm>

std::vector<LongestDelay> longestDelays(const DrawArchive& archive, int wheel, int first, int last) {
    // Delays count from the archive's first draw, whatever the range: a case reads what was known then.
    DelayWalker walker(archive, Sorte::Estratto, wheel, 1, last);
    std::vector<LongestDelay> delays;
    while (walker.step()) {
        if (walker.draw() < first)
            continue;
        const DelayWalker::Longest l = walker.longest();
        delays.push_back({walker.draw(), l.delay, l.item + 1});
    }
    return delays;
}

std::vector<OverdueCase> overdueCandidates(std::span<const LongestDelay> delays, int wheel, int soglia) {
    std::vector<OverdueCase> candidates;
    for (const LongestDelay& d : delays)
        if (d.delay >= soglia)
            candidates.push_back({d.draw, wheel, d.number, d.delay});
    return candidates;
}

int firstOverdueHit(const OverdueCase& c, int colpi, const DrawnNumbers& drawn) {
    const int end = std::min(c.draw + colpi, drawn.drawCount());
    for (int d = c.draw + 1; d <= end; ++d)
        if (drawn.numbers(d, c.wheel).holds(c.number))
            return d - c.draw;
    return 0;
}

std::vector<OverdueCase> findOverdueCases(const std::array<bool, WheelCount>& wheels, int soglia, int colpi,
                                          int first, int last, const DrawArchive& archive,
                                          const DrawnNumbers& drawn) {
    std::vector<OverdueCase> cases;
    for (int w = 0; w < static_cast<int>(wheels.size()); ++w) {
        if (!wheels[static_cast<std::size_t>(w)])
            continue;
        const std::vector<OverdueCase> candidates =
            overdueCandidates(longestDelays(archive, w, first, last), w, soglia);
        pickOverdueCases(
            candidates, soglia, colpi,
            [&](std::size_t i) { return firstOverdueHit(candidates[i], colpi, drawn); },
            [&](std::size_t i) { cases.push_back(candidates[i]); });
    }
    std::stable_sort(cases.begin(), cases.end(),
                     [](const OverdueCase& a, const OverdueCase& b) { return a.draw > b.draw; });
    return cases;
}
