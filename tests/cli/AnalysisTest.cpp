#include "ArchiveBuilder.h"
#include "ArchiveFixtures.h"
#include "cli/AnalysisOptions.h"
#include "cli/AnalysisReport.h"
#include "core/DrawArchive.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

enum AnalysisWheel { BA = 0, CA, FI, GE, MI, NA, PA, RO, TO, VE, NZ };

AnalysisParse parseAnalysis(const QStringList& args) {
    return parseAnalysisOptions(args);
}

TEST(AnalisiOptionsParse, DefaultsAreTheWindowsLoadState) {
    const AnalysisParse p = parseAnalysis({"archivio.mdb"});
    ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
    const AnalysisOptions& o = p.options;
    EXPECT_EQ(o.archivePath, "archivio.mdb");
    EXPECT_FALSE(o.inizio.has_value());
    EXPECT_FALSE(o.fine.has_value());
    for (bool w : o.ruote)
        EXPECT_TRUE(w);
    for (bool pos : o.posizioni)
        EXPECT_TRUE(pos);
    EXPECT_EQ(o.tipi, (WheelRelations::Types{false, true, true, false, false, false, false}));
    EXPECT_FALSE(o.posizioniAdiacenti);
    EXPECT_EQ(o.colpi, 9);
    EXPECT_EQ(o.casi, 10);
    EXPECT_FALSE(o.intervallo);
    EXPECT_TRUE(o.ambata && o.treAmbi && o.quartina && o.tutte);
    EXPECT_EQ(o.formato, TableFormat::Tsv);
    EXPECT_FALSE(o.help);
}

TEST(AnalisiOptionsParse, EveryOptionSetsItsParameter) {
    const AnalysisParse p = parseAnalysis({"--inizio",
                                           "12",
                                           "--fine=40",
                                           "--ruote",
                                           "ba,Ro,NZ",
                                           "--posizioni",
                                           "1, 3,5",
                                           "--tipi",
                                           "gemelle,BNP",
                                           "--posizioni-adiacenti",
                                           "--colpi",
                                           "18",
                                           "--casi",
                                           "200",
                                           "--intervallo",
                                           "--esiti",
                                           "quartina,3ambi",
                                           "--formato",
                                           "csv",
                                           "a.mdb"});
    ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
    const AnalysisOptions& o = p.options;
    EXPECT_EQ(o.inizio, 12);
    EXPECT_EQ(o.fine, 40);
    for (int w = 0; w < 11; ++w)
        EXPECT_EQ(o.ruote[w], w == BA || w == RO || w == NZ) << w;
    EXPECT_EQ(o.posizioni, (std::array<bool, 5>{true, false, true, false, true}));
    EXPECT_EQ(o.tipi, (WheelRelations::Types{false, false, false, true, false, false, true}));
    EXPECT_TRUE(o.posizioniAdiacenti);
    EXPECT_EQ(o.colpi, 18);
    EXPECT_EQ(o.casi, 200);
    EXPECT_TRUE(o.intervallo);
    EXPECT_FALSE(o.ambata);
    EXPECT_TRUE(o.treAmbi);
    EXPECT_TRUE(o.quartina);
    EXPECT_FALSE(o.tutte);
    EXPECT_EQ(o.formato, TableFormat::Csv);
}

TEST(AnalisiOptionsParse, EmptyListsSelectNothing) {
    const AnalysisParse p = parseAnalysis({"--tipi", "", "--esiti", "", "a.mdb"});
    ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
    EXPECT_EQ(p.options.tipi, (WheelRelations::Types{}));
    EXPECT_FALSE(p.options.ambata || p.options.treAmbi || p.options.quartina || p.options.tutte);
}

TEST(AnalisiOptionsParse, BadCommandLinesAreRefused) {
    const std::vector<QStringList> bad{
        {},
        {"a.mdb", "b.mdb"},
        {"--colpi", "0", "a.mdb"},
        {"--colpi", "19", "a.mdb"},
        {"--colpi", "9x", "a.mdb"},
        {"--casi", "201", "a.mdb"},
        {"--casi", "0", "a.mdb"},
        {"--inizio", "primo", "a.mdb"},
        {"--ruote", "BA,XX", "a.mdb"},
        {"--posizioni", "6", "a.mdb"},
        {"--posizioni", ",", "a.mdb"},
        {"--posizioni", "", "a.mdb"},
        {"--tipi", "vicine", "a.mdb"},
        {"--esiti", "cinquina", "a.mdb"},
        {"--formato", "xml", "a.mdb"},
        {"--sconosciuta", "a.mdb"},
        {"--colpi", "5", "--colpi", "6", "a.mdb"},
        {"--colpi"},
    };
    for (const QStringList& args : bad)
        EXPECT_FALSE(parseAnalysis(args).error.isEmpty()) << args.join(' ').toStdString();
}

TEST(AnalisiOptionsParse, HelpNeedsNoArchive) {
    const AnalysisParse p = parseAnalysis({"--help"});
    EXPECT_TRUE(p.error.isEmpty());
    EXPECT_TRUE(p.options.help);
}

// An archive built in memory for the tool's run.
class AnalysisArchive : public ::testing::Test {
protected:
    AnalysisArchive() : m_archive(std::make_unique<DrawArchive>()), build(*m_archive) {}
    DrawArchive& archive() { return *m_archive; }

    std::unique_ptr<DrawArchive> m_archive;
    ArchiveBuilder build;
};

class AnalisiRange : public AnalysisArchive {
protected:
    void SetUp() override {
        build.emptyDraws(800);
        build.finish();
    }
    QString apply(const QStringList& args) {
        const AnalysisParse p = parseAnalysis(args + QStringList{"a.mdb"});
        EXPECT_TRUE(p.error.isEmpty());
        return resolveAnalysisRange(p.options, archive(), range);
    }
    DrawRange range;
};

TEST_F(AnalisiRange, DefaultsToTheLast500Draws) {
    EXPECT_TRUE(apply({}).isEmpty());
    EXPECT_EQ(range.start, 300);
    EXPECT_EQ(range.end, 800);
}

TEST_F(AnalisiRange, BoundsOutsideTheArchiveOrReversedAreRefused) {
    EXPECT_FALSE(apply({"--inizio", "0"}).isEmpty());
    EXPECT_FALSE(apply({"--fine", "801"}).isEmpty());
    EXPECT_FALSE(apply({"--inizio", "-3"}).isEmpty());
    EXPECT_FALSE(apply({"--inizio", "50", "--fine", "49"}).isEmpty());
    EXPECT_TRUE(apply({"--inizio", "800", "--fine", "800"}).isEmpty());
    EXPECT_EQ(range.start, 800);
}

TEST_F(AnalisiRange, AnEndBelowTheDefaultStartDragsTheStartAsTheScrollBarsDo) {
    EXPECT_TRUE(apply({"--fine", "100"}).isEmpty());
    EXPECT_EQ(range.start, 100);
    EXPECT_EQ(range.end, 100);
    EXPECT_TRUE(apply({"--inizio", "7"}).isEmpty());
    EXPECT_EQ(range.start, 7);
    EXPECT_EQ(range.end, 800);
}

TEST_F(AnalisiRange, MessagesSayWhichBoundIsWrong) {
    EXPECT_EQ(apply({"--fine", "801"}), "--fine 801 fuori dall'archivio (estrazioni da 1 a 800)");
    EXPECT_EQ(apply({"--inizio", "50", "--fine", "49"}), "--inizio 50 dopo --fine 49");
}

using AnalisiOutput = AnalysisArchive;

TEST_F(AnalisiOutput, HeaderNamesTheVisibleColumnsTrimmed) {
    build.emptyDraws(3);
    build.finish();
    QString report;
    ASSERT_TRUE(runAnalysis(parseAnalysis({"a.mdb"}).options, archive(), report).isEmpty());
    EXPECT_EQ(report.section('\n', 0, 0),
              "\tN° Estr\tData Estraz\tR1\tN1\tN2\tN3\tN4\tN5\tR2\tN1\tN2\tN3\tN4\tN5"
              "\tAmbata\tA1\tA2\tA3\tColpo\tR1\tR2\tQuartina\tA1\tA2\tA3\tEsito");
}

TEST_F(AnalisiOutput, WithoutCasesPrintsHeaderEmptyLineAndZeroSummary) {
    build.emptyDraws(30);
    build.finish();
    QString report;
    ASSERT_TRUE(runAnalysis(parseAnalysis({"a.mdb"}).options, archive(), report).isEmpty());
    const QStringList lines = report.split('\n');
    ASSERT_EQ(lines.size(), 11);
    EXPECT_TRUE(lines[1].isEmpty());
    const QStringList labels{"N° casi", "Positivi", "Negativi", "In gioco",
                             "Ambate",  "Ambi",     "Terni",    "Quaterne"};
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(lines[2 + s], labels[s] + "\t0\t");
}

TEST_F(AnalisiOutput, CsvSeparatesWithCommasAndQuotesWhereNeeded) {
    build.randomDraws(200, 3);
    build.finish();
    QString tsv;
    QString csv;
    ASSERT_TRUE(runAnalysis(parseAnalysis({"--casi", "30", "a.mdb"}).options, archive(), tsv).isEmpty());
    ASSERT_TRUE(
        runAnalysis(parseAnalysis({"--casi", "30", "--formato", "csv", "a.mdb"}).options, archive(), csv)
            .isEmpty());
    QString expected = tsv;
    expected.replace('\t', ',');
    EXPECT_EQ(csv, expected); // no cell holds a comma or a quote
    ASSERT_GT(csv.count('\n'), 12);
}

// An archive file holding the draws of a DrawArchive, written with the program's own writer.
void writeAnalysisArchiveFile(const DrawArchive& archive, const QString& path) {
    std::vector<fixtures::Draw> draws;
    for (int d = 1; d <= archive.drawCount(); ++d) {
        fixtures::Draw draw;
        const QDate date = QDate::fromString(archive.drawDate(d), "dd/MM/yyyy");
        draw.year = date.year();
        draw.month = date.month();
        draw.day = date.day();
        for (int w = 0; w < WheelCount; ++w) {
            QStringList fields;
            for (int p = 1; p <= PositionCount; ++p)
                fields << QStringLiteral("%1").arg(archive.number(d, w, p), 2, 10, QLatin1Char('0'));
            draw.cells[w] = fields.join(' ');
        }
        draws.push_back(draw);
    }
    fixtures::writeArchive(path, draws);
}

class AnalisiProgram : public AnalysisArchive {
protected:
    struct Run {
        int exitCode = -1;
        QString out;
        QString err;
    };
    static Run run(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        p.setProcessEnvironment(env);
        p.start(QDir(VELTRANO_PROGRAM_DIR).filePath("veltrano-analisi"), args);
        Run r;
        if (!p.waitForFinished(30000))
            return r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    QTemporaryDir dir;
};

TEST_F(AnalisiProgram, PrintsWhatTheSameRunGivesOnTheArchiveInMemory) {
    build.randomDraws(250, 8);
    build.finish();
    const QString path = dir.filePath("Storico.mdb");
    writeAnalysisArchiveFile(archive(), path);
    const QStringList options{"--tipi", "tutte", "--casi", "40", "--colpi", "6"};

    const Run r = run(options + QStringList{path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    QString expected;
    ASSERT_TRUE(
        runAnalysis(parseAnalysis(options + QStringList{"a.mdb"}).options, archive(), expected).isEmpty());
    EXPECT_GT(expected.count('\n'), 40 + 10);
    EXPECT_EQ(r.out, expected);
}

TEST_F(AnalisiProgram, CaseCapLineGoesToStderrAndTheCasesStayOnStdout) {
    build.equalAmboDraws(105, 5);
    build.finish();
    const QString path = dir.filePath("Storico.mdb");
    writeAnalysisArchiveFile(archive(), path);
    for (const auto& [options, line] :
         {std::pair{QStringList{"--tipi", "tutte", "--intervallo", "--inizio", "1"},
                    QString("Ricerca fermata a 1000 casi: estrazioni dalla 5 alla 105\n")},
          std::pair{QStringList{"--tipi", "tutte", "--casi", "30"}, QString()}}) {
        const Run r = run(options + QStringList{path});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, line) << options.join(' ').toStdString();
        QString expected;
        QString notice;
        ASSERT_TRUE(
            runAnalysis(parseAnalysis(options + QStringList{"a.mdb"}).options, archive(), expected, &notice)
                .isEmpty());
        EXPECT_EQ(r.out, expected);
        EXPECT_EQ(notice + (notice.isEmpty() ? "" : "\n"), line);
    }
}

TEST_F(AnalisiProgram, BadOptionsExitWith2AndUsageOnStderr) {
    const Run r = run({"--colpi", "40", "a.mdb"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("--colpi"));
    EXPECT_TRUE(r.err.endsWith("Usare veltrano-analisi --help per l'aiuto.\n"));
}

TEST_F(AnalisiProgram, RangeOutsideTheArchiveIsABadOption) {
    build.randomDraws(20, 2);
    build.finish();
    const QString path = dir.filePath("Storico.mdb");
    writeAnalysisArchiveFile(archive(), path);
    const Run r = run({"--fine", "21", path});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.endsWith("Usare veltrano-analisi --help per l'aiuto.\n"));
}

TEST_F(AnalisiProgram, UnreadableArchiveExitsWith1) {
    const QString path = dir.filePath("rotto.mdb");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, 'x'));
    f.close();
    for (const QString& archivePath : {path, dir.filePath("assente.mdb")}) {
        const Run r = run({archivePath});
        EXPECT_EQ(r.exitCode, 1) << archivePath.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(archivePath)) << r.err.toStdString();
    }
}

TEST_F(AnalisiProgram, HelpGoesToStdoutWithExit0) {
    const Run r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("Uso: veltrano-analisi"));
    EXPECT_TRUE(r.err.isEmpty());
}

} // namespace
