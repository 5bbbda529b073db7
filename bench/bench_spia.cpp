// Spy numbers on the real draw history (../shared/data/storico, imported with veltrano-importa and read back
// through the program's reader): one spy's table, the whole map of a wheel (8,100 cells), and
// "veltrano-spia --tutte-le-spie --primi 0 --formato json" end to end, as a process. Skipped when the
// history is absent.

#include "BenchArchive.h"
#include "cli/SpiaOptions.h"
#include "cli/SpiaReport.h"
#include "core/DrawArchive.h"
#include "core/SpyTable.h"

#include <QCoreApplication>
#include <QProcess>
#include <benchmark/benchmark.h>

namespace {

void BM_SpyTable(benchmark::State& st) {
    DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    const SpySettings settings{.spia = 90, .ruota = 0, .ruotaSeguenti = 0, .colpi = 9};
    int events = 0;
    for (auto _ : st) {
        SpyTable t = computeSpyTable(settings, *archive);
        events = t.eventi;
        benchmark::DoNotOptimize(t);
    }
    st.counters["events"] = events;
}
BENCHMARK(BM_SpyTable)->Unit(benchmark::kMillisecond);

// Arg: the wheel of spy and followers (11 for Tutte).
void BM_SpyMapOfAWheel(benchmark::State& st) {
    DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    const int wheel = static_cast<int>(st.range(0));
    const SpySettings settings{.ruota = wheel, .ruotaSeguenti = wheel, .colpi = 9};
    for (auto _ : st)
        benchmark::DoNotOptimize(computeSpyMap(settings, *archive));
}
BENCHMARK(BM_SpyMapOfAWheel)->Arg(0)->Arg(TutteWheel)->ArgName("wheel")->Unit(benchmark::kMillisecond);

// The tool's work in the process: the map, its ranking and the whole json text of the 8,100 rows.
void BM_SpyMapJsonReport(benchmark::State& st) {
    DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    SpiaOptions o;
    o.settings = {.ruota = 0, .ruotaSeguenti = 0, .colpi = 9};
    o.tutteLeSpie = true;
    o.primi = 0;
    o.formato = TableFormat::Json;
    qsizetype bytes = 0;
    for (auto _ : st)
        bytes = spiaReport(computeSpyMap(o.settings, *archive), o, *archive).size();
    st.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SpyMapJsonReport)->Unit(benchmark::kMillisecond);

void BM_ToolMapJsonEndToEnd(benchmark::State& st) {
    const QString path = realHistoryFile();
    if (path.isEmpty()) {
        st.SkipWithError("no real history in ../shared/data/storico");
        return;
    }
    const QString tool = QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-spia");
    qint64 bytes = 0;
    for (auto _ : st) {
        QProcess p;
        p.start(tool, {QStringLiteral("--tutte-le-spie"), QStringLiteral("--ruota"), QStringLiteral("BA"),
                       QStringLiteral("--colpi"), QStringLiteral("9"), QStringLiteral("--primi"), QStringLiteral("0"),
                       QStringLiteral("--formato"), QStringLiteral("json"), path});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            st.SkipWithError("veltrano-spia failed");
            return;
        }
        bytes = p.readAllStandardOutput().size();
    }
    st.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ToolMapJsonEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the history is imported and read through the program's tools
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
