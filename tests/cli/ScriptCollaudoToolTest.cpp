#include "ToolOnArchive.h"
#include "core/Collaudo.h"
#include "core/Giocata.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace scriptcollaudotool {

// The player's method of these tests: estratto 7 on Bari after every tenth draw, for `colpi` colpi, with
// a note; and the same giocate made here by hand.
const char* const Method = R"(
local colpi = parametro("colpi", 3, {1, 2, 3, 4})
function esamina(e)
  if e % 10 == 0 then
    nota("decima " .. e)
    gioca{numeri = {7}, sorte = "estratto", ruote = "BA", colpi = colpi}
  end
end
)";

std::vector<Giocata> byHand(int draws, int colpi) {
    std::vector<Giocata> giocate;
    for (int e = draws - draws % 10; e >= 10; e -= 10)
        giocate.push_back({e, colpi, {Puntata{{7}, Puntata::Sorte::Estratto, 1u << 0, false, 1.0}}, {}});
    return giocate;
}

class ScriptCollaudoTool : public ToolOnArchive {
protected:
    static void SetUpTestSuite() {
        writeRandomArchive(150, 33, QDate(2010, 1, 5), [](int, int) { return false; });
        scripts = std::make_unique<QTemporaryDir>();
        write(QStringLiteral("metodo.lua"), Method);
        write(QStringLiteral("sintassi.lua"), "function esamina(e)\n  if e then\nend\n");
        write(QStringLiteral("futuro.lua"), "function esamina(e)\n  local x = estratto(e + 1, 'BA', 1)\nend\n");
    }
    static void write(const QString& name, const char* text) {
        QFile f(scripts->filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    static QString script(const char* name) { return scripts->filePath(QLatin1String(name)); }
    static inline std::unique_ptr<QTemporaryDir> scripts;
};

// The method's back-test is the engine's over the same giocate, and its cases carry their bets and note.
TEST_F(ScriptCollaudoTool, BackTestIsTheEnginesOverItsGiocate) {
    const QJsonObject doc = toolJson("veltrano-collaudo", {"--script", script("metodo.lua"), "--parametro", "colpi=2",
                                                            "--elenco"});
    const CollaudoResult expected = runGiocate(byHand(150, 2), *archive);
    const QJsonObject summary = doc[QStringLiteral("riepilogo")].toObject();
    EXPECT_EQ(summary[QStringLiteral("casi")].toInt(), expected.riepilogo.casi);
    EXPECT_EQ(summary[QStringLiteral("positivi_completi")].toInt(), expected.riepilogo.positiviCompleti);
    EXPECT_DOUBLE_EQ(summary[QStringLiteral("attesi")].toDouble(), expected.riepilogo.attesi);
    EXPECT_DOUBLE_EQ(summary[QStringLiteral("p")].toDouble(), expected.riepilogo.p);
    EXPECT_DOUBLE_EQ(summary[QStringLiteral("saldo")].toDouble(), expected.riepilogo.saldo);
    EXPECT_EQ(doc[QStringLiteral("colpi")].toArray().size(), 2);
    const QJsonArray casi = doc[QStringLiteral("casi")].toArray();
    ASSERT_EQ(casi.size(), 15);
    const QJsonObject first = casi[0].toObject();
    EXPECT_EQ(first[QStringLiteral("estrazione")].toInt(), 150);
    EXPECT_EQ(first[QStringLiteral("nota")].toString(), QStringLiteral("decima 150"));
    const QJsonObject bet = first[QStringLiteral("puntate")].toArray()[0].toObject();
    EXPECT_EQ(bet[QStringLiteral("numeri")].toArray(), QJsonArray{7});
    EXPECT_EQ(bet[QStringLiteral("sorte")].toString(), QStringLiteral("estratto"));
    EXPECT_EQ(bet[QStringLiteral("ruote")].toArray(), QJsonArray{QStringLiteral("BA")});
    EXPECT_EQ(bet[QStringLiteral("posta")].toDouble(), 1.0);
}

// ESPLORA tries the four values of colpi; each row's figures are that value's own back-test.
TEST_F(ScriptCollaudoTool, SweepTriesEveryListedValue) {
    const QJsonObject doc = toolJson("veltrano-collaudo", {"--script", script("metodo.lua"), "--esplora", "--primi", "0"});
    const QJsonArray rows = doc[QStringLiteral("combinazioni")].toArray();
    ASSERT_EQ(rows.size(), 4);
    for (const QJsonValue& v : rows) {
        const QJsonObject row = v.toObject();
        const int colpi = row[QStringLiteral("parametri")].toObject()[QStringLiteral("colpi")].toString().toInt();
        const CollaudoResult own = runGiocate(byHand(150, colpi), *archive);
        EXPECT_EQ(row[QStringLiteral("positivi")].toInt(), own.riepilogo.positiviCompleti) << colpi;
        EXPECT_DOUBLE_EQ(row[QStringLiteral("p")].toDouble(), own.riepilogo.p) << colpi;
        EXPECT_GE(row[QStringLiteral("p_holm")].toDouble(), row[QStringLiteral("p")].toDouble());
    }
}

TEST_F(ScriptCollaudoTool, RefusesBadParametersAndReportsScriptErrors) {
    struct Bad {
        const char* name;
        QStringList args;
        int exitCode;
        const char* message;
    };
    const QString m = script("metodo.lua");
    const std::vector<Bad> cases{
        {"undeclared", {"--script", m, "--parametro", "soglia=3"}, 2, "il metodo non dichiara \"soglia\" (dichiara: colpi)"},
        {"notANumber", {"--script", m, "--parametro", "colpi=tre"}, 2, "--parametro colpi vuole un numero: \"tre\""},
        {"noEquals", {"--script", m, "--parametro", "colpi"}, 2, "--parametro vuole nome=valore"},
        {"builtIn", {"--script", m, "--tipi", "diametrali"}, 2, "--tipi non vale con --script"},
        {"stakes", {"--script", m, "--poste", "ambata=2"}, 2, "--poste non vale con --script"},
        {"syntax", {"--script", script("sintassi.lua")}, 1, "riga"},
        {"future", {"--script", script("futuro.lua")}, 1, "riga 2"},
        {"missing", {"--script", script("nessuno.lua")}, 1, "Impossibile leggere il metodo"},
        {"listAndSweep", {"--script", m, "--esplora", "--elenco"}, 2, "--elenco non vale con --esplora"},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun r = runTool("veltrano-collaudo", c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

} // namespace scriptcollaudotool
