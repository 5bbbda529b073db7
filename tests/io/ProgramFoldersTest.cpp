#include "io/ProgramFolders.h"

#include "ArchiveFixtures.h"
#include "io/ProgramDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

const QString kTemplateArchive = QStringLiteral("/usr/lib/veltrano/Dbarcomax.mdb");

QString archivePathIn(const QString& folder) {
    ProgramDatabase database(folder);
    database.open();
    return database.readParameter(QStringLiteral("PercorsoArchivio")).value_or(QString());
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A temporary root holding the program's files folder (with a read-only template database, as a
// package installs it), the user's home and an XDG data folder.
class ProgramFoldersTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    QString files;
    QString home;

    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        files = path(QStringLiteral("usr/lib/veltrano"));
        home = path(QStringLiteral("home/giocatore"));
        ASSERT_TRUE(QDir().mkpath(files));
        ASSERT_TRUE(QDir().mkpath(home));
        fixtures::ProgramDatabaseContent content;
        content.percorsoArchivio = kTemplateArchive;
        fixtures::writeProgramDatabase(files, content);
        QFile::setPermissions(ProgramDatabase(files).databasePath(),
                              QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }

    QString path(const QString& relative) const { return QDir(root.path()).filePath(relative); }
    QString sampleArchive() const { return QDir(files).filePath(QStringLiteral("Dbarcomax.mdb")); }
};

TEST_F(ProgramFoldersTest, DataFolderIsTheFilesFolderWhenWritableElseTheUsersOwnMadeOnceAndKept) {
    struct Row {
        const char* name;
        bool writable;
        QString xdgDataHome;
        QString expected; // relative to the root; empty: the files folder
    };
    const QString xdg = path(QStringLiteral("dati-xdg"));
    const std::vector<Row> rows = {
        {"writable files folder", true, xdg, QString()},
        {"not writable: $XDG_DATA_HOME/veltrano", false, xdg, QStringLiteral("dati-xdg/veltrano")},
        {"XDG_DATA_HOME unset", false, QString(), QStringLiteral("home/giocatore/.local/share/veltrano")},
        {"relative XDG_DATA_HOME is ignored", false, QStringLiteral("dati"),
         QStringLiteral("home/giocatore/.local/share/veltrano")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QDir(xdg).removeRecursively();
        QDir(path(QStringLiteral("home/giocatore/.local"))).removeRecursively();
        const QByteArray templateBytes = fileBytes(ProgramDatabase(files).databasePath());

        const QString data = chooseDataFolder({files, row.writable, row.xdgDataHome, home});
        EXPECT_EQ(data.toStdString(), (row.expected.isEmpty() ? files : path(row.expected)).toStdString());
        prepareDataFolder(files, data);

        // The template is never written to.
        EXPECT_EQ(fileBytes(ProgramDatabase(files).databasePath()), templateBytes);
        if (row.writable) {
            EXPECT_FALSE(QFileInfo::exists(QDir(xdg).filePath(QStringLiteral("veltrano"))));
            EXPECT_FALSE(QFileInfo::exists(ProgramDatabase(files).pathFilePath()));
            EXPECT_EQ(archivePathIn(files), kTemplateArchive);
            continue;
        }
        // The first start: the template copied, pointing at the sample archive beside it, and the
        // copy the user's to change; nothing of the staging left behind.
        ProgramDatabase copy(data);
        EXPECT_EQ(archivePathIn(data).toStdString(), sampleArchive().toStdString());
        EXPECT_EQ(fileBytes(copy.pathFilePath()), "\"" + sampleArchive().toLocal8Bit() + "\"\r\n");
        EXPECT_TRUE(QFile::permissions(copy.databasePath()) & QFile::WriteOwner);
        EXPECT_EQ(QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList({QStringLiteral("DbVeltrano.mdb"), QStringLiteral("PercorsoDatabase.txt")}));

        // The user chooses another archive; the next start keeps the choice.
        copy.open();
        ASSERT_TRUE(copy.writeArchivePath(QStringLiteral("/altrove/Dbarcomax.mdb")));
        copy.close();
        EXPECT_EQ(chooseDataFolder({files, row.writable, row.xdgDataHome, home}), data);
        prepareDataFolder(files, data);
        EXPECT_EQ(archivePathIn(data), QStringLiteral("/altrove/Dbarcomax.mdb"));
    }
}

TEST(DataFolderChoice, UnderUsrTheUsersOwnFolderEvenWhenWritableAsForRoot) {
    struct Row {
        const char* files;
        const char* expected;
    };
    const Row rows[] = {
        {"/usr/lib/veltrano", "/home/giocatore/.local/share/veltrano"},
        {"/usr/bin/../lib/veltrano", "/home/giocatore/.local/share/veltrano"},
        {"/usr/local/lib/veltrano", "/usr/local/lib/veltrano"},
        {"/opt/veltrano/lib/veltrano", "/opt/veltrano/lib/veltrano"},
        {"/usr-altro/lib/veltrano", "/usr-altro/lib/veltrano"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(chooseDataFolder(
                      {QString::fromLatin1(row.files), true, QString(), QStringLiteral("/home/giocatore")})
                      .toStdString(),
                  row.expected)
            << row.files;
}

TEST_F(ProgramFoldersTest, AFolderOrCopyThatCannotBeMadeIsReportedAndLeavesNoDatabase) {
    // A plain file where the data folder should go.
    QFile blocker(path(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString underAFile = path(QStringLiteral("file/veltrano"));
    try {
        prepareDataFolder(files, underAFile);
        ADD_FAILURE() << "no error for a folder under a file";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(underAFile)) << e.what();
    }

    // A files folder without the template: the error names it, and the next start tries again.
    const QString empty = path(QStringLiteral("vuota"));
    const QString data = path(QStringLiteral("dati/veltrano"));
    ASSERT_TRUE(QDir().mkpath(empty));
    try {
        prepareDataFolder(empty, data);
        ADD_FAILURE() << "no error without a template";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QDir(empty).filePath("DbVeltrano.mdb"))) << e.what();
    }
    EXPECT_TRUE(QDir(data).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(ProgramFoldersTest, FilesAreInLibVeltranoBesideAnInstalledBinFolderElseBesideTheExecutable) {
    const QString bin = path(QStringLiteral("usr/bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString buildTree = path(QStringLiteral("build/bin"));
    ASSERT_TRUE(QDir().mkpath(buildTree));
    EXPECT_EQ(programFilesFolder(bin), files);
    EXPECT_EQ(readerProgramFor(bin), QDir(files).filePath(QStringLiteral("veltrano-lettore")));
    EXPECT_EQ(programFilesFolder(buildTree), buildTree);
    EXPECT_EQ(readerProgramFor(buildTree), QDir(buildTree).filePath(QStringLiteral("veltrano-lettore")));
}

} // namespace
