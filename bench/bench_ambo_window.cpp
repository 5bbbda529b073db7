// The heaviest analysis a user can ask the ambo window for, on a full archive of 9,999 draws: "Intervallo"
// over the whole archive, every wheel and position, wheel type "Tutte", 18 colpi. Measured as the click on
// "ELABORA" (and on "VERIFICA") through the window shown offscreen, views included: search, verification,
// grid fill, formatting, column sizing, sort, and the repaint that follows.

#include "ArchiveBuilder.h"
#include "BenchArchive.h"
#include "QuietServices.h"
#include "core/DrawArchive.h"
#include "gui/ambo/AmboOltreFrm.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/GridView.h"
#include "gui/kit/HelpService.h"
#include "gui/kit/Palette.h"
#include "gui/kit/Prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

// The window as the user leaves it before the click: the whole archive as range, "Tutte", "Intervallo",
// 18 colpi, every wheel and position (the load's selection).
struct HeaviestWindow {
    Palette palette;
    QuietPrompts prompts;
    NoHelp help;
    NoFrame frame;
    std::unique_ptr<AmboOltreFrm> window;

    HeaviestWindow() {
        palette.SettaValoriBase();
        window = std::make_unique<AmboOltreFrm>(fullArchive(), palette, prompts, help, frame);
        window->resize(1270, 720);
        window->show();
        QCoreApplication::processEvents();
        window->Command4->click();
        window->Ch_RuoteTipo[0]->setChecked(true);
        window->Ch_Intervallo->setChecked(true);
        window->ComboC->setCurrentText(QStringLiteral("18"));
        QCoreApplication::processEvents();
    }
};

void BM_ElaboraClickHeaviest(benchmark::State& st) {
    HeaviestWindow w;
    for (auto _ : st) {
        w.window->Cmd_Ambiuguali->click();
        QCoreApplication::processEvents();
    }
    const GridModel& fgs = *w.window->FgS->gridModel();
    st.counters["cases"] = w.window->Fg1->gridModel()->rows() - 1;
    st.counters["positive"] = fgs.value(2, 1);
    st.counters["draws"] = fullArchive().drawCount();
}
BENCHMARK(BM_ElaboraClickHeaviest)->Unit(benchmark::kMillisecond);

void BM_VerificaClickHeaviest(benchmark::State& st) {
    HeaviestWindow w;
    w.window->Cmd_Ambiuguali->click();
    QCoreApplication::processEvents();
    for (auto _ : st) {
        w.window->Command1->click();
        QCoreApplication::processEvents();
    }
    st.counters["cases"] = w.window->Fg1->gridModel()->rows() - 1;
}
BENCHMARK(BM_VerificaClickHeaviest)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
