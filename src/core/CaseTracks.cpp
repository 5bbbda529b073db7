#include "core/CaseTracks.h"

#include "core/CaseBets.h"
#include "core/CaseChance.h"
#include "core/CaseVerification.h"
#include "core/DrawArchive.h"
#include "core/DrawnNumbers.h"

#include <algorithm>
#include <mutex>
#include <thread>

namespace {
void trackOne(CaseTracks& t, std::size_t i, const OutcomeBoxes& boxes, const Stakes& stakes,
              const DrawArchive& archive, const DrawnNumbers& drawn) {
    const EqualAmboCase& c = t.cases[i];
    t.colpo[i] = firstPositiveColpo(c, t.colpi, boxes, archive, drawn);
    const int available = std::clamp(archive.drawCount() - c.draw, 0, t.colpi);
    t.available[i] = available;
    const CaseChance chance(c, boxes);
    const CaseBets bets(c, boxes, stakes);
    double noOutcome = 1.0;
    double spent = 0.0;
    double* probability = &t.probability[i * t.colpi];
    double* spending = &t.spent[i * t.colpi];
    for (int k = 1; k <= t.colpi; ++k) {
        if (k <= available) {
            const WheelMask mask = drawn.drawn(c.draw + k);
            noOutcome *= chance.noOutcome(mask);
            if (t.colpo[i] == 0 || k <= t.colpo[i])
                spent += bets.spent(mask);
            if (k == t.colpo[i])
                t.won[i] = bets.won(drawn, c.draw + k);
        }
        probability[k - 1] = 1.0 - noOutcome;
        spending[k - 1] = spent;
    }
}
} // namespace

CaseTracks trackCases(std::vector<EqualAmboCase> cases, int colpi, const OutcomeBoxes& boxes,
                      const Stakes& stakes, const DrawArchive& archive, int threads,
                      const std::function<void(std::size_t)>& progress, const std::atomic<bool>* cancel) {
    CaseTracks t;
    t.colpi = std::max(colpi, 0);
    t.cases = std::move(cases);
    const std::size_t n = t.cases.size();
    t.colpo.assign(n, 0);
    t.available.assign(n, 0);
    t.won.assign(n, 0.0);
    // Every case followed writes all its colpi; only a cancelled run leaves some to be cleared below.
    t.probability.resize(n * t.colpi);
    t.spent.resize(n * t.colpi);

    const DrawnNumbers drawn(archive);

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
                trackOne(t, i, boxes, stakes, archive, drawn);
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
