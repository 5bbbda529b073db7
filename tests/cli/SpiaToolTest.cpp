#include "ToolOnArchive.h"
#include "core/SpyTable.h"

#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace spiatool {

// veltrano-spia on 120 random draws, Cagliari missing from the first 30, and the same archive loaded here.
class SpiaTool : public ToolOnArchive {
protected:
    static void SetUpTestSuite() {
        writeRandomArchive(120, 21, QDate(2004, 3, 2), [](int draw, int wheel) { return wheel == 1 && draw < 30; });
    }
    static ToolRun run(const QStringList& args, bool withArchive = true) {
        return runTool("veltrano-spia", args, withArchive);
    }
    static QJsonObject json(const QStringList& args) { return toolJson("veltrano-spia", args); }
};

TEST_F(SpiaTool, RefusesBadCommandsWithTheirExitCode) {
    struct Bad {
        const char* name;
        QStringList args;
        const char* message;
    };
    const QStringList spy{"--spia", "5", "--ruota", "BA", "--colpi", "9"};
    const std::vector<Bad> cases{
        {"noSpy", {"--ruota", "BA", "--colpi", "9"}, "manca la spia"},
        {"both", spy + QStringList{"--tutte-le-spie"}, "--spia e --tutte-le-spie non vanno insieme"},
        {"spy0", {"--spia", "0", "--ruota", "BA", "--colpi", "9"}, "--spia vuole un numero da 1 a 90: \"0\""},
        {"spy91", {"--spia", "91", "--ruota", "BA", "--colpi", "9"}, "--spia vuole un numero da 1 a 90"},
        {"noWheel", {"--spia", "5", "--colpi", "9"}, "manca la ruota della spia"},
        {"wheel", {"--spia", "5", "--ruota", "XY", "--colpi", "9"}, "--ruota vuole una ruota (BA, CA"},
        {"followers", spy + QStringList{"--ruota-seguenti", "BA,CA"}, "--ruota-seguenti vuole una ruota"},
        {"noColpi", {"--spia", "5", "--ruota", "BA"}, "mancano i colpi"},
        {"colpi19", {"--spia", "5", "--ruota", "BA", "--colpi", "19"}, "--colpi vuole un numero da 1 a 18"},
        {"primi", spy + QStringList{"--primi", "x"}, "--primi vuole un numero da 0 a 1000000"},
        {"formato", spy + QStringList{"--formato", "xml"}, "--formato vuole tsv, csv o json"},
        {"emptyRange", spy + QStringList{"--dal", "2030-01-01"}, "nessuna estrazione nell'intervallo di date"},
        {"outside", spy + QStringList{"--inizio", "121"}, "--inizio 121 fuori dall'archivio"},
        {"repeated", spy + QStringList{"--colpi", "3"}, "--colpi indicata più volte"},
        {"unknown", spy + QStringList{"--soglia", "3"}, "Opzione sconosciuta: --soglia"},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun r = run(c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message), Qt::CaseInsensitive)) << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("Usare veltrano-spia --help per l'aiuto.\n")));
        EXPECT_TRUE(r.out.isEmpty());
    }
    const ToolRun missing = run(spy + QStringList{QStringLiteral("/nessuna/cartella/Dbarcomax.mdb")}, false);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Archivio illeggibile")));
    const ToolRun help = run({QStringLiteral("--help")}, false);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("ritardo_presenza")));
}

// The json holds the engine's figures for every follower, ranked by p, with the summary of the range.
TEST_F(SpiaTool, JsonHoldsTheEnginesTableRankedByP) {
    const QJsonObject doc = json({"--spia", "7", "--ruota", "RM", "--ruota-seguenti", "tu", "--colpi", "4",
                                  "--inizio", "10", "--primi", "0"});
    const SpyTable t = computeSpyTable(
        {.spia = 7, .ruota = 7, .ruotaSeguenti = TutteWheel, .colpi = 4, .first = 10, .last = 120}, *archive);
    const QJsonObject head = doc[QStringLiteral("riepilogo")].toObject();
    EXPECT_EQ(head[QStringLiteral("spia")].toInt(), 7);
    EXPECT_EQ(head[QStringLiteral("ruota")].toString(), QStringLiteral("RO"));
    EXPECT_EQ(head[QStringLiteral("ruota_seguenti")].toString(), QStringLiteral("TU"));
    EXPECT_EQ(head[QStringLiteral("eventi")].toInt(), t.eventi);
    EXPECT_EQ(head[QStringLiteral("eventi_completi")].toInt(), t.eventiCompleti);
    EXPECT_EQ(head[QStringLiteral("dal")].toString(), archive->drawDate(10));
    EXPECT_EQ(head[QStringLiteral("al")].toString(), archive->drawDate(120));

    const QJsonArray rows = doc[QStringLiteral("seguenti")].toArray();
    ASSERT_EQ(rows.size(), 90);
    double previous = 0.0;
    for (const QJsonValue& v : rows) {
        const QJsonObject row = v.toObject();
        const SpyFollower& f = t.seguenti.at(static_cast<std::size_t>(row[QStringLiteral("numero")].toInt() - 1));
        EXPECT_EQ(row[QStringLiteral("presenze")].toInt(), f.presenze);
        EXPECT_EQ(row[QStringLiteral("uscite")].toInt(), f.uscite);
        EXPECT_EQ(row[QStringLiteral("p")].toDouble(), f.p);
        EXPECT_EQ(row[QStringLiteral("p_holm")].toDouble(), f.pHolm);
        EXPECT_EQ(row[QStringLiteral("attese")].toDouble(), f.attese);
        EXPECT_EQ(row[QStringLiteral("ritardo_presenza")].toInt(), f.ritardoPresenza);
        if (f.ultimaPresenza > 0)
            EXPECT_EQ(row[QStringLiteral("ultima_presenza")].toString(), archive->drawDate(f.ultimaPresenza));
        else
            EXPECT_TRUE(row[QStringLiteral("ultima_presenza")].isNull());
        EXPECT_GE(f.p, previous);
        previous = f.p;
    }
}

// Every spy against every follower: 8,100 rows, summary sums over the spies, figures always reals.
TEST_F(SpiaTool, WholeMapAndItsFormats) {
    const ToolRun r = run({"--tutte-le-spie", "--ruota", "BA", "--colpi", "2", "--primi", "0", "--formato", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("\"spia\": null")));
    EXPECT_FALSE(r.out.contains(QStringLiteral("\"p_holm\": 1,")));
    const QJsonObject doc = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(doc[QStringLiteral("seguenti")].toArray().size(), 8100);
    long long eventi = 0;
    for (const SpyTable& t : computeSpyMap({.ruota = 0, .ruotaSeguenti = 0, .colpi = 2}, *archive))
        eventi += t.eventi;
    EXPECT_EQ(doc[QStringLiteral("riepilogo")].toObject()[QStringLiteral("eventi")].toInteger(), eventi);

    const ToolRun tsv = run({"--spia", "3", "--ruota", "CA", "--colpi", "2", "--primi", "5"});
    const QStringList lines = tsv.out.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(0), QStringLiteral("spia\t3"));
    EXPECT_EQ(lines.value(8), QString());
    EXPECT_EQ(lines.value(9), QStringLiteral("spia\tnumero\tpresenze\tattese\tdeviazione\tz\tp\tp_holm\tuscite\t"
                                             "ultima_presenza\tritardo_presenza"));
    EXPECT_EQ(lines.size(), 9 + 1 + 5 + 1);
    const ToolRun csv = run({"--spia", "3", "--ruota", "CA", "--colpi", "2", "--primi", "5", "--formato", "csv"});
    EXPECT_TRUE(csv.out.startsWith(QStringLiteral("spia,3\nruota,CA\n")));
}

} // namespace spiatool
