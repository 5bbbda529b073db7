#include "io/jet/JetHeader.h"

#include "WriterTestSupport.h"
#include "io/jet/JetBytes.h"
#include "io/jet/JetDate.h"
#include "io/jet/JetError.h"
#include "io/jet/JetHeaderBlock.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

using namespace writertest;
using jet::checkDatabasePassword;
using jet::JetError;
using jet::readJetHeader;
using jet::WrongPasswordError;

namespace {

std::string withPassword(const QTemporaryDir& dir, const std::string& password, double created = 45426.5) {
    return writeIn(dir, "pw.mdb",
                   database({table("T", {{"A", jet::ColumnType::Text, 10}})}, password, created));
}

std::string writeRaw(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path.toStdString();
}

// A minimal Jet 3 file: two 2048-byte pages, the password in single bytes, hidden like Jet 4's block.
QByteArray jet3File(const char* password) {
    QByteArray bytes(4096, '\0');
    auto* page = reinterpret_cast<std::uint8_t*>(bytes.data());
    page[1] = 0x01;
    std::memcpy(page + 4, "Standard Jet DB", 16);
    page[jet::kHeaderVersionOffset] = 0x00;
    std::memcpy(page + jet::kHeaderPasswordOffset, password, std::strlen(password));
    jet::applyHeaderCipher(page, jet::kJet3HeaderBlockLength);
    return bytes;
}

} // namespace

TEST(JetHeaderCipher, KeystreamStartsWithTheKnownBytes) {
    std::uint8_t page[0x98] = {};
    jet::applyHeaderCipher(page);
    const std::uint8_t expected[8] = {0xB5, 0x6F, 0x03, 0x62, 0x61, 0x08, 0xC2, 0x55};
    EXPECT_EQ(0, std::memcmp(page + 0x18, expected, 8));
    jet::applyHeaderCipher(page);
    for (std::uint8_t b : page)
        EXPECT_EQ(b, 0);
}

TEST(JetHeaderWritten, PasswordDateAndVersionReadBack) {
    QTemporaryDir dir;
    const double created = jet::toJetDate(jet::CivilDateTime{2024, 5, 14, 10, 30, 0});
    const std::string path = withPassword(dir, "Segreta1", created);
    const jet::JetHeaderInfo info = readJetHeader(path);
    EXPECT_EQ(info.version, 1);
    EXPECT_EQ(info.password, "Segreta1");
    EXPECT_EQ(info.creationDate, created);
    EXPECT_EQ(info.pageEncodingKey, 0u);
    EXPECT_EQ(info.codePage, 1252);
}

TEST(JetHeaderWritten, PasswordIsHiddenInTheFile) {
    QTemporaryDir dir;
    const QByteArray bytes = readFile(withPassword(dir, "Segreta1"));
    EXPECT_FALSE(bytes.contains("Segreta1"));
    EXPECT_FALSE(bytes.contains(QByteArray("S\0e\0g\0r\0e\0t\0a\0", 14)));
}

TEST(JetHeaderWritten, NonAsciiAndFullLengthPasswordsReadBack) {
    QTemporaryDir dir;
    for (const std::string pw : {"pässwörd€", "Città è più", "12345678901234567890", "àèéìòù"}) {
        const std::string path = withPassword(dir, pw);
        EXPECT_EQ(readJetHeader(path).password, pw);
        EXPECT_NO_THROW(checkDatabasePassword(path, pw));
    }
}

TEST(JetHeaderWritten, SamePasswordWithAnotherCreationDateIsMaskedDifferently) {
    QTemporaryDir dir;
    const QByteArray a = readFile(withPassword(dir, "abc", 45000.25)).left(4096);
    const QByteArray b = readFile(withPassword(dir, "abc", 45001.25)).left(4096);
    EXPECT_NE(a.mid(0x42, 40), b.mid(0x42, 40));
    EXPECT_EQ(readJetHeader(withPassword(dir, "abc", 45001.25)).password, "abc");
}

TEST(JetPasswordCheck, RightPasswordOpens) {
    QTemporaryDir dir;
    EXPECT_NO_THROW(checkDatabasePassword(withPassword(dir, "Segreta1"), "Segreta1"));
}

TEST(JetPasswordCheck, WrongPasswordIsRefusedCaseSensitively) {
    QTemporaryDir dir;
    const std::string path = withPassword(dir, "Segreta1");
    for (const std::string wrong : {"segreta1", "SEGRETA1", "Segreta", "Segreta12", "", "Segreta1 "})
        EXPECT_THROW(checkDatabasePassword(path, wrong), WrongPasswordError) << wrong;
    try {
        checkDatabasePassword(path, "x");
    } catch (const WrongPasswordError& e) {
        EXPECT_NE(std::string(e.what()).find("Password non valida"), std::string::npos);
    }
}

TEST(JetPasswordCheck, DatabaseWithoutPasswordOpensWithAnyPassword) {
    QTemporaryDir dir;
    const std::string path = withPassword(dir, "");
    EXPECT_EQ(readJetHeader(path).password, "");
    EXPECT_NO_THROW(checkDatabasePassword(path, ""));
    EXPECT_NO_THROW(checkDatabasePassword(path, "qualsiasi"));
}

TEST(JetPasswordCheck, Jet3PasswordIsComparedAsSingleBytes) {
    QTemporaryDir dir;
    const std::string path = writeRaw(dir, "old.mdb", jet3File("Vecchia"));
    const jet::JetHeaderInfo info = readJetHeader(path);
    EXPECT_EQ(info.version, 0);
    EXPECT_EQ(info.password, "Vecchia");
    EXPECT_NO_THROW(checkDatabasePassword(path, "Vecchia"));
    EXPECT_THROW(checkDatabasePassword(path, "vecchia"), WrongPasswordError);
    EXPECT_NO_THROW(checkDatabasePassword(writeRaw(dir, "none.mdb", jet3File("")), "x"));
}

TEST(JetHeaderRefusals, FilesThatAreNotJetDatabasesAreRefusedByName) {
    QTemporaryDir dir;
    QByteArray text(8192, 'x');
    QByteArray msisam(8192, '\0');
    std::memcpy(msisam.data() + 4, "MSISAM Database", 16);
    QByteArray later = readFile(withPassword(dir, "pw"));
    later[0x14] = 0x02; // the Access 2007 format
    QByteArray badStart = readFile(withPassword(dir, "pw"));
    badStart[1] = 0x00;
    const QByteArray ours = readFile(withPassword(dir, "pw"));
    const std::vector<std::pair<QString, QByteArray>> files = {{"empty.mdb", QByteArray()},
                                                               {"text.mdb", text},
                                                               {"short.mdb", ours.left(100)},
                                                               {"truncated.mdb", ours.left(4096 + 1000)},
                                                               {"onepage.mdb", ours.left(4096)},
                                                               {"msisam.mdb", msisam},
                                                               {"accdb.mdb", later},
                                                               {"badstart.mdb", badStart}};
    for (const auto& [name, bytes] : files) {
        const std::string path = writeRaw(dir, name, bytes);
        try {
            checkDatabasePassword(path, "pw");
            ADD_FAILURE() << name.toStdString() << " accepted";
        } catch (const WrongPasswordError&) {
            ADD_FAILURE() << name.toStdString() << " taken for a database";
        } catch (const JetError& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
    }
}

TEST(JetHeaderRefusals, MissingFileIsRefused) {
    QTemporaryDir dir;
    EXPECT_THROW(readJetHeader(dir.filePath("assente.mdb").toStdString()), JetError);
}

TEST(JetHeaderSamples, AccessWrittenPasswordIsFound) {
    const std::string path = VELTRANO_SHARED_DIR "/mdb-samples/V2000_with-password.mdb";
    if (!QFile::exists(QString::fromStdString(path)))
        GTEST_SKIP() << "samples absent";
    const jet::JetHeaderInfo info = readJetHeader(path);
    EXPECT_EQ(info.version, 1);
    EXPECT_EQ(info.codePage, 1252);
    EXPECT_EQ(info.password, "password");
    const jet::CivilDateTime created = jet::fromJetDate(info.creationDate);
    EXPECT_EQ(created.year, 2022);
    EXPECT_EQ(created.month, 1);
    EXPECT_EQ(created.day, 7);
    EXPECT_NO_THROW(checkDatabasePassword(path, "password"));
    EXPECT_THROW(checkDatabasePassword(path, "Password"), WrongPasswordError);
}

TEST(JetHeaderSamples, AccessWrittenFileWithoutPasswordOpens) {
    const std::string path = VELTRANO_SHARED_DIR "/mdb-samples/V2000_test.mdb";
    if (!QFile::exists(QString::fromStdString(path)))
        GTEST_SKIP() << "samples absent";
    const jet::JetHeaderInfo info = readJetHeader(path);
    EXPECT_EQ(info.password, "");
    EXPECT_EQ(jet::fromJetDate(info.creationDate).year, 2004);
    EXPECT_NO_THROW(checkDatabasePassword(path, "anything"));
}
