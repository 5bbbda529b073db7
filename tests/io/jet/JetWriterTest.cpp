#include "WriterTestSupport.h"
#include "io/jet/JetBytes.h"
#include "io/jet/JetDate.h"
#include "io/jet/JetError.h"
#include "io/jet/JetText.h"

#include <climits>
#include <gtest/gtest.h>
#include <set>

using namespace writertest;
using jet::ColumnType;
using jet::JetDateValue;
using jet::JetNull;
using jet::Value;

namespace {

// libmdb's column type codes.
constexpr int kLibmdbLong = 4;
constexpr int kLibmdbDateTime = 8;
constexpr int kLibmdbText = 10;

jet::TableSpec mixedTable() {
    return table("Misto",
                 {{"Codice", ColumnType::Text, 20},
                  {"Numero", ColumnType::Long},
                  {"Data", ColumnType::DateTime},
                  {"Nota", ColumnType::Text, 255}},
                 {
                     {std::string("uno"), std::int32_t{1}, JetDateValue{jet::toJetDate(2024, 5, 14)},
                      std::string("città è più")},
                     {std::string("due"), std::int32_t{INT32_MIN}, JetDateValue{jet::toJetDate(1871, 3, 4)},
                      std::string("")},
                     {std::string("tre"), std::int32_t{INT32_MAX}, JetNull{}, JetNull{}},
                     {std::string("quattro"), JetNull{},
                      JetDateValue{jet::toJetDate(jet::CivilDateTime{9999, 12, 31, 23, 59, 59})},
                      std::string("Prezzo 5€ più IVA")},
                 },
                 "Codice");
}

double storedDouble(const Cell& c) {
    return c.raw.size() == 8 ? jet::getDouble(c.raw.data()) : -1e300;
}

std::int32_t storedLong(const Cell& c) {
    return c.raw.size() == 4 ? static_cast<std::int32_t>(jet::getU32(c.raw.data())) : 0;
}

bool compressed(const Cell& c) {
    return c.raw.size() >= 2 && c.raw[0] == 0xFF && c.raw[1] == 0xFE;
}

} // namespace

TEST(JetWriterLibmdb, CatalogListsTheUserTablesOnly) {
    QTemporaryDir dir;
    const std::string path = writeIn(dir, "t.mdb",
                                     database({mixedTable(), table("Seconda", {{"A", ColumnType::Long}}),
                                               table("Terza tabella", {{"B", ColumnType::Text, 5}})}));
    EXPECT_EQ(libmdbUserTables(path), (std::vector<std::string>{"Misto", "Seconda", "Terza tabella"}));
    // The catalog itself is there, as a system table.
    const TableContent catalog = readWithLibmdb(path, "MSysObjects");
    ASSERT_TRUE(catalog.found);
    const int name = columnIndex(catalog, "Name");
    const int flags = columnIndex(catalog, "Flags");
    ASSERT_GE(name, 0);
    ASSERT_GE(flags, 0);
    bool sawItself = false;
    for (const auto& row : catalog.rows)
        if (row[static_cast<std::size_t>(name)].text == "MSysObjects") {
            sawItself = true;
            EXPECT_NE(
                storedLong(row[static_cast<std::size_t>(flags)]) & static_cast<std::int32_t>(0x80000000u), 0);
        }
    EXPECT_TRUE(sawItself);
    EXPECT_EQ(catalog.columns.size(), 17u);
}

TEST(JetWriterLibmdb, ColumnsKeepNamesTypesAndSizes) {
    QTemporaryDir dir;
    const TableContent t = readWithLibmdb(writeIn(dir, "t.mdb", database({mixedTable()})), "Misto");
    ASSERT_TRUE(t.found);
    ASSERT_EQ(t.columns.size(), 4u);
    EXPECT_EQ(t.columns[0].name, "Codice");
    EXPECT_EQ(t.columns[0].type, kLibmdbText);
    EXPECT_EQ(t.columns[0].size, 40);
    EXPECT_EQ(t.columns[1].name, "Numero");
    EXPECT_EQ(t.columns[1].type, kLibmdbLong);
    EXPECT_EQ(t.columns[1].size, 4);
    EXPECT_EQ(t.columns[2].name, "Data");
    EXPECT_EQ(t.columns[2].type, kLibmdbDateTime);
    EXPECT_EQ(t.columns[2].size, 8);
    EXPECT_EQ(t.columns[3].name, "Nota");
    EXPECT_EQ(t.columns[3].size, 510);
}

TEST(JetWriterLibmdb, ValuesComeBackInRowOrder) {
    QTemporaryDir dir;
    const jet::TableSpec spec = mixedTable();
    const TableContent t = readWithLibmdb(writeIn(dir, "t.mdb", database({spec})), "Misto");
    ASSERT_EQ(t.rows.size(), spec.rows.size());
    EXPECT_EQ(t.declaredRows, spec.rows.size());
    for (std::size_t r = 0; r < spec.rows.size(); ++r) {
        const auto& want = spec.rows[r];
        const auto& got = t.rows[r];
        EXPECT_EQ(got[0].text, std::get<std::string>(want[0]));
        if (const auto* n = std::get_if<std::int32_t>(&want[1])) {
            EXPECT_EQ(storedLong(got[1]), *n);
        }
        if (const auto* d = std::get_if<JetDateValue>(&want[2])) {
            EXPECT_EQ(storedDouble(got[2]), d->days);
        }
        if (const auto* s = std::get_if<std::string>(&want[3])) {
            EXPECT_EQ(got[3].text, *s);
        }
    }
    EXPECT_EQ(t.rows[0][1].text, "1");
    EXPECT_EQ(t.rows[1][1].text, "-2147483648");
}

TEST(JetWriterLibmdb, NullAndEmptyTextStayDistinct) {
    QTemporaryDir dir;
    const TableContent t = readWithLibmdb(writeIn(dir, "t.mdb", database({mixedTable()})), "Misto");
    ASSERT_EQ(t.rows.size(), 4u);
    EXPECT_FALSE(t.rows[0][3].isNull);
    EXPECT_FALSE(t.rows[1][3].isNull); // ""
    EXPECT_EQ(t.rows[1][3].text, "");
    EXPECT_TRUE(t.rows[2][3].isNull);
    EXPECT_TRUE(t.rows[2][2].isNull); // NULL date
    EXPECT_TRUE(t.rows[3][1].isNull); // NULL long
    EXPECT_FALSE(t.rows[3][2].isNull);
}

TEST(JetWriterLibmdb, TextIsCompressedOnlyWhereShorter) {
    QTemporaryDir dir;
    const std::vector<std::string> texts = {"Lotto", "città", "ab", "€€€", "Prezzo 5€ più IVA", "αβγδ", "x"};
    std::vector<std::vector<Value>> rows;
    for (const auto& s : texts)
        rows.push_back({s});
    const TableContent t = readWithLibmdb(
        writeIn(dir, "t.mdb", database({table("Testi", {{"T", ColumnType::Text, 100}}, rows)})), "Testi");
    ASSERT_EQ(t.rows.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(t.rows[i][0].text, texts[i]);
        const std::size_t units = jet::utf8ToUcs2(texts[i]).size();
        EXPECT_LE(t.rows[i][0].raw.size(), 2 * units) << texts[i];
    }
    EXPECT_TRUE(compressed(t.rows[0][0]));
    EXPECT_TRUE(compressed(t.rows[1][0]));
    EXPECT_FALSE(compressed(t.rows[2][0]));
    EXPECT_FALSE(compressed(t.rows[3][0]));
    EXPECT_TRUE(compressed(t.rows[4][0]));
    EXPECT_FALSE(compressed(t.rows[5][0]));
}

TEST(JetWriterLibmdb, DatesBefore1900AndInYear9999KeepTheirValue) {
    QTemporaryDir dir;
    const std::vector<jet::CivilDateTime> dates = {{1871, 1, 1, 0, 0, 0},   {1899, 12, 29, 6, 0, 0},
                                                   {1899, 12, 30, 0, 0, 0}, {1900, 3, 1, 12, 0, 0},
                                                   {2024, 5, 14, 20, 0, 0}, {9999, 12, 31, 23, 59, 59}};
    std::vector<std::vector<Value>> rows;
    for (const auto& d : dates)
        rows.push_back({JetDateValue{jet::toJetDate(d)}});
    const TableContent t = readWithLibmdb(
        writeIn(dir, "t.mdb", database({table("Date", {{"D", ColumnType::DateTime}}, rows)})), "Date");
    ASSERT_EQ(t.rows.size(), dates.size());
    for (std::size_t i = 0; i < dates.size(); ++i) {
        const jet::CivilDateTime back = jet::fromJetDate(storedDouble(t.rows[i][0]));
        EXPECT_EQ(back.year, dates[i].year);
        EXPECT_EQ(back.month, dates[i].month);
        EXPECT_EQ(back.day, dates[i].day);
        EXPECT_EQ(back.hour, dates[i].hour);
        EXPECT_EQ(back.second, dates[i].second);
    }
}

TEST(JetWriterLibmdb, TenThousandRowsSpreadOverManyPagesComeBackInOrder) {
    QTemporaryDir dir;
    std::vector<std::vector<Value>> rows;
    for (int i = 0; i < 12000; ++i)
        rows.push_back({std::int32_t{i}, JetDateValue{jet::toJetDate(1871, 1, 1) + 3 * i},
                        "C" + std::to_string(i) + (i % 7 == 0 ? " è" : "")});
    const std::string path = writeIn(
        dir, "big.mdb",
        database({table(
            "Grande",
            {{"Id", ColumnType::Long}, {"Data", ColumnType::DateTime}, {"Codice", ColumnType::Text, 20}},
            rows, "Codice")}));
    const TableContent t = readWithLibmdb(path, "Grande");
    ASSERT_EQ(t.rows.size(), rows.size());
    EXPECT_EQ(t.declaredRows, rows.size());
    std::set<std::uint32_t> pages;
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        ASSERT_EQ(storedLong(t.rows[i][0]), static_cast<std::int32_t>(i));
        ASSERT_EQ(t.rows[i][2].text, std::get<std::string>(rows[i][2]));
        ASSERT_EQ(storedDouble(t.rows[i][1]), std::get<JetDateValue>(rows[i][1]).days);
        pages.insert(t.locations[i].first);
    }
    EXPECT_GT(pages.size(), 50u);
}

TEST(JetWriterLibmdb, TableBeyondOneInlineMapUsesAReferenceMap) {
    QTemporaryDir dir;
    // Rows of about 500 bytes (Greek text stays two bytes a character): eight to a page, so 4500
    // rows take well over 512 pages.
    std::vector<std::vector<Value>> rows;
    for (int i = 0; i < 4500; ++i)
        rows.push_back(
            {std::int32_t{i}, jet::ucs2ToUtf8(std::u16string(250, static_cast<char16_t>(0x3B1 + i % 20)))});
    const std::string path = writeIn(
        dir, "wide.mdb",
        database({table("Larga", {{"Id", ColumnType::Long}, {"Testo", ColumnType::Text, 255}}, rows)}));
    const QByteArray file = readFile(path);
    ASSERT_GT(pageCount(file), 512u);

    const TableContent t = readWithLibmdb(path, "Larga");
    ASSERT_EQ(t.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); i += 97)
        EXPECT_EQ(t.rows[i][1].text, std::get<std::string>(rows[i][1]));
    EXPECT_EQ(storedLong(t.rows.back()[0]), 4499);

    // The owned-pages map of the table definition is a type-1 row naming bitmap pages.
    const std::uint32_t definition = jet::getU32(pageOf(file, t.locations.front().first) + 4);
    ASSERT_EQ(pageOf(file, definition)[0], 0x02);
    const std::uint32_t ownedMap = jet::getU32(pageOf(file, definition) + 55);
    const std::uint8_t* mapPage = pageOf(file, ownedMap >> 8);
    const std::uint32_t slot = ownedMap & 0xFF;
    const std::uint8_t* map = mapPage + (jet::getU16(mapPage + 14 + 2 * slot) & 0x1FFF);
    EXPECT_EQ(map[0], 0x01);
    const std::uint32_t bitmapPage = jet::getU32(map + 1);
    ASSERT_GT(bitmapPage, 0u);
    ASSERT_LT(bitmapPage, pageCount(file));
    EXPECT_EQ(pageOf(file, bitmapPage)[0], 0x05);
    // Exactly the table's data pages have their bit set.
    std::set<std::uint32_t> dataPages;
    for (const auto& loc : t.locations)
        dataPages.insert(loc.first);
    EXPECT_EQ(usageMapPages(file, ownedMap), dataPages);
}

TEST(JetWriterLibmdb, EveryDataPageNamesItsTable) {
    QTemporaryDir dir;
    std::vector<std::vector<Value>> rows;
    for (int i = 0; i < 3000; ++i)
        rows.push_back({std::string("riga ") + std::to_string(i)});
    const std::string path = writeIn(dir, "t.mdb",
                                     database({table("Prima", {{"T", ColumnType::Text, 50}}, rows),
                                               table("Seconda", {{"T", ColumnType::Text, 50}}, rows)}));
    const QByteArray file = readFile(path);
    std::set<std::uint32_t> owners;
    for (const char* name : {"Prima", "Seconda"}) {
        const TableContent t = readWithLibmdb(path, name);
        ASSERT_EQ(t.rows.size(), rows.size());
        std::set<std::uint32_t> tableOwners;
        for (const auto& loc : t.locations) {
            const std::uint8_t* page = pageOf(file, loc.first);
            EXPECT_EQ(page[0], 0x01);
            tableOwners.insert(jet::getU32(page + 4));
        }
        ASSERT_EQ(tableOwners.size(), 1u);
        const std::uint32_t definition = *tableOwners.begin();
        EXPECT_EQ(pageOf(file, definition)[0], 0x02);
        EXPECT_EQ(jet::getU32(pageOf(file, definition) + 16), rows.size());
        // The owned-pages map lists exactly the data pages; the free-space map at most the last one.
        std::set<std::uint32_t> dataPages;
        for (const auto& loc : t.locations)
            dataPages.insert(loc.first);
        EXPECT_EQ(usageMapPages(file, jet::getU32(pageOf(file, definition) + 55)), dataPages);
        const std::set<std::uint32_t> roomy = usageMapPages(file, jet::getU32(pageOf(file, definition) + 59));
        EXPECT_LE(roomy.size(), 1u);
        if (!roomy.empty()) {
            EXPECT_EQ(*roomy.begin(), *dataPages.rbegin());
        }
        owners.insert(definition);
    }
    EXPECT_EQ(owners.size(), 2u);
}

TEST(JetWriterLibmdb, TablesWithoutRowsOrWithoutTextColumnsAreRead) {
    QTemporaryDir dir;
    const std::string path =
        writeIn(dir, "t.mdb",
                database({table("Vuota", {{"A", ColumnType::Text, 10}, {"B", ColumnType::Long}}),
                          table("Numeri", {{"A", ColumnType::Long}, {"B", ColumnType::DateTime}},
                                {{std::int32_t{7}, JetDateValue{2.5}},
                                 {JetNull{}, JetNull{}},
                                 {std::int32_t{-7}, JetNull{}}})}));
    const TableContent empty = readWithLibmdb(path, "Vuota");
    ASSERT_TRUE(empty.found);
    EXPECT_TRUE(empty.rows.empty());
    EXPECT_EQ(empty.declaredRows, 0u);
    const TableContent numbers = readWithLibmdb(path, "Numeri");
    ASSERT_EQ(numbers.rows.size(), 3u);
    EXPECT_EQ(storedLong(numbers.rows[0][0]), 7);
    EXPECT_EQ(storedDouble(numbers.rows[0][1]), 2.5);
    EXPECT_TRUE(numbers.rows[1][0].isNull);
    EXPECT_TRUE(numbers.rows[1][1].isNull);
    EXPECT_EQ(storedLong(numbers.rows[2][0]), -7);
    EXPECT_TRUE(numbers.rows[2][1].isNull);
}

TEST(JetWriterLibmdb, PrimaryKeyIsDeclaredOnItsColumn) {
    QTemporaryDir dir;
    const TableContent t = readWithLibmdb(writeIn(dir, "t.mdb", database({mixedTable()})), "Misto");
    ASSERT_EQ(t.indexes.size(), 1u);
    EXPECT_EQ(t.indexes[0].name, "PrimaryKey");
    EXPECT_EQ(t.indexes[0].type, 1);
    EXPECT_EQ(t.indexes[0].keyColumns, (std::vector<int>{1}));
    EXPECT_NE(t.indexes[0].flags & 0x01u, 0u); // unique
    const TableContent noKey =
        readWithLibmdb(writeIn(dir, "n.mdb", database({table("SenzaChiave", {{"A", ColumnType::Text, 10}})})),
                       "SenzaChiave");
    EXPECT_TRUE(noKey.indexes.empty());
}

TEST(JetWriterFileMap, PageOneMarksOnlyPagesPastTheEndAsFree) {
    QTemporaryDir dir;
    for (int rowsCount : {1, 20000}) {
        std::vector<std::vector<Value>> rows;
        for (int i = 0; i < rowsCount; ++i)
            rows.push_back({std::string("k") + std::to_string(i)});
        const QByteArray file =
            readFile(writeIn(dir, "m.mdb", database({table("T", {{"K", ColumnType::Text, 20}}, rows, "K")})));
        const std::uint8_t* page = pageOf(file, 1);
        ASSERT_EQ(page[0], 0x01);
        ASSERT_EQ(jet::getU16(page + 12), 2u);
        const std::size_t start = jet::getU16(page + 14) & 0x1FFF;
        const std::size_t bitmapBytes = 4096 - start - 5;
        const std::uint8_t* map = page + start;
        EXPECT_EQ(map[0], 0x00);
        EXPECT_EQ(jet::getU32(map + 1), 0u);
        ASSERT_GE(bitmapBytes * 8, pageCount(file));
        for (std::uint32_t p = 0; p < bitmapBytes * 8; ++p) {
            const bool free = map[5 + p / 8] & (1u << (p % 8));
            ASSERT_EQ(free, p >= pageCount(file)) << "page " << p << " of " << pageCount(file);
        }
    }
}

TEST(JetWriterFile, ReplacesAnExistingFileWhole) {
    QTemporaryDir dir;
    std::vector<std::vector<Value>> many;
    for (int i = 0; i < 5000; ++i)
        many.push_back({std::to_string(i)});
    const std::string path =
        writeIn(dir, "t.mdb", database({table("Vecchia", {{"A", ColumnType::Text, 10}}, many)}));
    const auto bigSize = readFile(path).size();
    writeIn(dir, "t.mdb", database({table("Nuova", {{"A", ColumnType::Text, 10}})}));
    EXPECT_LT(readFile(path).size(), bigSize);
    EXPECT_EQ(libmdbUserTables(path), (std::vector<std::string>{"Nuova"}));
    EXPECT_EQ(filesIn(dir), QStringList{"t.mdb"});
}
