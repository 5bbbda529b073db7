#include "core/metodi/LuaSandbox.h"

#include "core/metodi/LuaPatterns.h"
#include "core/metodi/ScriptError.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <lua.hpp>
#include <new>

namespace {
// The name errors give the script: "metodo:12: ...".
constexpr const char* ChunkName = "=metodo";
constexpr const char* ChunkSource = "metodo";
// Instructions between two looks at the clock: a few microseconds of work.
constexpr int HookCount = 1000;
constexpr lua_Integer RandomSeed = 1989;

QString secondsText(std::chrono::milliseconds time) {
    const auto ms = time.count();
    if (ms % 1000 == 0)
        return ms == 1000 ? QStringLiteral("1 secondo") : QStringLiteral("%1 secondi").arg(ms / 1000);
    return QStringLiteral("%1 secondi").arg(QString::number(static_cast<double>(ms) / 1000.0).replace(u'.', u','));
}

QString memoryText(std::size_t bytes) {
    if (bytes % (std::size_t{1} << 20) == 0)
        return QStringLiteral("%1 MiB di memoria").arg(bytes >> 20);
    return QStringLiteral("%1 byte di memoria").arg(bytes);
}

// "metodo:12: testo" -> 12 and "testo"; 0 when the message does not start with the script's position.
int splitPosition(QString& message) {
    const QString prefix = QStringLiteral("%1:").arg(QLatin1String(ChunkSource));
    if (!message.startsWith(prefix))
        return 0;
    const qsizetype colon = message.indexOf(u':', prefix.size());
    if (colon < 0)
        return 0;
    bool ok = false;
    const int line = message.mid(prefix.size(), colon - prefix.size()).toInt(&ok);
    if (!ok)
        return 0;
    message = message.mid(colon + 1).trimmed();
    return line;
}
} // namespace

LuaSandbox::LuaSandbox(const ScriptLimits& limits, std::function<void(const QString&)> print,
                       const std::atomic<bool>* cancel)
    : m_limits(limits), m_print(std::move(print)), m_cancel(cancel) {
    m_state = lua_newstate(&LuaSandbox::allocate, this);
    if (!m_state)
        throw std::bad_alloc();
    *static_cast<LuaSandbox**>(lua_getextraspace(m_state)) = this;
    openLibraries();
    lua_sethook(m_state, &LuaSandbox::countHook, LUA_MASKCOUNT, HookCount);
}

LuaSandbox::~LuaSandbox() {
    lua_close(m_state);
}

LuaSandbox& LuaSandbox::of(lua_State* L) {
    return **static_cast<LuaSandbox**>(lua_getextraspace(L));
}

void LuaSandbox::openLibraries() {
    lua_State* L = m_state;
    const luaL_Reg libraries[] = {{LUA_GNAME, luaopen_base},
                                  {LUA_STRLIBNAME, luaopen_string},
                                  {LUA_TABLIBNAME, luaopen_table},
                                  {LUA_MATHLIBNAME, luaopen_math},
                                  {LUA_UTF8LIBNAME, luaopen_utf8}};
    for (const luaL_Reg& lib : libraries) {
        luaL_requiref(L, lib.name, lib.func, 1);
        lua_pop(L, 1);
    }
    for (const char* name : {"dofile", "loadfile", "require"}) {
        lua_pushnil(L);
        lua_setglobal(L, name);
    }
    lua_getglobal(L, "load");
    lua_pushcclosure(L, &LuaSandbox::textLoad, 1);
    lua_setglobal(L, "load");
    lua_register(L, "pcall", &LuaSandbox::safePcall);
    lua_register(L, "xpcall", &LuaSandbox::safeXpcall);
    lua_register(L, "print", &LuaSandbox::print);

    lua_getglobal(L, LUA_STRLIBNAME);
    lua_pushnil(L);
    lua_setfield(L, -2, "dump"); // no binary chunk can be loaded anyway
    installPatternFunctions(L, lua_gettop(L));
    lua_pop(L, 1);

    lua_getglobal(L, LUA_MATHLIBNAME);
    lua_getfield(L, -1, "randomseed");
    lua_pushvalue(L, -1);
    lua_pushinteger(L, RandomSeed);
    lua_call(L, 1, 0);
    lua_pushcclosure(L, &LuaSandbox::fixedRandomseed, 1);
    lua_setfield(L, -2, "randomseed");
    lua_pop(L, 1);
}

void LuaSandbox::load(const QString& source) {
    const QByteArray text = source.toUtf8();
    const int status = luaL_loadbufferx(m_state, text.constData(), static_cast<std::size_t>(text.size()),
                                        ChunkName, "t");
    if (status == LUA_OK)
        return;
    QString message = QString::fromUtf8(lua_tostring(m_state, -1));
    lua_pop(m_state, 1);
    if (status == LUA_ERRMEM)
        throw ScriptError(ScriptError::Kind::Fermato, 0,
                          QStringLiteral("Il metodo è stato fermato: più di %1").arg(memoryText(m_limits.memory)));
    const int line = splitPosition(message);
    throw ScriptError(ScriptError::Kind::Sintassi, line,
                      QStringLiteral("Errore di sintassi alla riga %1: %2").arg(line).arg(message));
}

bool LuaSandbox::call(int nargs) {
    lua_State* L = m_state;
    const int base = lua_gettop(L) - nargs; // the function
    lua_pushcfunction(L, &LuaSandbox::messageHandler);
    lua_insert(L, base);
    m_errorLine = 0;
    m_inCall = true;
    m_callStart = std::chrono::steady_clock::now();
    const int status = lua_pcall(L, nargs, 0, base);
    m_elapsed += std::chrono::steady_clock::now() - m_callStart;
    m_inCall = false;
    if (status == LUA_ERRMEM && m_stop == Stop::None)
        callFor(Stop::Memory, m_memoryLine);
    if (m_stop == Stop::Cancel) {
        lua_settop(L, base - 1);
        return false;
    }
    if (m_stop != Stop::None) {
        lua_settop(L, base - 1);
        throw ScriptError(ScriptError::Kind::Fermato, m_stopLine, stopMessage());
    }
    if (status == LUA_OK) {
        lua_settop(L, base - 1);
        return true;
    }
    QString message = lua_type(L, -1) == LUA_TSTRING ? QString::fromUtf8(lua_tostring(L, -1))
                                                      : QStringLiteral("errore senza messaggio");
    lua_settop(L, base - 1);
    int line = splitPosition(message);
    if (line == 0)
        line = m_errorLine;
    throw ScriptError(ScriptError::Kind::Esecuzione, line,
                      QStringLiteral("Errore alla riga %1: %2").arg(line).arg(message));
}

void LuaSandbox::checkLimits(lua_State* L) {
    if (m_stop == Stop::None) {
        if (m_cancel && m_cancel->load(std::memory_order_relaxed))
            callFor(Stop::Cancel, currentLine(L, 0));
        else if (overTime())
            callFor(Stop::Time, currentLine(L, 0));
    }
    if (m_stop != Stop::None)
        raiseStop(L);
}

bool LuaSandbox::overTime() const {
    return m_inCall && m_elapsed + (std::chrono::steady_clock::now() - m_callStart) > m_limits.time;
}

void LuaSandbox::callFor(Stop why, int line) {
    m_stop = why;
    m_stopLine = line;
}

void LuaSandbox::raiseStop(lua_State* L) {
    lua_pushstring(L, stopMessage().toUtf8().constData());
    lua_error(L);
    std::abort(); // lua_error does not return
}

QString LuaSandbox::stopMessage() const {
    if (m_stop == Stop::Cancel)
        return QStringLiteral("Il metodo è stato annullato alla riga %1").arg(m_stopLine);
    const QString what = m_stop == Stop::Time ? secondsText(m_limits.time) : memoryText(m_limits.memory);
    return QStringLiteral("Il metodo è stato fermato alla riga %1: più di %2").arg(m_stopLine).arg(what);
}

int LuaSandbox::currentLine(lua_State* L, int fromLevel) {
    lua_Debug ar;
    for (int level = fromLevel; lua_getstack(L, level, &ar); ++level) {
        if (!lua_getinfo(L, "Sl", &ar))
            break;
        if (ar.currentline > 0 && std::strcmp(ar.source, ChunkName) == 0)
            return ar.currentline;
    }
    return 0;
}

void* LuaSandbox::allocate(void* ud, void* block, std::size_t oldSize, std::size_t newSize) {
    auto* self = static_cast<LuaSandbox*>(ud);
    const std::size_t old = block ? oldSize : 0; // without a block, oldSize tells the kind of object
    if (newSize == 0) {
        std::free(block);
        self->m_used -= old;
        return nullptr;
    }
    if (newSize > old && self->m_used - old + newSize > self->m_limits.memory) {
        // Lua collects and asks again before it gives up; a refusal becomes a stop only when the memory
        // error reaches a pcall or the run.
        if (self->m_state)
            self->m_memoryLine = currentLine(self->m_state, 0);
        return nullptr;
    }
    void* grown = std::realloc(block, newSize);
    if (grown)
        self->m_used = self->m_used - old + newSize;
    return grown;
}

void LuaSandbox::countHook(lua_State* L, lua_Debug*) {
    of(L).checkLimits(L);
}

int LuaSandbox::messageHandler(lua_State* L) {
    LuaSandbox& self = of(L);
    self.m_errorLine = currentLine(L, 1);
    if (lua_type(L, 1) == LUA_TSTRING)
        return 1;
    if (luaL_callmeta(L, 1, "__tostring") && lua_type(L, -1) == LUA_TSTRING)
        return 1;
    lua_pushfstring(L, "errore senza messaggio (un valore di tipo %s)", luaL_typename(L, 1));
    return 1;
}

int LuaSandbox::safePcall(lua_State* L) {
    luaL_checkany(L, 1);
    lua_pushboolean(L, 1);
    lua_insert(L, 1);
    const int status = lua_pcall(L, lua_gettop(L) - 2, LUA_MULTRET, 0);
    LuaSandbox& self = of(L);
    if (status == LUA_ERRMEM && self.m_stop == Stop::None)
        self.callFor(Stop::Memory, self.m_memoryLine);
    if (self.m_stop != Stop::None)
        self.raiseStop(L);
    if (status != LUA_OK) {
        lua_pushboolean(L, 0);
        lua_pushvalue(L, -2);
        return 2;
    }
    return lua_gettop(L);
}

int LuaSandbox::safeXpcall(lua_State* L) {
    const int n = lua_gettop(L);
    luaL_checktype(L, 2, LUA_TFUNCTION);
    lua_pushboolean(L, 1);
    lua_pushvalue(L, 1);
    lua_rotate(L, 3, 2);
    const int status = lua_pcall(L, n - 2, LUA_MULTRET, 2);
    LuaSandbox& self = of(L);
    if (status == LUA_ERRMEM && self.m_stop == Stop::None)
        self.callFor(Stop::Memory, self.m_memoryLine);
    if (self.m_stop != Stop::None)
        self.raiseStop(L);
    if (status != LUA_OK) {
        lua_pushboolean(L, 0);
        lua_pushvalue(L, -2);
        return 2;
    }
    return lua_gettop(L) - 2;
}

int LuaSandbox::print(lua_State* L) {
    const int n = lua_gettop(L);
    luaL_Buffer line;
    luaL_buffinit(L, &line);
    for (int i = 1; i <= n; ++i) {
        if (i > 1)
            luaL_addchar(&line, '\t');
        luaL_tolstring(L, i, nullptr);
        luaL_addvalue(&line);
    }
    luaL_pushresult(&line);
    std::size_t size = 0;
    const char* text = lua_tolstring(L, -1, &size);
    LuaSandbox& self = of(L);
    if (self.m_print)
        self.m_print(QString::fromUtf8(text, static_cast<qsizetype>(size)));
    else
        std::fprintf(stderr, "%.*s\n", static_cast<int>(size), text);
    return 0;
}

int LuaSandbox::textLoad(lua_State* L) {
    const int n = lua_gettop(L);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_pushvalue(L, 1);
    if (n >= 2)
        lua_pushvalue(L, 2);
    else
        lua_pushnil(L);
    lua_pushliteral(L, "t");
    int args = 3;
    if (n >= 4) { // an explicit nil environment stays one
        lua_pushvalue(L, 4);
        args = 4;
    }
    lua_call(L, args, LUA_MULTRET);
    return lua_gettop(L) - n;
}

int LuaSandbox::fixedRandomseed(lua_State* L) {
    const int n = lua_gettop(L);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    if (n == 0)
        lua_pushinteger(L, RandomSeed);
    lua_call(L, n == 0 ? 1 : n, LUA_MULTRET);
    return lua_gettop(L);
}
