#include "BenchArchive.h"
#include "core/DrawnNumbers.h"
#include "core/MethodSettings.h"
#include "core/OverdueCases.h"
#include "core/metodi/ScriptRun.h"

#include <QCoreApplication>
#include <QFile>

namespace {
QString shippedMethod(const char* name) {
    QFile f(QStringLiteral(VELTRANO_PROGRAM_DIR "/metodi/%1").arg(QLatin1String(name)));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A shipped method over the whole real history with its defaults: the library's work and the script's,
// from the script's text to the list of giocate.
void runShipped(benchmark::State& st, const char* name) {
    DrawArchive* archive = historyOrSkip(st);
    const QString script = shippedMethod(name);
    if (!archive || script.isEmpty()) {
        if (archive)
            st.SkipWithError("the shipped method is not in the program folder");
        return;
    }
    std::size_t giocate = 0;
    for (auto _ : st) {
        const ScriptResult r = runScript(script, *archive, {});
        giocate = r.giocate.size();
        benchmark::DoNotOptimize(giocate);
    }
    st.counters["giocate"] = static_cast<double>(giocate);
    st.counters["estrazioni"] = archive->drawCount();
}

// ritardatario.lua on every wheel.
void BM_RitardatarioScript(benchmark::State& st) {
    runShipped(st, "ritardatario.lua");
}
BENCHMARK(BM_RitardatarioScript)->Unit(benchmark::kMillisecond);

void BM_AmboUgualeScript(benchmark::State& st) {
    runShipped(st, "ambo-uguale.lua");
}
BENCHMARK(BM_AmboUgualeScript)->Unit(benchmark::kMillisecond);

// The built-in overdue number on every wheel, for comparison.
void BM_RitardatarioBuiltIn(benchmark::State& st) {
    DrawArchive* archive = historyOrSkip(st);
    if (!archive)
        return;
    const MethodSettings s;
    std::size_t cases = 0;
    for (auto _ : st) {
        const DrawnNumbers drawn(*archive);
        cases =
            findOverdueCases(s.wheels, s.soglia, s.colpi, 1, archive->drawCount(), *archive, drawn).size();
        benchmark::DoNotOptimize(cases);
    }
    st.counters["giocate"] = static_cast<double>(cases);
}
BENCHMARK(BM_RitardatarioBuiltIn)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the real history is read through the reader helper
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
