#include "core/Sweep.h"

#include "core/Holm.h"
#include "core/PoissonBinomial.h"
#include "core/SweepCombinations.h"
#include "core/Threads.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numeric>

bool rankedBefore(const SweepRow& a, const SweepRow& b, SweepSettings::Order order) {
    const auto betterP = [](const SweepRow& x, const SweepRow& y) {
        if (x.figures.p != y.figures.p)
            return x.figures.p < y.figures.p;
        return x.figures.z.value_or(-INFINITY) > y.figures.z.value_or(-INFINITY);
    };
    if (order == SweepSettings::Order::P)
        return betterP(a, b);
    const double ra = a.figures.resa.value_or(-INFINITY);
    const double rb = b.figures.resa.value_or(-INFINITY);
    if (ra != rb)
        return ra > rb;
    return betterP(a, b);
}

SweepResult runSweep(const SweepSettings& settings, const DrawArchive& archive,
                     const std::function<void(double)>& progress, const std::atomic<bool>* cancel) {
    SweepResult result;
    result.metodo = settings.metodo;
    auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };

    const double share = 0.8; // of the progress, for the combinations' figures
    const std::function<void(double)> combinationsProgress = [&](double done) {
        if (progress)
            progress(share * done);
    };
    SweepCombinations c = settings.metodo == MethodSettings::Metodo::Ritardatario
                              ? overdueCombinations(settings, archive, combinationsProgress, cancel)
                              : equalAmboCombinations(settings, archive, combinationsProgress, cancel);
    result.cases = c.cases;
    if (c.cancelled || cancelled()) {
        result.cancelled = true;
        return result;
    }
    std::vector<SweepRow>& rows = c.rows;
    result.combinations = rows.size();

    std::vector<double> ps(rows.size());
    std::transform(rows.begin(), rows.end(), ps.begin(), [](const SweepRow& row) { return row.figures.p; });
    const std::vector<double> holm = holmAdjusted(ps);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].pHolm = holm[i];

    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return rankedBefore(rows[a], rows[b], settings.order);
    });
    const std::size_t shown =
        settings.primi > 0 ? std::min(order.size(), static_cast<std::size_t>(settings.primi)) : order.size();

    // The exact p-value of each row shown, from the chances of the very cases it sums.
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::mutex progressMutex;
    std::vector<SweepRow> shownRows(shown);
    auto work = [&] {
        for (std::size_t r; (r = next.fetch_add(1)) < shown && !cancelled();) {
            const std::size_t index = order[r];
            SweepRow row = rows[index];
            const std::array<std::vector<ChanceCount>, 2> chances = c.chances(index);
            row.figures.pEsatto = poissonBinomialUpperTail(chances[0], row.figures.positivi);
            if (row.fuori)
                row.fuori->pEsatto = poissonBinomialUpperTail(chances[1], row.fuori->positivi);
            shownRows[r] = row;
            const std::size_t total = done.fetch_add(1) + 1;
            if (progress) {
                const std::lock_guard lock(progressMutex);
                progress(share + (1.0 - share) * static_cast<double>(total) / static_cast<double>(shown));
            }
        }
    };
    runOnThreads(settings.threads, work);
    if (cancelled()) {
        result.cancelled = true;
        return result;
    }
    result.rows = std::move(shownRows);
    return result;
}
