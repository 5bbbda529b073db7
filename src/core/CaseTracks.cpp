#include "core/CaseTracks.h"

#include "core/CaseBets.h"
#include "core/CaseChance.h"
#include "core/CaseVerification.h"
#include "core/DrawArchive.h"
#include "core/DrawnNumbers.h"
#include "core/OverdueCases.h"

#include <algorithm>
#include <mutex>
#include <thread>

namespace {
// One case of any method, opened after `draw`, whose first positive colpo is known.
void trackOne(CaseTracks& t, std::size_t i, int draw, const CaseChance& chance, const CaseBets& bets,
              const DrawnNumbers& drawn) {
    const int available = std::clamp(drawn.drawCount() - draw, 0, t.colpi);
    t.available[i] = available;
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
    {
        std::vector<std::jthread> helpers;
        for (int h = 1; h < threads; ++h)
            helpers.emplace_back(work);
        work();
    }
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
        trackOne(t, i, c.draw, CaseChance(c, boxes), CaseBets(c, boxes, stakes), drawn);
    });
}

CaseTracks trackCases(const std::vector<OverdueCase>& cases, int colpi, const Stakes& stakes,
                      const DrawnNumbers& drawn, int threads,
                      const std::function<void(std::size_t)>& progress, const std::atomic<bool>* cancel) {
    return trackAll(cases.size(), colpi, threads, progress, cancel, [&](CaseTracks& t, std::size_t i) {
        const OverdueCase& c = cases[i];
        t.colpo[i] = firstOverdueHit(c, t.colpi, drawn);
        trackOne(t, i, c.draw, CaseChance(c), CaseBets(c, stakes), drawn);
    });
}
