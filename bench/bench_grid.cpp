#include "gui/kit/GridModel.h"
#include "gui/kit/GridView.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

// A case grid as the analysis fills it: one header row, one fixed column, 48 columns of short texts.
std::unique_ptr<GridView> filledCaseGrid(int rows) {
    auto view = std::make_unique<GridView>();
    GridModel* grid = view->gridModel();
    {
        GridModel::Batch batch(*grid);
        grid->setCols(48);
        grid->setRows(rows + 1);
        grid->setFixedRows(1);
        grid->setFixedCols(1);
        for (int c = 0; c < 48; ++c)
            grid->setText(0, c, QStringLiteral("Col %1").arg(c));
        for (int r = 1; r <= rows; ++r) {
            grid->setText(r, 0, QString::number(r));
            grid->setText(r, 1, QString::number(9000 - r));
            grid->setText(r, 2,
                          QStringLiteral("%1/%2/20%3")
                              .arg(r % 28 + 1, 2, 10, QLatin1Char('0'))
                              .arg(r % 12 + 1, 2, 10, QLatin1Char('0'))
                              .arg(r % 24, 2, 10, QLatin1Char('0')));
            for (int c = 3; c < 48; ++c)
                grid->setText(r, c, QString::number((r * 31 + c * 17) % 90 + 1));
        }
    }
    view->resize(900, 600);
    view->show();
    QCoreApplication::processEvents();
    return view;
}

void sizeColumnsToContents(benchmark::State& state) {
    const auto view = filledCaseGrid(static_cast<int>(state.range(0)));
    view->setResizePrecision(static_cast<int>(state.range(1)));
    for (auto _ : state)
        view->gridModel()->autoSizeColumns();
    state.SetLabel(state.range(1) < 0 ? "every row" : "rows looked at: " + std::to_string(state.range(1)));
}
// -1: every row, 1000: Qt's default, 300: the grid's default.
BENCHMARK(sizeColumnsToContents)
    ->Args({1000, -1})
    ->Args({1000, 1000})
    ->Args({1000, 300})
    ->Unit(benchmark::kMillisecond);

void fillCaseGrid(benchmark::State& state) {
    for (auto _ : state) {
        const auto view = filledCaseGrid(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(view.get());
    }
}
BENCHMARK(fillCaseGrid)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
