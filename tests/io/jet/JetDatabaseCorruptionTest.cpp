// Damaged database files: every failure must be a JetError, quickly, never a crash or a hang (these
// tests run under AddressSanitizer in Debug builds).
#include "TableTestSupport.h"
#include "WriterTestSupport.h"
#include "io/jet/JetDatabase.h"
#include "io/jet/JetError.h"

#include <chrono>
#include <gtest/gtest.h>
#include <random>

using namespace tabletest;
using jet::ColumnType;
using jet::JetNull;
using jet::Value;

namespace {

std::uint32_t u32At(const QByteArray& bytes, qsizetype offset) {
    return u16At(bytes, offset) | (static_cast<std::uint32_t>(u16At(bytes, offset + 2)) << 16);
}

void putU16(QByteArray& bytes, qsizetype offset, unsigned value) {
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void putU32(QByteArray& bytes, qsizetype offset, std::uint32_t value) {
    putU16(bytes, offset, value & 0xFFFF);
    putU16(bytes, offset + 2, value >> 16);
}

enum class Outcome { Read, Refused };

class TableRecordsetCorruption : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        std::vector<std::vector<Value>> parameters;
        for (int i = 0; i < 30; ++i) {
            parameters.push_back({"Parametro" + std::to_string(i),
                                  i % 5 == 0 ? Value(JetNull{}) : Value("valore è " + std::to_string(i)),
                                  JetNull{}});
        }
        m_pristinePath = writertest::writeIn(
            m_dir, "pristine.mdb",
            writertest::database(
                {writertest::table("ParametriProgramma",
                                   {{"Parametro", ColumnType::Text, 50},
                                    {"Valore1", ColumnType::Text, 255},
                                    {"Valore2", ColumnType::Text, 255}},
                                   parameters, "Parametro"),
                 writertest::table("Giocate",
                                   {{"Numero", ColumnType::Long},
                                    {"Data", ColumnType::DateTime},
                                    {"Nota", ColumnType::Text, 100}},
                                   {{std::int32_t{1}, jet::JetDateValue{45000.5}, std::string("a")},
                                    {JetNull{}, JetNull{}, JetNull{}}})},
                kPassword));
        m_pristine = fileBytes(m_pristinePath);
        m_path = m_dir.filePath("DbVeltrano.mdb").toStdString();
        const writertest::TableContent content =
            writertest::readWithLibmdb(m_pristinePath, "ParametriProgramma");
        ASSERT_FALSE(content.locations.empty());
        m_dataPage = content.locations.front().first;
        m_definitionPage = u32At(m_pristine, qsizetype{m_dataPage} * 4096 + 4);
        ASSERT_EQ(m_pristine[qsizetype{m_definitionPage} * 4096], 0x02);
    }

    // Does what the program does with its database, and everything else the recordsets offer. The
    // update (flushed to disk, so the slowest part) can be left out.
    Outcome exercise(const QByteArray& bytes, bool withUpdate = true) {
        writeBytes(m_path, bytes);
        const auto started = std::chrono::steady_clock::now();
        Outcome outcome = Outcome::Read;
        try {
            const auto db = jet::JetDatabase::open(m_path, kPassword);
            for (const std::string& name : db->tableNames()) {
                auto table = db->openTable(name);
                try {
                    table->field("Nota");
                } catch (const jet::JetError&) {
                }
            }
            auto parameters = db->openTable("ParametriProgramma");
            parameters->setIndex("PrimaryKey");
            parameters->seek("assente"); // reads every row
            for (int i = 0; i < 30; i += 7) {
                if (parameters->seek("parametro" + std::to_string(i))) {
                    parameters->field("Valore1");
                    parameters->field("Valore2");
                }
            }
            if (withUpdate && parameters->seek("Parametro3")) {
                parameters->edit();
                parameters->setField("Valore1", std::string(120, 'n'));
                parameters->update();
                parameters->field("Valore1");
            }
        } catch (const jet::JetError&) {
            outcome = Outcome::Refused;
        }
        // A damaged file must not send the reader round in circles; the bound leaves room for a
        // flush to disk on a busy machine.
        const auto elapsed = std::chrono::steady_clock::now() - started;
        EXPECT_LT(elapsed, std::chrono::seconds(10));
        return outcome;
    }

    qsizetype definitionAt(qsizetype offset) const { return qsizetype{m_definitionPage} * 4096 + offset; }
    qsizetype dataAt(qsizetype offset) const { return qsizetype{m_dataPage} * 4096 + offset; }

    QTemporaryDir m_dir;
    std::string m_pristinePath;
    std::string m_path;
    QByteArray m_pristine;
    std::uint32_t m_dataPage = 0;
    std::uint32_t m_definitionPage = 0;
};

} // namespace

TEST_F(TableRecordsetCorruption, PristineCopyIsReadAndUpdated) {
    EXPECT_EQ(exercise(m_pristine), Outcome::Read);
    auto table = jet::JetDatabase::open(m_path, kPassword)->openTable("ParametriProgramma");
    table->setIndex("PrimaryKey");
    ASSERT_TRUE(table->seek("Parametro3"));
    EXPECT_EQ(table->field("Valore1"), std::string(120, 'n'));
}

TEST_F(TableRecordsetCorruption, RandomByteFlipsGiveJetErrorOrAConsistentRead) {
    std::mt19937 random(20240514);
    int refused = 0;
    constexpr int kRounds = 150;
    for (int round = 0; round < kRounds; ++round) {
        QByteArray bytes = m_pristine;
        // Most rounds hit the table's own definition and data page, where the structure is dense.
        const int flips = 1 + static_cast<int>(random() % 6);
        for (int f = 0; f < flips; ++f) {
            qsizetype offset = 0;
            switch (random() % 3) {
            case 0:
                offset = 4096 + static_cast<qsizetype>(random() % static_cast<unsigned>(bytes.size() - 4096));
                break;
            case 1:
                offset = definitionAt(static_cast<qsizetype>(random() % 700));
                break;
            default:
                offset = dataAt(random() % 2 == 0 ? static_cast<qsizetype>(random() % 300)
                                                  : 4096 - 1 - static_cast<qsizetype>(random() % 1500));
                break;
            }
            bytes[offset] = static_cast<char>(bytes[offset] ^ static_cast<char>(1 + random() % 255));
        }
        if (exercise(bytes, round % 3 == 0) == Outcome::Refused) {
            ++refused;
        }
        if (HasFailure()) {
            FAIL() << "round " << round;
        }
    }
    // The flips land in the structure often enough that many files must be refused.
    EXPECT_GT(refused, kRounds / 10);
}

TEST_F(TableRecordsetCorruption, TruncatedFilesAreRefused) {
    for (const qsizetype size : {qsizetype{0}, qsizetype{1}, qsizetype{100}, qsizetype{4095}, qsizetype{4096},
                                 qsizetype{2 * 4096}, qsizetype{3 * 4096 - 1}, m_pristine.size() - 1,
                                 m_pristine.size() - 4095, qsizetype{m_dataPage} * 4096 + 10}) {
        EXPECT_EQ(exercise(m_pristine.left(size)), Outcome::Refused) << size;
    }
    // Cut at a page boundary before the table's data page: the table's pages are gone.
    EXPECT_EQ(exercise(m_pristine.left(qsizetype{m_dataPage} * 4096)), Outcome::Refused);
}

TEST_F(TableRecordsetCorruption, StructuralDamageIsRefused) {
    struct Damage {
        const char* what;
        std::function<void(QByteArray&)> apply;
    };
    const std::vector<Damage> damages = {
        {"definition continues on itself",
         [&](QByteArray& b) { putU32(b, definitionAt(4), m_definitionPage); }},
        {"definition continues past the end", [&](QByteArray& b) { putU32(b, definitionAt(4), 0x00FFFFFF); }},
        {"definition claims 65535 columns", [&](QByteArray& b) { putU16(b, definitionAt(45), 0xFFFF); }},
        {"definition claims 2^31 indexes", [&](QByteArray& b) { putU32(b, definitionAt(51), 0x80000000); }},
        {"owned-pages map on a missing row",
         [&](QByteArray& b) { putU32(b, definitionAt(55), (u32At(b, definitionAt(55)) & ~0xFFu) | 0xF0); }},
        {"owned-pages map on a page past the end",
         [&](QByteArray& b) { putU32(b, definitionAt(55), 0xFFFFFF00); }},
        {"row slot inside the page header", [&](QByteArray& b) { putU16(b, dataAt(14), 0x0005); }},
        {"row slot past the page end", [&](QByteArray& b) { putU16(b, dataAt(14 + 2), 0x1FF0); }},
        {"slot count beyond the page", [&](QByteArray& b) { putU16(b, dataAt(12), 0x0900); }},
        {"moved-row pointer to itself",
         [&](QByteArray& b) {
             const unsigned start = u16At(b, dataAt(14)) & 0x1FFF;
             putU16(b, dataAt(14), start | 0x4000);
             b[dataAt(start)] = 0;
             putU16(b, dataAt(start + 1), m_dataPage & 0xFFFF);
             b[dataAt(start + 3)] = static_cast<char>(m_dataPage >> 16);
         }},
        {"row claims 4000 variable columns",
         [&](QByteArray& b) {
             // The last row of the page ends at the start of the one before it; its variable-column
             // count sits just before its one-byte null mask.
             const unsigned count = u16At(b, dataAt(12));
             const unsigned end = u16At(b, dataAt(14 + 2 * (count - 2))) & 0x1FFF;
             putU16(b, dataAt(end - 3), 4000);
         }},
    };
    for (const Damage& damage : damages) {
        QByteArray bytes = m_pristine;
        damage.apply(bytes);
        ASSERT_NE(bytes, m_pristine) << damage.what;
        EXPECT_EQ(exercise(bytes), Outcome::Refused) << damage.what;
    }
}

TEST_F(TableRecordsetCorruption, EncodedPagesAndOtherFormatsAreRefusedSayingWhy) {
    // The page-encoding key is inside the obfuscated header block: flipping a stored bit flips the
    // plain one, so the key stops being zero.
    QByteArray encoded = m_pristine;
    encoded[0x3E] = static_cast<char>(encoded[0x3E] ^ 0x01);
    writeBytes(m_path, encoded);
    try {
        jet::JetDatabase::open(m_path, kPassword);
        FAIL() << "encoded pages accepted";
    } catch (const jet::JetError& error) {
        EXPECT_NE(std::string(error.what()).find("codificate"), std::string::npos) << error.what();
    }

    QByteArray later = m_pristine;
    later[0x14] = 0x02;
    EXPECT_EQ(exercise(later), Outcome::Refused);
    QByteArray notJet = m_pristine;
    notJet.replace(4, 15, "Something else.");
    EXPECT_EQ(exercise(notJet), Outcome::Refused);
}

TEST_F(TableRecordsetCorruption, PagesOfAnotherTableListedInTheMapAreNotReadAsRows) {
    const writertest::TableContent games = writertest::readWithLibmdb(m_pristinePath, "Giocate");
    ASSERT_FALSE(games.locations.empty());
    const std::uint32_t foreignPage = games.locations.front().first;
    QByteArray bytes = m_pristine;
    const std::uint32_t map = u32At(bytes, definitionAt(55));
    const qsizetype mapPage = qsizetype{map >> 8} * 4096;
    const qsizetype mapRow = mapPage + (u16At(bytes, mapPage + 14 + 2 * (map & 0xFF)) & 0x1FFF);
    ASSERT_EQ(bytes[mapRow], 0x00) << "an inline map is expected";
    const std::uint32_t bit = foreignPage - u32At(bytes, mapRow + 1);
    bytes[mapRow + 5 + bit / 8] = static_cast<char>(bytes[mapRow + 5 + bit / 8] | (1 << (bit % 8)));
    writeBytes(m_path, bytes);

    auto table = jet::JetDatabase::open(m_path, kPassword)->openTable("ParametriProgramma");
    table->setIndex("PrimaryKey");
    // Read with this table's columns, the other table's row would give "a" as its first text column.
    EXPECT_FALSE(table->seek("a"));
    EXPECT_TRUE(table->seek("Parametro29"));
}
