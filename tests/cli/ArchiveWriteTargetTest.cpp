#include "ImportRun.h"
#include "io/jet/SafeFileReplace.h"
#include "io/storico/ArchiveReplace.h"
#include "io/storico/HistoryReading.h"
#include "io/storico/StoricoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUtf8StringView>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const History = "2020/01/02\tBA\t1\t2\t3\t4\t5\n"
                            "2020/01/02\tRM\t6\t7\t8\t9\t10\n"
                            "2020/01/04\tBA\t11\t12\t13\t14\t15\n";
const char* const LaterHistory = "2020/01/07\tBA\t31\t32\t33\t34\t35\n";

// Where an archive is written: the folder the user names, another folder a link may point into, and
// what each holds afterwards, hidden files included.
class ArchiveWriteTarget : public ::testing::Test {
protected:
    QTemporaryDir m_dir;

    std::string path(const QString& name) const { return m_dir.filePath(name).toStdString(); }

    std::string write(const QString& name, const QByteArray& contents) const {
        QDir().mkpath(QFileInfo(m_dir.filePath(name)).absolutePath());
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
        return file.fileName().toStdString();
    }

    QByteArray bytes(const std::string& file) const {
        QFile in(QString::fromStdString(file));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    QStringList entries(const QString& folder) const {
        return QDir(m_dir.filePath(folder))
            .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }

    CommandRun run(const std::vector<std::string>& args) const {
        return runImport(
            args, {VELTRANO_PROGRAM_DIR "/veltrano-lettore", [] { return std::time_t{1'765'000'000}; }});
    }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("target"));
        QDir(m_dir.path()).mkpath(QStringLiteral("outside"));
    }
};

TEST_F(ArchiveWriteTarget, RepeatedOrEmptyPathOptionsAreRefusedAndNothingIsWritten) {
    const std::string input = write("BARI.txt", History);
    const std::string a = path("target/a.mdb");
    const std::string b = path("target/b.mdb");
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--output", a, "--output", b, input}, "--output indicata più volte"},
        {{"-o", a, "--output=" + b, input}, "--output indicata più volte"},
        {{"--output=" + a, "-o", a, input}, "--output indicata più volte"},
        {{"--aggiorna", a, "--aggiorna", b, input}, "--aggiorna indicata più volte"},
        {{"--aggiorna=" + a, "--aggiorna=" + a, "--prova", input}, "--aggiorna indicata più volte"},
        {{"--output=", input}, "--output vuole un percorso"},
        {{"--aggiorna", "", input}, "--aggiorna vuole un percorso"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const CommandRun r = run(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find(std::string("veltrano-importa: ") +
                             static_cast<char>(std::toupper(c.message[0])) + (c.message + 1)),
                  std::string::npos)
            << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_TRUE(entries(QStringLiteral("target")).isEmpty());
    }
}

// A symbolic link where the archive goes is refused, by every command that writes an archive: the file it
// points to keeps its bytes, the link stays a link, and no copy is written anywhere.
TEST_F(ArchiveWriteTarget, SymbolicLinkAtTheArchiveIsRefusedAndWhatItPointsToIsUntouched) {
    const std::string victim = path("outside/victim.mdb");
    ASSERT_EQ(run({"--output", victim, write("old.txt", History)}).code, 0);
    const QByteArray victimBytes = bytes(victim);
    const std::string link = path("target/Dbarcomax.mdb");
    ASSERT_EQ(::symlink(victim.c_str(), link.c_str()), 0);
    const std::string dangling = path("target/Nuovo.mdb");
    const std::string nowhere = path("outside/nessuno.mdb");
    ASSERT_EQ(::symlink(nowhere.c_str(), dangling.c_str()), 0);
    const std::string later = write("later.txt", LaterHistory);

    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {"sostituisci", {"--output", link, "--sostituisci", later}, "è un collegamento simbolico"},
        {"aggiorna", {"--aggiorna", link, later}, "è un collegamento simbolico"},
        {"senzaSostituisci", {"--output", link, later}, "esiste già: non viene sostituito"},
        {"collegamentoANiente", {"--output", dangling, later}, "è un collegamento simbolico"},
        {"collegamentoANienteSostituisci",
         {"--output", dangling, "--sostituisci", later},
         "è un collegamento simbolico"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandRun r = run(c.args);
        EXPECT_EQ(r.code, 1) << r.out;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(bytes(victim), victimBytes);
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link).string(), victim);
        EXPECT_TRUE(fs::is_symlink(dangling));
        EXPECT_FALSE(fs::exists(fs::symlink_status(nowhere)));
        EXPECT_EQ(entries(QStringLiteral("target")), (QStringList{"Dbarcomax.mdb", "Nuovo.mdb"}));
        EXPECT_EQ(entries(QStringLiteral("outside")), QStringList{"victim.mdb"});
    }
}

// The name of an archive that is not to replace anything was free when the write began; a file that
// appears there before the last step (here made by the reader helper while the new archive is checked)
// is left as it is, and the new archive goes.
TEST_F(ArchiveWriteTarget, AnArchiveThatAppearsDuringTheWriteIsNotReplaced) {
    const std::string target = path("target/Dbarcomax.mdb");
    const QString script = m_dir.filePath(QStringLiteral("lettore.sh"));
    write(QStringLiteral("lettore.sh"), QByteArray("#!/bin/sh\nprintf intruso > '") +
                                            QByteArray::fromStdString(target) +
                                            "'\nexec '" VELTRANO_PROGRAM_DIR "/veltrano-lettore' \"$@\"\n");
    ASSERT_TRUE(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const auto reading = storico::readHistory({{"BARI.txt", History}});
    ASSERT_TRUE(reading.errors.empty());

    try {
        storico::replaceDrawArchive(target, reading.draws, script.toStdString(), 1'765'000'000,
                                    storico::ExistingArchive::Keep);
        ADD_FAILURE() << "the file that appeared was replaced";
    } catch (const storico::StoricoError& error) {
        EXPECT_NE(std::string(error.what()).find("creato da altri durante la scrittura"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(bytes(target), QByteArray("intruso"));
    EXPECT_EQ(entries(QStringLiteral("target")), QStringList{"Dbarcomax.mdb"});

    // Asked not to replace, a name already taken is refused before anything is written.
    EXPECT_THROW(storico::replaceDrawArchive(target, reading.draws, VELTRANO_PROGRAM_DIR "/veltrano-lettore",
                                             1'765'000'000, storico::ExistingArchive::Keep),
                 storico::StoricoError);
    EXPECT_THROW(storico::writeNewDrawArchive(target, reading.draws), storico::StoricoError);
    EXPECT_EQ(bytes(target), QByteArray("intruso"));
    EXPECT_EQ(entries(QStringLiteral("target")), QStringList{"Dbarcomax.mdb"});
}

// Names that are not UTF-8 are written and read as they are, and whatever the command prints shows them
// escaped, in valid UTF-8, as it shows the escape codes of a bad line.
TEST_F(ArchiveWriteTarget, NamesThatAreNotUtf8AreWrittenAsTheyAreAndPrintedEscaped) {
    const std::string folder = m_dir.path().toStdString() + "/target/";
    const std::string history = folder + "storico\xe9.txt";
    {
        std::FILE* file = std::fopen(history.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs(History, file);
        std::fclose(file);
    }
    const std::string archive = folder + "archivio\xe9.mdb";
    const CommandRun created = run({"--output", archive, history});
    ASSERT_EQ(created.code, 0) << created.err;
    EXPECT_TRUE(fs::is_regular_file(archive));
    EXPECT_NE(created.out.find("archivio\\xe9.mdb: 2 estrazioni"), std::string::npos) << created.out;

    const CommandRun again = run({"--output", archive, history});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find("archivio\\xe9.mdb esiste già"), std::string::npos) << again.err;

    const std::string bad = folder + "male\xe9.txt";
    {
        std::FILE* file = std::fopen(bad.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("\x1b[2J\x1b[H\tBA\t1\t2\t3\t4\t5\n", file);
        std::fclose(file);
    }
    const CommandRun refused = run({"--aggiorna", archive, bad});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("male\\xe9.txt:1: data non valida '\\x1b[2J\\x1b[H'"), std::string::npos)
        << refused.err;
    for (const CommandRun* r : {&created, &again, &refused}) {
        EXPECT_TRUE(QUtf8StringView(r->out).isValidUtf8());
        EXPECT_TRUE(QUtf8StringView(r->err).isValidUtf8());
        EXPECT_EQ(r->err.find('\x1b'), std::string::npos);
    }
}

// The last step of a new file never replaces what is at its name: a file, a link (to a file or to
// nothing) or a folder; with the name free it renames.
TEST_F(ArchiveWriteTarget, RenameToAFreeNameNeverReplacesWhatIsThere) {
    const std::string fresh = write("target/.nuovo", "nuovo");
    const std::string file = write("target/file", "vecchio");
    const std::string toFile = path("target/link");
    ASSERT_EQ(::symlink(file.c_str(), toFile.c_str()), 0);
    const std::string toNothing = path("target/dangling");
    ASSERT_EQ(::symlink(path("outside/nessuno").c_str(), toNothing.c_str()), 0);
    const std::string folder = path("target/cartella");
    QDir().mkpath(QString::fromStdString(folder));
    for (const std::string& taken : {file, toFile, toNothing, folder}) {
        SCOPED_TRACE(taken);
        EXPECT_FALSE(jet::engine::renameIntoFreeName(fresh, taken));
        EXPECT_EQ(bytes(fresh), QByteArray("nuovo"));
    }
    EXPECT_EQ(bytes(file), QByteArray("vecchio"));
    EXPECT_TRUE(fs::is_symlink(toNothing));
    EXPECT_TRUE(entries(QStringLiteral("outside")).isEmpty());
    const std::string free = path("target/libero");
    EXPECT_TRUE(jet::engine::renameIntoFreeName(fresh, free));
    EXPECT_EQ(bytes(free), QByteArray("nuovo"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(fresh)));
}

} // namespace
