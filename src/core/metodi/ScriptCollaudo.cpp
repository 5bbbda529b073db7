#include "core/metodi/ScriptCollaudo.h"

#include "core/CaseTracks.h"
#include "core/DrawnNumbers.h"
#include "core/Holm.h"
#include "core/Threads.h"
#include "core/metodi/ScriptError.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <mutex>
#include <numeric>

CollaudoResult runScriptCollaudo(const QString& source, const DrawArchive& archive, const ScriptRunOptions& run,
                                 int threads) {
    const ScriptResult played = runScript(source, archive, run);
    CollaudoResult result = played.cancelled ? CollaudoResult{} : runGiocate(played.giocate, archive, threads);
    result.metodo = MethodSettings::Metodo::Giocatore;
    return result;
}

std::vector<std::map<QString, ScriptValue>> scriptCombinations(const QString& source, const DrawArchive& archive,
                                                               const ScriptRunOptions& run) {
    const std::vector<ScriptParameter> parameters = scriptParameters(source, archive, run.limits);
    std::vector<std::map<QString, ScriptValue>> combinations{run.parametri};
    std::size_t count = 1;
    for (const ScriptParameter& p : parameters) {
        if (p.valori.empty())
            continue;
        count *= p.valori.size();
        if (count > MaxScriptCombinations)
            throw ScriptError(ScriptError::Kind::Parametro, 0,
                              QStringLiteral("Il metodo elenca più di %1 combinazioni di valori da esplorare.")
                                  .arg(QStringLiteral("10.000")));
        std::vector<std::map<QString, ScriptValue>> grown;
        grown.reserve(count);
        for (const auto& combination : combinations)
            for (const ScriptValue& v : p.valori) {
                auto next = combination;
                next[p.nome] = v;
                grown.push_back(std::move(next));
            }
        combinations = std::move(grown);
    }
    if (count == 1 && std::none_of(parameters.begin(), parameters.end(),
                                   [](const ScriptParameter& p) { return !p.valori.empty(); }))
        throw ScriptError(ScriptError::Kind::Parametro, 0,
                          QStringLiteral("Il metodo non elenca valori da esplorare: li elenca parametro(nome, "
                                         "predefinito, {valori})."));
    return combinations;
}

namespace {

SweepFigures figuresOf(const CollaudoSummary& s) {
    SweepFigures f;
    f.casiCompleti = s.casiCompleti;
    f.positivi = s.positiviCompleti;
    f.attesi = s.attesi;
    f.z = s.z;
    f.p = s.p;
    f.pEsatto = s.p;
    f.saldo = s.saldo;
    f.resa = s.resa;
    return f;
}

} // namespace

SweepResult runScriptSweep(const QString& source, const DrawArchive& archive, const ScriptSweepSettings& settings,
                           const std::function<void(double)>& progress, const std::atomic<bool>* cancel) {
    SweepResult result;
    result.metodo = MethodSettings::Metodo::Giocatore;
    const std::vector<std::map<QString, ScriptValue>> combinations =
        scriptCombinations(source, archive, settings.run);
    const std::vector<ScriptParameter> parameters = scriptParameters(source, archive, settings.run.limits);
    result.combinations = combinations.size();
    const DrawnNumbers drawn(archive);
    auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };

    std::vector<SweepRow> rows(combinations.size());
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> cases{0};
    std::mutex guard;
    std::exception_ptr failure;
    auto work = [&] {
        for (std::size_t c; (c = next.fetch_add(1)) < combinations.size() && !cancelled();) {
            try {
                ScriptRunOptions run = settings.run;
                run.parametri = combinations[c];
                run.progress = {};
                run.cancel = cancel;
                const ScriptResult played = runScript(source, archive, run);
                const CaseTracks tracks = trackGiocate(played.giocate, drawn, 1, {}, cancel);
                const auto before = [&](std::size_t i) {
                    return settings.split <= 0 || played.giocate[i].draw < settings.split;
                };
                SweepRow& row = rows[c];
                row.figures = figuresOf(summariseTracks(tracks, tracks.colpi, before));
                if (settings.split > 0)
                    row.fuori = figuresOf(summariseTracks(tracks, tracks.colpi, [&](std::size_t i) { return !before(i); }));
                for (const ScriptParameter& p : parameters)
                    if (!p.valori.empty())
                        row.parametri.emplace_back(p.nome, scriptValueText(combinations[c].at(p.nome)));
                cases += played.giocate.size();
            } catch (...) {
                const std::lock_guard lock(guard);
                if (!failure)
                    failure = std::current_exception();
                next = combinations.size();
            }
            const std::size_t total = done.fetch_add(1) + 1;
            if (progress) {
                const std::lock_guard lock(guard);
                progress(static_cast<double>(total) / static_cast<double>(combinations.size()));
            }
        }
    };
    runOnThreads(std::max(1, settings.threads), work);
    if (failure)
        std::rethrow_exception(failure);
    result.cases = cases;
    if (cancelled()) {
        result.cancelled = true;
        return result;
    }
    std::vector<double> ps(rows.size());
    std::transform(rows.begin(), rows.end(), ps.begin(), [](const SweepRow& row) { return row.figures.p; });
    const std::vector<double> holm = holmAdjusted(ps);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].pHolm = holm[i];
    std::stable_sort(rows.begin(), rows.end(), [&](const SweepRow& a, const SweepRow& b) {
        return rankedBefore(a, b, settings.order);
    });
    if (settings.primi > 0 && rows.size() > static_cast<std::size_t>(settings.primi))
        rows.resize(static_cast<std::size_t>(settings.primi));
    result.rows = std::move(rows);
    return result;
}
