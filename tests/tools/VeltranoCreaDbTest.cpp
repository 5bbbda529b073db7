#include "io/jet/JetError.h"
#include "io/jet/JetHeader.h"
#include "io/jet/ProgramPassword.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct CreaDbRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CreaDbRun run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    CreaDbRun result;
    if (!process.waitForStarted(10000) || !process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

QString tool() {
    return QString(VELTRANO_PROGRAM_DIR) + "/veltrano-crea-db";
}

CreaDbRun createDb(const QStringList& arguments) {
    return run(tool(), arguments);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

QStringList filesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
}

bool mdbToolsPresent() {
    return !QStandardPaths::findExecutable("mdb-export").isEmpty() &&
           !QStandardPaths::findExecutable("mdb-tables").isEmpty();
}

} // namespace

TEST(ProgramPassword, IsAStableNonEmptyTextOfAtMostTwentyCharacters) {
    const std::string password = programDatabasePassword();
    EXPECT_FALSE(password.empty());
    EXPECT_LE(password.size(), 20u);
    EXPECT_EQ(programDatabasePassword(), password);
}

TEST(VeltranoCreaDbUsage, HelpDescribesTheOptionsAndSucceeds) {
    const CreaDbRun help = createDb({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--archivio"), std::string::npos);
    EXPECT_NE(help.out.find("--output"), std::string::npos);
}

TEST(VeltranoCreaDbUsage, BadCommandLinesExitTwoWithAMessageAndWriteNothing) {
    QTemporaryDir dir;
    const QString out = dir.filePath("DbVeltrano.mdb");
    const std::vector<QStringList> bad = {{},
                                          {"--output", out},
                                          {"--archivio", "/x/Dbarcomax.mdb"},
                                          {"--archivio", "/x/Dbarcomax.mdb", "--output"},
                                          {"--archivio", "", "--output", out},
                                          {"--archivio", "/x/Dbarcomax.mdb", "--output", out, "--altro"},
                                          {"extra", "--archivio", "/x/Dbarcomax.mdb", "--output", out}};
    for (const QStringList& args : bad) {
        const CreaDbRun r = createDb(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_TRUE(filesIn(dir).isEmpty());
}

TEST(VeltranoCreaDbOutput, DatabaseHoldsTheParametersAndTheProgramPassword) {
    if (!mdbToolsPresent())
        GTEST_SKIP() << "mdbtools command-line programs absent";
    QTemporaryDir dir;
    const QString out = dir.filePath("DbVeltrano.mdb");
    const QString archive = "/home/utente/Archivio è mio/Dbarcomax.mdb";
    const CreaDbRun r = createDb({"--archivio", archive, "--output", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(filesIn(dir), QStringList{"DbVeltrano.mdb"});

    const CreaDbRun tables = run("mdb-tables", {"-1", out});
    EXPECT_EQ(lines(tables.out),
              (std::vector<std::string>{"ParametriProgramma", "Salvataggi", "Giocate", "Impostazioni",
                                        "Operatori", "PiramidiElenco", "PiramideComposizione"}));
    const CreaDbRun parameters = run("mdb-export", {"-H", "-0", "NULLO", out, "ParametriProgramma"});
    EXPECT_EQ(lines(parameters.out),
              (std::vector<std::string>{"\"PercorsoArchivio\",\"" + archive.toStdString() + "\",NULLO",
                                        "\"EstrazioneIniziale\",\"1\",NULLO"}));
    const CreaDbRun schema = run("mdb-schema", {out, "postgres"});
    EXPECT_NE(schema.out.find("PRIMARY KEY (\"parametro\")"), std::string::npos) << schema.out;

    const jet::JetHeaderInfo header = jet::readJetHeader(out.toStdString());
    EXPECT_EQ(header.version, 1);
    EXPECT_EQ(header.password, programDatabasePassword());
    EXPECT_NO_THROW(jet::checkDatabasePassword(out.toStdString(), programDatabasePassword()));
    EXPECT_THROW(jet::checkDatabasePassword(out.toStdString(), ""), jet::WrongPasswordError);
}

TEST(VeltranoCreaDbOutput, FailureExitsOneAndLeavesNoFile) {
    QTemporaryDir dir;
    // No such folder.
    const CreaDbRun missing =
        createDb({"--archivio", "/x/Dbarcomax.mdb", "--output", dir.filePath("manca/DbVeltrano.mdb")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.err.empty());
    // A path too long for its column: the existing database stays as it was.
    const QString out = dir.filePath("DbVeltrano.mdb");
    ASSERT_EQ(createDb({"--archivio", "/primo/Dbarcomax.mdb", "--output", out}).exitCode, 0);
    QFile before(out);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray original = before.readAll();
    const CreaDbRun tooLong =
        createDb({"--archivio", "/" + QString(300, 'a') + "/Dbarcomax.mdb", "--output", out});
    EXPECT_EQ(tooLong.exitCode, 1);
    EXPECT_NE(tooLong.err.find("troppo lungo"), std::string::npos) << tooLong.err;
    QFile after(out);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), original);
    EXPECT_EQ(filesIn(dir), QStringList{"DbVeltrano.mdb"});
}

TEST(VeltranoCreaDbBuild, ProgramFolderHasTheDatabasePointingBesideIt) {
    const QString db = QString(VELTRANO_PROGRAM_DIR) + "/DbVeltrano.mdb";
    ASSERT_TRUE(QFile::exists(db));
    EXPECT_EQ(jet::readJetHeader(db.toStdString()).password, programDatabasePassword());
    if (!mdbToolsPresent())
        GTEST_SKIP() << "mdbtools command-line programs absent";
    const CreaDbRun parameters = run("mdb-export", {"-H", db, "ParametriProgramma"});
    EXPECT_NE(parameters.out.find("\"" VELTRANO_PROGRAM_DIR "/Dbarcomax.mdb\""), std::string::npos)
        << parameters.out;
}
