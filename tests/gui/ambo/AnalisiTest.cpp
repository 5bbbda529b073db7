#include "AmboFixture.h"
#include "ArchiveFixtures.h"
#include "gui/ambo/AnalisiOptions.h"
#include "gui/ambo/AnalisiRun.h"
#include "io/ArchiveLoader.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

AnalisiParse parse(const QStringList& args) {
    return parseAnalisiOptions(args);
}

TEST(AnalisiOptionsParse, DefaultsAreTheWindowsLoadState) {
    const AnalisiParse p = parse({"archivio.mdb"});
    ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
    const AnalisiOptions& o = p.options;
    EXPECT_EQ(o.archivePath, "archivio.mdb");
    EXPECT_FALSE(o.inizio.has_value());
    EXPECT_FALSE(o.fine.has_value());
    for (bool w : o.ruote)
        EXPECT_TRUE(w);
    for (bool pos : o.posizioni)
        EXPECT_TRUE(pos);
    EXPECT_EQ(o.tipi, (std::array<int, 7>{0, 1, 1, 0, 0, 0, 0}));
    EXPECT_FALSE(o.posizioniAdiacenti);
    EXPECT_EQ(o.colpi, 9);
    EXPECT_EQ(o.casi, 10);
    EXPECT_FALSE(o.intervallo);
    EXPECT_TRUE(o.ambata && o.treAmbi && o.quartina && o.tutte);
    EXPECT_EQ(o.formato, AnalisiOptions::Format::Tsv);
    EXPECT_FALSE(o.help);
}

TEST(AnalisiOptionsParse, EveryOptionSetsItsParameter) {
    const AnalisiParse p = parse({"--inizio",
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
    const AnalisiOptions& o = p.options;
    EXPECT_EQ(o.inizio, 12);
    EXPECT_EQ(o.fine, 40);
    for (int w = 0; w < 11; ++w)
        EXPECT_EQ(o.ruote[w], w == BA || w == RO || w == NZ) << w;
    EXPECT_EQ(o.posizioni, (std::array<bool, 5>{true, false, true, false, true}));
    EXPECT_EQ(o.tipi, (std::array<int, 7>{0, 0, 0, 1, 0, 0, 1}));
    EXPECT_TRUE(o.posizioniAdiacenti);
    EXPECT_EQ(o.colpi, 18);
    EXPECT_EQ(o.casi, 200);
    EXPECT_TRUE(o.intervallo);
    EXPECT_FALSE(o.ambata);
    EXPECT_TRUE(o.treAmbi);
    EXPECT_TRUE(o.quartina);
    EXPECT_FALSE(o.tutte);
    EXPECT_EQ(o.formato, AnalisiOptions::Format::Csv);
}

TEST(AnalisiOptionsParse, EmptyListsSelectNothing) {
    const AnalisiParse p = parse({"--tipi", "", "--esiti", "", "a.mdb"});
    ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
    EXPECT_EQ(p.options.tipi, (std::array<int, 7>{}));
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
        {"--tipi", "vicine", "a.mdb"},
        {"--esiti", "cinquina", "a.mdb"},
        {"--formato", "xml", "a.mdb"},
        {"--sconosciuta", "a.mdb"},
        {"--colpi", "5", "--colpi", "6", "a.mdb"},
        {"--colpi"},
    };
    for (const QStringList& args : bad)
        EXPECT_FALSE(parse(args).error.isEmpty()) << args.join(' ').toStdString();
}

TEST(AnalisiOptionsParse, HelpNeedsNoArchive) {
    const AnalisiParse p = parse({"--help"});
    EXPECT_TRUE(p.error.isEmpty());
    EXPECT_TRUE(p.options.help);
}

class AnalisiRange : public AmboFixture {
protected:
    void SetUp() override {
        build.emptyDraws(800);
        build.finish();
    }
    QString apply(const QStringList& args) {
        const AnalisiParse p = parse(args + QStringList{"a.mdb"});
        EXPECT_TRUE(p.error.isEmpty());
        return applyAnalisiRange(p.options, archive(), state);
    }
};

TEST_F(AnalisiRange, DefaultsToTheLast500Draws) {
    EXPECT_TRUE(apply({}).isEmpty());
    EXPECT_EQ(state.IndiceInizio, 300);
    EXPECT_EQ(state.IndiceFine, 800);
}

TEST_F(AnalisiRange, BoundsOutsideTheArchiveOrReversedAreRefused) {
    EXPECT_FALSE(apply({"--inizio", "0"}).isEmpty());
    EXPECT_FALSE(apply({"--fine", "801"}).isEmpty());
    EXPECT_FALSE(apply({"--inizio", "-3"}).isEmpty());
    EXPECT_FALSE(apply({"--inizio", "50", "--fine", "49"}).isEmpty());
    EXPECT_TRUE(apply({"--inizio", "800", "--fine", "800"}).isEmpty());
    EXPECT_EQ(state.IndiceInizio, 800);
}

TEST_F(AnalisiRange, AnEndBelowTheDefaultStartDragsTheStartAsTheScrollBarsDo) {
    EXPECT_TRUE(apply({"--fine", "100"}).isEmpty());
    EXPECT_EQ(state.IndiceInizio, 100);
    EXPECT_EQ(state.IndiceFine, 100);
    EXPECT_TRUE(apply({"--inizio", "7"}).isEmpty());
    EXPECT_EQ(state.IndiceInizio, 7);
    EXPECT_EQ(state.IndiceFine, 800);
}

class AnalisiOutput : public AmboFixture {
protected:
    static QStringList visibleTexts(const GridModel& g, int row) {
        QStringList out;
        for (int c = 0; c < g.cols(); ++c)
            if (!g.isColHidden(c))
                out << g.text(row, c);
        return out;
    }
};

TEST_F(AnalisiOutput, MatchesTheGridsOfTheSameAnalysisInTheWindow) {
    build.randomDraws(600, 21);
    open();
    // The window, set by hand as a user would.
    setRange(state, 350, 420);
    deselectAllWheels(FgR);
    for (int w : {BA, CA, FI, MI, NA, RO, TO, NZ})
        FgR.setBackColour(0, w, AmboState::ColoreRuota);
    Fgp.setBackColour(0, 3, AmboState::Bianco);
    typesOnly({1, 3, 5});
    controls.ComboC = "12";
    controls.Ch_Intervallo = 1;
    outcomeBoxes(1, 0, 1, 0);
    elaboraClick();
    ASSERT_GT(caseRows(), 5);

    QString report;
    const AnalisiParse p = parse({"--inizio", "350", "--fine", "420", "--ruote", "BA,CA,FI,MI,NA,RO,TO,NZ",
                                  "--posizioni", "1,2,3,5", "--tipi", "adiacenti,gemelle,cfrz", "--colpi",
                                  "12", "--intervallo", "--esiti", "ambata,quartina", "x.mdb"});
    ASSERT_TRUE(p.error.isEmpty());
    ASSERT_TRUE(runAnalisi(p.options, archive(), report).isEmpty());

    const QStringList lines = report.split('\n');
    ASSERT_EQ(lines.size(), 1 + caseRows() + 1 + 8 + 1); // the text ends with a newline
    QStringList header;
    for (const QString& h : visibleTexts(Fg1, 0))
        header << h.trimmed();
    EXPECT_EQ(lines[0], header.join('\t') + "\tEsito");
    for (int r = 1; r <= caseRows(); ++r) {
        QStringList expected = visibleTexts(Fg1, r);
        const GridModel::Colour c = Fg1.backColour(r, 0);
        expected << (c == EsitoPositivo ? "positivo" : c == palette.PaletteOrange ? "in gioco" : "negativo");
        EXPECT_EQ(lines[r], expected.join('\t')) << r;
    }
    EXPECT_TRUE(lines[caseRows() + 1].isEmpty());
    for (int s = 1; s <= 8; ++s) {
        const QStringList fields = lines[caseRows() + 1 + s].split('\t');
        ASSERT_EQ(fields.size(), 3);
        EXPECT_EQ(fields[0], FgS.text(s, 0));
        EXPECT_EQ(fields[1], FgS.text(s, 1));
        if (s == 1 || s == 8)
            EXPECT_TRUE(fields[2].isEmpty());
        else
            EXPECT_EQ(fields[2], QString::number(FgS.floodPercent(s, 1), 'f', 1));
    }
    EXPECT_TRUE(lines.last().isEmpty());
}

TEST_F(AnalisiOutput, HeaderNamesTheVisibleColumnsTrimmed) {
    build.emptyDraws(3);
    build.finish();
    QString report;
    ASSERT_TRUE(runAnalisi(parse({"a.mdb"}).options, archive(), report).isEmpty());
    EXPECT_EQ(report.section('\n', 0, 0),
              "\tN° Estr\tData Estraz\tR1\tN1\tN2\tN3\tN4\tN5\tR2\tN1\tN2\tN3\tN4\tN5"
              "\tAmbata\tA1\tA2\tA3\tColpo\tR1\tR2\tQuartina\tA1\tA2\tA3\tEsito");
}

TEST_F(AnalisiOutput, WithoutCasesPrintsHeaderEmptyLineAndZeroSummary) {
    build.emptyDraws(30);
    build.finish();
    QString report;
    ASSERT_TRUE(runAnalisi(parse({"a.mdb"}).options, archive(), report).isEmpty());
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
    ASSERT_TRUE(runAnalisi(parse({"--casi", "30", "a.mdb"}).options, archive(), tsv).isEmpty());
    ASSERT_TRUE(
        runAnalisi(parse({"--casi", "30", "--formato", "csv", "a.mdb"}).options, archive(), csv).isEmpty());
    QString expected = tsv;
    expected.replace('\t', ',');
    EXPECT_EQ(csv, expected); // no cell holds a comma or a quote
    ASSERT_GT(csv.count('\n'), 12);
}

// An archive file holding the draws of a DrawArchive, written with the program's own writer.
void writeArchiveFile(const DrawArchive& archive, const QString& path) {
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

class AnalisiProgram : public AmboFixture {
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
    writeArchiveFile(archive(), path);
    const QStringList options{"--tipi", "tutte", "--casi", "40", "--colpi", "6"};

    const Run r = run(options + QStringList{path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    QString expected;
    ASSERT_TRUE(runAnalisi(parse(options + QStringList{"a.mdb"}).options, archive(), expected).isEmpty());
    EXPECT_GT(expected.count('\n'), 40 + 10);
    EXPECT_EQ(r.out, expected);
}

TEST_F(AnalisiProgram, CaseCapLineGoesToStderrAndTheCasesStayOnStdout) {
    build.equalAmboDraws(105, 5);
    build.finish();
    const QString path = dir.filePath("Storico.mdb");
    writeArchiveFile(archive(), path);
    for (const auto& [options, line] :
         {std::pair{QStringList{"--tipi", "tutte", "--intervallo", "--inizio", "1"},
                    QString("Ricerca fermata a 1000 casi: estrazioni dalla 5 alla 105\n")},
          std::pair{QStringList{"--tipi", "tutte", "--casi", "30"}, QString()}}) {
        const Run r = run(options + QStringList{path});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, line) << options.join(' ').toStdString();
        QString expected;
        QString notice;
        ASSERT_TRUE(runAnalisi(parse(options + QStringList{"a.mdb"}).options, archive(), expected, &notice)
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
    EXPECT_TRUE(r.err.contains("Uso: veltrano-analisi"));
}

TEST_F(AnalisiProgram, RangeOutsideTheArchiveIsABadOption) {
    build.randomDraws(20, 2);
    build.finish();
    const QString path = dir.filePath("Storico.mdb");
    writeArchiveFile(archive(), path);
    const Run r = run({"--fine", "21", path});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("Uso: veltrano-analisi"));
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
