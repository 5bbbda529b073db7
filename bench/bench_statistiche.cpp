// Delays and frequencies on the real draw history (../shared/data/storico, imported with veltrano-importa
// and read back through the program's reader): every statistic of a sorte (every wheel and Tutte, the whole
// history) and its parts; the heaviest click of the window "Ritardi e frequenze" (ambo, every wheel and
// Tutte, the whole history: engine, table, charts and the repaint that follows); and
// "veltrano-statistiche --sorte ambo --primi 0 --formato json" end to end, as a process. Skipped when the
// history is absent.

#include "ArchiveFixtures.h"
#include "BenchArchive.h"
#include "QuietServices.h"
#include "cli/StatisticheOptions.h"
#include "cli/StatisticheReport.h"
#include "core/DelayStatistics.h"
#include "core/DrawArchive.h"
#include "gui/statistiche/DelayTableModel.h"
#include "gui/statistiche/StatisticheFrm.h"
#include "gui/statistiche/StatistichePresentation.h"

#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

void BM_StatisticsOfASorte(benchmark::State& st) {
    DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    const DelaySettings settings{static_cast<Sorte>(st.range(0))};
    std::size_t items = 0;
    for (auto _ : st) {
        DelayStatistics s = computeDelayStatistics(settings, *archive);
        items = s.items.size();
        benchmark::DoNotOptimize(s);
    }
    st.counters["items"] = static_cast<double>(items);
    st.counters["draws"] = archive->drawCount();
}
BENCHMARK(BM_StatisticsOfASorte)->Arg(0)->Arg(1)->ArgName("ambo")->Unit(benchmark::kMillisecond);

// The chart's chance: the geometric law over the same sequences, Tutte's changing with its wheels drawn.
void BM_ExpectedRuns(benchmark::State& st) {
    DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    const DelayStatistics s =
        computeDelayStatistics(DelaySettings{static_cast<Sorte>(st.range(0))}, *archive);
    for (auto _ : st)
        benchmark::DoNotOptimize(expectedRuns(s));
}
BENCHMARK(BM_ExpectedRuns)->Arg(0)->Arg(1)->ArgName("ambo")->Unit(benchmark::kMillisecond);

// The tool's work in the process: statistics, ranking and the whole json text of the 48,060 ambi.
void BM_AmboJsonReport(benchmark::State& st) {
    DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    StatisticheOptions o;
    o.settings.sorte = Sorte::Ambo;
    o.primi = 0;
    o.formato = TableFormat::Json;
    qsizetype bytes = 0;
    for (auto _ : st) {
        const QByteArray text = statisticheReport(computeDelayStatistics(o.settings, *archive), o, *archive);
        bytes = text.size();
    }
    st.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_AmboJsonReport)->Unit(benchmark::kMillisecond);

// The window as the user leaves it before the heaviest click: ambo, every wheel and Tutte, the whole
// history (the window opens on every wheel, Tutte and the whole archive).
void BM_StatisticheClickHeaviest(benchmark::State& st) {
    DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    QuietPrompts prompts;
    NoHelp help;
    NoFrame frame;
    StatisticheFrm window(*archive, prompts, help, frame);
    window.resize(1270, 720);
    window.show();
    window.CmbSorte->setCurrentIndex(1);
    QCoreApplication::processEvents();
    for (auto _ : st) {
        window.CmdCalcola->click();
        QCoreApplication::processEvents();
    }
    st.counters["rows"] = window.tableModel()->rowCount();
}
BENCHMARK(BM_StatisticheClickHeaviest)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ToolAmboJsonEndToEnd(benchmark::State& st) {
    const QString path = realHistoryFile();
    if (path.isEmpty()) {
        st.SkipWithError("no real history in ../shared/data/storico");
        return;
    }
    const QString tool = QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-statistiche");
    qint64 bytes = 0;
    for (auto _ : st) {
        QProcess p;
        p.start(tool, {QStringLiteral("--sorte"), QStringLiteral("ambo"), QStringLiteral("--primi"),
                       QStringLiteral("0"), QStringLiteral("--formato"), QStringLiteral("json"), path});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            st.SkipWithError("veltrano-statistiche failed");
            return;
        }
        bytes = p.readAllStandardOutput().size();
    }
    st.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ToolAmboJsonEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
