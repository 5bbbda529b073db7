#pragma once

#include "core/metodi/ScriptRun.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>

struct lua_State;
struct lua_Debug;

// One Lua state that runs a player's method and nothing else: Lua's base library without dofile, loadfile
// or binary chunks, and string, table, math and utf8; no io, os, package, debug or coroutine. print writes
// to the caller's sink; math.random starts from the same seed on every run.
//
// The script's own wall time and its heap are capped. A count hook checks the clock; the allocator
// refuses memory past the cap. Either stop cannot be caught: pcall and xpcall raise it again, and the hook
// raises it again at its next check, so the run ends with the stop's message whatever the script does.
// The pattern functions of the string library check the clock while they match (LuaPatterns.h).
class LuaSandbox {
public:
    LuaSandbox(const ScriptLimits& limits, std::function<void(const QString&)> print,
               const std::atomic<bool>* cancel);
    ~LuaSandbox();
    LuaSandbox(const LuaSandbox&) = delete;
    LuaSandbox& operator=(const LuaSandbox&) = delete;

    lua_State* state() const { return m_state; }

    // Compiles the script and pushes it as a function; a syntax error throws ScriptError.
    void load(const QString& source);
    // Calls the function under its nargs arguments, dropping its results; throws ScriptError for an error
    // or a stop. Returns false, with nothing thrown, when the run was cancelled.
    bool call(int nargs);

    // Raises the stop if one was called for (time, memory, cancel); for code that runs long outside Lua's
    // instructions, such as a pattern match.
    void checkLimits(lua_State* L);

    // The sandbox a function of this state runs in.
    static LuaSandbox& of(lua_State* L);

private:
    enum class Stop { None, Time, Memory, Cancel };

    static void* allocate(void* ud, void* block, std::size_t oldSize, std::size_t newSize);
    static void countHook(lua_State* L, lua_Debug* ar);
    static int messageHandler(lua_State* L);
    static int safePcall(lua_State* L);
    static int safeXpcall(lua_State* L);
    static int print(lua_State* L);
    static int textLoad(lua_State* L);
    static int fixedRandomseed(lua_State* L);

    void openLibraries();
    [[noreturn]] void raiseStop(lua_State* L);
    void callFor(Stop why, int line);
    QString stopMessage() const;
    bool overTime() const;
    // The line of the innermost Lua function running, 0 when none is.
    static int currentLine(lua_State* L, int fromLevel);

    ScriptLimits m_limits;
    std::function<void(const QString&)> m_print;
    const std::atomic<bool>* m_cancel;
    lua_State* m_state = nullptr;
    std::size_t m_used = 0;
    bool m_inCall = false;
    std::chrono::steady_clock::duration m_elapsed{};
    std::chrono::steady_clock::time_point m_callStart;
    Stop m_stop = Stop::None;
    int m_stopLine = 0;
    int m_memoryLine = 0; // where the last refused allocation happened
    int m_errorLine = 0;  // where the error the message handler saw was raised
};
