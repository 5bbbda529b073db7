// Access-written files: our reader and updater against what Access wrote and what mdbtools reads.
#include "TableTestSupport.h"
#include "io/jet/DataPage.h"
#include "io/jet/JetDatabase.h"
#include "io/jet/JetError.h"
#include "io/jet/PageImage.h"
#include "io/jet/RowLocation.h"
#include "io/jet/StoredRow.h"
#include "io/jet/TableDefinition.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace tabletest;

namespace {

class TableRecordsetOnSamples : public ::testing::Test {
protected:
    void SetUp() override {
        if (!samplesPresent()) {
            GTEST_SKIP() << "mdb-samples folder not available";
        }
        ASSERT_TRUE(m_dir.isValid());
        m_passwordDb = copyInto(m_dir, samplePath("V2000_with-password.mdb"), "password.mdb");
        m_textKeyDb = copyInto(m_dir, samplePath("V2000_test.mdb"), "textkey.mdb");
        ASSERT_FALSE(m_passwordDb.empty());
        ASSERT_FALSE(m_textKeyDb.empty());
    }

    QTemporaryDir m_dir;
    std::string m_passwordDb;
    std::string m_textKeyDb;
};

// Every field of every row of a table, as our reader gives it, in mdb-export's text where the two
// formats agree (text, whole numbers, booleans, memos); other columns are left out.
struct ComparableTable {
    QStringList header;
    std::vector<int> columns; // positions in the header we compare
    std::vector<QStringList> rows;
};

bool comparable(const jet::engine::ColumnInfo& column) {
    using jet::engine::StoredType;
    return column.isType(StoredType::Text) || column.isType(StoredType::Memo) ||
           column.isType(StoredType::Byte) || column.isType(StoredType::Int) ||
           column.isType(StoredType::Long) || column.isType(StoredType::Boolean);
}

std::vector<QStringList> ourRows(const std::string& path, std::uint32_t tdefPage, const QStringList& header,
                                 std::vector<int>& columns) {
    using namespace jet::engine;
    const PageImage image = PageImage::load(path);
    const TableDefinition table = TableDefinition::read(image, tdefPage);
    std::vector<const ColumnInfo*> infos;
    columns.clear();
    for (int i = 0; i < header.size(); ++i) {
        const ColumnInfo* info = table.findColumn(header[i].toStdString());
        if (info != nullptr && comparable(*info)) {
            columns.push_back(i);
            infos.push_back(info);
        }
    }
    std::vector<QStringList> rows;
    for (const RowLocation& location : scanRows(image, table)) {
        const StoredRow row(DataPage(image.page(location.page)).row(location.slot), table);
        QStringList values;
        for (const ColumnInfo* info : infos) {
            const std::optional<std::string> text = row.text(*info, image);
            values << (text ? QString::fromStdString(*text) : QStringLiteral("<NULL>"));
        }
        rows.push_back(values);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<QStringList> exportedRows(const QStringList& lines, const std::vector<int>& columns) {
    std::vector<QStringList> rows;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const auto fields = splitCsv(lines[i]);
        QStringList values;
        for (const int column : columns) {
            const auto& field = fields.at(static_cast<std::size_t>(column));
            values << (field ? *field : QStringLiteral("<NULL>"));
        }
        rows.push_back(values);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

TEST_F(TableRecordsetOnSamples, OpensWithPasswordAndListsUserTablesOnly) {
    const auto db = jet::JetDatabase::open(m_passwordDb, "password");
    EXPECT_EQ(db->tableNames(), std::vector<std::string>{"Table1"});
    const auto other = jet::JetDatabase::open(m_textKeyDb, "");
    auto names = other->tableNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Table1", "Table2", "Table3", "Table4"}));
}

TEST_F(TableRecordsetOnSamples, RefusesWrongPasswords) {
    for (const char* wrong : {"", "Password", "passwor", "password "}) {
        EXPECT_THROW(jet::JetDatabase::open(m_passwordDb, wrong), jet::WrongPasswordError) << wrong;
    }
}

TEST_F(TableRecordsetOnSamples, RefusesMissingFileAndUnknownTableOrIndexNamingThem) {
    EXPECT_THROW(jet::JetDatabase::open(m_dir.filePath("missing.mdb").toStdString(), "x"), jet::JetError);
    const auto db = jet::JetDatabase::open(m_passwordDb, "password");
    try {
        db->openTable("Tabella9");
        FAIL() << "no error for a missing table";
    } catch (const jet::JetError& error) {
        EXPECT_NE(std::string(error.what()).find("Tabella9"), std::string::npos) << error.what();
    }
    auto table = db->openTable("TABLE1");
    try {
        table->setIndex("ChiaveMancante");
        FAIL() << "no error for a missing index";
    } catch (const jet::JetError& error) {
        EXPECT_NE(std::string(error.what()).find("ChiaveMancante"), std::string::npos) << error.what();
    }
}

TEST_F(TableRecordsetOnSamples, SeekOnNumberKeyFindsEachRowMdbExportShows) {
    const auto lines = mdbExport(m_passwordDb, "Table1");
    if (!lines) {
        GTEST_SKIP() << "mdb-export not installed";
    }
    ASSERT_GE(lines->size(), 2);
    auto table = jet::JetDatabase::open(m_passwordDb, "password")->openTable("Table1");
    table->setIndex("PrimaryKey");
    for (qsizetype i = 1; i < lines->size(); ++i) {
        const auto fields = splitCsv((*lines)[i]);
        ASSERT_EQ(fields.size(), 2u);
        ASSERT_TRUE(table->seek(fields[0]->toStdString())) << fields[0]->toStdString();
        EXPECT_FALSE(table->noMatch());
        EXPECT_EQ(table->field("ID"), fields[0]->toStdString());
        EXPECT_EQ(table->field("data"), fields[1]->toStdString());
    }
    EXPECT_FALSE(table->seek("99"));
    EXPECT_TRUE(table->noMatch());
    EXPECT_THROW(table->field("Data"), jet::JetError);
}

TEST_F(TableRecordsetOnSamples, SeekOnTextKeyIgnoresCase) {
    auto table = jet::JetDatabase::open(m_textKeyDb, "")->openTable("Table1");
    table->setIndex("primarykey");
    ASSERT_TRUE(table->seek("ABCDEFG"));
    EXPECT_EQ(table->field("A"), "abcdefg");
    EXPECT_EQ(table->field("B"), "hijklmnop");
    // Columns of other types come as text: the date Access stored for this row is 1974-09-21.
    EXPECT_EQ(table->field("G"), "1974-09-21 00:00:00");
    EXPECT_EQ(table->field("H"), "3.5");
    EXPECT_EQ(table->field("F"), "444.555");
    ASSERT_TRUE(table->seek("A"));
    EXPECT_EQ(table->field("A"), "a");
    EXPECT_EQ(table->field("B"), "b");
    EXPECT_FALSE(table->seek("abcdef"));
    EXPECT_TRUE(table->noMatch());
}

TEST_F(TableRecordsetOnSamples, FieldsAgreeWithMdbExportForUserAndCatalogTables) {
    struct Case {
        std::string path;
        QString table;
        std::uint32_t tdefPage;
    };
    const std::vector<Case> cases = {
        {m_passwordDb, "MSysObjects", 2}, {m_textKeyDb, "MSysObjects", 2}, {m_textKeyDb, "Table1", 0}};
    for (const Case& c : cases) {
        const auto lines = mdbExport(c.path, c.table);
        if (!lines) {
            GTEST_SKIP() << "mdb-export not installed";
        }
        ASSERT_GE(lines->size(), 2) << c.table.toStdString();
        const QStringList header = lines->front().split(',');
        std::uint32_t page = c.tdefPage;
        if (page == 0) {
            // Find the user table's definition page through the catalog the way the reader does.
            const auto catalog = *mdbExport(c.path, "MSysObjects");
            const QStringList catalogHeader = catalog.front().split(',');
            for (qsizetype i = 1; i < catalog.size(); ++i) {
                const auto fields = splitCsv(catalog[i]);
                if (fields[static_cast<std::size_t>(catalogHeader.indexOf("Name"))] == c.table) {
                    page = fields[static_cast<std::size_t>(catalogHeader.indexOf("Id"))]->toUInt() & 0xFFFFFF;
                }
            }
        }
        std::vector<int> columns;
        const auto ours = ourRows(c.path, page, header, columns);
        EXPECT_GE(columns.size(), 3u) << c.table.toStdString();
        EXPECT_EQ(ours, exportedRows(*lines, columns)) << c.path << " " << c.table.toStdString();
    }
}

TEST_F(TableRecordsetOnSamples, UpdatedTextSurvivesReopenAndOnlyItsRowChangesInMdbExport) {
    const auto before = mdbExport(m_passwordDb, "Table1");
    if (!before) {
        GTEST_SKIP() << "mdb-export not installed";
    }
    const QByteArray bytesBefore = fileBytes(m_passwordDb);
    {
        auto table = jet::JetDatabase::open(m_passwordDb, "password")->openTable("Table1");
        table->setIndex("PrimaryKey");
        ASSERT_TRUE(table->seek("2"));
        table->edit();
        table->setField("Data", std::string("Zwei aggiornato"));
        table->update();
        EXPECT_EQ(table->field("Data"), "Zwei aggiornato");
        EXPECT_EQ(table->field("ID"), "2");
    }
    auto reopened = jet::JetDatabase::open(m_passwordDb, "password")->openTable("Table1");
    reopened->setIndex("PrimaryKey");
    ASSERT_TRUE(reopened->seek("2"));
    EXPECT_EQ(reopened->field("Data"), "Zwei aggiornato");

    QStringList expected = *before;
    for (QString& line : expected) {
        if (line.startsWith("2,")) {
            line = "2,\"Zwei aggiornato\"";
        }
    }
    EXPECT_NE(expected, *before);
    EXPECT_EQ(*mdbExport(m_passwordDb, "Table1"), expected);
    const QByteArray bytesAfter = fileBytes(m_passwordDb);
    EXPECT_EQ(bytesAfter.size(), bytesBefore.size());
    EXPECT_EQ(changedPages(bytesBefore, bytesAfter).size(), 1u);
}

TEST_F(TableRecordsetOnSamples, RefusesChangingKeyAndNonTextColumnsLeavingFileAlone) {
    const QByteArray bytesBefore = fileBytes(m_textKeyDb);
    auto table = jet::JetDatabase::open(m_textKeyDb, "")->openTable("Table1");
    table->setIndex("PrimaryKey");
    ASSERT_TRUE(table->seek("a"));
    table->edit();
    EXPECT_THROW(table->setField("E", std::string("5")), jet::JetError);
    EXPECT_THROW(table->setField("G", std::string("2020-01-01")), jet::JetError);
    EXPECT_THROW(table->setField("Manca", std::string("x")), jet::JetError);
    table->setField("A", std::string("zz"));
    EXPECT_THROW(table->update(), jet::JetError);
    EXPECT_EQ(fileBytes(m_textKeyDb), bytesBefore);
}

TEST_F(TableRecordsetOnSamples, LongerValueGrowsRowWithinItsPage) {
    const auto before = mdbExport(m_passwordDb, "Table1");
    if (!before) {
        GTEST_SKIP() << "mdb-export not installed";
    }
    const QByteArray bytesBefore = fileBytes(m_passwordDb);
    const std::string longer = std::string(200, 'q') + " più lungo";
    {
        auto table = jet::JetDatabase::open(m_passwordDb, "password")->openTable("Table1");
        table->setIndex("PrimaryKey");
        ASSERT_TRUE(table->seek("1"));
        table->edit();
        table->setField("Data", longer);
        table->update();
    }
    QStringList expected = *before;
    for (QString& line : expected) {
        if (line.startsWith("1,")) {
            line = "1,\"" + QString::fromStdString(longer) + "\"";
        }
    }
    EXPECT_EQ(*mdbExport(m_passwordDb, "Table1"), expected);
    EXPECT_EQ(changedPages(bytesBefore, fileBytes(m_passwordDb)).size(), 1u);
}
