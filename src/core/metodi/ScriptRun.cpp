#include "core/metodi/ScriptRun.h"

#include "core/DrawArchive.h"
#include "core/metodi/LottoLibrary.h"
#include "core/metodi/LuaSandbox.h"
#include "core/metodi/ScriptError.h"

#include <algorithm>
#include <lua.hpp>

namespace {
struct TopLevel {
    bool cancelled = false;
};

// Runs the script's top level: the library in place, the parameters declared with the player's values.
TopLevel runTopLevel(LuaSandbox& sandbox, LottoLibrary& library, const QString& source,
                     const std::map<QString, ScriptValue>& values) {
    sandbox.load(source);
    try {
        if (!sandbox.call(0))
            return {true};
    } catch (const ScriptError&) {
        if (library.parameterError())
            throw ScriptError(ScriptError::Kind::Parametro, 0, *library.parameterError());
        throw;
    }
    for (const auto& [name, value] : values) {
        const auto& declared = library.parameters();
        if (std::none_of(declared.begin(), declared.end(),
                         [&name = name](const ScriptParameter& p) { return p.nome == name; }))
            throw ScriptError(ScriptError::Kind::Parametro, 0,
                              QStringLiteral("Il metodo non ha il parametro \"%1\"").arg(name));
    }
    lua_State* L = sandbox.state();
    lua_getglobal(L, "esamina");
    const bool examines = lua_type(L, -1) == LUA_TFUNCTION;
    lua_pop(L, 1);
    if (!examines)
        throw ScriptError(ScriptError::Kind::Esecuzione, 0,
                          QStringLiteral("Il metodo non ha la funzione esamina(e)"));
    return {};
}
} // namespace

ScriptResult runScript(const QString& source, const DrawArchive& archive, const ScriptRunOptions& options) {
    LuaSandbox sandbox(options.limits, options.print, options.cancel);
    LottoLibrary library(sandbox.state(), archive, options.parametri);
    ScriptResult result;
    if (runTopLevel(sandbox, library, source, options.parametri).cancelled) {
        result.cancelled = true;
        return result;
    }
    result.parametri = library.parameters();

    const int first = std::max(options.first, 1);
    const int last =
        options.last > 0 ? std::min<int>(options.last, archive.drawCount()) : archive.drawCount();
    const int total = std::max(last - first + 1, 0);
    lua_State* L = sandbox.state();
    for (int e = first; e <= last; ++e) {
        library.examine(e);
        lua_getglobal(L, "esamina");
        lua_pushinteger(L, e);
        if (!sandbox.call(1) || (options.cancel && options.cancel->load(std::memory_order_relaxed))) {
            result.cancelled = true;
            return result;
        }
        if (options.progress)
            options.progress(e - first + 1, total);
    }
    result.giocate = library.giocate();
    return result;
}

std::vector<ScriptParameter> scriptParameters(const QString& source, const DrawArchive& archive,
                                              const ScriptLimits& limits) {
    LuaSandbox sandbox(limits, {}, nullptr);
    LottoLibrary library(sandbox.state(), archive, {});
    runTopLevel(sandbox, library, source, {});
    return library.parameters();
}
