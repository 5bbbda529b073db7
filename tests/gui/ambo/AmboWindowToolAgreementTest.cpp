#include "AmboWindowFixture.h"
#include "ArchiveFixtures.h"
#include "ToolOnWindow.h"
#include "cli/AnalysisOptions.h"
#include "cli/AnalysisReport.h"
#include "io/ArchiveLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

namespace {

// The window, driven by its controls, and veltrano-analisi, given the same choices as options, print the
// same report: the window's grids put through the tool's report are the tool's own output.
class AmboWindowAndTool : public AmboWindowTest {
protected:
    QString windowReport() const { return ::windowReport(Fg1(), FgS(), palette); }

    QString toolReport(const QStringList& options) {
        const AnalysisParse p = parseAnalysisOptions(options + QStringList{QStringLiteral("Dbarcomax.mdb")});
        EXPECT_TRUE(p.error.isEmpty()) << p.error.toStdString();
        QString report;
        EXPECT_TRUE(runAnalysis(p.options, archive(), report).isEmpty());
        return report;
    }

    void setRangeByIndex(int start, int end) {
        prompts.answerInput(QString::number(end));
        press("Command8");
        prompts.answerInput(QString::number(start));
        press("Command61");
        ASSERT_EQ(window->state().IndiceInizio, start);
        ASSERT_EQ(window->state().IndiceFine, end);
    }

    // Only the given wheels yellow, by clicking their cells after clearing the row. The current cell does
    // not toggle when clicked, so it is clicked last, when the others have moved the current cell away.
    void chooseWheels(std::vector<int> wheels) {
        press("Label9");
        const int current = FgR().currentCol();
        std::stable_partition(wheels.begin(), wheels.end(), [current](int w) { return w != current; });
        for (int w : wheels)
            clickCell("FgR", 0, w);
        for (int w = 0; w < 11; ++w)
            EXPECT_EQ(FgR().backColour(0, w) == AmboState::ColoreRuota,
                      std::find(wheels.begin(), wheels.end(), w) != wheels.end())
                << w;
    }
};

TEST_F(AmboWindowAndTool, SameChoicesGiveTheSameReport) {
    build.randomDraws(700, 21);
    open();
    setRangeByIndex(350, 420);
    chooseWheels({BA, CA, FI, MI, NA, RO, TO, NZ});
    clickCell("Fgp", 0, 3);
    setBox("Ch_RuoteTipo_2", false);
    setBox("Ch_RuoteTipo_3", true);
    setBox("Ch_RuoteTipo_5", true);
    typeInto("ComboC", QStringLiteral("12"));
    setBox("Ch_Intervallo", true);
    setBox("Ch_2", false);
    setBox("Ch_Tutte", false);
    elabora();
    ASSERT_GT(Fg1().rows(), 6);
    EXPECT_EQ(windowReport(),
              toolReport({"--inizio", "350", "--fine", "420", "--ruote", "BA,CA,FI,MI,NA,RO,TO,NZ",
                          "--posizioni", "1,2,3,5", "--tipi", "adiacenti,gemelle,cfrz", "--colpi", "12",
                          "--intervallo", "--esiti", "ambata,quartina"}));
}

TEST_F(AmboWindowAndTool, AdjacentPositionsAndCaseLimitGiveTheSameReport) {
    build.randomDraws(700, 22);
    open();
    setBox("ChPosAdi", true);
    setBox("Ch_RuoteTipo_0", true);
    typeInto("ComboNC", QStringLiteral("25"));
    typeInto("ComboC", QStringLiteral("4"));
    setBox("Ch_1", false);
    elabora();
    ASSERT_GE(Fg1().rows(), 26);
    EXPECT_EQ(windowReport(),
              toolReport({"--posizioni-adiacenti", "--tipi", "tutte,adiacenti,diametrali", "--casi", "25",
                          "--colpi", "4", "--esiti", "3ambi,quartina,tutte"}));
}

// The same on whole archives read from their files, against the tool run as a program: the sample
// archive of the program folder and, when it is at hand, the real history imported.
class AmboWindowAndToolOnArchives : public AmboWindowAndTool {
protected:
    static QString program(const char* name) {
        return QDir(VELTRANO_PROGRAM_DIR).filePath(QString::fromLatin1(name));
    }

    static QString runTool(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        p.setProcessEnvironment(env);
        p.start(program("veltrano-analisi"), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    // How the tool's side is run: as the program on the file, or (quicker, for the large real history) as
    // the same run on the archive the window was loaded with; other tests show the two print the same.
    enum class Tool { Program, InProcess };

    QString tool(Tool how, const QStringList& options, const QString& path) {
        return how == Tool::Program ? runTool(options + QStringList{path}) : toolReport(options);
    }

    // Loads the archive file as the start window does, opens the window on it and compares the heaviest
    // analysis (whole archive, "Tutte", "Intervallo", 18 colpi), after the one of the load defaults.
    void compareOn(const QString& path, Tool how) {
        archive().setModelStart(1);
        loadDrawArchive(archive(), path, program("veltrano-lettore"));
        ASSERT_GT(archive().drawCount(), 500);
        palette.SettaValoriBase();
        window = std::make_unique<AmboOltreFrm>(archive(), palette, prompts, help, frame);
        window->show();

        elabora();
        EXPECT_EQ(windowReport(), toolReport({}));

        press("Command4");
        setBox("Ch_RuoteTipo_0", true);
        setBox("Ch_Intervallo", true);
        typeInto("ComboC", QStringLiteral("18"));
        elabora();
        EXPECT_GT(Fg1().rows(), 1000);
        EXPECT_EQ(windowReport(), tool(how,
                                       {"--inizio", "1", "--tipi", "tutte,adiacenti,diametrali",
                                        "--intervallo", "--colpi", "18"},
                                       path));
    }
};

TEST_F(AmboWindowAndToolOnArchives, SampleArchive) {
    const QString path = program("Dbarcomax.mdb");
    ASSERT_TRUE(QFileInfo::exists(path));
    compareOn(path, Tool::Program);
}

TEST_F(AmboWindowAndToolOnArchives, RealHistory) {
    if (fixtures::realHistoryFolder().isEmpty())
        GTEST_SKIP() << "no real history beside the project";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;
    const QString path = fixtures::importRealHistory(dir.path(), error);
    ASSERT_FALSE(path.isEmpty()) << error.toStdString();
    compareOn(path, Tool::InProcess);
}

} // namespace
