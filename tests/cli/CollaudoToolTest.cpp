#include "ArchiveBuilder.h"
#include "ArchiveFixtures.h"
#include "QtPrinting.h"
#include "ToolOnArchive.h"
#include "core/Collaudo.h"
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
#include <set>

namespace {

struct BadCommand {
    const char* name;
    QStringList args;
    int exitCode;
    const char* message;
};

// veltrano-collaudo run on a hand-made archive file of random draws, some with Nazionale missing, and the
// same archive loaded in this process for comparisons.
class CollaudoTool : public ToolOnArchive {
protected:
    static void SetUpTestSuite() {
        // Nazionale not yet drawn in the first 40.
        writeRandomArchive(150, 3, QDate(2001, 1, 2),
                           [](int draw, int wheel) { return wheel == 10 && draw < 40; });
    }
    static ToolRun run(const QStringList& args, bool withArchive = true) {
        return runTool("veltrano-collaudo", args, withArchive);
    }
    static QJsonObject json(const QStringList& args) { return toolJson("veltrano-collaudo", args); }

    // Each command ends with its exit code and its message, and prints nothing on the standard output.
    static void expectRefused(const std::vector<BadCommand>& cases) {
        for (const BadCommand& c : cases) {
            SCOPED_TRACE(c.name);
            const ToolRun r = run(c.args);
            EXPECT_EQ(r.exitCode, c.exitCode);
            EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.left(200).toStdString();
            EXPECT_TRUE(r.out.isEmpty());
        }
    }
};

TEST_F(CollaudoTool, RefusesBadCommandsWithTheirExitCode) {
    const std::vector<BadCommand> cases{
        {"colpi", {"--colpi", "0"}, 2, "--colpi vuole un numero da 1 a 18"},
        {"tipi", {"--tipi", "vicine"}, 2, "--tipi: valore sconosciuto \"vicine\""},
        {"poste", {"--poste", "ambo=-1"}, 2, "--poste vuole voce=importo"},
        {"posteVoce", {"--poste", "cinquina=1"}, 2, "voce sconosciuta \"cinquina\""},
        {"formato", {"--formato", "xml"}, 2, "--formato vuole tsv, csv o json"},
        {"inizio", {"--inizio", "0"}, 2, "--inizio 0 fuori dall'archivio (estrazioni da 1 a 150)"},
        {"ordine", {"--inizio", "90", "--fine", "80"}, 2, "--inizio 90 dopo --fine 80"},
        {"dueIntervalli", {"--inizio", "2", "--dal", "2001-02-01"}, 2, "non con entrambi"},
        {"data", {"--dal", "31/02/2001"}, 2, "--dal vuole una data"},
        {"dateVuote", {"--dal", "2030-01-01"}, 2, "Nessuna estrazione nell'intervallo di date"},
        {"primi", {"--primi", "5"}, 2, "valgono solo con --esplora"},
        {"fuori", {"--esplora", "--fuori-campione", "2040-01-01"}, 2, "La data fuori campione (01/01/2040)"},
        {"sconosciuta", {"--gioca"}, 2, "gioca"},
        {"esploraConTipi", {"--esplora", "--tipi", "gemelle"}, 2, "--esplora prova da sé tipi"},
    };
    expectRefused(cases);
    const ToolRun missing = run({QStringLiteral("/nessuna/cartella/Dbarcomax.mdb")}, false);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Archivio illeggibile")));
    const ToolRun help = run({QStringLiteral("--help")}, false);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("Probabilità a caso")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("approssimazione di punto di sella")));
}

// The json carries the back-test's own figures, with exactly the listed keys.
TEST_F(CollaudoTool, JsonHoldsTheBackTestsFigures) {
    const QJsonObject o =
        json({"--elenco", "--tipi", "tutte", "--colpi", "6", "--poste", "ambata=2,terno=0"});
    CollaudoSettings s;
    s.types = {true, false, false, false, false, false, false};
    s.colpi = 6;
    s.stakes = {2.0, 1.0, 0.0, 1.0};
    const CollaudoResult expected = runCollaudo(s, *archive);

    EXPECT_EQ(o.keys(), (QStringList{"casi", "colpi", "riepilogo"}));
    const QJsonObject summary = o.value("riepilogo").toObject();
    EXPECT_EQ(summary.keys(), (QStringList{"attesi", "casi", "casi_completi", "deviazione", "in_gioco",
                                           "negativi", "p", "positivi", "positivi_completi", "resa",
                                           "ritenuta", "saldo", "spesa", "vincite", "z"}));
    const CollaudoSummary& e = expected.riepilogo;
    EXPECT_EQ(summary.value("casi").toInt(), e.casi);
    EXPECT_EQ(summary.value("in_gioco").toInt(), e.inGioco);
    EXPECT_EQ(summary.value("positivi_completi").toInt(), e.positiviCompleti);
    EXPECT_EQ(summary.value("attesi").toDouble(), e.attesi); // unrounded
    EXPECT_EQ(summary.value("p").toDouble(), e.p);
    EXPECT_EQ(summary.value("saldo").toDouble(), e.saldo);
    EXPECT_EQ(summary.value("z").toDouble(), *e.z);

    const QJsonArray colpi = o.value("colpi").toArray();
    ASSERT_EQ(colpi.size(), 6);
    EXPECT_EQ(colpi[5].toObject().value("attesi").toDouble(), expected.colpi[5].attesi);

    const QJsonArray casi = o.value("casi").toArray();
    ASSERT_EQ(casi.size(), e.casi);
    ASSERT_GT(e.inGioco, 0);
    for (int i = 0; i < casi.size(); ++i) {
        const QJsonObject c = casi[i].toObject();
        const CollaudoCase& x = expected.casi[static_cast<std::size_t>(i)];
        ASSERT_EQ(c.keys(), (QStringList{"a", "ambata", "colpo", "data", "esito", "estrazione", "posizioni",
                                         "probabilita", "ruota1", "ruota2"}));
        EXPECT_EQ(c.value("estrazione").toInt(), x.equalAmbo().draw);
        EXPECT_EQ(c.value("data").toString(), x.date);
        EXPECT_EQ(c.value("ruota1").toString(), archive->wheelCode(x.equalAmbo().wheel1));
        EXPECT_EQ(c.value("posizioni").toArray(), (QJsonArray{x.equalAmbo().position1, x.equalAmbo().position2}));
        EXPECT_EQ(c.value("a").toArray()[2].toInt(), x.equalAmbo().forecast.A3);
        EXPECT_EQ(c.value("colpo").isNull(), x.colpo == 0);
        EXPECT_EQ(c.value("probabilita").toDouble(), x.probability);
    }
}

// A range by dates is the range of the draws that fall in it; csv is tsv with commas.
TEST_F(CollaudoTool, DatesAndFormatsChooseTheSameRows) {
    const int first = 31;
    const int last = 120;
    const QDate from = QDate::fromString(archive->drawDate(first), QStringLiteral("dd/MM/yyyy"));
    const QDate until = QDate::fromString(archive->drawDate(last), QStringLiteral("dd/MM/yyyy"));
    const ToolRun byIndex =
        run({"--elenco", "--inizio", QString::number(first), "--fine", QString::number(last)});
    // The day after the draw before the first, and the day before the draw after the last.
    const ToolRun byDate = run({"--elenco", "--dal", from.addDays(-1).toString(Qt::ISODate), "--al",
                                until.addDays(1).toString(QStringLiteral("dd/MM/yyyy"))});
    ASSERT_EQ(byIndex.exitCode, 0) << byIndex.err.toStdString();
    EXPECT_EQ(byIndex.out, byDate.out);

    const QStringList lines = byIndex.out.split(QLatin1Char('\n'));
    EXPECT_EQ(lines[0].split(QLatin1Char('\t')).first(), QStringLiteral("casi"));
    EXPECT_EQ(lines[15], QString());
    EXPECT_EQ(lines[16], QStringLiteral("colpo\tpositivi\tattesi"));
    EXPECT_EQ(lines[26], QString());
    EXPECT_EQ(lines[27].split(QLatin1Char('\t')).last(), QStringLiteral("Probabilità"));
    // Most recent first, all within the range.
    const int newest = lines[28].split(QLatin1Char('\t')).first().toInt();
    const int oldest = lines[lines.size() - 2].split(QLatin1Char('\t')).first().toInt();
    EXPECT_LE(newest, last);
    EXPECT_GT(newest, last - 5);
    EXPECT_GE(oldest, first);
    EXPECT_LT(oldest, first + 5);

    const ToolRun csv = run({"--elenco", "--inizio", QString::number(first), "--fine", QString::number(last),
                             "--formato", "csv"});
    QString asTsv = csv.out;
    EXPECT_EQ(asTsv.replace(QLatin1Char(','), QLatin1Char('\t')), byIndex.out);
}

TEST_F(CollaudoTool, SweepPrintsRankedCombinationsWithTheListedKeys) {
    const QJsonObject o = json({"--esplora", "--primi", "4", "--fuori-campione", "2001-06-01"});
    const QJsonArray rows = o.value("combinazioni").toArray();
    ASSERT_EQ(rows.size(), 4);
    double previous = 0.0;
    for (const QJsonValue& v : rows) {
        const QJsonObject row = v.toObject();
        EXPECT_EQ(row.keys(), (QStringList{"attesi", "casi_completi", "colpi", "fuori", "p", "p_esatto",
                                           "p_holm", "positivi", "posizioni", "posizioni_adiacenti", "resa",
                                           "saldo", "tipi", "z"}));
        EXPECT_GE(row.value("p").toDouble(), previous);
        previous = row.value("p").toDouble();
        // The row's option values reproduce it as a back-test on the cases before the split.
        const QString before = QDate(2001, 5, 31).toString(Qt::ISODate);
        QStringList args{"--tipi",      row.value("tipi").toString(),
                         "--posizioni", row.value("posizioni").toString(),
                         "--colpi",     QString::number(row.value("colpi").toInt()),
                         "--al",        before};
        if (row.value("posizioni_adiacenti").toBool())
            args << "--posizioni-adiacenti";
        const QJsonObject again = json(args).value("riepilogo").toObject();
        EXPECT_EQ(again.value("positivi_completi").toInt(), row.value("positivi").toInt());
        EXPECT_DOUBLE_EQ(again.value("p").toDouble(), row.value("p_esatto").toDouble());
        EXPECT_TRUE(row.value("fuori").toObject().contains("p_esatto"));
    }
}

// The overdue number plays one wheel at a time and has none of the equal ambo's own options; its
// threshold belongs to it alone, and its sweep chooses thresholds and Colpi itself.
TEST_F(CollaudoTool, OverdueNumberRefusesWhatItDoesNotPlay) {
    const QStringList overdue{"--metodo", "ritardatario"};
    const std::vector<BadCommand> cases{
        {"tutte", overdue + QStringList{"--ruote", "BA,TU"}, 2, "una ruota alla volta, non su TU"},
        {"tipi", overdue + QStringList{"--tipi", "gemelle"}, 2, "--tipi non vale con --metodo ritardatario"},
        {"posizioni", overdue + QStringList{"--posizioni", "1,2"}, 2, "--posizioni non vale"},
        {"adiacenti", overdue + QStringList{"--posizioni-adiacenti"}, 2, "--posizioni-adiacenti non vale"},
        {"esiti", overdue + QStringList{"--esiti", "ambata"}, 2, "--esiti non vale"},
        {"sogliaSenzaMetodo", {"--soglia", "40"}, 2, "--soglia vale solo con --metodo ritardatario"},
        {"sogliaAmbo", {"--metodo", "ambo-uguale", "--soglia", "40"}, 2, "--soglia vale solo"},
        {"sogliaZero", overdue + QStringList{"--soglia", "0"}, 2, "--soglia vuole un numero da 1 a 9999"},
        {"sogliaDueVolte", overdue + QStringList{"--soglia", "4", "--soglia", "5"}, 2, "indicata più volte"},
        {"metodo", {"--metodo", "cadenza"}, 2, "--metodo vuole ambo-uguale o ritardatario: \"cadenza\""},
        {"esploraSoglia", overdue + QStringList{"--esplora", "--soglia", "40"}, 2,
         "prova da sé soglie e colpi"},
        {"esploraColpi", overdue + QStringList{"--esplora", "--colpi", "3"}, 2, "prova da sé soglie e colpi"},
    };
    expectRefused(cases);
    const ToolRun help = run({QStringLiteral("--help")}, false);
    for (const char* line : {"--metodo M", "--soglia R", "Ritardatario: il ritardo di un numero",
                             "1 - (1 - 5/90)^k", "le soglie 18, 36, ..., 180"})
        EXPECT_TRUE(help.out.contains(QString::fromUtf8(line))) << line;
}

// Its json has the equal ambo's keys, with what an overdue case has of them, and its delay.
TEST_F(CollaudoTool, OverdueJsonHoldsTheBackTestsCases) {
    const QJsonObject o = json({"--metodo", "ritardatario", "--soglia", "25", "--colpi", "7", "--ruote",
                                "BA,FI,NZ", "--elenco", "--poste", "ambata=3"});
    CollaudoSettings s;
    s.metodo = MethodSettings::Metodo::Ritardatario;
    s.soglia = 25;
    s.colpi = 7;
    s.wheels = {true, false, true, false, false, false, false, false, false, false, true};
    s.stakes.ambata = 3.0;
    const CollaudoResult expected = runCollaudo(s, *archive);
    const CollaudoSummary& e = expected.riepilogo;
    const QJsonObject summary = o.value("riepilogo").toObject();
    EXPECT_EQ(summary.value("casi").toInt(), e.casi);
    EXPECT_EQ(summary.value("positivi_completi").toInt(), e.positiviCompleti);
    EXPECT_EQ(summary.value("p").toDouble(), e.p);
    EXPECT_EQ(summary.value("spesa").toDouble(), e.spesa);
    EXPECT_EQ(o.value("colpi").toArray().size(), 7);

    const QJsonArray casi = o.value("casi").toArray();
    ASSERT_EQ(casi.size(), e.casi);
    ASSERT_GT(e.casi, 5);
    std::set<QString> wheels;
    for (int i = 0; i < casi.size(); ++i) {
        const QJsonObject c = casi[i].toObject();
        const CollaudoCase& x = expected.casi[static_cast<std::size_t>(i)];
        ASSERT_EQ(c.keys(), (QStringList{"a", "ambata", "colpo", "data", "esito", "estrazione", "posizioni",
                                         "probabilita", "ritardo", "ruota1", "ruota2"}));
        EXPECT_EQ(c.value("estrazione").toInt(), x.overdue().draw);
        EXPECT_EQ(c.value("data").toString(), x.date);
        EXPECT_EQ(c.value("ruota1").toString(), archive->wheelCode(x.overdue().wheel));
        EXPECT_TRUE(c.value("ruota2").isNull());
        EXPECT_TRUE(c.value("posizioni").isNull());
        EXPECT_EQ(c.value("ambata").toInt(), x.overdue().number);
        EXPECT_EQ(c.value("a").toArray(), QJsonArray());
        EXPECT_EQ(c.value("ritardo").toInt(), x.overdue().delay);
        EXPECT_GE(c.value("ritardo").toInt(), 25);
        EXPECT_EQ(c.value("colpo").isNull(), x.colpo == 0);
        EXPECT_EQ(c.value("probabilita").toDouble(), x.probability);
        wheels.insert(c.value("ruota1").toString());
    }
    EXPECT_EQ(wheels, (std::set<QString>{"BA", "FI", "NZ"}));

    const ToolRun table = run({"--metodo", "ritardatario", "--soglia", "25", "--elenco"});
    const QStringList lines = table.out.split(QLatin1Char('\n'));
    EXPECT_TRUE(
        lines.contains(QStringLiteral("N° Estr\tData\tRuota\tNumero\tRitardo\tEsito\tColpo\tProbabilità")));
}

// Its sweep: the 180 combinations of threshold and Colpi, each the back-test of its own options.
TEST_F(CollaudoTool, OverdueSweepTriesEveryThresholdAndColpi) {
    const QJsonObject o = json({"--metodo", "ritardatario", "--esplora", "--primi", "0"});
    const QJsonArray rows = o.value("combinazioni").toArray();
    ASSERT_EQ(rows.size(), 180);
    std::set<std::pair<int, int>> seen;
    for (const QJsonValue& v : rows) {
        const QJsonObject row = v.toObject();
        ASSERT_EQ(row.keys(), (QStringList{"attesi", "casi_completi", "colpi", "p", "p_esatto", "p_holm",
                                           "positivi", "resa", "saldo", "soglia", "z"}));
        seen.insert({row.value("soglia").toInt(), row.value("colpi").toInt()});
    }
    EXPECT_EQ(seen.size(), 180u);
    for (int i : {0, 1, 179}) {
        const QJsonObject row = rows[i].toObject();
        const QJsonObject again =
            json({"--metodo", "ritardatario", "--soglia", QString::number(row.value("soglia").toInt()),
                  "--colpi", QString::number(row.value("colpi").toInt())})
                .value("riepilogo")
                .toObject();
        EXPECT_EQ(again.value("positivi_completi").toInt(), row.value("positivi").toInt());
        EXPECT_DOUBLE_EQ(again.value("p").toDouble(), row.value("p_esatto").toDouble());
        EXPECT_DOUBLE_EQ(again.value("saldo").toDouble(), row.value("saldo").toDouble());
    }
    const QStringList header = run({"--metodo", "ritardatario", "--esplora", "--primi", "1"}).out.split('\n');
    EXPECT_TRUE(header.first().startsWith(QStringLiteral("soglia\tcolpi\tcasi_completi\t")));
}

} // namespace
