#include "ArchiveFixtures.h"
#include "ToolOnArchive.h"
#include "core/DelayStatistics.h"
#include "core/DrawArchive.h"
#include "io/ArchiveLoader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <random>

namespace statistichetool {

// veltrano-statistiche on an archive of 60 random draws: Nazionale missing from the first 20, Bari from
// draw 30, and the same archive loaded here to compare with the engine.
class StatisticheTool : public ToolOnArchive {
protected:
    static void SetUpTestSuite() {
        writeRandomArchive(60, 15, QDate(2003, 1, 4), [](int draw, int wheel) {
            return (wheel == 10 && draw < 20) || (wheel == 0 && draw == 29);
        });
    }
    static ToolRun run(const QStringList& args, bool withArchive = true) {
        return runTool("veltrano-statistiche", args, withArchive);
    }
    static QJsonObject json(const QStringList& args) { return toolJson("veltrano-statistiche", args); }

    static QString numbersOf(Sorte sorte, int item) {
        const auto [a, b] = itemNumbers(sorte, item);
        return b == 0 ? QString::number(a) : QStringLiteral("%1-%2").arg(a).arg(b);
    }
};

TEST_F(StatisticheTool, RefusesBadCommandsWithTheirExitCode) {
    struct Bad {
        const char* name;
        QStringList args;
        const char* message;
    };
    const std::vector<Bad> cases{
        {"sorte", {"--sorte", "terno"}, "--sorte vuole estratto o ambo: \"terno\""},
        {"ruote", {"--ruote", "BA,XY"}, "--ruote: valore sconosciuto \"XY\""},
        {"nessunaRuota", {"--ruote", ","}, "--ruote vuole almeno una ruota"},
        {"ordina", {"--ordina", "eta"}, "--ordina vuole ritardo, ritardo_massimo, frequenza o p"},
        {"primi", {"--primi", "-1"}, "--primi vuole un numero da 0 a 1000000"},
        {"formato", {"--formato", "xml"}, "--formato vuole tsv, csv o json"},
        {"inizio", {"--inizio", "61"}, "--inizio 61 fuori dall'archivio (estrazioni da 1 a 60)"},
        {"fineNumero", {"--fine", "ultima"}, "--fine vuole un numero di estrazione"},
        {"ordine", {"--inizio", "40", "--fine", "30"}, "--inizio 40 dopo --fine 30"},
        {"dueIntervalli", {"--fine", "20", "--al", "2003-03-01"}, "non con entrambi"},
        {"data", {"--al", "30/02/2003"}, "--al vuole una data"},
        {"dateVuote", {"--dal", "2020-01-01"}, "nessuna estrazione nell'intervallo di date"},
        {"ripetuta", {"--sorte", "ambo", "--sorte", "estratto"}, "--sorte indicata più volte"},
        {"sconosciuta", {"--colpi", "3"}, "colpi"},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun r = run(c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("veltrano-statistiche: ")));
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message), Qt::CaseInsensitive))
            << r.err.left(200).toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("Usare veltrano-statistiche --help per l'aiuto.\n")));
        EXPECT_TRUE(r.out.isEmpty());
    }
    const ToolRun none = run({}, false);
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.contains(QStringLiteral("Manca l'archivio delle estrazioni")));
    const ToolRun missing = run({QStringLiteral("/nessuna/cartella/Dbarcomax.mdb")}, false);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Archivio illeggibile")));
    const ToolRun help = run({QStringLiteral("--help")}, false);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("ritardo_medio = (N - F) / (F + 1)")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("1 - (1 - q)^10 su TU")));
}

// The json has exactly the listed keys, the engine's figures unrounded, and the rows in the asked order.
TEST_F(StatisticheTool, JsonHoldsTheEnginesFiguresWithTheListedKeys) {
    const QJsonObject o =
        json({"--sorte", "ambo", "--ruote", "NZ,BA,TU", "--ordina", "p", "--primi", "25", "--inizio", "5"});
    EXPECT_EQ(o.keys(), (QStringList{"elementi", "riepilogo"}));
    const QJsonObject summary = o.value("riepilogo").toObject();
    EXPECT_EQ(summary.keys(), (QStringList{"al", "dal", "elementi", "estrazioni", "probabilita_uscita_ruota",
                                           "probabilita_uscita_tutte", "sorte"}));
    EXPECT_EQ(summary.value("estrazioni").toInt(), 56);
    EXPECT_EQ(summary.value("dal").toString(), archive->drawDate(5));
    EXPECT_EQ(summary.value("al").toString(), archive->drawDate(60));
    EXPECT_EQ(summary.value("sorte").toString(), QStringLiteral("ambo"));
    EXPECT_EQ(summary.value("elementi").toInt(), 3 * 4005);
    EXPECT_EQ(summary.value("probabilita_uscita_ruota").toDouble(), 2.0 / 801.0);
    EXPECT_EQ(summary.value("probabilita_uscita_tutte").toDouble(), 1.0 - std::pow(799.0 / 801.0, 10));

    DelaySettings settings;
    settings.sorte = Sorte::Ambo;
    settings.wheels.fill(false);
    settings.wheels[0] = settings.wheels[10] = settings.wheels[TutteWheel] = true;
    settings.first = 5;
    const DelayStatistics expected = computeDelayStatistics(settings, *archive);
    const std::vector<int> ranked = rankDelayItems(expected.items, DelayOrder::P);
    const QJsonArray rows = o.value("elementi").toArray();
    ASSERT_EQ(rows.size(), 25);
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonObject row = rows[i].toObject();
        const DelayItem& d = expected.items[static_cast<std::size_t>(ranked[static_cast<std::size_t>(i)])];
        ASSERT_EQ(row.keys(), (QStringList{"frequenza", "frequenza_attesa", "numeri", "p_ritardo",
                                           "p_ritardo_holm", "ritardo", "ritardo_massimo", "ritardo_medio",
                                           "ruota", "ultima_uscita", "z"}));
        EXPECT_EQ(row.value("ruota").toString(), archive->wheelCode(d.wheel));
        EXPECT_EQ(row.value("numeri").toString(), numbersOf(Sorte::Ambo, d.item));
        EXPECT_EQ(row.value("frequenza").toInt(), d.frequenza);
        EXPECT_EQ(row.value("frequenza_attesa").toDouble(), d.frequenzaAttesa);
        EXPECT_EQ(row.value("z").toDouble(), *d.z);
        EXPECT_EQ(row.value("ritardo").toInt(), d.ritardo);
        EXPECT_EQ(row.value("ritardo_massimo").toInt(), d.ritardoMassimo);
        EXPECT_EQ(row.value("ritardo_medio").toDouble(), d.ritardoMedio);
        EXPECT_EQ(row.value("p_ritardo").toDouble(), d.pRitardo);
        EXPECT_EQ(row.value("p_ritardo_holm").toDouble(), d.pRitardoHolm);
        if (d.ultimaUscita == 0)
            EXPECT_TRUE(row.value("ultima_uscita").isNull());
        else
            EXPECT_EQ(row.value("ultima_uscita").toString(), archive->drawDate(d.ultimaUscita));
    }
    // Ranked by p: an ambo never out on Tutte waited 56 draws of ten wheels, the least likely delay.
    EXPECT_EQ(rows[0].toObject().value("ruota").toString(), QStringLiteral("TU"));
    EXPECT_TRUE(rows[0].toObject().value("ultima_uscita").isNull());
}

// tsv: the summary rows, an empty line, the header and the rows; csv the same with commas; a wheel with
// no draw in the range has a null z, shown as an empty field.
TEST_F(StatisticheTool, TablesHaveSummaryHeaderAndRows) {
    const QStringList args{"--ruote", "NZ", "--fine", "20", "--primi", "0"};
    const ToolRun tsv = run(args);
    ASSERT_EQ(tsv.exitCode, 0) << tsv.err.toStdString();
    const QStringList lines = tsv.out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 7 + 1 + 1 + 90 + 1);
    EXPECT_EQ(lines[0], QStringLiteral("estrazioni\t20"));
    EXPECT_EQ(lines[3], QStringLiteral("sorte\testratto"));
    EXPECT_EQ(lines[4], QStringLiteral("elementi\t90"));
    EXPECT_EQ(lines[7], QString());
    EXPECT_EQ(lines[8],
              QStringLiteral("ruota\tnumeri\tfrequenza\tfrequenza_attesa\tz\tritardo\tritardo_massimo\t"
                             "ritardo_medio\tultima_uscita\tp_ritardo\tp_ritardo_holm"));
    EXPECT_EQ(lines[9], QStringLiteral("NZ\t1\t0\t0\t\t0\t0\t0\t\t1\t1"));
    EXPECT_EQ(lines[98], QStringLiteral("NZ\t90\t0\t0\t\t0\t0\t0\t\t1\t1"));
    EXPECT_EQ(lines.last(), QString());

    const ToolRun csv = run(args + QStringList{"--formato", "csv"});
    ASSERT_EQ(csv.exitCode, 0);
    QString asTsv = csv.out;
    EXPECT_EQ(asTsv.replace(QLatin1Char(','), QLatin1Char('\t')), tsv.out);
}

} // namespace statistichetool
