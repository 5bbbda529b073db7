// The back-test and the sweep on the real draw history (../shared/data/storico, imported once into a
// temporary archive and loaded through the reader helper, as the tool does), for both methods, and
// veltrano-collaudo end to end as a process. Skipped when the history is absent.

#include "BenchArchive.h"
#include "core/CaseTracks.h"
#include "core/Collaudo.h"
#include "core/DrawArchive.h"
#include "core/EqualAmbi.h"
#include "core/PoissonBinomial.h"
#include "core/Sweep.h"

#include <QCoreApplication>
#include <QProcess>
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
    const DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    for (auto _ : st) {
        CollaudoResult r = runCollaudo(heaviest(), *archive);
        benchmark::DoNotOptimize(r);
        st.counters["casi"] = r.riepilogo.casi;
    }
}
BENCHMARK(BM_CollaudoHeaviest)->Unit(benchmark::kMillisecond);

// Its parts: the search, following the cases, the exact p-value.
void BM_CollaudoSearch(benchmark::State& st) {
    const DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    const CollaudoSettings s = heaviest();
    for (auto _ : st)
        benchmark::DoNotOptimize(findEqualAmbi(s.search(), *archive, archive->drawCount(), 1));
}
BENCHMARK(BM_CollaudoSearch)->Unit(benchmark::kMillisecond);

void BM_CollaudoTracks(benchmark::State& st) {
    const DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    const CollaudoSettings s = heaviest();
    const auto cases = findEqualAmbi(s.search(), *archive, archive->drawCount(), 1);
    for (auto _ : st)
        benchmark::DoNotOptimize(trackCases(cases, 18, s.boxes, s.stakes, *archive));
}
BENCHMARK(BM_CollaudoTracks)->Unit(benchmark::kMillisecond);

void BM_CollaudoPValue(benchmark::State& st) {
    const DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
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
    const DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    for (auto _ : st) {
        SweepResult r = runSweep(SweepSettings{}, *archive);
        benchmark::DoNotOptimize(r);
        st.counters["combinazioni"] = static_cast<double>(r.combinations);
    }
}
BENCHMARK(BM_SweepWhole)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole sweep with every row given its exact p-value, as --primi 0 prints it.
void BM_SweepEveryRow(benchmark::State& st) {
    const DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    SweepSettings s;
    s.primi = 0;
    for (auto _ : st) {
        SweepResult r = runSweep(s, *archive);
        benchmark::DoNotOptimize(r);
        st.counters["righe"] = static_cast<double>(r.rows.size());
    }
}
BENCHMARK(BM_SweepEveryRow)->Unit(benchmark::kMillisecond)->UseRealTime();

// The overdue number on every wheel, threshold 100, 18 colpi: the back-test's logic.
void BM_OverdueCollaudo(benchmark::State& st) {
    const DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    CollaudoSettings s;
    s.metodo = MethodSettings::Metodo::Ritardatario;
    s.soglia = 100;
    s.colpi = 18;
    for (auto _ : st) {
        CollaudoResult r = runCollaudo(s, *archive);
        benchmark::DoNotOptimize(r);
        st.counters["casi"] = r.riepilogo.casi;
    }
}
BENCHMARK(BM_OverdueCollaudo)->Unit(benchmark::kMillisecond);

// The same cases as giocate, followed by the giocate's rules (what a player's method runs on), and the
// equal ambo's heaviest cases likewise.
template <typename Settings> void giocateOf(benchmark::State& st, const Settings& s) {
    const DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    std::vector<Giocata> giocate;
    for (const CollaudoCase& c : runCollaudo(s, *archive).casi)
        giocate.push_back(playedGiocata(c, s));
    for (auto _ : st) {
        CollaudoResult r = runGiocate(giocate, *archive, s.threads);
        benchmark::DoNotOptimize(r);
        st.counters["casi"] = r.riepilogo.casi;
    }
}
void BM_OverdueAsGiocate(benchmark::State& st) {
    CollaudoSettings s;
    s.metodo = MethodSettings::Metodo::Ritardatario;
    s.soglia = 100;
    s.colpi = 18;
    giocateOf(st, s);
}
BENCHMARK(BM_OverdueAsGiocate)->Unit(benchmark::kMillisecond);
void BM_CollaudoHeaviestAsGiocate(benchmark::State& st) {
    giocateOf(st, heaviest());
}
BENCHMARK(BM_CollaudoHeaviestAsGiocate)->Unit(benchmark::kMillisecond);

// Its 180 combinations of threshold and Colpi over every wheel, every row given its exact p-value.
void BM_OverdueSweep(benchmark::State& st) {
    const DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    SweepSettings s;
    s.metodo = MethodSettings::Metodo::Ritardatario;
    s.primi = 0;
    for (auto _ : st) {
        SweepResult r = runSweep(s, *archive);
        benchmark::DoNotOptimize(r);
        st.counters["combinazioni"] = static_cast<double>(r.combinations);
    }
}
BENCHMARK(BM_OverdueSweep)->Unit(benchmark::kMillisecond)->UseRealTime();

// veltrano-collaudo as a process on the real history, from start to its last line of output.
void toolEndToEnd(benchmark::State& st, const QStringList& options) {
    const QString path = realHistoryFile();
    if (path.isEmpty()) {
        st.SkipWithError("no real history");
        return;
    }
    qint64 bytes = 0;
    for (auto _ : st) {
        QProcess p;
        p.start(QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-collaudo"), options + QStringList{path});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            st.SkipWithError("veltrano-collaudo failed");
            return;
        }
        bytes = p.readAllStandardOutput().size();
    }
    st.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ToolOverdueEndToEnd(benchmark::State& st) {
    toolEndToEnd(st, {QStringLiteral("--metodo"), QStringLiteral("ritardatario"), QStringLiteral("--soglia"),
                      QStringLiteral("100"), QStringLiteral("--colpi"), QStringLiteral("18")});
}
BENCHMARK(BM_ToolOverdueEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_ToolSweepEveryRowEndToEnd(benchmark::State& st) {
    toolEndToEnd(st, {QStringLiteral("--esplora"), QStringLiteral("--primi"), QStringLiteral("0")});
}
BENCHMARK(BM_ToolSweepEveryRowEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
