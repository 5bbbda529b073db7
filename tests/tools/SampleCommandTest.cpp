#include "ArchiveExport.h"
#include "DrawDays.h"
#include "io/storico/CalendarDate.h"

#include <QFile>
#include <QTemporaryDir>
#include <SampleCommand.h>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

using namespace archive_export;
using storico::CalendarDate;

namespace {

struct CommandRun {
    int code = -1;
    std::string out;
    std::string err;
};

CommandRun runSampleCommand(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CommandRun run;
    run.code = runSample(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

class SampleCommandTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    std::string path(const QString& name) const { return m_dir.filePath(name).toStdString(); }
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_FALSE(mdbExportProgram().isEmpty()) << "mdb-export (mdbtools) is needed to read archives back";
    }
};

// What the program itself would check of a cell: five two-digit fields at 1, 4, 7, 10, 13, distinct, 1-90.
void expectWellFormedCell(const std::string& cell, const std::string& where) {
    ASSERT_EQ(cell.size(), 14u) << where;
    std::set<int> numbers;
    for (std::size_t p = 0; p < 5; ++p) {
        if (p < 4) {
            ASSERT_EQ(cell[3 * p + 2], ' ') << where;
        }
        const std::string field = cell.substr(3 * p, 2);
        ASSERT_TRUE(std::isdigit(static_cast<unsigned char>(field[0])) &&
                    std::isdigit(static_cast<unsigned char>(field[1])))
            << where << " " << cell;
        numbers.insert(std::stoi(field));
    }
    EXPECT_EQ(numbers.size(), 5u) << where << " " << cell;
    EXPECT_GE(*numbers.begin(), 1) << where;
    EXPECT_LE(*numbers.rbegin(), 90) << where;
}

} // namespace

TEST_F(SampleCommandTest, SameSeedGivesIdenticalFilesOtherSeedOtherDraws) {
    const std::vector<std::string> range{"--from", "2004-01-01", "--to", "2006-12-31"};
    auto args = [&](const std::string& output, const std::string& seed) {
        std::vector<std::string> all{"--output", output, "--seed", seed};
        all.insert(all.end(), range.begin(), range.end());
        return all;
    };
    ASSERT_EQ(runSampleCommand(args(path("a.mdb"), "17")).code, 0);
    ASSERT_EQ(runSampleCommand(args(path("b.mdb"), "17")).code, 0);
    ASSERT_EQ(runSampleCommand(args(path("c.mdb"), "0x11")).code, 0);
    ASSERT_EQ(runSampleCommand(args(path("d.mdb"), "18")).code, 0);
    const QByteArray a = fileBytes(m_dir.filePath("a.mdb"));
    ASSERT_FALSE(a.isEmpty());
    EXPECT_EQ(a, fileBytes(m_dir.filePath("b.mdb")));
    EXPECT_EQ(a, fileBytes(m_dir.filePath("c.mdb"))); // 0x11 is 17

    const Export ea = exportArchive(m_dir.filePath("a.mdb"));
    const Export ed = exportArchive(m_dir.filePath("d.mdb"));
    ASSERT_TRUE(ea.ok && ed.ok) << ea.error << ed.error;
    ASSERT_EQ(ea.rows.size(), ed.rows.size());
    int sameCells = 0;
    for (std::size_t i = 0; i < ea.rows.size(); ++i) {
        EXPECT_EQ(ea.rows[i].date, ed.rows[i].date);
        for (std::size_t w = 0; w < 11; ++w)
            sameCells += ea.rows[i].cells[w] && ea.rows[i].cells[w] == ed.rows[i].cells[w] ? 1 : 0;
    }
    EXPECT_EQ(sameCells, 0);
}

TEST_F(SampleCommandTest, ArchiveFollowsTheDrawCalendarAndNazionalesStart) {
    const std::string output = path("Dbarcomax.mdb");
    const CommandRun run =
        runSampleCommand({"--output", output, "--from", "1996-12-01", "--to", "2024-01-31"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Export exported = exportArchive(QString::fromStdString(output));
    ASSERT_TRUE(exported.ok) << exported.error;
    ASSERT_FALSE(exported.rows.empty());
    EXPECT_NE(run.out.find(std::to_string(exported.rows.size()) + " estrazioni sintetiche, "),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(", dal 07/12/1996 al 30/01/2024\n"), std::string::npos) << run.out;

    std::set<std::string> dates;
    for (const auto& row : exported.rows) {
        const auto date = CalendarDate::parse(row.date);
        ASSERT_TRUE(date) << row.date;
        EXPECT_EQ(allowedWeekdays(*date).count(date->weekday()), 1u) << row.date;
        EXPECT_EQ(row.cells[10].has_value(), (*date >= CalendarDate{2005, 5, 4})) << row.date;
        for (std::size_t w = 0; w < 10; ++w) {
            ASSERT_TRUE(row.cells[w]) << row.date << " wheel " << w;
            expectWellFormedCell(*row.cells[w], row.date);
        }
        if (row.cells[10])
            expectWellFormedCell(*row.cells[10], row.date);
        dates.insert(row.date);
    }
    EXPECT_EQ(dates.size(), exported.rows.size());
    EXPECT_EQ(exported.rows.front().date, "1996/12/07");
    EXPECT_EQ(exported.rows.back().date, "2024/01/30"); // a Tuesday; the 31st is a Wednesday
    // Every allowed weekday of the range has its draw.
    int expectedDraws = 0;
    for (int n = CalendarDate{1996, 12, 1}.dayNumber(); n <= CalendarDate{2024, 1, 31}.dayNumber(); ++n) {
        const auto date = CalendarDate::fromDayNumber(n);
        expectedDraws += allowedWeekdays(date).count(date.weekday()) ? 1 : 0;
    }
    EXPECT_EQ(static_cast<int>(exported.rows.size()), expectedDraws);
}

TEST_F(SampleCommandTest, CommandLineMistakesExitWithTwoAndWriteNothing) {
    const std::string output = path("Dbarcomax.mdb");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {"--seed", "3"},
             {"--output"},
             {"--output", output, "--seed", "x1"},
             {"--output", output, "--seed", "-1"},
             {"--output", output, "--from", "2020-02-30"},
             {"--output", output, "--from", "1870-12-31"},
             {"--output", output, "--from", "2021-01-01", "--to", "2020-12-31"},
             {"--output", output, "--colpi", "3"}}) {
        const CommandRun run = runSampleCommand(args);
        EXPECT_EQ(run.code, 2) << run.err;
        EXPECT_NE(run.err.find("Usare veltrano-campione --help per l'aiuto.\n"), std::string::npos)
            << run.err;
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(output)));
}

TEST_F(SampleCommandTest, RangeWithoutDrawDaysFailsWithoutWriting) {
    const std::string output = path("Dbarcomax.mdb");
    const CommandRun run =
        runSampleCommand({"--output", output, "--from", "2024-01-01", "--to", "2024-01-01"}); // a Monday
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "veltrano-campione: nessun giorno di estrazione tra il 2024-01-01 e il 2024-01-01, "
                       "nessun archivio scritto\n");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(output)));
}

TEST_F(SampleCommandTest, HelpGivesTheDefaultsAndExitCodes) {
    const CommandRun run = runSampleCommand({"--help"});
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("predefinito: 1990-01-06"), std::string::npos);
    EXPECT_NE(run.out.find("predefinito: 2026-06-30"), std::string::npos);
    EXPECT_NE(run.out.find("Uscita: 0"), std::string::npos);
}

// The archive shipped in the program folder is the generator's default output.
TEST_F(SampleCommandTest, ProgramFolderArchiveIsTheDefaultSample) {
    const QString shipped = QStringLiteral(VELTRANO_PROGRAM_DIR "/Dbarcomax.mdb");
    ASSERT_TRUE(QFile::exists(shipped));
    const std::string output = path("Dbarcomax.mdb");
    const CommandRun run = runSampleCommand({"--output", output});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.find("più di 9.999"), std::string::npos);
    EXPECT_EQ(fileBytes(shipped), fileBytes(QString::fromStdString(output)));
    const Export exported = exportArchive(shipped);
    ASSERT_TRUE(exported.ok) << exported.error;
    EXPECT_GT(exported.rows.size(), 4000u);
    EXPECT_LT(exported.rows.size(), 9999u);
    EXPECT_EQ(exported.rows.front().date, "1990/01/06");
    std::cout << "[ sample ] " << run.out;
}
