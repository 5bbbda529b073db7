#include "core/CaseTracks.h"
#include "core/ChanceIndex.h"
#include "core/DrawArchive.h"
#include "core/DrawnNumbers.h"
#include "core/OverdueCases.h"
#include "core/SweepCombinations.h"
#include "core/SweepTotals.h"

#include <memory>

// Named rather than anonymous: in a unity build it shares a translation unit with the other sweep.
namespace overduesweep {
constexpr int K = SweepSettings::MaxColpi;
constexpr int Soglie = MethodSettings::SweepSoglie;

struct Sums {
    ChanceIndex index{K};
    // By threshold, colpi and part.
    std::vector<SweepTotals> totals = std::vector<SweepTotals>(static_cast<std::size_t>(Soglie) * K * 2);

    SweepTotals& at(int soglia, int k, int part) {
        return totals[(static_cast<std::size_t>(soglia) * K + static_cast<std::size_t>(k - 1)) * 2 +
                      static_cast<std::size_t>(part)];
    }
};

SweepCombinations combinations(const SweepSettings& settings, const DrawArchive& archive,
                               const std::function<void(double)>& progress, const std::atomic<bool>* cancel) {
    SweepCombinations result;
    auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };

    // Every case that opens at the lowest threshold on some combination, wheel after wheel.
    const int last = settings.last > 0 ? settings.last : archive.drawCount();
    const DrawnNumbers drawn(archive);
    std::vector<OverdueCase> candidates;
    std::vector<std::size_t> wheelStart{0};
    for (int w = 0; w < WheelCount; ++w) {
        if (settings.wheels[static_cast<std::size_t>(w)]) {
            const std::vector<OverdueCase> wheel = overdueCandidates(
                longestDelays(archive, w, settings.first, last), w, MethodSettings::SogliaStep);
            candidates.insert(candidates.end(), wheel.begin(), wheel.end());
        }
        wheelStart.push_back(candidates.size());
    }
    const std::size_t n = candidates.size();
    result.cases = n;
    const double share = 0.5; // of the progress, for following the cases
    const CaseTracks tracks = trackCases(
        candidates, K, settings.stakes, drawn, settings.threads,
        [&](std::size_t done) {
            if (progress && n > 0)
                progress(share * static_cast<double>(done) / static_cast<double>(n));
        },
        cancel);
    if (cancelled()) {
        result.cancelled = true;
        return result;
    }

    // Each combination opens its own cases out of the candidates, wheel by wheel.
    const auto sums = std::make_shared<Sums>();
    ChanceIndex& index = sums->index;
    for (int s = 0; s < Soglie && !cancelled(); ++s) {
        const int soglia = (s + 1) * MethodSettings::SogliaStep;
        for (int k = 1; k <= K; ++k) {
            for (int w = 0; w < WheelCount; ++w) {
                const std::size_t start = wheelStart[static_cast<std::size_t>(w)];
                const std::span<const OverdueCase> wheel(candidates.data() + start,
                                                         wheelStart[static_cast<std::size_t>(w) + 1] - start);
                pickOverdueCases(
                    wheel, soglia, k, [&](std::size_t j) { return tracks.colpo[start + j]; },
                    [&](std::size_t j) {
                        const std::size_t i = start + j;
                        const int part = settings.split > 0 && candidates[i].draw >= settings.split ? 1 : 0;
                        const int chance =
                            tracks.completeWithin(i, k) ? index.note(k, tracks.probabilityWithin(i, k)) : 0;
                        sums->at(s, k, part).addCase(tracks, i, k, chance);
                    });
            }
        }
        if (progress)
            progress(share + (1.0 - share) * static_cast<double>(s + 1) / Soglie);
    }
    if (cancelled()) {
        result.cancelled = true;
        return result;
    }
    index.finish();
    for (int s = 0; s < Soglie; ++s)
        for (int k = 1; k <= K; ++k)
            for (int part = 0; part < 2; ++part)
                index.renumber(k, sums->at(s, k, part).chanceCounts);

    for (int s = 0; s < Soglie; ++s) {
        for (int k = 1; k <= K; ++k) {
            SweepRow row;
            row.soglia = (s + 1) * MethodSettings::SogliaStep;
            row.colpi = k;
            row.figures = sweepFigures(sums->at(s, k, 0), index, k);
            if (settings.split > 0)
                row.fuori = sweepFigures(sums->at(s, k, 1), index, k);
            result.rows.push_back(row);
        }
    }
    result.chances = [sums](std::size_t row) {
        const int s = static_cast<int>(row) / K;
        const int k = static_cast<int>(row) % K + 1;
        return std::array<std::vector<ChanceCount>, 2>{
            sums->index.chances(k, sums->at(s, k, 0).chanceCounts),
            sums->index.chances(k, sums->at(s, k, 1).chanceCounts)};
    };
    return result;
}

} // namespace overduesweep

SweepCombinations overdueCombinations(const SweepSettings& settings, const DrawArchive& archive,
                                      const std::function<void(double)>& progress,
                                      const std::atomic<bool>* cancel) {
    return overduesweep::combinations(settings, archive, progress, cancel);
}
