// The back-test and the sweep on the real draw history (../shared/data/storico, imported once into a
// temporary archive and loaded through the reader helper, as the tool does). Skipped when it is absent.

#include "BenchArchive.h"
#include "core/CaseTracks.h"
#include "core/Collaudo.h"
#include "core/DrawArchive.h"
#include "core/EqualAmbi.h"
#include "core/PoissonBinomial.h"
#include "core/Sweep.h"
#include "io/ArchiveLoader.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// "Tutte" types, every wheel and position, all outcome boxes, 18 colpi, the whole history.
CollaudoSettings heaviest() {
    CollaudoSettings s;
    s.types = {true, false, false, false, false, false, false};
    s.colpi = 18;
    return s;
}

void BM_CollaudoHeaviest(benchmark::State& st) {
    const DrawArchive* archive = realHistory();
    if (!archive) {
        st.SkipWithError("no real history");
        return;
    }
    for (auto _ : st) {
        CollaudoResult r = runCollaudo(heaviest(), *archive);
        benchmark::DoNotOptimize(r);
        st.counters["casi"] = r.riepilogo.casi;
    }
}
BENCHMARK(BM_CollaudoHeaviest)->Unit(benchmark::kMillisecond);

// Its parts: the search, following the cases, the exact p-value.
void BM_CollaudoSearch(benchmark::State& st) {
    const DrawArchive* archive = realHistory();
    if (!archive) {
        st.SkipWithError("no real history");
        return;
    }
    const CollaudoSettings s = heaviest();
    for (auto _ : st)
        benchmark::DoNotOptimize(findEqualAmbi(s.search(), *archive, archive->drawCount(), 1));
}
BENCHMARK(BM_CollaudoSearch)->Unit(benchmark::kMillisecond);

void BM_CollaudoTracks(benchmark::State& st) {
    const DrawArchive* archive = realHistory();
    if (!archive) {
        st.SkipWithError("no real history");
        return;
    }
    const CollaudoSettings s = heaviest();
    const auto cases = findEqualAmbi(s.search(), *archive, archive->drawCount(), 1);
    for (auto _ : st)
        benchmark::DoNotOptimize(trackCases(cases, 18, s.boxes, s.stakes, *archive));
}
BENCHMARK(BM_CollaudoTracks)->Unit(benchmark::kMillisecond);

void BM_CollaudoPValue(benchmark::State& st) {
    const DrawArchive* archive = realHistory();
    if (!archive) {
        st.SkipWithError("no real history");
        return;
    }
    const CollaudoSettings s = heaviest();
    const CaseTracks t = trackCases(findEqualAmbi(s.search(), *archive, archive->drawCount(), 1), 18, s.boxes,
                                    s.stakes, *archive);
    std::vector<double> ps;
    int positives = 0;
    for (std::size_t i = 0; i < t.size(); ++i)
        if (t.completeWithin(i, 18)) {
            ps.push_back(t.probabilityWithin(i, 18));
            positives += t.positiveWithin(i, 18) ? 1 : 0;
        }
    for (auto _ : st)
        benchmark::DoNotOptimize(poissonBinomialUpperTail(ps, positives));
}
BENCHMARK(BM_CollaudoPValue)->Unit(benchmark::kMillisecond);

// The whole sweep on both cores, with the default 30 rows given their exact p-value.
void BM_SweepWhole(benchmark::State& st) {
    const DrawArchive* archive = realHistory();
    if (!archive) {
        st.SkipWithError("no real history");
        return;
    }
    for (auto _ : st) {
        SweepResult r = runSweep(SweepSettings{}, *archive);
        benchmark::DoNotOptimize(r);
        st.counters["combinazioni"] = static_cast<double>(r.combinations);
    }
}
BENCHMARK(BM_SweepWhole)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
