#include "ArchiveExport.h"
#include "cli/ImportCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>
#include <zip.h>

using namespace archive_export;

namespace {

const std::string History = "2020/01/02\tBA\t1\t2\t3\t4\t5\n"
                            "2020/01/02\tRM\t6\t7\t8\t9\t10\n"
                            "2020/01/04\tBA\t11\t12\t13\t14\t15\n";

// Writes a zip of the given entries (name -> contents), deflated.
bool writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const auto& [name, contents] : entries) {
        zip_source_t* source = zip_source_buffer(archive, contents.data(), contents.size(), 0);
        if (!source || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0;
}

struct ZipCase {
    const char* name;
    std::function<void(const std::string& zipPath)> make;
    int code;
    const char* says; // in the output (code 0) or in the errors
};

} // namespace

TEST(ZipHistory, TheOperatorsZipIsReadAndEveryFaultyZipIsRefusedWithNothingWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_FALSE(mdbExportProgram().isEmpty());
    const auto rewrite = [](const std::string& path, const std::function<void(QByteArray&)>& change) {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        change(bytes);
        file.resize(0);
        file.seek(0);
        file.write(bytes);
    };
    const std::string big(200000, 'x');
    const std::vector<ZipCase> cases{
        {"one text file",
         [](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"storico.txt", History}}));
         },
         0, "2 estrazioni, 3 righe di ruota"},
        {"one text file in a folder, beside other files",
         [](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"leggimi.pdf", "%PDF"}, {"dati/STORICO.TXT", History}}));
         },
         0, "2 estrazioni, 3 righe di ruota"},
        {"bad line named inside the zip",
         [](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"storico.txt", History + "2020/01/07\tXX\t1\t2\t3\t4\t5\n"}}));
         },
         1, ".zip:storico.txt:4: ruota sconosciuta 'XX'"},
        {"no text file",
         [](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"leggimi.pdf", "%PDF"}}));
         },
         1, "non contiene file di testo"},
        {"several text files",
         [](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"a.txt", History}, {"b.txt", History}}));
         },
         1, "contiene più file di testo (a.txt, b.txt)"},
        {"not a zip at all",
         [](const std::string& p) {
             QFile f(QString::fromStdString(p));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("PK\x03\x04 not really");
         },
         1, "danneggiato"},
        {"cut short",
         [&](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"storico.txt", History}}));
             rewrite(p, [](QByteArray& b) { b.truncate(b.size() / 2); });
         },
         1, "danneggiato"},
        {"compressed data damaged",
         [&](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"storico.txt", History + big}}));
             // The local header is 30 bytes plus the name; flip bytes well inside the deflated stream.
             rewrite(p, [](QByteArray& b) {
                 for (int i = 60; i < 90; ++i)
                     b[i] = static_cast<char>(b[i] ^ 0x5A);
             });
         },
         1, "danneggiato"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string zipPath = dir.filePath(QStringLiteral("storico%1.zip").arg(n)).toStdString();
        const std::string output = dir.filePath(QStringLiteral("out%1/Dbarcomax.mdb").arg(n++)).toStdString();
        QDir().mkpath(QFileInfo(QString::fromStdString(output)).absolutePath());
        c.make(zipPath);
        std::ostringstream out, err;
        const int code = storico::runImport({"--output", output, zipPath}, out, err);
        EXPECT_EQ(code, c.code) << err.str();
        EXPECT_NE((code == 0 ? out : err).str().find(c.says), std::string::npos) << out.str() << err.str();
        EXPECT_EQ(QFile::exists(QString::fromStdString(output)), c.code == 0);
        if (c.code == 0) {
            const Export exported = exportArchive(QString::fromStdString(output));
            ASSERT_TRUE(exported.ok) << exported.error;
            ASSERT_EQ(exported.rows.size(), 2u);
            EXPECT_EQ(exported.rows[0].cells[7].value_or("<null>"), "06 07 08 09 10");
        }
    }
}
