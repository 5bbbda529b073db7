#pragma once

#include "core/Collaudo.h"
#include "core/Sweep.h"
#include "core/metodi/ScriptRun.h"

#include <QString>
#include <atomic>
#include <functional>

class DrawArchive;

// A player's method on the one back-test engine: the script's giocate followed as every method's are.
// Throws ScriptError when the script fails; nothing of a failed run is a result.
CollaudoResult runScriptCollaudo(const QString& source, const DrawArchive& archive, const ScriptRunOptions& run,
                                 int threads = 2);

// The sweep of a player's method: every combination of the values its parameters list (`valori` of
// parametro), the others at the player's value or their default; each combination a run of its own, its
// figures over its complete cases (before `split` when one is given, and the same combination from `split`
// on in `fuori`), p the exact tail, ranked by p (or by yield), Holm over every combination tried.
struct ScriptSweepSettings {
    ScriptRunOptions run; // the range, the player's values, limits and print; its progress is unused
    int split = 0;
    SweepSettings::Order order = SweepSettings::Order::P;
    int primi = 30;
    int threads = 2;
};

// At most this many combinations are tried; more is refused before any runs.
constexpr std::size_t MaxScriptCombinations = 10000;

// The combinations the sweep would try: the product of the listed values. Throws ScriptError as runScript
// does, and for a method that lists no values or too many combinations (Kind::Parametro, line 0).
std::vector<std::map<QString, ScriptValue>> scriptCombinations(const QString& source, const DrawArchive& archive,
                                                               const ScriptRunOptions& run);

SweepResult runScriptSweep(const QString& source, const DrawArchive& archive, const ScriptSweepSettings& settings,
                           const std::function<void(double)>& progress = {},
                           const std::atomic<bool>* cancel = nullptr);
