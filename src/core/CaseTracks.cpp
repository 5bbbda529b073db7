#include "core/CaseTracks.h"

#include "core/CaseBets.h"
#include "core/CaseChance.h"
#include "core/CaseVerification.h"
#include "core/DrawArchive.h"
#include "core/DrawnNumbers.h"
#include "core/GiocataBets.h"
#include "core/GiocataChance.h"
#include "core/OverdueCases.h"
#include "core/Threads.h"

#include <algorithm>
#include <mutex>

namespace {
// One case of any method, opened after `draw` and played for `colpi` draws (at most the tracks'), whose
// first positive colpo is known. A case with fewer colpi than the tracks carries its final figures forward.
template <typename Chance, typename Bets>
void trackOne(CaseTracks& t, std::size_t i, int draw, int colpi, const Chance& chance, const Bets& bets,
              const DrawnNumbers& drawn) {
    colpi = std::clamp(colpi, 0, t.colpi);
    const int available = std::clamp(drawn.drawCount() - draw, 0, colpi);
    t.available[i] = available == colpi ? t.colpi : available;
    const int colpo = t.colpo[i];
    double noOutcome = 1.0;
    double spent = 0.0;
    double* probability = &t.probability[i * t.colpi];
    double* spending = &t.spent[i * t.colpi];
    for (int k = 1; k <= t.colpi; ++k) {
        if (k <= available) {
            const WheelMask mask = drawn.drawn(draw + k);
            noOutcome *= chance.noOutcome(mask);
            if (colpo == 0 || k <= colpo)
                spent += bets.spent(mask);
            if (k == colpo)
                t.won[i] = bets.won(drawn, draw + k);
        }
        probability[k - 1] = 1.0 - noOutcome;
        spending[k - 1] = spent;
    }
}

// Follows n cases, track(t, i) each, shared out in blocks over the threads.
template <typename TrackOne>
CaseTracks trackAll(std::size_t n, int colpi, int threads, const std::function<void(std::size_t)>& progress,
                    const std::atomic<bool>* cancel, TrackOne&& track) {
    CaseTracks t;
    t.colpi = std::max(colpi, 0);
    t.colpo.assign(n, 0);
    t.available.assign(n, 0);
    t.won.assign(n, 0.0);
    // Every case followed writes all its colpi; only a cancelled run leaves some to be cleared below.
    t.probability.resize(n * t.colpi);
    t.spent.resize(n * t.colpi);

    // Cases go out in blocks, so that progress and cancellation are seen often and threads stay busy.
    constexpr std::size_t Block = 512;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::mutex progressMutex;
    auto work = [&] {
        for (;;) {
            if (cancel && cancel->load(std::memory_order_relaxed))
                return;
            const std::size_t start = next.fetch_add(Block);
            if (start >= n)
                return;
            const std::size_t end = std::min(n, start + Block);
            for (std::size_t i = start; i < end; ++i)
                track(t, i);
            const std::size_t total = done.fetch_add(end - start) + (end - start);
            if (progress) {
                const std::lock_guard lock(progressMutex);
                progress(total);
            }
        }
    };
    runOnThreads(threads, work);
    const std::size_t followed = std::min(next.load(), n);
    std::fill(t.probability.begin() + static_cast<std::ptrdiff_t>(followed * t.colpi), t.probability.end(),
              0.0);
    std::fill(t.spent.begin() + static_cast<std::ptrdiff_t>(followed * t.colpi), t.spent.end(), 0.0);
    return t;
}
} // namespace

CaseTracks trackCases(const std::vector<EqualAmboCase>& cases, int colpi, const OutcomeBoxes& boxes,
                      const Stakes& stakes, const DrawArchive& archive, int threads,
                      const std::function<void(std::size_t)>& progress, const std::atomic<bool>* cancel) {
    const DrawnNumbers drawn(archive);
    return trackAll(cases.size(), colpi, threads, progress, cancel, [&](CaseTracks& t, std::size_t i) {
        const EqualAmboCase& c = cases[i];
        t.colpo[i] = firstPositiveColpo(c, t.colpi, boxes, archive, drawn);
        trackOne(t, i, c.draw, t.colpi, CaseChance(c, boxes), CaseBets(c, boxes, stakes), drawn);
    });
}

CaseTracks trackCases(const std::vector<OverdueCase>& cases, int colpi, const Stakes& stakes,
                      const DrawnNumbers& drawn, int threads,
                      const std::function<void(std::size_t)>& progress, const std::atomic<bool>* cancel) {
    return trackAll(cases.size(), colpi, threads, progress, cancel, [&](CaseTracks& t, std::size_t i) {
        const OverdueCase& c = cases[i];
        t.colpo[i] = firstOverdueHit(c, t.colpi, drawn);
        trackOne(t, i, c.draw, t.colpi, CaseChance(c), CaseBets(c, stakes), drawn);
    });
}

int longestColpi(const std::vector<Giocata>& giocate) {
    int colpi = 0;
    for (const Giocata& g : giocate)
        colpi = std::max(colpi, g.colpi);
    return colpi;
}

CaseTracks trackGiocate(const std::vector<Giocata>& giocate, const DrawnNumbers& drawn, int threads,
                        const std::function<void(std::size_t)>& progress, const std::atomic<bool>* cancel) {
    return trackAll(giocate.size(), longestColpi(giocate), threads, progress, cancel,
                    [&](CaseTracks& t, std::size_t i) {
                        const Giocata& g = giocate[i];
                        const GiocataBets bets(g);
                        const int played = std::clamp(drawn.drawCount() - g.draw, 0, std::max(g.colpi, 0));
                        for (int k = 1; k <= played; ++k)
                            if (bets.wins(drawn, g.draw + k)) {
                                t.colpo[i] = k;
                                break;
                            }
                        trackOne(t, i, g.draw, g.colpi, GiocataChance(g), bets, drawn);
                    });
}
