// The Collaudo window on the real draw history (../shared/data/storico, imported with veltrano-importa and
// read back through the program's reader): the whole "COLLAUDA" click with the heaviest settings (every
// wheel and position, "Tutte", 18 colpi, every outcome box: engine, case grid, three charts, repaint), the
// engine's share of it, and
// "ESPLORA" with "Fuori campione dal 01/01/2010", measured as the time until its table is shown and as the
// longest gap between the ticks of a 1 ms timer on the GUI thread meanwhile (how long the window could not
// answer the user).

#include "BenchArchive.h"
#include "QuietServices.h"
#include "core/Collaudo.h"
#include "core/DrawArchive.h"
#include "gui/collaudo/CollaudoFrm.h"
#include "gui/collaudo/CollaudoParameters.h"
#include "gui/collaudo/CollaudoPresentation.h"
#include "gui/collaudo/ResultGrid.h"
#include "gui/collaudo/SweepRunner.h"
#include "gui/kit/DateField.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/HelpService.h"
#include "gui/kit/ItemTableView.h"
#include "gui/kit/Palette.h"
#include "gui/kit/Prompts.h"
#include "io/ArchiveLoader.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

DrawArchive* historyOrSkip(benchmark::State& st) {
    DrawArchive* archive = realHistory();
    if (!archive)
        st.SkipWithError("no real history in ../shared/data/storico");
    return archive;
}

struct HeaviestWindow {
    Palette palette;
    QuietPrompts prompts;
    NoHelp help;
    NoFrame frame;
    std::unique_ptr<CollaudoFrm> window;

    explicit HeaviestWindow(DrawArchive& archive) {
        palette.SettaValoriBase();
        window = std::make_unique<CollaudoFrm>(archive, palette, prompts, help, frame);
        window->resize(1270, 720);
        window->show();
        QCoreApplication::processEvents();
        CollaudoParameters& p = *window->Parametri;
        p.setWheelTypes({true, false, false, false, false, false, false});
        p.setColpi(18);
        QCoreApplication::processEvents();
    }
};

void BM_CollaudaClickHeaviest(benchmark::State& st) {
    DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    HeaviestWindow w(*archive);
    for (auto _ : st) {
        w.window->CmdCollauda->click();
        QCoreApplication::processEvents();
    }
    st.counters["cases"] = w.window->FgCasi->model()->rowCount();
    st.counters["draws"] = archive->drawCount();
}
BENCHMARK(BM_CollaudaClickHeaviest)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The engine's share of that click: the same settings, the back-test alone.
void BM_CollaudaEngineOnly(benchmark::State& st) {
    DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    HeaviestWindow w(*archive);
    const CollaudoSettings settings = collaudoSettings(*w.window->Parametri, *archive);
    for (auto _ : st)
        benchmark::DoNotOptimize(runCollaudo(settings, *archive));
}
BENCHMARK(BM_CollaudaEngineOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_EsploraFuoriCampione2010(benchmark::State& st) {
    DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    HeaviestWindow w(*archive);
    w.window->Parametri->ChFuori->setChecked(true);
    w.window->Parametri->DtFuori->setDate(QDate(2010, 1, 1));
    double longestGap = 0.0;
    double rows = 0.0;
    for (auto _ : st) {
        QElapsedTimer sinceTick;
        double gap = 0.0;
        QTimer ticker;
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            gap = std::max(gap, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
            sinceTick.restart();
        });
        bool done = false;
        const QMetaObject::Connection finished =
            QObject::connect(&w.window->sweepRunner(), &SweepRunner::finished, [&done] { done = true; });
        ticker.start();
        sinceTick.start();
        w.window->CmdEsplora->click();
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        // The table is filled by the finished handler; let the repaint happen inside the measurement.
        QCoreApplication::processEvents();
        ticker.stop();
        QObject::disconnect(finished);
        longestGap = std::max(longestGap, gap);
        rows = w.window->FgEsplora->rowCount();
    }
    st.counters["longest_gap_ms"] = longestGap;
    st.counters["rows"] = rows;
}
BENCHMARK(BM_EsploraFuoriCampione2010)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

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
