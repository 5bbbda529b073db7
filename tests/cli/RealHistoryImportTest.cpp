#include "ArchiveExport.h"
#include "ZipWriting.h"
#include "cli/ImportCommand.h"
#include "io/storico/CalendarDate.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

using namespace archive_export;

namespace {

// One wheel of one draw, compact so that 77,000 of them compare quickly.
struct WheelLine {
    int day = 0; // days since 1970-01-01
    int wheel = 0;
    std::array<int, 5> numbers{};
    auto operator<=>(const WheelLine&) const = default;
};

int toInt(std::string_view text) {
    int value = -1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// yyyy/mm/dd, as both the storico files and our export write it.
int dayOf(std::string_view date) {
    return storico::CalendarDate{toInt(date.substr(0, 4)), toInt(date.substr(5, 2)), toInt(date.substr(8, 2))}
        .dayNumber();
}

int wheelOf(std::string_view code) {
    const auto& codes = storicoCodes();
    for (std::size_t w = 0; w < codes.size(); ++w)
        if (code == codes[w])
            return static_cast<int>(w);
    return -1;
}

// Tab-separated fields of one line, without allocating.
std::vector<std::string_view> fieldsOf(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const auto next = line.find(separator, start);
        fields.push_back(
            line.substr(start, next == std::string_view::npos ? std::string_view::npos : next - start));
        if (next == std::string_view::npos)
            return fields;
        start = next + 1;
    }
}

std::string textOf(const WheelLine& line) {
    std::string text =
        storico::CalendarDate::fromDayNumber(line.day).storicoText() + " " + storicoCodes()[line.wheel];
    for (int n : line.numbers)
        text += " " + std::to_string(n);
    return text;
}

} // namespace

// The real history, when it is at hand: it must import as it is, and every line of it must be found in
// the archive again. The README beside it gives 7,365 draws, and five dates that hold a single wheel
// drawn a day or two apart from the rest of its draw.
TEST(RealHistoryImport, WholeHistoryImportsAndReadsBackLineForLine) {
    const QString folder = QStringLiteral(VELTRANO_SHARED_DIR "/data/storico");
    if (!QDir(folder).exists())
        GTEST_SKIP() << "no real history at " << folder.toStdString();
    ASSERT_FALSE(mdbExportProgram().isEmpty());

    std::vector<WheelLine> source;
    for (const auto& name : QDir(folder).entryList({"*.txt"}, QDir::Files)) {
        const std::string contents = fileBytes(QDir(folder).filePath(name)).toStdString();
        for (auto line : fieldsOf(contents, '\n')) {
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            if (line.empty())
                continue;
            const auto fields = fieldsOf(line, '\t');
            ASSERT_EQ(fields.size(), 7u) << line;
            WheelLine parsed{dayOf(fields[0]), wheelOf(fields[1]), {}};
            ASSERT_GE(parsed.wheel, 0) << line;
            for (std::size_t p = 0; p < 5; ++p)
                parsed.numbers[p] = toInt(fields[p + 2]);
            source.push_back(parsed);
        }
    }
    std::map<int, std::set<int>> wheelsByDay;
    for (const auto& line : source)
        wheelsByDay[line.day].insert(line.wheel);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string output = dir.filePath("Dbarcomax.mdb").toStdString();
    std::ostringstream out, err;
    ASSERT_EQ(storico::runImport({"--output", output, folder.toStdString()}, out, err), 0) << err.str();

    const Export exported = exportArchive(QString::fromStdString(output));
    ASSERT_TRUE(exported.ok) << exported.error;
    EXPECT_EQ(exported.rows.size(), 7365u);
    std::set<int> archiveDays;
    std::vector<WheelLine> archive;
    for (std::size_t i = 0; i < exported.rows.size(); ++i) {
        const auto& row = exported.rows[i];
        if (i > 0) {
            ASSERT_LT(exported.rows[i - 1].date, row.date);
        }
        archiveDays.insert(dayOf(row.date));
        for (std::size_t w = 0; w < 11; ++w) {
            if (!row.cells[w])
                continue;
            const auto fields = fieldsOf(*row.cells[w], ' ');
            ASSERT_EQ(fields.size(), 5u) << row.date << " " << *row.cells[w];
            WheelLine line{dayOf(row.date), static_cast<int>(w), {}};
            for (std::size_t p = 0; p < 5; ++p)
                line.numbers[p] = toInt(fields[p]);
            archive.push_back(line);
        }
    }
    std::sort(archive.begin(), archive.end());
    ASSERT_EQ(archive.size(), source.size());

    // A line is either in the archive as it is, or it is the only line of its date and sits, with its
    // numbers unchanged, in a draw at most three days away that has no other line of that wheel.
    std::set<int> movedDays;
    for (const auto& line : source) {
        if (std::binary_search(archive.begin(), archive.end(), line))
            continue;
        ASSERT_EQ(wheelsByDay[line.day].size(), 1u) << "missing from the archive: " << textOf(line);
        EXPECT_FALSE(archiveDays.count(line.day)) << textOf(line);
        int places = 0;
        for (int day = line.day - 3; day <= line.day + 3; ++day) {
            WheelLine moved = line;
            moved.day = day;
            if (std::binary_search(archive.begin(), archive.end(), moved)) {
                ++places;
                EXPECT_EQ(wheelsByDay[day].count(line.wheel), 0u)
                    << "joined a draw that had the wheel: " << textOf(line);
            }
        }
        EXPECT_EQ(places, 1) << textOf(line);
        movedDays.insert(line.day);
    }
    EXPECT_EQ(movedDays.size(), 5u);
    EXPECT_EQ(exported.rows.size(), wheelsByDay.size() - movedDays.size());
    EXPECT_NE(out.str().find(std::to_string(exported.rows.size()) + " estrazioni, " +
                             std::to_string(source.size()) + " righe di ruota, dal 07/01/1939 al"),
              std::string::npos)
        << out.str();
    std::cout << "[ real history ] " << wheelsByDay.size() << " dates in the files\n" << out.str();
}

// The real history's files zipped together, as public copies of it are shared, make the very archive the
// files make loose.
TEST(RealHistoryImport, TheFilesZippedTogetherMakeTheSameArchive) {
    const QString folder = QStringLiteral(VELTRANO_SHARED_DIR "/data/storico");
    if (!QDir(folder).exists())
        GTEST_SKIP() << "no real history at " << folder.toStdString();
    zip_writing::Entries entries;
    for (const auto& name : QDir(folder).entryList({"*.txt"}, QDir::Files))
        entries.emplace_back(name.toStdString(), fileBytes(QDir(folder).filePath(name)).toStdString());
    ASSERT_EQ(entries.size(), 11u);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string zip = dir.filePath("storico.zip").toStdString();
    ASSERT_TRUE(zip_writing::writeZip(zip, entries));

    std::vector<std::string> outputs;
    for (const auto& input : {zip, folder.toStdString()}) {
        outputs.push_back(dir.filePath(QString::number(outputs.size()) + ".mdb").toStdString());
        std::ostringstream out, err;
        ASSERT_EQ(storico::runImport({"--output", outputs.back(), input}, out, err), 0) << err.str();
        EXPECT_NE(out.str().find("7365 estrazioni, 76945 righe di ruota"), std::string::npos) << out.str();
    }
    const QByteArray fromZip = fileBytes(QString::fromStdString(outputs[0]));
    EXPECT_FALSE(fromZip.isEmpty());
    EXPECT_TRUE(fromZip == fileBytes(QString::fromStdString(outputs[1])));
}
