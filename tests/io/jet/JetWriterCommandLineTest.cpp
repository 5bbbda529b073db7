#include "WriterTestSupport.h"
#include "io/jet/JetDate.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace writertest;
using jet::ColumnType;
using jet::JetDateValue;
using jet::JetNull;
using jet::Value;

namespace {

class JetWriterCommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        if (!mdbToolsPresent())
            GTEST_SKIP() << "mdbtools command-line programs absent";
    }

    std::string writeSample() {
        std::vector<std::vector<Value>> rows = {
            {std::string("PercorsoArchivio"), std::string("C:\\Lotto\\Dbarcomax.mdb"), JetNull{},
             std::int32_t{1}, JetDateValue{jet::toJetDate(jet::CivilDateTime{2024, 5, 14, 20, 0, 0})}},
            {std::string("EstrazioneIniziale"), std::string("1"), std::string(""), std::int32_t{-42},
             JetDateValue{jet::toJetDate(1946, 6, 2)}},
            {std::string("Città"), std::string("è più €"), JetNull{}, JetNull{}, JetNull{}},
        };
        return writeIn(m_dir, "cli.mdb",
                       database({table("ParametriProgramma",
                                       {{"Parametro", ColumnType::Text, 50},
                                        {"Valore1", ColumnType::Text, 255},
                                        {"Valore2", ColumnType::Text, 255},
                                        {"Numero", ColumnType::Long},
                                        {"Quando", ColumnType::DateTime}},
                                       rows, "Parametro"),
                                 table("Giocate", {{"Id", ColumnType::Long}})},
                                "Segreta1"));
    }

    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(JetWriterCommandLine, MdbTablesListsUserTablesAndTheCatalog) {
    const std::string path = writeSample();
    const CommandResult plain = runCommand("mdb-tables", {"-1", QString::fromStdString(path)});
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(lines(plain.out), (std::vector<std::string>{"ParametriProgramma", "Giocate"}));
    const CommandResult all = runCommand("mdb-tables", {"-1", "-S", QString::fromStdString(path)});
    const auto names = lines(all.out);
    EXPECT_NE(std::find(names.begin(), names.end(), "MSysObjects"), names.end());
}

TEST_F(JetWriterCommandLine, MdbSchemaShowsColumnsAndThePrimaryKey) {
    const std::string path = writeSample();
    const CommandResult schema = runCommand("mdb-schema", {QString::fromStdString(path), "postgres"});
    EXPECT_EQ(schema.exitCode, 0);
    const std::string& s = schema.out;
    EXPECT_NE(s.find("\"parametro\"\t\t\tVARCHAR (50)"), std::string::npos) << s;
    EXPECT_NE(s.find("\"valore1\"\t\t\tVARCHAR (255)"), std::string::npos) << s;
    EXPECT_NE(s.find("\"numero\"\t\t\tINTEGER"), std::string::npos) << s;
    EXPECT_NE(s.find("\"quando\"\t\t\tTIMESTAMP"), std::string::npos) << s;
    EXPECT_NE(s.find("ADD CONSTRAINT \"parametriprogramma_pkey\" PRIMARY KEY (\"parametro\")"),
              std::string::npos)
        << s;
    EXPECT_EQ(s.find("giocate_pkey"), std::string::npos);
}

TEST_F(JetWriterCommandLine, MdbExportGivesTheValues) {
    const std::string path = writeSample();
    const CommandResult exported =
        runCommand("mdb-export", {"-0", "NULLO", "-T", "%Y-%m-%d %H:%M:%S", QString::fromStdString(path),
                                  "ParametriProgramma"});
    EXPECT_EQ(exported.exitCode, 0);
    EXPECT_EQ(lines(exported.out),
              (std::vector<std::string>{
                  "Parametro,Valore1,Valore2,Numero,Quando",
                  "\"PercorsoArchivio\",\"C:\\Lotto\\Dbarcomax.mdb\",NULLO,1,\"2024-05-14 20:00:00\"",
                  // mdb-export shows an empty text like a NULL; libmdb tells them apart (JetWriterLibmdb).
                  "\"EstrazioneIniziale\",\"1\",NULLO,-42,\"1946-06-02 00:00:00\"",
                  "\"Città\",\"è più €\",NULLO,NULLO,NULLO"}));
}

TEST_F(JetWriterCommandLine, TenThousandRowsExportAndCount) {
    std::vector<std::vector<Value>> rows;
    for (int i = 0; i < 10500; ++i)
        rows.push_back({std::int32_t{i}, "riga " + std::to_string(i)});
    const std::string path = writeIn(
        m_dir, "big.mdb",
        database({table("Righe", {{"N", ColumnType::Long}, {"T", ColumnType::Text, 30}}, rows, "T")}));
    const CommandResult exported = runCommand("mdb-export", {"-H", QString::fromStdString(path), "Righe"});
    EXPECT_EQ(exported.exitCode, 0);
    const auto got = lines(exported.out);
    ASSERT_EQ(got.size(), rows.size());
    EXPECT_EQ(got.front(), "0,\"riga 0\"");
    EXPECT_EQ(got.back(), "10499,\"riga 10499\"");
    const CommandResult count = runCommand("mdb-count", {QString::fromStdString(path), "Righe"});
    if (count.started) {
        EXPECT_EQ(count.exitCode, 0);
        EXPECT_EQ(lines(count.out), std::vector<std::string>{"10500"});
    }
}

TEST_F(JetWriterCommandLine, MdbVerCallsItJet4) {
    const CommandResult version = runCommand("mdb-ver", {QString::fromStdString(writeSample())});
    if (!version.started)
        GTEST_SKIP() << "mdb-ver absent";
    EXPECT_EQ(lines(version.out), std::vector<std::string>{"JET4"});
}
