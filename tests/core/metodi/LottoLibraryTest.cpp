#include "ScriptTestArchive.h"
#include "core/metodi/ScriptError.h"

#include <gtest/gtest.h>

namespace {
using namespace scripttest;

struct Reading {
    int e;              // the draw esamina reads at
    const char* expr;   // printed with print(...)
    const char* result; // what it prints
};

// Every read of the library on the hand-worked archive, including the examples of the language's help.
const Reading readings[] = {
    // The archive
    {1, "estrazioni()", "6"},
    {2, "data(e)", "2020-02-01"},
    {6, "data(e)", "2021-03-01"},
    {2, "anno(e), mese(e), giorno(e)", "2020\t2\t1"},
    {2, "giorno_settimana(e)", "6"},
    {6, "giorno_settimana(e)", "1"},
    {4, "giorno_settimana(e)", "2"},
    {6, "indice_nel_mese(1), indice_nel_mese(2), indice_nel_mese(3), indice_nel_mese(4), indice_nel_mese(5), "
        "indice_nel_mese(6)",
     "1\t1\t2\t3\t4\t1"},
    {3, "estratta(e, 'BA'), estratta(e, 'CA'), estratta(e, 'TU'), estratta(e, 'nz')", "false\ttrue\ttrue\tfalse"},
    {4, "estratta(e, 'NZ'), estratta(e, 'GE'), estratta(1, 'tu'), estratta(2, 'RM')", "true\tfalse\ttrue\ttrue"},
    {4, "estratto(e, 'CA', 1), estratto(e, 'CA', 2), estratto(e, 'CA', 3)", "0\t0\t3"},
    {2, "estratto(e, 'RM', 1), estratto(e, 'ro', 5), estratto(2.0, 'Ro', 3.0)", "90\t2\t45"},
    {4, "table.concat(numeri(e, 'CA'), ' ')", "0 0 3 20 33"},
    {3, "table.concat(numeri(e, 'BA'), ' ')", "0 0 0 0 0"},
    {2, "posizione(e, 'RO', 45), posizione(e, 'RO', 3), posizione(e, 'RO', 90)", "3\t0\t1"},
    {1, "table.concat(ruote(), ' ')", "BA CA FI GE MI NA PA RO TO VE NZ"},
    // Statistics: delays count the draws where the wheel was drawn, from the archive's first draw
    {5, "ritardo(e, 'BA', 1), ritardo(4, 'BA', 1), ritardo(3, 'BA', 1)", "1\t0\t1"},
    {5, "ritardo(e, 'BA', 90)", "4"},
    {5, "ritardo(e, 'TU', 90)", "3"},
    {4, "ritardo(e, 'TU', {1, 2}, 'ambo')", "2"}, // out on Roma in draw 2; Nazionale is not one of the ten
    {4, "ritardo(e, 'NZ', {1, 2}), ritardo(3, 'NZ', {1, 2})", "0\t0"},
    {4, "ritardo(e, 'CA', {1, 2}, 'estratto'), ritardo(e, 'CA', {1, 2}), ritardo(e, 'CA', {2, 1}, 2)", "1\t4\t4"},
    {4, "ritardo(e, 'CA', 3, 1), ritardo(e, 'CA', {20, 3}, 'AMBO')", "0\t0"},
    {5, "frequenza(e, 'BA', 1), frequenza(e, 'BA', 1, nil, 2), frequenza(e, 'BA', 1, 1, 5)", "2\t1\t0"},
    {5, "frequenza(e, 'TU', {1, 2}, 'ambo')", "3"},
    {5, "frequenza(e, 'CA', {1, 2, 3}, 2), frequenza(e, 'CA', {1, 2, 3}), frequenza(e, 'CA', {1, 2, 3}, 'estratto')",
     "2\t0\t4"},
    {2, "(function() local n, d = piu_ritardati(e, 'RO', 3) return table.concat(n, ' ') .. '|' .. "
        "table.concat(d, ' ') end)()",
     "3 4 5|1 1 1"},
    {5, "(function() local n, d = piu_ritardati(e, 'BA', 2) return table.concat(n, ' ') .. '|' .. "
        "table.concat(d, ' ') end)()",
     "11 12|4 4"},
    {5, "(function() local n, d = piu_ritardati(e, 'BA', 90) return table.concat(n, ' ', 73) .. '|' .. "
        "table.concat(d, ' ', 73) end)()",
     "2 3 4 5 7 8 9 10 1 6 60 61 62 70 71 72 73 74|3 3 3 3 2 2 2 2 1 1 1 1 1 0 0 0 0 0"},
    // A look back at an earlier draw after a later one
    {5, "(function() piu_ritardati(e, 'BA', 1) local n, d = piu_ritardati(4, 'BA', 90) return "
        "table.concat(n, ' ', 78) .. '|' .. table.concat(d, ' ', 78) end)()",
     "2 3 4 5 7 8 9 10 1 6 60 61 62|2 2 2 2 1 1 1 1 0 0 0 0 0"},
    {5, "(function() local n, d = piu_ritardati(e, 'TU', 1) return n[1], d[1] end)()", "15\t5"},
    // Numbers
    {1, "fuori90(0), fuori90(91), fuori90(-5), fuori90(180), fuori90(3.0), fuori90(-90)", "90\t1\t85\t90\t3\t90"},
    {1, "diametrale(1), diametrale(45), diametrale(46), diametrale(90)", "46\t90\t1\t45"},
    {1, "vertibile(12), vertibile(5), vertibile(50), vertibile(90), vertibile(9), vertibile(33), vertibile(19), "
        "vertibile(89)",
     "21\t50\t5\t9\t90\t33\t1\t8"},
    {1, "figura(90), figura(19), figura(45), figura(10), figura(1)", "9\t1\t9\t1\t1"},
    {1, "cadenza(90), cadenza(37), cadenza(1)", "0\t7\t1"},
    {1, "decina(1), decina(10), decina(11), decina(81), decina(90)", "1\t1\t2\t9\t9"},
    {1, "distanza(1, 90), distanza(10, 55), distanza(80, 10), distanza(5, 5), distanza(3, 47)",
     "1\t45\t20\t0\t44"},
};

TEST(LottoLibrary, EachFunctionReadsTheHandWorkedArchive) {
    DrawArchive archive;
    handWorked(archive);
    for (const Reading& r : readings) {
        SCOPED_TRACE(r.expr);
        const QString script = QStringLiteral("function esamina(e)\n  if e == %1 then print(%2) end\nend\n")
                                   .arg(r.e)
                                   .arg(QString::fromUtf8(r.expr));
        try {
            const Printed out = runPrinting(script, archive);
            EXPECT_EQ(out.lines, QStringList{QString::fromUtf8(r.result)});
        } catch (const ScriptError& error) {
            ADD_FAILURE() << error.message().toStdString();
        }
    }
}

struct Misuse {
    const char* body; // inside esamina at line 2, or the whole script when it has no esamina line
    const char* message;
    int line;
};

// Misuses and what the player reads: the Italian message at the script's line.
const Misuse misuses[] = {
    {"gioca{numeri = 91, sorte = 1, ruote = 'BA', colpi = 9}", "gioca: il numero 91 non è fra 1 e 90", 2},
    {"gioca{numeri = {5, 7, 5}, sorte = 1, ruote = 'BA', colpi = 9}", "gioca: il numero 5 è ripetuto", 2},
    {"gioca{numeri = {5, 7}, sorte = 'terno', ruote = 'BA', colpi = 9}",
     "gioca: la sorte terno vuole almeno 3 numeri, qui ce ne sono 2", 2},
    {"gioca{numeri = 5, sorte = 1, ruote = 'XX', colpi = 9}", "gioca: ruota sconosciuta \"XX\"", 2},
    {"gioca{numeri = 5, sorte = 1, ruote = 'BA', colpi = 0}", "gioca: colpi 0 non è fra 1 e 99", 2},
    {"gioca{numeri = 5, sorte = 1, ruote = 'BA', colpi = 100}", "gioca: colpi 100 non è fra 1 e 99", 2},
    {"gioca{numeri = 5, sorte = 1, ruote = 'BA', colpi = 9.5}", "gioca: colpi deve essere un numero intero, non 9.5",
     2},
    {"gioca{numeri = '5', sorte = 1, ruote = 'BA', colpi = 9}",
     "gioca: il numero deve essere un numero intero, non il testo \"5\"", 2},
    {"gioca{numeri = 5, sorte = 1, ruote = {'BA', 'TU'}, colpi = 9}", "gioca: TU non si mescola con altre ruote", 2},
    {"gioca{numeri = 5, sorte = 1, ruote = {}, colpi = 9}", "gioca: una puntata senza ruote", 2},
    {"gioca{numeri = {}, sorte = 1, ruote = 'BA', colpi = 9}", "gioca: nessun numero", 2},
    {"gioca{numeri = {1,2,3,4,5,6,7,8,9,10,11}, sorte = 1, ruote = 'BA', colpi = 9}", "gioca: più di 10 numeri", 2},
    {"gioca{numeri = 5, sorte = 1, ruote = 'BA'}", "gioca: mancano i colpi", 2},
    {"gioca{colpi = 3}", "gioca: nessuna puntata", 2},
    {"gioca{numeri = 5, sorte = 1, ruote = 'BA', colpi = 9, ruota = 'CA'}", "gioca: chiave sconosciuta \"ruota\"", 2},
    {"gioca{colpi = 3, numeri = 5, {numeri = 5, sorte = 1, ruote = 'BA'}}",
     "gioca: o le puntate in elenco o numeri, sorte e ruote: non tutte e due", 2},
    {"gioca{colpi = 3, {numeri = 5, sorte = 1, ruote = 'BA', posta = '1'}}",
     "gioca: la posta deve essere un numero, non il testo \"1\"", 2},
    {"gioca{colpi = 3, {numeri = 5, sorte = 1, ruote = 'BA', posta = -1}}", "gioca: la posta -1 non è un numero da 0 in su",
     2},
    {"gioca{colpi = 3, {numeri = 5, sorte = 'sestina', ruote = 'BA'}}", "gioca: sorte sconosciuta \"sestina\"", 2},
    {"gioca{colpi = 3, {numeri = 5, ruote = 'BA'}}", "gioca: una puntata senza sorte", 2},
    {"gioca{colpi = 3, {numeri = 5, sorte = 6, ruote = 'BA'}}", "gioca: la sorte 6 non è fra 1 e 5", 2},
    {"local n = estratto(e + 1, 'BA', 1)",
     "estratto: l'estrazione 2 viene dopo quella esaminata (1): un metodo non vede il futuro", 2},
    {"local n = ritardo(e + 1, 'BA', 5)",
     "ritardo: l'estrazione 2 viene dopo quella esaminata (1): un metodo non vede il futuro", 2},
    {"local n = estratto(0, 'BA', 1)", "estratto: l'estrazione 0 non c'è: la prima è la 1", 2},
    {"local n = estratto(e, 'TU', 1)", "estratto: vuole una ruota sola, non TU", 2},
    {"local n = numeri(e, 'tu')", "numeri: vuole una ruota sola, non TU", 2},
    {"local n = posizione(e, 'TU', 5)", "posizione: vuole una ruota sola, non TU", 2},
    {"local n = posizione(e, 'BA', 91)", "posizione: il numero 91 non è fra 1 e 90", 2},
    {"local n = estratto(e, 'BA', 6)", "estratto: la posizione 6 non è fra 1 e 5", 2},
    {"local n = ritardo(e, 'BA', {5, 5})", "ritardo: il numero 5 è ripetuto", 2},
    {"local n = ritardo(e, 'BA', {5, 6}, 'terno')", "ritardo: la sorte terno vuole almeno 3 numeri, qui ce ne sono 2", 2},
    {"local n = frequenza(e, 'BA', 5, 1, 0)", "frequenza: dal 0 non è fra 1 e 1", 2},
    {"local n = frequenza(e, 'BA', 5, 1, 2)", "frequenza: dal 2 non è fra 1 e 1", 2},
    {"local n = piu_ritardati(e, 'BA', 91)", "piu_ritardati: quanti 91 non è fra 1 e 90", 2},
    {"local n = diametrale(0)", "diametrale: il numero 0 non è fra 1 e 90", 2},
    {"local n = vertibile(91)", "vertibile: il numero 91 non è fra 1 e 90", 2},
    {"local n = figura('5')", "figura: il numero deve essere un numero intero, non il testo \"5\"", 2},
    {"local n = fuori90(2.5)", "fuori90: il numero deve essere un numero intero, non 2.5", 2},
    {"local n = parametro('x', 1)", "parametro: i parametri si dichiarano fuori da esamina(e)", 2},
    {"nota({})", "nota: vuole un testo o un numero, non una tabella", 2},
    {"local x = nil\n  return x.y", "attempt to index a nil value (local 'x')", 3},
    {"error('mio errore')", "mio errore", 2},
    // The top level reads no draw and plays nothing
    {"local n = numeri(1, 'BA')\nfunction esamina(e) end", "numeri: le estrazioni si leggono solo dentro esamina(e)", 1},
    {"\ngioca{numeri = 5, sorte = 1, ruote = 'BA', colpi = 9}\nfunction esamina(e) end",
     "gioca: si gioca solo dentro esamina(e)", 2},
    {"local x = in_gioco()\nfunction esamina(e) end", "in_gioco: si chiede solo dentro esamina(e)", 1},
    {"local a = parametro('soglia', 5)\nlocal b = parametro('soglia', 6)\nfunction esamina(e) end",
     "parametro: il parametro \"soglia\" è già dichiarato alla riga 1", 2},
    {"local a = parametro('1x', 5)\nfunction esamina(e) end",
     "parametro: il nome \"1x\" deve cominciare con una lettera e avere solo lettere, cifre e _", 1},
    {"local a = parametro('x', {})\nfunction esamina(e) end",
     "parametro: il valore predefinito deve essere un numero o un testo, non una tabella", 1},
    {"local a = parametro('x', 5, {1, 'due'})\nfunction esamina(e) end",
     "parametro: i valori di \"x\" devono essere dello stesso tipo del predefinito", 1},
};

TEST(LottoLibrary, MisusesStopTheRunWithAnItalianMessageAtTheirLine) {
    DrawArchive archive;
    handWorked(archive);
    for (const Misuse& m : misuses) {
        SCOPED_TRACE(m.body);
        const QString body = QString::fromUtf8(m.body);
        const QString script = body.contains(QLatin1String("function esamina"))
                                   ? body
                                   : QStringLiteral("function esamina(e)\n  %1\nend\n").arg(body);
        try {
            runScript(script, archive, {});
            ADD_FAILURE() << "no error";
        } catch (const ScriptError& error) {
            EXPECT_EQ(error.kind(), ScriptError::Kind::Esecuzione);
            EXPECT_EQ(error.line(), m.line);
            EXPECT_EQ(error.message(), QStringLiteral("Errore alla riga %1: %2").arg(m.line).arg(QString::fromUtf8(m.message)));
        }
    }
}

TEST(LottoLibrary, ScriptsThatCannotRunSayWhy) {
    DrawArchive archive;
    handWorked(archive);
    const struct {
        const char* script;
        ScriptError::Kind kind;
        int line;
        const char* message;
    } cases[] = {
        {"function esamina(e)\n  if e then\nend\n", ScriptError::Kind::Sintassi, 4,
         "Errore di sintassi alla riga 4: 'end' expected (to close 'function' at line 1) near <eof>"},
        {"local x = = 1\n", ScriptError::Kind::Sintassi, 1,
         "Errore di sintassi alla riga 1: unexpected symbol near '='"},
        {"local soglia = 5\n", ScriptError::Kind::Esecuzione, 0, "Il metodo non ha la funzione esamina(e)"},
        {"esamina = 5\n", ScriptError::Kind::Esecuzione, 0, "Il metodo non ha la funzione esamina(e)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        try {
            runScript(QString::fromUtf8(c.script), archive, {});
            ADD_FAILURE() << "no error";
        } catch (const ScriptError& error) {
            EXPECT_EQ(error.kind(), c.kind);
            EXPECT_EQ(error.line(), c.line);
            EXPECT_EQ(error.message(), QString::fromUtf8(c.message));
        }
    }
}

TEST(LottoLibrary, LibraryErrorsCanBeCaught) {
    DrawArchive archive;
    handWorked(archive);
    const Printed out = runPrinting(QStringLiteral("function esamina(e)\n"
                                                   "  local ok, err = pcall(gioca, {colpi = 3})\n"
                                                   "  print(ok, err)\n"
                                                   "  print(pcall(function() return estratto(e + 1, 'BA', 1) end))\n"
                                                   "end\n"),
                                    archive, {.first = 1, .last = 1});
    EXPECT_EQ(out.lines, (QStringList{QStringLiteral("false\tgioca: nessuna puntata"),
                                      QStringLiteral("false\tmetodo:4: estratto: l'estrazione 2 viene dopo quella "
                                                     "esaminata (1): un metodo non vede il futuro")}));
}

TEST(LottoLibrary, GiocateComeMostRecentFirstInTheOrderPlayedWithTheirBetsAndNotes) {
    DrawArchive archive;
    handWorked(archive);
    const ScriptResult r = runScript(
        QStringLiteral("function esamina(e)\n"
                       "  if e == 2 then\n"
                       "    nota('prima')\n"
                       "    nota(7.5)\n"
                       "    gioca{numeri = {40, 3.0}, sorte = 'AMBO', ruote = {'rm', 'ba', 'RO'}, colpi = 4}\n"
                       "    gioca{colpi = 99, {numeri = 8, sorte = 1, ruote = 'tu', posta = 0},\n"
                       "          {numeri = {1, 2, 3}, sorte = 'terno', ruote = 'NZ', posta = 2.5}}\n"
                       "  elseif e == 4 then\n"
                       "    nota('ultima')\n"
                       "    gioca{numeri = 90, sorte = 'Estratto', ruote = 'CA', colpi = 1}\n"
                       "  end\n"
                       "end\n"),
        archive, {});
    const WheelMask ba = 1u << BA;
    const WheelMask ro = 1u << RO;
    const std::vector<Giocata> expected{
        {4, 1, {{{90}, Puntata::Sorte::Estratto, static_cast<WheelMask>(1u << CA), false, 1.0}}, QStringLiteral("ultima")},
        {2, 4, {{{40, 3}, Puntata::Sorte::Ambo, static_cast<WheelMask>(ba | ro), false, 1.0}}, QStringLiteral("7.5")},
        {2,
         99,
         {{{8}, Puntata::Sorte::Estratto, 0, true, 0.0}, {{1, 2, 3}, Puntata::Sorte::Terno, static_cast<WheelMask>(1u << NZ), false, 2.5}},
         std::nullopt},
    };
    EXPECT_EQ(r.giocate, expected);
}

TEST(LottoLibrary, InGiocoFollowsTheGiocateOfTheRunUpToTheirLastPlayedDraw) {
    DrawArchive archive;
    handWorked(archive);
    // 6 on Bari wins in draw 2: the giocata opened after draw 1 plays in 1 and 2. 80 never comes out:
    // the TU giocata opened after draw 3 plays in 3, 4 and 5 (e0 + colpi), on each of the ten.
    const Printed out = runPrinting(
        QStringLiteral("function esamina(e)\n"
                       "  if e == 1 then gioca{numeri = 6, sorte = 1, ruote = 'BA', colpi = 3} end\n"
                       "  if e == 3 then gioca{numeri = 80, sorte = 1, ruote = 'TU', colpi = 2} end\n"
                       "  print(e, in_gioco(), in_gioco('BA'), in_gioco('CA'), in_gioco('GE'), in_gioco('NZ'), "
                       "in_gioco('TU'))\n"
                       "end\n"),
        archive);
    EXPECT_EQ(out.lines, (QStringList{
                             QStringLiteral("1\ttrue\ttrue\tfalse\tfalse\tfalse\ttrue"),
                             QStringLiteral("2\ttrue\ttrue\tfalse\tfalse\tfalse\ttrue"),
                             QStringLiteral("3\ttrue\ttrue\ttrue\ttrue\tfalse\ttrue"),
                             QStringLiteral("4\ttrue\ttrue\ttrue\ttrue\tfalse\ttrue"),
                             QStringLiteral("5\ttrue\ttrue\ttrue\ttrue\tfalse\ttrue"),
                             QStringLiteral("6\tfalse\tfalse\tfalse\tfalse\tfalse\tfalse"),
                         }));
}

TEST(LottoLibrary, InGiocoCountsAGiocataThatTheArchiveEndsFirst) {
    DrawArchive archive;
    handWorked(archive);
    const Printed out = runPrinting(
        QStringLiteral("function esamina(e)\n"
                       "  if e == 5 then gioca{numeri = 80, sorte = 1, ruote = 'NZ', colpi = 9} end\n"
                       "  print(e, in_gioco('NZ'), in_gioco('BA'))\n"
                       "end\n"),
        archive, {.first = 4});
    EXPECT_EQ(out.lines, (QStringList{QStringLiteral("4\tfalse\tfalse"), QStringLiteral("5\ttrue\tfalse"),
                                      QStringLiteral("6\ttrue\tfalse")}));
}

TEST(LottoLibrary, ParametersTakeThePlayersValuesInTheTypeOfTheirDefault) {
    DrawArchive archive;
    handWorked(archive);
    const QString script = QStringLiteral("local soglia = parametro('soglia', 100, {18, 36})\n"
                                          "local ruota = parametro('ruota', 'BA')\n"
                                          "local quota = parametro('quota', 0.5)\n"
                                          "print(math.type(soglia), soglia, ruota, quota)\n"
                                          "function esamina(e) end\n");
    const struct {
        std::map<QString, ScriptValue> values;
        const char* printed;
    } cases[] = {
        {{}, "integer\t100\tBA\t0.5"},
        {{{QStringLiteral("soglia"), QStringLiteral("36")}, {QStringLiteral("ruota"), QStringLiteral("NA")}},
         "integer\t36\tNA\t0.5"},
        {{{QStringLiteral("soglia"), 18.0}, {QStringLiteral("quota"), QStringLiteral("2.25")}}, "integer\t18\tBA\t2.25"},
        {{{QStringLiteral("ruota"), 7.0}}, "integer\t100\t7\t0.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.printed);
        ScriptRunOptions options;
        options.parametri = c.values;
        const Printed out = runPrinting(script, archive, options);
        EXPECT_EQ(out.lines, QStringList{QString::fromUtf8(c.printed)});
    }
    const std::vector<ScriptParameter> declared = scriptParameters(script, archive);
    const std::vector<ScriptParameter> expected{
        {QStringLiteral("soglia"), 100.0, {18.0, 36.0}, 1},
        {QStringLiteral("ruota"), QStringLiteral("BA"), {}, 2},
        {QStringLiteral("quota"), 0.5, {}, 3},
    };
    EXPECT_EQ(declared, expected);

    const struct {
        std::map<QString, ScriptValue> values;
        const char* message;
    } bad[] = {
        {{{QStringLiteral("soglie"), 5.0}}, "Il metodo non ha il parametro \"soglie\""},
        {{{QStringLiteral("soglia"), QStringLiteral("cento")}}, "Il parametro \"soglia\" vuole un numero, non \"cento\""},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.message);
        ScriptRunOptions options;
        options.parametri = b.values;
        try {
            runPrinting(script, archive, options);
            ADD_FAILURE() << "no error";
        } catch (const ScriptError& error) {
            EXPECT_EQ(error.kind(), ScriptError::Kind::Parametro);
            EXPECT_EQ(error.message(), QString::fromUtf8(b.message));
        }
    }
}

TEST(LottoLibrary, ARunExaminesTheRangeOldestFirstAndReportsItsProgress) {
    DrawArchive archive;
    handWorked(archive);
    std::vector<std::pair<int, int>> progress;
    ScriptRunOptions options;
    options.first = 2;
    options.last = 4;
    options.progress = [&](int done, int total) { progress.emplace_back(done, total); };
    const Printed out = runPrinting(QStringLiteral("function esamina(e) print(e) end"), archive, options);
    EXPECT_EQ(out.lines, (QStringList{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
}

} // namespace
