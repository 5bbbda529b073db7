#pragma once

#include "core/Giocata.h"
#include "core/metodi/ScriptParameter.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <vector>

class DrawArchive;

// What a player's method may take: its own wall time (the library's work included) and its Lua heap.
struct ScriptLimits {
    std::chrono::milliseconds time{10000};
    std::size_t memory = std::size_t{256} << 20;
};

struct ScriptRunOptions {
    int first = 1; // esamina(e) runs for e = first .. last, cut to the archive's draws
    int last = 0;  // 0: the archive's last draw
    std::map<QString, ScriptValue> parametri; // the player's values by name; the others keep their default
    ScriptLimits limits;
    // Where print writes: a line without its newline. Empty: standard error.
    std::function<void(const QString&)> print;
    // Called after each draw examined, with how many of the range's draws were examined so far.
    std::function<void(int examined, int total)> progress;
    // Set from another thread to stop the run; the run then ends with `cancelled` and no giocate.
    const std::atomic<bool>* cancel = nullptr;
};

struct ScriptResult {
    // Most recent first (by draw), in the order gioca was called within one draw.
    std::vector<Giocata> giocate;
    std::vector<ScriptParameter> parametri; // as the script declared them, in order
    bool cancelled = false;
};

// Runs the script: its top level once (where it declares its parameters), then esamina(e) for each draw
// of the range, oldest first. Throws ScriptError for any failure: a syntax or runtime error, a misused
// library function, a read of a draw after e, a time or memory stop, a parameter the script does not
// declare or a value of the wrong type.
ScriptResult runScript(const QString& source, const DrawArchive& archive, const ScriptRunOptions& options);

// The parameters the script declares: its top level run with the default values (esamina is not called,
// but must exist). Throws ScriptError as runScript does.
std::vector<ScriptParameter> scriptParameters(const QString& source, const DrawArchive& archive,
                                              const ScriptLimits& limits = {});
