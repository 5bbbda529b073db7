// Table-type recordsets on databases our writer made: seek, field reads, and in-place text updates
// checked byte by byte and through libmdb.
#include "TableTestSupport.h"
#include "WriterTestSupport.h"
#include "io/jet/JetDatabase.h"
#include "io/jet/JetDate.h"
#include "io/jet/JetError.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace tabletest;
using jet::ColumnType;
using jet::JetNull;
using jet::Value;

namespace {

using TextRows = std::vector<std::vector<std::optional<std::string>>>;

TextRows libmdbTexts(const std::string& path, const std::string& tableName) {
    const writertest::TableContent content = writertest::readWithLibmdb(path, tableName);
    TextRows rows;
    for (const auto& row : content.rows) {
        std::vector<std::optional<std::string>> values;
        for (const auto& cell : row) {
            values.push_back(cell.isNull ? std::nullopt : std::optional<std::string>(cell.text));
        }
        rows.push_back(values);
    }
    return rows;
}

// The rows with one field of the row whose first column is key set to value.
TextRows withField(TextRows rows, const std::string& key, std::size_t column,
                   const std::optional<std::string>& value) {
    for (auto& row : rows) {
        if (row[0] == key) {
            row[column] = value;
        }
    }
    return rows;
}

// A data page's slots as the file holds them: flag bits and row bytes, by slot number.
struct PageSlots {
    std::vector<std::uint16_t> flags;
    std::vector<QByteArray> rows;
    std::uint16_t freeSpace = 0;
    std::vector<int> starts;
};

PageSlots slotsOf(const QByteArray& file, std::uint32_t page) {
    const qsizetype base = qsizetype{page} * 4096;
    PageSlots result;
    result.freeSpace = u16At(file, base + 2);
    const int count = u16At(file, base + 12);
    int end = 4096;
    for (int i = 0; i < count; ++i) {
        const std::uint16_t word = u16At(file, base + 14 + 2 * i);
        const int start = word & 0x1FFF;
        result.flags.push_back(word & 0xE000);
        result.starts.push_back(start);
        result.rows.push_back(file.mid(base + start, end - start));
        end = start;
    }
    return result;
}

std::pair<std::uint32_t, int> locationOf(const std::string& path, const std::string& tableName,
                                         const std::string& key) {
    const writertest::TableContent content = writertest::readWithLibmdb(path, tableName);
    for (std::size_t i = 0; i < content.rows.size(); ++i) {
        if (content.rows[i][0].text == key) {
            return content.locations[i];
        }
    }
    return {0, -1};
}

class TableRecordsetUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        std::vector<std::vector<Value>> parameters = {
            {std::string("PercorsoArchivio"), std::string("C:\\Lotto\\Dbarcomax.mdb"), JetNull{}},
            {std::string("EstrazioneIniziale"), std::string("1"), JetNull{}},
            {std::string("Senza valore"), JetNull{}, JetNull{}},
            {std::string("Città"), std::string("già più"), std::string("")},
        };
        for (int i = 0; i < 20; ++i) {
            parameters.push_back(
                {"Riempitivo" + std::to_string(i), "valore " + std::to_string(i * 7), JetNull{}});
        }
        m_path = writertest::writeIn(
            m_dir, "DbVeltrano.mdb",
            writertest::database(
                {writertest::table("ParametriProgramma",
                                   {{"Parametro", ColumnType::Text, 50},
                                    {"Valore1", ColumnType::Text, 255},
                                    {"Valore2", ColumnType::Text, 255}},
                                   parameters, "Parametro"),
                 writertest::table(
                     "Giocate",
                     {{"Numero", ColumnType::Long},
                      {"Data", ColumnType::DateTime},
                      {"Nota", ColumnType::Text, 100}},
                     {{std::int32_t{7}, jet::JetDateValue{45426.0}, std::string("prima giocata")},
                      {std::int32_t{-3}, jet::JetDateValue{-10528.25}, JetNull{}}})},
                kPassword));
    }

    std::shared_ptr<jet::JetDatabase> open() const { return jet::JetDatabase::open(m_path, kPassword); }

    static std::unique_ptr<jet::TableRecordset> parameters(const std::shared_ptr<jet::JetDatabase>& db) {
        auto table = db->openTable("ParametriProgramma");
        table->setIndex("PrimaryKey");
        return table;
    }

    void setValore1(const std::string& key, const std::optional<std::string>& value) const {
        auto table = parameters(open());
        ASSERT_TRUE(table->seek(key)) << key;
        table->edit();
        table->setField("Valore1", value);
        table->update();
    }

    QTemporaryDir m_dir;
    std::string m_path;
};

} // namespace

TEST_F(TableRecordsetUpdate, ReadsEveryFieldAsLibmdbDoes) {
    const TextRows expected = libmdbTexts(m_path, "ParametriProgramma");
    ASSERT_EQ(expected.size(), 24u);
    auto table = parameters(open());
    for (const auto& row : expected) {
        ASSERT_TRUE(table->seek(*row[0]));
        EXPECT_EQ(table->field("Parametro"), row[0]);
        EXPECT_EQ(table->field("Valore1"), row[1]) << *row[0];
        EXPECT_EQ(table->field("valore2"), row[2]) << *row[0];
    }
    auto games = open()->openTable("Giocate");
    EXPECT_EQ(games->field("Numero"), "7");
    EXPECT_EQ(games->field("Data"), "2024-05-14 00:00:00");
    EXPECT_EQ(games->field("Nota"), "prima giocata");
}

TEST_F(TableRecordsetUpdate, DatesAndNumbersReadAsText) {
    // A recordset starts on its table's first row: one table per value.
    const std::vector<std::pair<Value, std::string>> cases = {
        {jet::JetDateValue{jet::toJetDate(jet::CivilDateTime{1871, 3, 4, 6, 0, 0})}, "1871-03-04 06:00:00"},
        {jet::JetDateValue{jet::toJetDate(jet::CivilDateTime{1899, 12, 29, 23, 59, 59})},
         "1899-12-29 23:59:59"},
        {jet::JetDateValue{jet::toJetDate(jet::CivilDateTime{9999, 12, 31, 23, 59, 59})},
         "9999-12-31 23:59:59"},
        {jet::JetDateValue{jet::toJetDate(2000, 2, 29)}, "2000-02-29 00:00:00"},
        {std::int32_t{-2147483647 - 1}, "-2147483648"},
        {std::int32_t{2147483647}, "2147483647"},
    };
    std::vector<jet::TableSpec> tables;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const bool isDate = std::holds_alternative<jet::JetDateValue>(cases[i].first);
        tables.push_back(writertest::table("T" + std::to_string(i),
                                           {{"Valore", isDate ? ColumnType::DateTime : ColumnType::Long}},
                                           {{cases[i].first}}));
    }
    const std::string path = writertest::writeIn(m_dir, "valori.mdb", writertest::database(tables));
    const auto db = jet::JetDatabase::open(path, "");
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(db->openTable("T" + std::to_string(i))->field("Valore"), cases[i].second);
    }
}

TEST_F(TableRecordsetUpdate, TwoUpdatesInOneRunThenReopenReadBackEverywhere) {
    const TextRows before = libmdbTexts(m_path, "ParametriProgramma");
    const TextRows gamesBefore = libmdbTexts(m_path, "Giocate");
    const std::string first = "D:\\Primo\\Dbarcomax.mdb";
    const std::string second = "E:\\Un percorso più lungo del primo\\Dbarcomax.mdb";
    {
        auto table = parameters(open());
        ASSERT_TRUE(table->seek("percorsoarchivio"));
        table->edit();
        table->setField("Valore1", first);
        table->update();
        EXPECT_EQ(table->field("Valore1"), first);
        table->edit();
        table->setField("Valore1", second);
        table->update();
        EXPECT_EQ(table->field("Valore1"), second);
        EXPECT_EQ(table->field("Parametro"), "PercorsoArchivio");
        ASSERT_TRUE(table->seek("EstrazioneIniziale"));
        EXPECT_EQ(table->field("Valore1"), "1");
    }
    auto reopened = parameters(open());
    ASSERT_TRUE(reopened->seek("PERCORSOARCHIVIO"));
    EXPECT_EQ(reopened->field("Valore1"), second);
    EXPECT_EQ(libmdbTexts(m_path, "ParametriProgramma"), withField(before, "PercorsoArchivio", 1, second));
    EXPECT_EQ(libmdbTexts(m_path, "Giocate"), gamesBefore);
}

TEST_F(TableRecordsetUpdate, ShorterValueIsWrittenInPlaceChangingOnlyItsRowBytes) {
    const auto [page, slot] = locationOf(m_path, "ParametriProgramma", "PercorsoArchivio");
    ASSERT_GE(slot, 0);
    const QByteArray before = fileBytes(m_path);
    const PageSlots slotsBefore = slotsOf(before, page);

    setValore1("PercorsoArchivio", "X");

    const QByteArray after = fileBytes(m_path);
    EXPECT_EQ(changedPages(before, after), std::set<int>{static_cast<int>(page)});
    const PageSlots slotsAfter = slotsOf(after, page);
    EXPECT_EQ(slotsAfter.starts, slotsBefore.starts);
    EXPECT_EQ(slotsAfter.flags, slotsBefore.flags);
    EXPECT_EQ(slotsAfter.freeSpace, slotsBefore.freeSpace);
    const qsizetype rowStart = qsizetype{page} * 4096 + slotsBefore.starts[static_cast<std::size_t>(slot)];
    const qsizetype rowEnd = rowStart + slotsBefore.rows[static_cast<std::size_t>(slot)].size();
    EXPECT_EQ(after.left(rowStart), before.left(rowStart));
    EXPECT_EQ(after.mid(rowEnd), before.mid(rowEnd));
    EXPECT_EQ(locationOf(m_path, "ParametriProgramma", "PercorsoArchivio"), std::make_pair(page, slot));
    auto table = parameters(open());
    ASSERT_TRUE(table->seek("PercorsoArchivio"));
    EXPECT_EQ(table->field("Valore1"), "X");
}

TEST_F(TableRecordsetUpdate, LongerValueRelaysThePageKeepingEveryOtherRowAndSlot) {
    const TextRows rowsBefore = libmdbTexts(m_path, "ParametriProgramma");
    const auto [page, slot] = locationOf(m_path, "ParametriProgramma", "EstrazioneIniziale");
    ASSERT_GE(slot, 0);
    const QByteArray before = fileBytes(m_path);
    const PageSlots slotsBefore = slotsOf(before, page);
    const std::string longer = "àèìòù " + std::string(240, 'L');

    setValore1("EstrazioneIniziale", longer);

    const QByteArray after = fileBytes(m_path);
    EXPECT_EQ(changedPages(before, after), std::set<int>{static_cast<int>(page)});
    const PageSlots slotsAfter = slotsOf(after, page);
    ASSERT_EQ(slotsAfter.rows.size(), slotsBefore.rows.size());
    EXPECT_EQ(slotsAfter.flags, slotsBefore.flags);
    for (std::size_t i = 0; i < slotsBefore.rows.size(); ++i) {
        if (static_cast<int>(i) != slot) {
            EXPECT_EQ(slotsAfter.rows[i], slotsBefore.rows[i]) << "slot " << i;
        }
    }
    const auto index = static_cast<std::size_t>(slot);
    const int growth =
        static_cast<int>(slotsAfter.rows[index].size()) - static_cast<int>(slotsBefore.rows[index].size());
    EXPECT_GT(growth, 200);
    EXPECT_EQ(slotsAfter.freeSpace, slotsBefore.freeSpace - growth);
    const int lowest = *std::min_element(slotsAfter.starts.begin(), slotsAfter.starts.end());
    EXPECT_EQ(slotsAfter.freeSpace, lowest - (14 + 2 * static_cast<int>(slotsAfter.rows.size())));
    EXPECT_EQ(libmdbTexts(m_path, "ParametriProgramma"),
              withField(rowsBefore, "EstrazioneIniziale", 1, longer));
}

TEST_F(TableRecordsetUpdate, ValueLongerThanTheColumnIsRefusedAndTheFileIsUntouched) {
    const QByteArray before = fileBytes(m_path);
    const QStringList filesBefore = writertest::filesIn(m_dir);
    auto table = parameters(open());
    ASSERT_TRUE(table->seek("PercorsoArchivio"));
    table->edit();
    table->setField("Valore1", std::string(256, 'x'));
    EXPECT_THROW(table->update(), jet::JetError);
    EXPECT_EQ(fileBytes(m_path), before);
    EXPECT_EQ(writertest::filesIn(m_dir), filesBefore);

    // Exactly the column's length fits, also in characters that take two bytes each.
    std::string euros;
    for (int i = 0; i < 255; ++i) {
        euros += "€";
    }
    table->edit();
    table->setField("Valore1", euros);
    table->update();
    EXPECT_EQ(table->field("Valore1"), euros);
    const TextRows rows = libmdbTexts(m_path, "ParametriProgramma");
    const auto found =
        std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r[0] == "PercorsoArchivio"; });
    ASSERT_NE(found, rows.end());
    EXPECT_EQ((*found)[1], euros);
}

TEST_F(TableRecordsetUpdate, NullBecomesValueAndValueBecomesNullOrEmpty) {
    auto table = parameters(open());
    ASSERT_TRUE(table->seek("senza valore"));
    EXPECT_EQ(table->field("Valore1"), std::nullopt);
    table->edit();
    table->setField("Valore1", std::string("adesso c'è"));
    table->update();
    EXPECT_EQ(table->field("Valore1"), "adesso c'è");
    EXPECT_EQ(table->field("Valore2"), std::nullopt);
    TextRows rows = libmdbTexts(m_path, "ParametriProgramma");
    auto row = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r[0] == "Senza valore"; });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ((*row)[1], "adesso c'è");
    EXPECT_EQ((*row)[2], std::nullopt);

    table->edit();
    table->setField("Valore1", std::nullopt);
    table->update();
    EXPECT_EQ(table->field("Valore1"), std::nullopt);
    rows = libmdbTexts(m_path, "ParametriProgramma");
    row = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r[0] == "Senza valore"; });
    EXPECT_EQ((*row)[1], std::nullopt);

    table->edit();
    table->setField("Valore1", std::string());
    table->update();
    EXPECT_EQ(table->field("Valore1"), "");
    rows = libmdbTexts(m_path, "ParametriProgramma");
    row = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r[0] == "Senza valore"; });
    EXPECT_EQ((*row)[1], "");
}

TEST_F(TableRecordsetUpdate, EveryRecordsetOnTheDatabaseSeesTheChangeAndKeepsItsRow) {
    const auto db = open();
    auto reader = parameters(db);
    auto writer = parameters(db);
    auto games = db->openTable("Giocate");
    ASSERT_TRUE(reader->seek("EstrazioneIniziale"));
    ASSERT_TRUE(writer->seek("PercorsoArchivio"));
    writer->edit();
    writer->setField("Valore1", std::string("F:\\Nuovo\\Dbarcomax.mdb"));
    writer->update();

    EXPECT_EQ(reader->field("Parametro"), "EstrazioneIniziale");
    EXPECT_EQ(reader->field("Valore1"), "1");
    EXPECT_EQ(games->field("Nota"), "prima giocata");
    ASSERT_TRUE(reader->seek("PercorsoArchivio"));
    EXPECT_EQ(reader->field("Valore1"), "F:\\Nuovo\\Dbarcomax.mdb");
}

TEST_F(TableRecordsetUpdate, EditRulesAreEnforced) {
    const QByteArray before = fileBytes(m_path);
    auto table = parameters(open());
    ASSERT_TRUE(table->seek("PercorsoArchivio"));
    EXPECT_THROW(table->setField("Valore1", std::string("x")), jet::JetError);
    EXPECT_THROW(table->update(), jet::JetError);

    table->edit();
    table->setField("Valore1", std::string("in sospeso"));
    EXPECT_EQ(table->field("Valore1"), "in sospeso");
    try {
        table->setField("Inesistente", std::string("x"));
        FAIL() << "no error for a missing column";
    } catch (const jet::JetError& error) {
        EXPECT_NE(std::string(error.what()).find("Inesistente"), std::string::npos);
    }
    // Moving to another row drops the pending change.
    ASSERT_TRUE(table->seek("PercorsoArchivio"));
    EXPECT_EQ(table->field("Valore1"), "C:\\Lotto\\Dbarcomax.mdb");
    EXPECT_THROW(table->update(), jet::JetError);

    EXPECT_FALSE(table->seek("nessuno"));
    EXPECT_THROW(table->edit(), jet::JetError);

    auto games = open()->openTable("Giocate");
    games->edit();
    EXPECT_THROW(games->setField("Numero", std::string("8")), jet::JetError);
    EXPECT_THROW(games->setField("Data", std::string("2024-01-01")), jet::JetError);
    EXPECT_EQ(fileBytes(m_path), before);
}

TEST_F(TableRecordsetUpdate, KeyColumnCanOnlyKeepItsValue) {
    const QByteArray before = fileBytes(m_path);
    auto table = parameters(open());
    ASSERT_TRUE(table->seek("PercorsoArchivio"));
    table->edit();
    table->setField("Parametro", std::string("AltroNome"));
    EXPECT_THROW(table->update(), jet::JetError);
    EXPECT_EQ(fileBytes(m_path), before);

    table->edit();
    table->setField("Parametro", std::string("PercorsoArchivio"));
    table->setField("Valore1", std::string("G:\\Dbarcomax.mdb"));
    table->update();
    EXPECT_EQ(table->field("Valore1"), "G:\\Dbarcomax.mdb");
}

TEST_F(TableRecordsetUpdate, RowChangedByAnotherProgramIsNotOverwritten) {
    auto mine = parameters(open());
    ASSERT_TRUE(mine->seek("PercorsoArchivio"));
    setValore1("PercorsoArchivio", "scritto da un altro");
    const QByteArray theirs = fileBytes(m_path);
    mine->edit();
    mine->setField("Valore1", std::string("scritto da me"));
    EXPECT_THROW(mine->update(), jet::JetError);
    EXPECT_EQ(fileBytes(m_path), theirs);
}

TEST_F(TableRecordsetUpdate, TableBeyondOneInlineMapIsReadAndUpdated) {
    // Greek letters take two bytes each: about eight rows to a page, so over 512 pages.
    std::string alphaFirst;
    std::string omegaFirst;
    for (int k = 0; k < 125; ++k) {
        alphaFirst += "αω";
        omegaFirst += "ωα";
    }
    std::vector<std::vector<Value>> rows;
    for (int i = 0; i < 4500; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "K%04d", i);
        rows.push_back({std::string(key), i % 2 == 0 ? alphaFirst : omegaFirst});
    }
    const std::string path = writertest::writeIn(
        m_dir, "largo.mdb",
        writertest::database({writertest::table(
            "Larga", {{"Codice", ColumnType::Text, 10}, {"Testo", ColumnType::Text, 255}}, rows, "Codice")}));
    ASSERT_GT(fileBytes(path).size(), 512 * 4096);
    auto table = jet::JetDatabase::open(path, "")->openTable("Larga");
    table->setIndex("PrimaryKey");
    for (const int i : {0, 1234, 4499}) {
        ASSERT_TRUE(table->seek(std::get<std::string>(rows[static_cast<std::size_t>(i)][0])));
        EXPECT_EQ(table->field("Testo"), std::get<std::string>(rows[static_cast<std::size_t>(i)][1]));
    }
    ASSERT_TRUE(table->seek("k4321"));
    table->edit();
    table->setField("Testo", std::string("cambiato"));
    table->update();
    const writertest::TableContent content = writertest::readWithLibmdb(path, "Larga");
    ASSERT_EQ(content.rows.size(), rows.size());
    int changed = 0;
    for (const auto& row : content.rows) {
        if (row[0].text == "K4321") {
            EXPECT_EQ(row[1].text, "cambiato");
            ++changed;
        }
    }
    EXPECT_EQ(changed, 1);
}

namespace {

void putU16(QByteArray& bytes, qsizetype offset, int value) {
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// Rebuilds a data page from slot words and row bytes, rows packed from the page end in slot order.
void layOutPage(QByteArray& file, std::uint32_t page, const std::vector<std::uint16_t>& flags,
                const std::vector<QByteArray>& rows) {
    const qsizetype base = qsizetype{page} * 4096;
    const QByteArray header = file.mid(base, 14);
    QByteArray content(4096, '\0');
    content.replace(0, 14, header);
    putU16(content, 12, static_cast<int>(rows.size()));
    int position = 4096;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        position -= static_cast<int>(rows[i].size());
        content.replace(position, rows[i].size(), rows[i]);
        putU16(content, 14 + 2 * static_cast<qsizetype>(i), position | flags[i]);
    }
    putU16(content, 2, position - (14 + 2 * static_cast<int>(rows.size())));
    file.replace(base, 4096, content);
}

} // namespace

TEST_F(TableRecordsetUpdate, DeletedAndMovedRowsKeepTheirSlotFlagsThroughUpdates) {
    // Hand-made page: "Senza valore" deleted (both flag bits, as Access marks it), "Città" moved to a
    // new last slot (flagged as the target of a move) and its old slot left as a 4-byte pointer.
    const auto [page, deletedSlot] = locationOf(m_path, "ParametriProgramma", "Senza valore");
    const auto movedFrom = locationOf(m_path, "ParametriProgramma", "Città");
    ASSERT_EQ(movedFrom.first, page);
    QByteArray file = fileBytes(m_path);
    const PageSlots original = slotsOf(file, page);
    std::vector<std::uint16_t> flags = original.flags;
    std::vector<QByteArray> rows = original.rows;
    const auto deleted = static_cast<std::size_t>(deletedSlot);
    const auto pointer = static_cast<std::size_t>(movedFrom.second);
    const auto target = rows.size();
    flags[deleted] = 0xC000;
    rows.push_back(rows[pointer]);
    flags.push_back(0x8000);
    QByteArray pointerRow(4, '\0');
    pointerRow[0] = static_cast<char>(target);
    pointerRow[1] = static_cast<char>(page & 0xFF);
    pointerRow[2] = static_cast<char>((page >> 8) & 0xFF);
    pointerRow[3] = static_cast<char>((page >> 16) & 0xFF);
    rows[pointer] = pointerRow;
    flags[pointer] = 0x4000;
    layOutPage(file, page, flags, rows);
    writeBytes(m_path, file);

    const TextRows visible = libmdbTexts(m_path, "ParametriProgramma");
    ASSERT_EQ(visible.size(), 23u);
    {
        auto table = parameters(open());
        EXPECT_FALSE(table->seek("Senza valore"));
        ASSERT_TRUE(table->seek("città"));
        EXPECT_EQ(table->field("Valore1"), "già più");
    }

    auto checkPage = [&, page = page](const char* step) {
        const PageSlots now = slotsOf(fileBytes(m_path), page);
        ASSERT_EQ(now.flags.size(), flags.size()) << step;
        EXPECT_EQ(now.flags, flags) << step;
        EXPECT_EQ(now.rows[pointer], pointerRow) << step;
        EXPECT_EQ(now.rows[deleted], rows[deleted]) << step;
    };
    const std::string longer = "spostata e poi allungata: " + std::string(150, 'z');
    setValore1("Città", longer);
    checkPage("moved row grown");
    // Both values are stored compressed, one byte a character: 176 characters replace 7.
    EXPECT_EQ(slotsOf(fileBytes(m_path), page).rows[target].size(), rows[target].size() + 176 - 7);
    EXPECT_EQ(libmdbTexts(m_path, "ParametriProgramma"), withField(visible, "Città", 1, longer));

    setValore1("Città", "corta");
    checkPage("moved row shortened");
    const std::string other(200, 'p');
    setValore1("PercorsoArchivio", other);
    checkPage("another row grown");
    EXPECT_EQ(libmdbTexts(m_path, "ParametriProgramma"),
              withField(withField(visible, "Città", 1, "corta"), "PercorsoArchivio", 1, other));
    auto table = parameters(open());
    EXPECT_FALSE(table->seek("Senza valore"));
    ASSERT_TRUE(table->seek("CITTÀ"));
    EXPECT_EQ(table->field("Valore1"), "corta");
}

TEST_F(TableRecordsetUpdate, UpdateKeepsPermissionsAndLinksAndLeavesNoFileBeside) {
    QFile::setPermissions(QString::fromStdString(m_path),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString link = m_dir.filePath("collegamento.mdb");
    ASSERT_TRUE(QFile::link(QString::fromStdString(m_path), link));
    const QStringList filesBefore = writertest::filesIn(m_dir);

    auto table = parameters(jet::JetDatabase::open(link.toStdString(), kPassword));
    ASSERT_TRUE(table->seek("PercorsoArchivio"));
    table->edit();
    table->setField("Valore1", std::string("attraverso il collegamento"));
    table->update();

    EXPECT_EQ(writertest::filesIn(m_dir), filesBefore);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    const QFile::Permissions ownerGroupOther(0x7077); // leaves out the flags for the current user
    EXPECT_EQ(QFile::permissions(QString::fromStdString(m_path)) & ownerGroupOther,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    auto reread = parameters(open());
    ASSERT_TRUE(reread->seek("PercorsoArchivio"));
    EXPECT_EQ(reread->field("Valore1"), "attraverso il collegamento");
}

TEST_F(TableRecordsetUpdate, ReadOnlyDatabaseIsNotUpdated) {
    const TextRows rowsBefore = libmdbTexts(m_path, "ParametriProgramma");
    QFile::setPermissions(QString::fromStdString(m_path), QFile::ReadOwner | QFile::ReadGroup);
    const QByteArray before = fileBytes(m_path);
    auto table = parameters(open());
    ASSERT_TRUE(table->seek("PercorsoArchivio"));
    table->edit();
    table->setField("Valore1", std::string("non scritto"));
    EXPECT_THROW(table->update(), jet::JetError);
    EXPECT_EQ(fileBytes(m_path), before);
    EXPECT_EQ(table->field("Valore1"), "non scritto"); // still editing: the change can be retried
    QFile::setPermissions(QString::fromStdString(m_path), QFile::ReadOwner | QFile::WriteOwner);
    table->update();
    EXPECT_EQ(libmdbTexts(m_path, "ParametriProgramma"),
              withField(rowsBefore, "PercorsoArchivio", 1, std::string("non scritto")));
}
