#include "ArchiveExport.h"
#include "WheelFilesHistory.h"
#include "ZipWriting.h"
#include "cli/ImportCommand.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

using namespace archive_export;
using zip_writing::writeZip;

namespace {

const std::string ZippedHistory = "2020/01/02\tBA\t1\t2\t3\t4\t5\n"
                            "2020/01/02\tRM\t6\t7\t8\t9\t10\n"
                            "2020/01/04\tBA\t11\t12\t13\t14\t15\n";

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
             ASSERT_TRUE(writeZip(p, {{"storico.txt", ZippedHistory}}));
         },
         0, "2 estrazioni, 3 righe di ruota"},
        {"one text file in a folder, beside other files",
         [](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"leggimi.pdf", "%PDF"}, {"dati/STORICO.TXT", ZippedHistory}}));
         },
         0, "2 estrazioni, 3 righe di ruota"},
        {"bad line named inside the zip",
         [](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"storico.txt", ZippedHistory + "2020/01/07\tXX\t1\t2\t3\t4\t5\n"}}));
         },
         1, ".zip:storico.txt:4: ruota sconosciuta 'XX'"},
        {"no text file",
         [](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"leggimi.pdf", "%PDF"}}));
         },
         1, "non contiene file di testo"},
        {"several text files, read together",
         [](const std::string& p) {
             const auto cut = ZippedHistory.find("2020/01/04");
             ASSERT_TRUE(writeZip(p, {{"b.txt", ZippedHistory.substr(cut)}, {"a.txt", ZippedHistory.substr(0, cut)}}));
         },
         0, "2 estrazioni, 3 righe di ruota"},
        {"several text files: a bad line named in its own file",
         [](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"a.txt", ZippedHistory}, {"b.txt", "2020/01/07\tXX\t1\t2\t3\t4\t5\n"}}));
         },
         1, ".zip:b.txt:1: ruota sconosciuta 'XX'"},
        {"not a zip at all",
         [](const std::string& p) {
             QFile f(QString::fromStdString(p));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("PK\x03\x04 not really");
         },
         1, "danneggiato"},
        {"cut short",
         [&](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"storico.txt", ZippedHistory}}));
             rewrite(p, [](QByteArray& b) { b.truncate(b.size() / 2); });
         },
         1, "danneggiato"},
        {"compressed data damaged",
         [&](const std::string& p) {
             ASSERT_TRUE(writeZip(p, {{"storico.txt", ZippedHistory + big}}));
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

namespace {

// Every file under a folder, by its path relative to it.
QStringList filesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

std::string writeText(const QString& path, const std::string& contents) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents.data(), static_cast<qint64>(contents.size()));
    return path.toStdString();
}

} // namespace

// The operator's history as one file per wheel, zipped: the archive is the one the same files give loose,
// whatever order the zip holds them in.
TEST(ZipHistory, OneFilePerWheelGivesTheArchiveOfTheSameFilesLoose) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_FALSE(mdbExportProgram().isEmpty());
    auto files = wheelFilesHistory();
    std::vector<std::string> loose;
    QDir().mkpath(dir.filePath("sciolti"));
    for (const auto& [name, text] : files)
        loose.push_back(writeText(dir.filePath("sciolti/" + QString::fromStdString(name)), text));
    std::reverse(files.begin(), files.end());
    const std::string zip = dir.filePath("storico.zip").toStdString();
    ASSERT_TRUE(writeZip(zip, files));

    std::vector<std::string> looseArgs{"--output", dir.filePath("sciolti.mdb").toStdString()};
    looseArgs.insert(looseArgs.end(), loose.begin(), loose.end());
    std::vector<std::vector<std::string>> runs{
        looseArgs,
        {"--output", dir.filePath("zip.mdb").toStdString(), zip},
        {"--output", dir.filePath("cartella.mdb").toStdString(), dir.filePath("sciolti").toStdString()}};
    std::vector<Export> exported;
    for (const auto& args : runs) {
        std::ostringstream out, err;
        ASSERT_EQ(storico::runImport(args, out, err), 0) << err.str();
        EXPECT_NE(out.str().find("4 estrazioni, 43 righe di ruota"), std::string::npos) << out.str();
        EXPECT_NE(out.str().find("Data sfasata: CA del 2005/05/12 unita all'estrazione del 2005/05/11"),
                  std::string::npos)
            << out.str();
        exported.push_back(exportArchive(QString::fromStdString(args[1])));
        ASSERT_TRUE(exported.back().ok) << exported.back().error;
    }
    ASSERT_EQ(exported[0].rows.size(), 4u);
    EXPECT_FALSE(exported[0].rows[0].cells[10].has_value()); // Nazionale from the second date only
    for (std::size_t run = 1; run < exported.size(); ++run) {
        ASSERT_EQ(exported[run].rows.size(), exported[0].rows.size());
        for (std::size_t i = 0; i < exported[0].rows.size(); ++i) {
            EXPECT_EQ(exported[run].rows[i].date, exported[0].rows[i].date);
            EXPECT_EQ(exported[run].rows[i].cells, exported[0].rows[i].cells) << "run " << run << " row " << i;
        }
    }
}

// An entry's name is only a name: one that climbs out of the folder, or an absolute one, is read in memory
// like any other and nothing is written but the archive.
TEST(ZipHistory, EntryNamesThatLeadOutsideWriteNothingAnywhere) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir().mkpath(dir.filePath("zip/dentro"));
    QDir().mkpath(dir.filePath("out"));
    const std::string zip = dir.filePath("zip/dentro/storico.zip").toStdString();
    const std::string absolute = dir.filePath("assoluto.txt").toStdString();
    ASSERT_TRUE(writeZip(zip, {{"../x.txt", "2020/01/02\tBA\t1\t2\t3\t4\t5\n"},
                               {"../../../x.txt", "2020/01/02\tRM\t6\t7\t8\t9\t10\n"},
                               {absolute, "2020/01/04\tBA\t11\t12\t13\t14\t15\n"}}));
    const QStringList before = filesUnder(dir.path());
    const bool besideTheRun = QFile::exists(QStringLiteral("../x.txt"));

    std::ostringstream out, err;
    const std::string output = dir.filePath("out/Dbarcomax.mdb").toStdString();
    ASSERT_EQ(storico::runImport({"--output", output, zip}, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("2 estrazioni, 3 righe di ruota"), std::string::npos) << out.str();
    QStringList expected = before + QStringList{"out/Dbarcomax.mdb"};
    expected.sort();
    EXPECT_EQ(filesUnder(dir.path()), expected);
    EXPECT_EQ(QFile::exists(QStringLiteral("../x.txt")), besideTheRun);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(absolute)));

    // A bad line in such an entry is reported under the entry's name, within the zip.
    ASSERT_TRUE(writeZip(zip, {{"../x.txt", "2020/01/02\tXX\t1\t2\t3\t4\t5\n"}}));
    std::ostringstream out2, err2;
    EXPECT_EQ(storico::runImport({"--output", dir.filePath("out/altro.mdb").toStdString(), zip}, out2, err2), 1);
    EXPECT_NE(err2.str().find("storico.zip:../x.txt:1: ruota sconosciuta"), std::string::npos) << err2.str();
    EXPECT_FALSE(QFile::exists(dir.filePath("out/altro.mdb")));
}
