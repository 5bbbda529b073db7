#include "ScriptTestArchive.h"
#include "core/metodi/ScriptError.h"

#include <gtest/gtest.h>

namespace {
using namespace scripttest;

// Limits small enough for a test: a stop comes in well under a second.
ScriptRunOptions tightLimits() {
    ScriptRunOptions options;
    options.limits.time = std::chrono::milliseconds(300);
    options.limits.memory = std::size_t{32} << 20;
    options.first = 1;
    options.last = 1;
    return options;
}

struct Hostile {
    const char* name;
    const char* body; // esamina's body, from line 2
    ScriptError::Kind kind;
    int line;
    const char* message;
};

const Hostile hostile[] = {
    {"an endless loop", "while true do end", ScriptError::Kind::Fermato, 2,
     "Il metodo è stato fermato alla riga 2: più di 0,3 secondi"},
    {"an endless loop that catches every error",
     "local n = 0\n  while true do pcall(function() while true do n = n + 1 end end) end", ScriptError::Kind::Fermato, 3,
     "Il metodo è stato fermato alla riga 3: più di 0,3 secondi"},
    {"an endless loop under xpcall", "xpcall(function()\n    while true do end\n  end, function(m) return m end)\n  while true do end",
     ScriptError::Kind::Fermato, 3, "Il metodo è stato fermato alla riga 3: più di 0,3 secondi"},
    {"a huge string.rep", "local s = string.rep('x', 1e9)", ScriptError::Kind::Fermato, 2,
     "Il metodo è stato fermato alla riga 2: più di 32 MiB di memoria"},
    {"a huge string.rep under pcall", "local ok = pcall(string.rep, 'x', 1e9)\n  print(ok)", ScriptError::Kind::Fermato,
     2, "Il metodo è stato fermato alla riga 2: più di 32 MiB di memoria"},
    {"a pattern that backtracks", "local s = string.rep('a', 4000)\n  local found = s:find('.-.-.-.-.-b')",
     ScriptError::Kind::Fermato, 3, "Il metodo è stato fermato alla riga 3: più di 0,3 secondi"},
    {"a backtracking gsub", "local s = string.rep('a', 4000)\n  local r = s:gsub('a*a*a*a*a*b', '')",
     ScriptError::Kind::Fermato, 3, "Il metodo è stato fermato alla riga 3: più di 0,3 secondi"},
    {"a backtracking gmatch", "local s = string.rep('a', 4000)\n  for x in s:gmatch('(a-)(a-)(a-)(a-)b') do end",
     ScriptError::Kind::Fermato, 3, "Il metodo è stato fermato alla riga 3: più di 0,3 secondi"},
    {"memory growth", "local t = {}\n  while true do t[#t + 1] = {} end", ScriptError::Kind::Fermato, 3,
     "Il metodo è stato fermato alla riga 3: più di 32 MiB di memoria"},
    {"memory growth under pcall",
     "t = {}\n  print(pcall(function() while true do t[#t + 1] = tostring(#t) end end))\n  while true do end",
     ScriptError::Kind::Fermato, 3, "Il metodo è stato fermato alla riga 3: più di 32 MiB di memoria"},
    {"os.execute", "os.execute('touch /tmp/x')", ScriptError::Kind::Esecuzione, 2,
     "Errore alla riga 2: attempt to index a nil value (global 'os')"},
    {"io.open", "local f = io.open('/etc/passwd')", ScriptError::Kind::Esecuzione, 2,
     "Errore alla riga 2: attempt to index a nil value (global 'io')"},
    {"require", "local os = require('os')", ScriptError::Kind::Esecuzione, 2,
     "Errore alla riga 2: attempt to call a nil value (global 'require')"},
    {"dofile", "dofile('/etc/passwd')", ScriptError::Kind::Esecuzione, 2,
     "Errore alla riga 2: attempt to call a nil value (global 'dofile')"},
    {"loadfile", "loadfile('/etc/passwd')", ScriptError::Kind::Esecuzione, 2,
     "Errore alla riga 2: attempt to call a nil value (global 'loadfile')"},
    {"load of bytecode", "local f, err = load('\\27LuaT\\0\\25\\147\\r\\n\\26\\n')\n  assert(f, err)",
     ScriptError::Kind::Esecuzione, 3, "Errore alla riga 3: attempt to load a binary chunk (mode is 't')"},
    {"load of bytecode asking for binary mode", "local f, err = load('\\27LuaT', 'x', 'b')\n  assert(f, err)",
     ScriptError::Kind::Esecuzione, 3, "Errore alla riga 3: attempt to load a binary chunk (mode is 't')"},
    {"string.dump", "string.dump(esamina)", ScriptError::Kind::Esecuzione, 2,
     "Errore alla riga 2: attempt to call a nil value (field 'dump')"},
    {"debug", "debug.sethook()", ScriptError::Kind::Esecuzione, 2,
     "Errore alla riga 2: attempt to index a nil value (global 'debug')"},
    {"package", "package.loadlib('x', 'y')", ScriptError::Kind::Esecuzione, 2,
     "Errore alla riga 2: attempt to index a nil value (global 'package')"},
    {"coroutine", "coroutine.wrap(print)", ScriptError::Kind::Esecuzione, 2,
     "Errore alla riga 2: attempt to index a nil value (global 'coroutine')"},
    {"reading draw e + 1", "local n = numeri(e + 1, 'BA')", ScriptError::Kind::Esecuzione, 2,
     "Errore alla riga 2: numeri: l'estrazione 2 viene dopo quella esaminata (1): un metodo non vede il futuro"},
};

TEST(Sandbox, HostileScriptsAreStoppedWithAnItalianMessageAtTheirLine) {
    // The program's own caps; the tests take smaller ones.
    EXPECT_EQ(ScriptLimits{}.time, std::chrono::seconds(10));
    EXPECT_EQ(ScriptLimits{}.memory, std::size_t{256} << 20);
    DrawArchive archive;
    handWorked(archive);
    for (const Hostile& h : hostile) {
        SCOPED_TRACE(h.name);
        const QString script = QStringLiteral("function esamina(e)\n  %1\nend\n").arg(QString::fromUtf8(h.body));
        try {
            ScriptRunOptions options = tightLimits();
            // A memory stop is not raced against the clock, however slow the build.
            if (h.kind == ScriptError::Kind::Fermato && QString::fromUtf8(h.message).endsWith(QLatin1String("memoria")))
                options.limits.time = std::chrono::seconds(60);
            runPrinting(script, archive, options);
            ADD_FAILURE() << "no error";
        } catch (const ScriptError& error) {
            EXPECT_EQ(error.kind(), h.kind);
            EXPECT_EQ(error.line(), h.line);
            EXPECT_EQ(error.message(), QString::fromUtf8(h.message));
        }
    }
}

TEST(Sandbox, PatternsStillMatchAsLuaMatchesThem) {
    DrawArchive archive;
    handWorked(archive);
    const Printed out = runPrinting(
        QStringLiteral("function esamina(e)\n"
                       "  print(('BA 12 45'):find('(%d+) (%d+)'))\n"
                       "  print(('ciao mondo'):match('^(%a+)%s*()'))\n"
                       "  local t = {} for k, v in ('a=1, b=22'):gmatch('(%w+)=(%w+)') do t[#t+1] = k .. v end\n"
                       "  print(table.concat(t, ';'))\n"
                       "  print(('hello world'):gsub('o', {o = '0'}))\n"
                       "  print(('abc'):gsub('%w', '%0%0'), ('x(y)z'):find('(', 1, true), ('THE (quick) fox'):find('%((%a+)%)'))\n"
                       "  print(('  trim  '):match('^%s*(.-)%s*$') .. '|', ('[[x]]'):match('%b[]'), ('THE END'):gsub('%f[%w]%w+', string.lower))\n"
                       "  print(pcall(string.find, 'x', '[a'))\n"
                       "end\n"),
        archive, {.first = 1, .last = 1});
    EXPECT_EQ(out.lines, (QStringList{
                             QStringLiteral("4\t8\t12\t45"),
                             QStringLiteral("ciao\t6"),
                             QStringLiteral("a1;b22"),
                             QStringLiteral("hell0 w0rld\t2"),
                             QStringLiteral("aabbcc\t2\t5\t11\tquick"),
                             QStringLiteral("trim|\t[[x]]\tthe end\t2"),
                             QStringLiteral("false\tmalformed pattern (missing ']')"),
                         }));
}

TEST(Sandbox, ARunIsRepeatableAndPrintGoesToTheSink) {
    DrawArchive archive;
    handWorked(archive);
    const QString script = QStringLiteral("function esamina(e)\n"
                                          "  if e == 2 then math.randomseed() end\n"
                                          "  print(math.random(1, 90), math.random(1, 90))\n"
                                          "end\n");
    const Printed first = runPrinting(script, archive, {.first = 1, .last = 3});
    const Printed second = runPrinting(script, archive, {.first = 1, .last = 3});
    ASSERT_EQ(first.lines.size(), 3);
    EXPECT_EQ(first.lines, second.lines);
    // math.randomseed() without a seed starts again from the run's own.
    EXPECT_EQ(first.lines[0], first.lines[1]);
    EXPECT_NE(first.lines[1], first.lines[2]);
    EXPECT_TRUE(first.result.giocate.empty());
}

TEST(Sandbox, ACancelledRunEndsWithoutGiocate) {
    DrawArchive archive;
    handWorked(archive);
    std::atomic<bool> cancel{false};
    ScriptRunOptions options;
    options.cancel = &cancel;
    options.progress = [&](int done, int) {
        if (done == 2)
            cancel = true;
    };
    const QString plays = QStringLiteral("function esamina(e) gioca{numeri = 5, sorte = 1, ruote = 'BA', colpi = 1} end");
    const ScriptResult stopped = runScript(plays, archive, options);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.giocate.empty());

    // A cancel also stops an esamina that never returns.
    cancel = true;
    options.progress = {};
    const ScriptResult endless = runScript(QStringLiteral("function esamina(e) while true do end end"), archive, options);
    EXPECT_TRUE(endless.cancelled);
}

} // namespace
