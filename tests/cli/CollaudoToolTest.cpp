#include "ArchiveBuilder.h"
#include "ArchiveFixtures.h"
#include "QtPrinting.h"
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

namespace {

const QString Bin = QStringLiteral(VELTRANO_PROGRAM_DIR);

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// veltrano-collaudo run on a hand-made archive file of random draws, some with Nazionale missing, and the
// same archive loaded in this process for comparisons.
class CollaudoTool : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = std::make_unique<QTemporaryDir>();
        path = dir->filePath(QStringLiteral("Dbarcomax.mdb"));
        std::mt19937 gen(3);
        std::vector<fixtures::Draw> draws;
        QDate date(2001, 1, 2);
        for (int i = 0; i < 150; ++i, date = date.addDays(i % 2 == 0 ? 3 : 4)) {
            fixtures::Draw d;
            d.year = date.year();
            d.month = date.month();
            d.day = date.day();
            for (int w = 0; w < WheelCount; ++w) {
                if (w == 10 && i < 40)
                    continue; // Nazionale not yet drawn
                std::vector<int> pool(90);
                std::iota(pool.begin(), pool.end(), 1);
                std::shuffle(pool.begin(), pool.end(), gen);
                QStringList cell;
                for (int p = 0; p < PositionCount; ++p)
                    cell << QStringLiteral("%1").arg(pool[p], 2, 10, QLatin1Char('0'));
                d.cells[w] = cell.join(QLatin1Char(' '));
            }
            draws.push_back(d);
        }
        fixtures::writeArchive(path, draws);
        archive = std::make_unique<DrawArchive>();
        archive->fillWheelCodesAndDiametral();
        archive->setModelStart(1);
        loadDrawArchive(*archive, path, Bin + QStringLiteral("/veltrano-lettore"));
    }
    static void TearDownTestSuite() {
        archive.reset();
        dir.reset();
    }

    static ToolRun run(const QStringList& args, bool withArchive = true) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        p.setProcessEnvironment(env);
        p.start(Bin + QStringLiteral("/veltrano-collaudo"), withArchive ? args + QStringList{path} : args);
        EXPECT_TRUE(p.waitForFinished(120000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    static QJsonObject json(const QStringList& args) {
        const ToolRun r = run(args + QStringList{QStringLiteral("--formato"), QStringLiteral("json")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.left(300).toStdString();
        return doc.object();
    }

    static std::unique_ptr<QTemporaryDir> dir;
    static QString path;
    static std::unique_ptr<DrawArchive> archive;
};

std::unique_ptr<QTemporaryDir> CollaudoTool::dir;
QString CollaudoTool::path;
std::unique_ptr<DrawArchive> CollaudoTool::archive;

struct BadCommand {
    const char* name;
    QStringList args;
    int exitCode;
    const char* message;
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
    for (const BadCommand& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.left(200).toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    const ToolRun missing = run({QStringLiteral("/nessuna/cartella/Dbarcomax.mdb")}, false);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Archivio illeggibile")));
    const ToolRun help = run({QStringLiteral("--help")}, false);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("Probabilità a caso")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("approssimazione normale raffinata")));
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
        EXPECT_EQ(c.value("estrazione").toInt(), x.equalAmbo.draw);
        EXPECT_EQ(c.value("data").toString(), x.date);
        EXPECT_EQ(c.value("ruota1").toString(), archive->wheelCode(x.equalAmbo.wheel1));
        EXPECT_EQ(c.value("posizioni").toArray(), (QJsonArray{x.equalAmbo.position1, x.equalAmbo.position2}));
        EXPECT_EQ(c.value("a").toArray()[2].toInt(), x.equalAmbo.forecast.A3);
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

} // namespace
