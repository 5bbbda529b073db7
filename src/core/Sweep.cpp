#include "core/Sweep.h"

#include "core/Holm.h"
#include "core/PoissonBinomial.h"
#include "core/SweepCombinations.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numeric>
#include <thread>

namespace {
bool betterP(const SweepRow& a, const SweepRow& b) {
    if (a.figures.p != b.figures.p)
        return a.figures.p < b.figures.p;
    return a.figures.z.value_or(-INFINITY) > b.figures.z.value_or(-INFINITY);
}

bool betterResa(const SweepRow& a, const SweepRow& b) {
    const double ra = a.figures.resa.value_or(-INFINITY);
    const double rb = b.figures.resa.value_or(-INFINITY);
    if (ra != rb)
        return ra > rb;
    return betterP(a, b);
}
} // namespace

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
        return settings.order == SweepSettings::Order::P ? betterP(rows[a], rows[b])
                                                         : betterResa(rows[a], rows[b]);
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
    {
        std::vector<std::jthread> helpers;
        for (int h = 1; h < settings.threads; ++h)
            helpers.emplace_back(work);
        work();
    }
    if (cancelled()) {
        result.cancelled = true;
        return result;
    }
    result.rows = std::move(shownRows);
    return result;
}
