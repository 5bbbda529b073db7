#include "cli/ImportCommand.h"

#include "ArchiveExport.h"
#include "ImportRun.h"
#include "io/storico/CalendarDate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

using namespace archive_export;

namespace {

class ImportCommandTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;

    std::string path(const QString& name) const { return m_dir.filePath(name).toStdString(); }

    std::string write(const QString& name, const QByteArray& contents) const {
        QFile file(m_dir.filePath(name));
        QDir().mkpath(QFileInfo(file).absolutePath());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
        return file.fileName().toStdString();
    }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_FALSE(mdbExportProgram().isEmpty()) << "mdb-export (mdbtools) is needed to read archives back";
    }
};

// Lines of all the files, without line ends and blank lines.
std::vector<std::string> sourceLines(const std::vector<QByteArray>& files) {
    std::vector<std::string> lines;
    for (const auto& contents : files)
        for (auto line : splitOn(contents.toStdString(), '\n')) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                lines.push_back(line);
        }
    return lines;
}

std::vector<std::string> exportedLines(const Export& exported) {
    std::vector<std::string> lines;
    for (const auto& row : exported.rows)
        for (std::size_t w = 0; w < 11; ++w)
            if (row.cells[w])
                lines.push_back(storicoLine(row.date, storicoCodes()[w], *row.cells[w]));
    return lines;
}

} // namespace

TEST_F(ImportCommandTest, CommandLineMistakesExitWithTwoAndWriteNothing) {
    const std::string input = write("BARI.txt", "2020/01/02\tBA\t1\t2\t3\t4\t5\n");
    const std::string output = path("Dbarcomax.mdb");
    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {input},
                                                                  {"--output", output},
                                                                  {input, "--output"},
                                                                  {"--outptu", output, input},
                                                                  {"-x", "--output", output, input}}) {
        const CommandRun run = runImport(args);
        EXPECT_EQ(run.code, 2) << run.err;
        EXPECT_NE(run.err.find("Usare veltrano-importa --help per l'aiuto.\n"), std::string::npos) << run.err;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(output)));
    }
}

TEST_F(ImportCommandTest, HelpExplainsTheSplitDateRuleAndExitCodes) {
    const CommandRun run = runImport({"--help"});
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("è stata estratta una sola ruota"), std::string::npos);
    EXPECT_NE(run.out.find("al\nmassimo 3 giorni"), std::string::npos);
    EXPECT_NE(run.out.find("Uscita: 0"), std::string::npos);
    EXPECT_NE(run.out.find("--output"), std::string::npos);
    EXPECT_NE(run.out.find("--sostituisci"), std::string::npos);
}

TEST_F(ImportCommandTest, EachKindOfBadLineIsListedWithFileAndLineAndNothingIsWritten) {
    const std::string bari = write("in/BARI.txt", "2020/01/02\tBA\t1\t2\t3\t4\t5\r\n"
                                                  "2020/02/30\tBA\t1\t2\t3\t4\t5\r\n"
                                                  "2020/01/04\tBA\t1\t2\t3\t4\t91\r\n"
                                                  "\r\n"
                                                  "2020/01/07\tBA\t1\t2\t3\t4\t1\r\n"
                                                  "2020/01/09\tBA\t1\t2\t3\t4\r\n");
    const std::string roma = write("in/ROMA.txt", "2020/01/02\tXY\t1\t2\t3\t4\t5\n"
                                                  "2020/01/02\tBA\t1\t2\t3\t4\t6\n");
    const std::string output = path("Dbarcomax.mdb");
    const CommandRun run = runImport({"--output", output, bari, roma});
    EXPECT_EQ(run.code, 1);
    const std::vector<std::string> expected{
        bari + ":2: data non valida '2020/02/30'",
        bari + ":3: numero 91 fuori da 1-90",
        bari + ":5: numero 1 ripetuto",
        bari + ":6: attesi 5 numeri, trovati 4",
        roma + ":1: ruota sconosciuta 'XY'",
        roma + ":2: numeri diversi per BA del 2020/01/02 (prima riga in " + bari + ":1)",
    };
    std::size_t from = 0;
    for (const auto& line : expected) {
        const auto at = run.err.find(line + "\n", from);
        EXPECT_NE(at, std::string::npos) << "missing or out of order: " << line << "\n" << run.err;
        if (at != std::string::npos)
            from = at;
    }
    EXPECT_NE(run.err.find("veltrano-importa: 6 errori, nessun archivio scritto\n"), std::string::npos)
        << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(output)));
}

TEST_F(ImportCommandTest, LongErrorListStopsAtTwentyThenGivesTheCount) {
    QByteArray text;
    for (int day = 1; day <= 25; ++day)
        text += QByteArray("2021/01/") + QByteArray::number(day) + "\tBA\t1\t2\t3\t4\t0\n";
    const std::string input = write("BARI.txt", text);
    const CommandRun run = runImport({"--output", path("Dbarcomax.mdb"), input});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find(input + ":20: numero 0 fuori da 1-90\n"), std::string::npos);
    EXPECT_EQ(run.err.find(input + ":21:"), std::string::npos);
    EXPECT_NE(run.err.find("… e altre 5 righe non valide\n"), std::string::npos);
    EXPECT_NE(run.err.find("25 errori, nessun archivio scritto"), std::string::npos);
}

TEST_F(ImportCommandTest, FailedImportLeavesAnExistingArchiveUntouched) {
    const QByteArray previous = "previous archive bytes";
    const std::string output = write("Dbarcomax.mdb", previous);
    const std::string input =
        write("BARI.txt", "2020/01/02\tBA\t1\t2\t3\t4\t5\n2020/01/04\tBA\t1\t2\t3\t4\n");
    EXPECT_EQ(runImport({"--output", output, input}).code, 1);
    EXPECT_EQ(fileBytes(QString::fromStdString(output)), previous);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST_F(ImportCommandTest, UnreadableInputsAndUnwritableOutputFail) {
    const std::string input = write("BARI.txt", "2020/01/02\tBA\t1\t2\t3\t4\t5\n");
    const CommandRun missing = runImport({"--output", path("Dbarcomax.mdb"), path("NOPE.txt")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("impossibile leggere"), std::string::npos);

    QDir(m_dir.path()).mkdir("empty");
    EXPECT_EQ(runImport({"--output", path("Dbarcomax.mdb"), path("empty")}).code, 1);

    const CommandRun blank = runImport({"--output", path("Dbarcomax.mdb"), write("blank.txt", "\r\n\r\n")});
    EXPECT_EQ(blank.code, 1);
    EXPECT_NE(blank.err.find("nessuna estrazione"), std::string::npos);

    const CommandRun unwritable = runImport({"--output", path("no/such/folder/Dbarcomax.mdb"), input});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_NE(unwritable.err.find("impossibile scrivere"), std::string::npos);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("Dbarcomax.mdb")));
}

TEST_F(ImportCommandTest, HandMadeHistoryReadsBackLineForLine) {
    // Per-wheel files in mixed layouts, a draw without Cagliari, an identical repeated row, a wheel drawn
    // a day after the others, and a Nazionale that starts later.
    const QByteArray bari = "1948/04/24\tBA\t58\t22\t47\t49\t69\r\n"
                            "1948/04/30\tBA\t18\t77\t33\t62\t19\r\n"
                            "1948/05/08\tBA\t5\t12\t33\t47\t90\r\n"
                            "1948/05/08\tBA\t5\t12\t33\t47\t90\r\n";
    const QByteArray cagliari = "\xEF\xBB\xBF"
                                "1948-04-24;CA;1;2;3;4;5\n"
                                "1948-05-08;CA;90;80;70;60;50\n";
    const QByteArray napoli = "24/04/1948 NA 11 21 31 41 51\n"
                              "01/05/1948 NA 12 22 32 42 52\n"
                              "\n"
                              "08/05/1948 NA 13 23 33 43 53\n";
    const QByteArray firenze =
        "1948.04.24,FI,3,13,23,33,43\n1948.04.30,FI,4,14,24,34,44\n1948.05.08,FI,5,15,25,35,45\n";
    const QByteArray nazionale = "1948/05/08\tRN\t7\t17\t27\t37\t87\r\n";
    const std::string output = path("out/Dbarcomax.mdb");
    QDir(m_dir.path()).mkdir("out");
    const CommandRun run = runImport({"--output", output, write("s/BARI.txt", bari),
                                      write("s/CAGLIARI.txt", cagliari), write("s/NAPOLI.txt", napoli),
                                      write("s/FIRENZE.txt", firenze), write("s/NAZIONALE.txt", nazionale)});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Data sfasata: NA del 1948/05/01 unita all'estrazione del 1948/04/30"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(": 3 estrazioni, 12 righe di ruota, dal 24/04/1948 all'08/05/1948, 1 data sfasata "
                           "unita, 1 riga ripetuta contata una volta\n"),
              std::string::npos)
        << run.out;

    const Export exported = exportArchive(QString::fromStdString(output));
    ASSERT_TRUE(exported.ok) << exported.error;
    EXPECT_EQ(exported.header, (std::vector<std::string>{"DataEstrazione", "Ba", "Ca", "Fi", "Ge", "Mi", "Na",
                                                         "Pa", "Ro", "To", "Ve", "Nz"}));
    ASSERT_EQ(exported.rows.size(), 3u);
    EXPECT_EQ(exported.rows[0].date, "1948/04/24");
    EXPECT_EQ(exported.rows[1].date, "1948/04/30");
    EXPECT_EQ(exported.rows[2].date, "1948/05/08");
    EXPECT_EQ(exported.rows[2].cells[0], "05 12 33 47 90");
    EXPECT_EQ(exported.rows[1].cells[5], "12 22 32 42 52"); // the Napoli of 1948/05/01
    EXPECT_FALSE(exported.rows[1].cells[1]);                // no Cagliari that day: NULL
    EXPECT_FALSE(exported.rows[0].cells[10]);
    for (const auto& row : exported.rows)
        for (const std::size_t w : {3, 4, 6, 7, 8, 9})
            EXPECT_FALSE(row.cells[w]) << row.date << " wheel " << w;

    // Every source line, in the operator's layout, is in the archive once, apart from the repeated row and
    // the split date's line, which now carries the date of its draw.
    std::multiset<std::string> expected;
    for (auto line : sourceLines({"1948/04/24\tBA\t58\t22\t47\t49\t69\n1948/04/30\tBA\t18\t77\t33\t62\t19\n"
                                  "1948/05/08\tBA\t5\t12\t33\t47\t90\n"
                                  "1948/04/24\tCA\t1\t2\t3\t4\t5\n1948/05/08\tCA\t90\t80\t70\t60\t50\n"
                                  "1948/04/24\tNA\t11\t21\t31\t41\t51\n1948/04/30\tNA\t12\t22\t32\t42\t52\n"
                                  "1948/05/08\tNA\t13\t23\t33\t43\t53\n1948/05/08\tRN\t7\t17\t27\t37\t87\n"
                                  "1948/04/24\tFI\t3\t13\t23\t33\t43\n1948/04/30\tFI\t4\t14\t24\t34\t44\n"
                                  "1948/05/08\tFI\t5\t15\t25\t35\t45\n"}))
        expected.insert(line);
    const auto lines = exportedLines(exported);
    EXPECT_EQ(std::multiset<std::string>(lines.begin(), lines.end()), expected);
}

TEST_F(ImportCommandTest, CombinedFileAndFolderOfWheelFilesGiveTheSameArchive) {
    const QByteArray combined = "2023/07/06\tBA\t1\t2\t3\t4\t5\n2023/07/06\tRN\t6\t7\t8\t9\t10\n"
                                "2023/07/07\tBA\t11\t12\t13\t14\t15\n2023/07/07\tRN\t16\t17\t18\t19\t20\n";
    const std::string one = path("one/Dbarcomax.mdb");
    const std::string two = path("two/Dbarcomax.mdb");
    QDir(m_dir.path()).mkpath("one");
    QDir(m_dir.path()).mkpath("two");
    ASSERT_EQ(runImport({"--output", one, write("storico.txt", combined)}).code, 0);
    write("wheels/BARI.txt", "2023/07/07\tBA\t11\t12\t13\t14\t15\r\n2023/07/06\tBA\t1\t2\t3\t4\t5\r\n");
    write("wheels/NAZIONALE.TXT", "2023/07/06\tNZ\t6\t7\t8\t9\t10\r\n2023/07/07\tNZ\t16\t17\t18\t19\t20\r\n");
    write("wheels/README.md", "not a storico file\n");
    const CommandRun run = runImport({"--output", two, path("wheels")});
    ASSERT_EQ(run.code, 0) << run.err;
    const Export a = exportArchive(QString::fromStdString(one));
    const Export b = exportArchive(QString::fromStdString(two));
    ASSERT_TRUE(a.ok && b.ok) << a.error << b.error;
    EXPECT_EQ(exportedLines(a), exportedLines(b));
    EXPECT_EQ(exportedLines(a).size(), 4u);
}

TEST_F(ImportCommandTest, MoreThan9999DrawsAreWrittenWithAWarning) {
    QByteArray text;
    const int first = storico::CalendarDate{1950, 1, 1}.dayNumber();
    for (int i = 0; i < 10000; ++i) {
        const auto date =
            QByteArray::fromStdString(storico::CalendarDate::fromDayNumber(first + i).storicoText());
        text += date + "\tBA\t1\t2\t3\t4\t5\n" + date + "\tCA\t6\t7\t8\t9\t10\n";
    }
    const std::string output = path("Dbarcomax.mdb");
    const CommandRun run = runImport({"--output", output, write("storico.txt", text)});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("10000 estrazioni, 20000 righe di ruota"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("più di 9.999 estrazioni"), std::string::npos) << run.out;
    const Export exported = exportArchive(QString::fromStdString(output));
    ASSERT_TRUE(exported.ok) << exported.error;
    EXPECT_EQ(exported.rows.size(), 10000u);
}

TEST_F(ImportCommandTest, OtherOutputNameGetsANoteAndASmallArchiveNoLimitWarning) {
    const std::string output = path("storico.mdb");
    const CommandRun run =
        runImport({"--output=" + output, write("BARI.txt", "2020/01/02\tBA\t1\t2\t3\t4\t5\n")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Veltrano apre solo gli archivi di nome Dbarcomax.mdb"), std::string::npos);
    EXPECT_EQ(run.out.find("più di 9.999"), std::string::npos);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(output)));
}

TEST(ImportProgram, ExecutableReportsUsageAndHelpThroughItsExitCode) {
    const QString program = QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-importa");
    ASSERT_TRUE(QFile::exists(program));
    QProcess noArguments;
    noArguments.start(program, {});
    ASSERT_TRUE(noArguments.waitForFinished(10000));
    EXPECT_EQ(noArguments.exitCode(), 2);
    EXPECT_TRUE(noArguments.readAllStandardError().contains("Usare veltrano-importa --help per l'aiuto."));

    QProcess help;
    help.start(program, {"--help"});
    ASSERT_TRUE(help.waitForFinished(10000));
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().contains("Date sfasate"));
}
