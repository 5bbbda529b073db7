// The reader helper on draw archives made by our own writer, through runArchiveQuery as the program
// calls it.

#include "ArchiveFixture.h"
#include "DoubleBits.h"
#include "ReaderRun.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using archive_fixture::drawRow;
using archive_fixture::writeArchive;

// The query the start window runs, exactly as the program has it: two parts joined as they are.
const std::string kProgramQuery =
    std::string("SELECT EstrazioniLotto.DataEstrazione, EstrazioniLotto.Ba, EstrazioniLotto.Ca, "
                "EstrazioniLotto.Fi, EstrazioniLotto.Ge, EstrazioniLotto.Mi, EstrazioniLotto.Na, "
                "EstrazioniLotto.Pa, EstrazioniLotto.Ro, EstrazioniLotto.To, EstrazioniLotto.Ve, "
                "EstrazioniLotto.Nz ") +
    "From EstrazioniLotto ORDER BY EstrazioniLotto.DataEstrazione";

class WriterArchive : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QDir dir() const { return QDir(m_dir.path()); }
    QTemporaryDir m_dir;
};

TEST_F(WriterArchive, ProgramQueryGivesDrawsInDateOrderWithTiesInTableOrder) {
    const double d1 = accessDays(2023, 1, 3);
    const double d2 = accessDays(2023, 1, 5);
    const double d3 = accessDays(2023, 1, 7);
    const std::string path = writeArchive(dir(), {drawRow(d3, "c1"), drawRow(d1, "a1"), drawRow(d2, "b1"),
                                                  drawRow(d1, "a2"), drawRow(d3, "c2"), drawRow(d1, "a3")});
    const ReaderRun run = ReaderRun::of(path, kProgramQuery);
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.started, 6);
    EXPECT_EQ(run.column(1), (std::vector<std::string>{"a1", "a2", "a3", "b1", "c1", "c2"}));
    const std::vector<double> dates = {d1, d1, d1, d2, d3, d3};
    ASSERT_EQ(run.rows.size(), dates.size());
    for (std::size_t i = 0; i < dates.size(); ++i) {
        ASSERT_EQ(run.rows[i].size(), 12u);
        EXPECT_TRUE(run.rows[i][0].isDate);
        EXPECT_EQ(run.rows[i][0].date, dates[i]) << "row " << i;
        EXPECT_EQ(run.rows[i][11].text, run.rows[i][1].text);
    }
}

TEST_F(WriterArchive, ManyEqualDatesKeepTheirTableOrder) {
    // Enough rows that an unstable sort would visibly shuffle equal dates (small inputs sort stably by luck).
    std::vector<std::vector<jet::Value>> rows;
    std::vector<std::pair<double, int>> expected;
    std::uint32_t state = 12345;
    for (int i = 0; i < 400; ++i) {
        state = state * 1103515245u + 12345u;
        const double date = accessDays(1950, 1, 1) + static_cast<double>((state >> 16) % 4) * 7;
        rows.push_back(drawRow(date, std::to_string(i)));
        expected.emplace_back(date, i);
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const ReaderRun run = ReaderRun::of(writeArchive(dir(), rows), kProgramQuery);
    ASSERT_EQ(run.error, "");
    ASSERT_EQ(run.rows.size(), expected.size());
    int misplaced = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (run.rows[i][0].date != expected[i].first ||
            run.rows[i][1].text != std::to_string(expected[i].second))
            ++misplaced;
    }
    EXPECT_EQ(misplaced, 0);
}

TEST_F(WriterArchive, EachWheelColumnArrivesInItsOwnPlace) {
    std::array<std::optional<std::string>, 11> cells;
    for (int w = 0; w < 11; ++w) {
        char text[16];
        std::snprintf(text, sizeof text, "%02d %02d %02d %02d %02d", w + 1, w + 12, w + 23, w + 34, 90 - w);
        cells[static_cast<std::size_t>(w)] = text;
    }
    const ReaderRun run =
        ReaderRun::of(writeArchive(dir(), {drawRow(accessDays(2024, 5, 14), cells)}), kProgramQuery);
    ASSERT_EQ(run.error, "");
    ASSERT_EQ(run.rows.size(), 1u);
    EXPECT_EQ(run.rows[0][0].date, accessDays(2024, 5, 14));
    for (std::size_t w = 0; w < 11; ++w)
        EXPECT_EQ(run.rows[0][w + 1].text, *cells[w]) << archive_fixture::kWheelColumns[w];
}

TEST_F(WriterArchive, DatesFrom1871ToYear9999CrossExactlyAndInOrder) {
    const std::vector<double> dates = {
        accessDays(9999, 12, 31) + 86399.0 / 86400.0, // 9999-12-31 23:59:59
        accessDays(1871, 3, 4),
        accessDays(1899, 12, 30),
        -10528.25, // a negative date with a time of day
        accessDays(9999, 12, 31),
        accessDays(1899, 12, 29),
        accessDays(1871, 1, 1),
        accessDays(2000, 2, 29) + 1.0 / 3.0,
    };
    std::vector<std::vector<jet::Value>> rows;
    for (std::size_t i = 0; i < dates.size(); ++i)
        rows.push_back(drawRow(dates[i], std::to_string(i)));
    const ReaderRun run = ReaderRun::of(writeArchive(dir(), rows), kProgramQuery);
    ASSERT_EQ(run.error, "");
    std::vector<double> sorted = dates;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(run.rows.size(), sorted.size());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        ASSERT_TRUE(run.rows[i][0].isDate);
        EXPECT_EQ(bitsOf(run.rows[i][0].date), bitsOf(sorted[i]))
            << "row " << i << ": " << run.rows[i][0].date;
        const std::size_t written = static_cast<std::size_t>(std::stoi(run.rows[i][1].text));
        EXPECT_EQ(dates[written], sorted[i]) << "the date travelled with another row's cells";
    }
}

TEST_F(WriterArchive, NullAndEmptyTextAreToldApart) {
    std::array<std::optional<std::string>, 11> cells;
    cells.fill(std::string("01 02 03 04 05"));
    cells[0] = std::nullopt;
    cells[1] = std::string();
    cells[10] = std::nullopt;
    std::vector<std::vector<jet::Value>> rows = {drawRow(accessDays(2020, 1, 2), cells)};
    // A draw without a date comes first, as Access orders NULL before any value.
    std::vector<jet::Value> undated = drawRow(0, "senza data");
    undated[0] = jet::JetNull{};
    rows.push_back(undated);
    const ReaderRun run = ReaderRun::of(writeArchive(dir(), rows), kProgramQuery);
    ASSERT_EQ(run.error, "");
    ASSERT_EQ(run.rows.size(), 2u);
    EXPECT_TRUE(run.rows[0][0].isNull);
    EXPECT_FALSE(run.rows[0][0].isDate);
    EXPECT_EQ(run.rows[0][1].text, "senza data");
    const auto& row = run.rows[1];
    EXPECT_TRUE(row[1].isNull);
    EXPECT_FALSE(row[2].isNull);
    EXPECT_EQ(row[2].text, "");
    EXPECT_FALSE(row[3].isNull);
    EXPECT_EQ(row[3].text, "01 02 03 04 05");
    EXPECT_TRUE(row[11].isNull);
}

TEST_F(WriterArchive, AccentedAndSpecialTextArrivesAsUtf8) {
    const std::array<std::optional<std::string>, 11> cells = {
        std::string("àèìòù"),       std::string("Perché così"), std::string("5€ più IVA"),
        std::string("ÀÉÎÕÜ ß"),     std::string("a\tb"),        std::string("back\\slash"),
        std::string("riga\nnuova"), std::string("\"quoted\""),  std::string("Ωμέγα"),
        std::string("  spazi  "),   std::string("ĀŁŒ")};
    const ReaderRun run =
        ReaderRun::of(writeArchive(dir(), {drawRow(accessDays(2021, 6, 1), cells)}), kProgramQuery);
    ASSERT_EQ(run.error, "");
    ASSERT_EQ(run.rows.size(), 1u);
    for (std::size_t w = 0; w < 11; ++w)
        EXPECT_EQ(run.rows[0][w + 1].text, *cells[w]);
}

TEST_F(WriterArchive, TextOrderIgnoresCaseAndKeepsTableOrderForEqualKeys) {
    std::vector<std::vector<jet::Value>> rows;
    const std::vector<std::string> keys = {"b", "A", "à", "a", "B", "c", "Z", "z"};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        std::array<std::optional<std::string>, 11> cells;
        cells[0] = keys[i];
        cells[1] = std::to_string(i);
        rows.push_back(drawRow(accessDays(2022, 1, 1), cells));
    }
    const ReaderRun run =
        ReaderRun::of(writeArchive(dir(), rows), "SELECT Ba, Ca From EstrazioniLotto ORDER BY Ba");
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.column(0), (std::vector<std::string>{"A", "a", "b", "B", "c", "Z", "z", "à"}));
    EXPECT_EQ(run.column(1), (std::vector<std::string>{"1", "3", "0", "4", "5", "6", "7", "2"}));
}

TEST_F(WriterArchive, NumberOrderIsByValueWithNullFirst) {
    jet::TableSpec table;
    table.name = "Numeri";
    table.columns = {{"n", jet::ColumnType::Long, 0}, {"etichetta", jet::ColumnType::Text, 20}};
    const std::vector<std::optional<std::int32_t>> values = {
        10, 9, -1, 100, std::nullopt, 9, -2147483647 - 1};
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::vector<jet::Value> row;
        if (values[i])
            row.push_back(*values[i]);
        else
            row.push_back(jet::JetNull{});
        row.push_back(std::to_string(i));
        table.rows.push_back(row);
    }
    const std::string path = archive_fixture::writeDatabase(dir(), "numeri.mdb", {table});
    const ReaderRun run =
        ReaderRun::of(path, "SELECT Numeri.n, Numeri.etichetta From Numeri ORDER BY Numeri.n");
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.column(0),
              (std::vector<std::string>{"<NULL>", "-2147483648", "-1", "9", "9", "10", "100"}));
    EXPECT_EQ(run.column(1), (std::vector<std::string>{"4", "6", "2", "1", "5", "0", "3"}));
}

TEST_F(WriterArchive, ThousandsOfRowsStreamInOrderAfterOneCount) {
    // Written newest first, so every row has to move; more rows than one pipe buffer holds.
    const int count = 3000;
    std::vector<std::vector<jet::Value>> rows;
    for (int i = count; i >= 1; --i)
        rows.push_back(drawRow(accessDays(1990, 1, 1) + i, std::to_string(i)));
    const std::string path = writeArchive(dir(), rows);

    std::vector<std::pair<long long, long long>> reading;
    int startedCalls = 0;
    int startedWith = -1;
    int rowsBeforeStart = 0;
    int previous = 0;
    int outOfOrder = 0;
    int seen = 0;
    jet::QueryCallbacks callbacks;
    callbacks.reading = [&](long long read, long long expected) {
        EXPECT_EQ(startedCalls, 0) << "news of the reading after the count";
        reading.emplace_back(read, expected);
    };
    callbacks.started = [&](int n) {
        ++startedCalls;
        startedWith = n;
    };
    callbacks.row = [&](const std::vector<jet::QueryField>& row) {
        if (startedCalls == 0)
            ++rowsBeforeStart;
        const int label = std::stoi(row.at(1).text);
        if (label != previous + 1 || row.at(0).date != accessDays(1990, 1, 1) + label)
            ++outOfOrder;
        previous = label;
        ++seen;
    };
    ASSERT_NO_THROW(jet::runArchiveQuery(ReaderRun::readerProgram(), path, kProgramQuery, callbacks));
    EXPECT_EQ(startedCalls, 1);
    EXPECT_EQ(startedWith, count);
    EXPECT_EQ(rowsBeforeStart, 0);
    EXPECT_EQ(seen, count);
    EXPECT_EQ(outOfOrder, 0);
    // The reader tells at once that it has started, with the table's own row count.
    ASSERT_FALSE(reading.empty());
    EXPECT_EQ(reading.front(), std::make_pair(0LL, static_cast<long long>(count)));
    EXPECT_TRUE(std::is_sorted(reading.begin(), reading.end()));
    EXPECT_LE(reading.back().first, count);
}

TEST_F(WriterArchive, NamesMatchWithoutRegardToCase) {
    const std::string path = writeArchive(dir(), {drawRow(accessDays(2020, 1, 1), "x")});
    const ReaderRun run =
        ReaderRun::of(path, "select estrazionilotto.DATAESTRAZIONE, nz FROM ESTRAZIONILOTTO "
                            "order by EstrazioniLotto.dataestrazione");
    ASSERT_EQ(run.error, "");
    ASSERT_EQ(run.rows.size(), 1u);
    EXPECT_EQ(run.rows[0][1].text, "x");
}

TEST_F(WriterArchive, UnknownTableOrColumnIsAnErrorNamingIt) {
    const std::string path = writeArchive(dir(), {drawRow(accessDays(2020, 1, 1), "x")});
    const ReaderRun table =
        ReaderRun::of(path, "SELECT Estrazioni.Ba From Estrazioni ORDER BY Estrazioni.Ba");
    EXPECT_NE(table.error.find("Estrazioni"), std::string::npos) << table.error;
    EXPECT_EQ(table.error.find("EstrazioniLotto"), std::string::npos) << table.error;
    const ReaderRun column = ReaderRun::of(path, "SELECT EstrazioniLotto.Bari From EstrazioniLotto ORDER BY "
                                                 "EstrazioniLotto.DataEstrazione");
    EXPECT_NE(column.error.find("Bari"), std::string::npos) << column.error;
    EXPECT_TRUE(column.rows.empty());
}

} // namespace
