// The heaviest analysis the ambo window offers, on a full archive of 9,999 draws: "Intervallo" over the
// whole archive, every wheel and position, wheel type "Tutte", 18 colpi. The logic alone, on grid models
// without a view: search, formatting, verification, summary and sort.

#include "ArchiveBuilder.h"
#include "BenchArchive.h"
#include "core/DrawArchive.h"
#include "gui/ambo/AmboControls.h"
#include "gui/ambo/AmboGridLayout.h"
#include "gui/ambo/AmboRange.h"
#include "gui/ambo/AmboState.h"
#include "gui/ambo/AmboWorkbench.h"
#include "gui/ambo/CaseGridFormat.h"
#include "gui/ambo/ConfiguraParametri.h"
#include "gui/ambo/Elabora.h"
#include "gui/ambo/EqualAmboSearch.h"
#include "gui/ambo/OutcomeVerification.h"
#include "gui/kit/Palette.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct Window : AmboWorkbench {
    explicit Window(const DrawArchive& archive) {
        loadAmboGrids(grids, archive);
        state.fillWheelRelationships();
        setRange(state, 1, archive.drawCount());
        controls.Ch_RuoteTipo = {1, 0, 0, 0, 0, 0, 0};
        controls.Ch_Intervallo = 1;
        controls.ComboC = QStringLiteral("18");
    }
};

void BM_ElaboraHeaviest(benchmark::State& st) {
    const DrawArchive& archive = fullArchive();
    Window w(archive);
    VerificationTotals totals;
    for (auto _ : st) {
        totals = elabora(w.controls, w.grids, w.state, archive, w.palette, {});
        benchmark::DoNotOptimize(totals);
    }
    st.counters["cases"] = totals.casi;
    st.counters["positive"] = totals.positivi;
}
BENCHMARK(BM_ElaboraHeaviest)->Unit(benchmark::kMillisecond);

void BM_SearchOnly(benchmark::State& st) {
    const DrawArchive& archive = fullArchive();
    Window w(archive);
    for (auto _ : st) {
        ConfiguraParametri(w.controls, w.grids, w.state, archive, {});
        searchEqualAmbi(w.state, archive, w.Fg1);
        benchmark::DoNotOptimize(w.state.CasiTrovati);
    }
    st.counters["cases"] = w.state.CasiTrovati;
}
BENCHMARK(BM_SearchOnly)->Unit(benchmark::kMillisecond);

void BM_VerificaOnly(benchmark::State& st) {
    const DrawArchive& archive = fullArchive();
    Window w(archive);
    elabora(w.controls, w.grids, w.state, archive, w.palette, {});
    for (auto _ : st) {
        const VerificationTotals totals =
            verifyCases(w.Fg1, w.FgS, w.state.Colpi, w.controls, archive, w.palette);
        benchmark::DoNotOptimize(totals);
    }
}
BENCHMARK(BM_VerificaOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
