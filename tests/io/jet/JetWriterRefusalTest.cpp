#include "WriterTestSupport.h"
#include "io/jet/JetError.h"

#include <gtest/gtest.h>

using namespace writertest;
using jet::ColumnType;
using jet::JetDateValue;
using jet::JetError;
using jet::JetNull;
using jet::Value;

namespace {

jet::TableSpec keyed(std::vector<std::vector<Value>> rows) {
    return table("Parametri", {{"Nome", ColumnType::Text, 50}, {"Valore", ColumnType::Text, 10}},
                 std::move(rows), "Nome");
}

// Writes `spec` where a good database already is: the refusal must leave that file exactly as it
// was and nothing else in the folder. Returns the refusal's message.
std::string expectRefusedLeavingNothing(const jet::DatabaseSpec& spec) {
    QTemporaryDir dir;
    const std::string existing = writeIn(
        dir, "db.mdb", database({table("Buona", {{"A", ColumnType::Text, 5}}, {{std::string("x")}})}));
    const QByteArray before = readFile(existing);
    std::string message;
    try {
        jet::writeJetDatabase(existing, spec);
        ADD_FAILURE() << "not refused";
    } catch (const JetError& e) {
        message = e.what();
    }
    EXPECT_EQ(readFile(existing), before);
    EXPECT_EQ(filesIn(dir), QStringList{"db.mdb"});
    // And into an empty folder nothing appears.
    QTemporaryDir empty;
    EXPECT_THROW(jet::writeJetDatabase(empty.filePath("nuovo.mdb").toStdString(), spec), JetError);
    EXPECT_TRUE(filesIn(empty).isEmpty());
    return message;
}

bool mentions(const std::string& message, const std::string& part) {
    return message.find(part) != std::string::npos;
}

} // namespace

TEST(JetWriterRefusals, KeyCharactersTheIndexCannotEncode) {
    for (const std::string bad : {"l'anno", "a-b", "über", "a_b", "x.y", "ß"}) {
        const std::string message = expectRefusedLeavingNothing(database({keyed({{bad, JetNull{}}})}));
        EXPECT_TRUE(mentions(message, bad)) << message;
    }
}

TEST(JetWriterRefusals, KeysThatDifferOnlyInCase) {
    EXPECT_TRUE(mentions(
        expectRefusedLeavingNothing(database({keyed({{std::string("PercorsoArchivio"), JetNull{}},
                                                     {std::string("altro"), JetNull{}},
                                                     {std::string("percorsoarchivio"), JetNull{}}})})),
        "duplicata"));
    expectRefusedLeavingNothing(
        database({keyed({{std::string("città"), JetNull{}}, {std::string("CITTÀ"), JetNull{}}})}));
}

TEST(JetWriterRefusals, AccentedAndPlainSpellingsAreDifferentKeys) {
    QTemporaryDir dir;
    EXPECT_NO_THROW(
        writeIn(dir, "t.mdb",
                database({keyed({{std::string("citta"), JetNull{}}, {std::string("città"), JetNull{}}})})));
}

TEST(JetWriterRefusals, NullOrEmptyKey) {
    expectRefusedLeavingNothing(database({keyed({{JetNull{}, std::string("x")}})}));
    expectRefusedLeavingNothing(database({keyed({{std::string(""), std::string("x")}})}));
}

TEST(JetWriterRefusals, TextLongerThanItsColumnCountingCharacters) {
    const std::string message =
        expectRefusedLeavingNothing(database({keyed({{std::string("a"), std::string(11, 'x')}})}));
    EXPECT_TRUE(mentions(message, "Valore")) << message;
    // Ten accented characters are twenty UTF-8 bytes but fit ten characters.
    QTemporaryDir dir;
    std::string accented;
    for (int i = 0; i < 10; ++i)
        accented += "è";
    EXPECT_NO_THROW(writeIn(dir, "t.mdb", database({keyed({{std::string("a"), accented}})})));
    EXPECT_EQ(readWithLibmdb(dir.filePath("t.mdb").toStdString(), "Parametri").rows.at(0).at(1).text,
              accented);
}

TEST(JetWriterRefusals, ValuesOfTheWrongTypeOrCount) {
    expectRefusedLeavingNothing(database({keyed({{std::string("a"), std::int32_t{5}}})}));
    expectRefusedLeavingNothing(database({keyed({{std::string("a")}})}));
    expectRefusedLeavingNothing(
        database({table("T", {{"D", ColumnType::DateTime}}, {{std::string("2024-01-01")}})}));
    expectRefusedLeavingNothing(database({table("T", {{"N", ColumnType::Long}}, {{JetDateValue{1.0}}})}));
    expectRefusedLeavingNothing(
        database({table("T", {{"D", ColumnType::DateTime}}, {{JetDateValue{3.0e6}}})}));
}

TEST(JetWriterRefusals, BadTableShapes) {
    // Key on a missing or non-text column.
    expectRefusedLeavingNothing(database({table("T", {{"A", ColumnType::Long}}, {}, std::string("A"))}));
    expectRefusedLeavingNothing(database({table("T", {{"A", ColumnType::Text, 5}}, {}, std::string("B"))}));
    // Text lengths outside 1..255.
    expectRefusedLeavingNothing(database({table("T", {{"A", ColumnType::Text, 0}})}));
    expectRefusedLeavingNothing(database({table("T", {{"A", ColumnType::Text, 256}})}));
    // Repeated names, ignoring case.
    expectRefusedLeavingNothing(database({table("T", {{"A", ColumnType::Long}, {"a", ColumnType::Long}})}));
    expectRefusedLeavingNothing(
        database({table("T", {{"A", ColumnType::Long}}), table("t", {{"A", ColumnType::Long}})}));
    // Names the catalog cannot hold.
    expectRefusedLeavingNothing(database({table("MSysMia", {{"A", ColumnType::Long}})}));
    expectRefusedLeavingNothing(database({table("Tab_1", {{"A", ColumnType::Long}})}));
    expectRefusedLeavingNothing(database({table("", {{"A", ColumnType::Long}})}));
    expectRefusedLeavingNothing(database({table("T", {})}));
    expectRefusedLeavingNothing(database({table("T", {{"A.B", ColumnType::Long}})}));
}

TEST(JetWriterRefusals, PasswordLongerThanTwentyCharacters) {
    expectRefusedLeavingNothing(database({}, std::string(21, 'p')));
    QTemporaryDir dir;
    EXPECT_NO_THROW(writeIn(dir, "t.mdb", database({}, std::string(20, 'p'))));
}

TEST(JetWriterRefusals, MissingFolder) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("manca/db.mdb").toStdString();
    EXPECT_THROW(jet::writeJetDatabase(path, database({})), JetError);
    EXPECT_TRUE(filesIn(dir).isEmpty());
}
