#include "ArchiveExport.h"
#include "ImportRun.h"
#include "cli/ImportCommand.h"
#include "io/jet/JetWriter.h"
#include "io/storico/ArchiveDraws.h"
#include "io/storico/ArchiveReplace.h"
#include "io/storico/DrawArchiveFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

using namespace archive_export;

namespace {

const std::string OldHistory = "2020/01/02\tBA\t1\t2\t3\t4\t5\n"
                               "2020/01/02\tCA\t6\t7\t8\t9\t10\n"
                               "2020/01/04\tBA\t11\t12\t13\t14\t15\n"
                               "2020/01/04\tCA\t16\t17\t18\t19\t20\n";
// One correction (CA of 01/04), one new draw, one wheel filled.
const std::string NewHistory = "2020/01/02\tRN\t21\t22\t23\t24\t25\n"
                               "2020/01/04\tCA\t16\t17\t18\t19\t21\n"
                               "2020/01/07\tBA\t31\t32\t33\t34\t35\n"
                               "2020/01/07\tVE\t36\t37\t38\t39\t40\n";

class ArchiveUpdateCommandTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    std::time_t m_now = 1'765'000'000;

    std::string path(const QString& name) const { return m_dir.filePath(name).toStdString(); }

    std::string write(const QString& name, const std::string& contents) const {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents.data(), static_cast<qint64>(contents.size()));
        return file.fileName().toStdString();
    }

    QByteArray bytes(const std::string& file) const {
        QFile in(QString::fromStdString(file));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    CommandRun run(const std::vector<std::string>& args) {
        return runImport(args, {VELTRANO_PROGRAM_DIR "/veltrano-lettore", [this] { return m_now; }});
    }

    std::string createArchive() {
        const std::string archive = path("Dbarcomax.mdb");
        const CommandRun created = run({"--output", archive, write("old.txt", OldHistory)});
        EXPECT_EQ(created.code, 0) << created.err;
        return archive;
    }

    QStringList backups() const {
        return QDir(m_dir.path()).entryList({"Dbarcomax.*.bak"}, QDir::Files, QDir::Name);
    }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_FALSE(mdbExportProgram().isEmpty()) << "mdb-export (mdbtools) is needed to read archives back";
    }
};

} // namespace

TEST_F(ArchiveUpdateCommandTest, UpdateReportsThenWritesTheMergeAndKeepsTheOldArchiveBeside) {
    const std::string archive = createArchive();
    const QByteArray before = bytes(archive);
    const std::string update = write("new.txt", NewHistory);

    const CommandRun trial = run({"--aggiorna", archive, "--prova", update});
    EXPECT_EQ(trial.code, 0) << trial.err;
    EXPECT_NE(trial.out.find("Prova: nessun file scritto"), std::string::npos) << trial.out;
    EXPECT_EQ(bytes(archive), before);
    EXPECT_TRUE(backups().isEmpty());

    const CommandRun done = run({"--aggiorna", archive, update});
    ASSERT_EQ(done.code, 0) << done.err;
    for (const char* line :
         {"Estrazioni nuove: 1\n  + 07/01/2020 (BA VE)\n",
          "Ruote aggiunte a estrazioni già in archivio: 1\n  + 02/01/2020 NZ: 21 22 23 24 25\n",
          "Correzioni: 1\n  04/01/2020 CA: 16 17 18 19 20 -> 16 17 18 19 21\n",
          "Dopo l'aggiornamento: 3 estrazioni, l'ultima del 07/01/2020\n", "Archivio aggiornato"})
        EXPECT_NE(done.out.find(line), std::string::npos) << "missing: " << line << "\n" << done.out;

    const Export exported = exportArchive(QString::fromStdString(archive));
    ASSERT_TRUE(exported.ok) << exported.error;
    ASSERT_EQ(exported.rows.size(), 3u);
    EXPECT_EQ(exported.rows[0].cells[10].value_or("<null>"), "21 22 23 24 25");
    EXPECT_EQ(exported.rows[1].cells[1].value_or("<null>"), "16 17 18 19 21");
    EXPECT_EQ(exported.rows[2].date, "2020/01/07");
    EXPECT_EQ(exported.rows[2].cells[9].value_or("<null>"), "36 37 38 39 40");

    ASSERT_EQ(backups().size(), 1);
    EXPECT_EQ(bytes(m_dir.filePath(backups().front()).toStdString()), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Hidden | QDir::Files).filter(".nuovo").size(), 0);
}

TEST_F(ArchiveUpdateCommandTest, NothingNewWritesNothingAndSaysSo) {
    const std::string archive = createArchive();
    const QByteArray before = bytes(archive);
    const CommandRun again = run({"--aggiorna", archive, write("same.txt", OldHistory)});
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_NE(again.out.find("Niente da aggiungere e niente da correggere: archivio non modificato"),
              std::string::npos)
        << again.out;
    EXPECT_EQ(bytes(archive), before);
    EXPECT_TRUE(backups().isEmpty());
}

TEST_F(ArchiveUpdateCommandTest, OnlyTheLastFiveCopiesOfOldArchivesStay) {
    const std::string archive = createArchive();
    // Files that only look like copies stay; an old copy with a counter is a copy, the first to go.
    const QStringList lookalikes = {"Dbarcomax.20200101-000000-x.bak", "Dbarcomax.20200101-000000-.bak",
                                    "DbarcomaxX.20200101-000000.bak", "Dbarcomax.2020010-000000.bak",
                                    "Dbarcomax.20200101-000000.bak.txt", "Dbarcomax.20200101_000000.bak"};
    for (const QString& name : lookalikes)
        write(name, "x");
    write("Dbarcomax.20000101-000000-2.bak", "x");
    QStringList expected;
    for (int day = 10; day < 17; ++day) {
        m_now += 3600;
        const std::string line = "2020/01/" + std::to_string(day) + "\tBA\t1\t2\t3\t4\t" +
                                 std::to_string(day) + "\n2020/01/" + std::to_string(day) +
                                 "\tCA\t1\t2\t3\t4\t5\n";
        const CommandRun step = run({"--aggiorna", archive, write("step.txt", line)});
        ASSERT_EQ(step.code, 0) << step.err;
        expected << QString::fromStdString(storico::backupFileName("Dbarcomax.mdb", m_now));
    }
    QStringList copies = backups();
    for (const QString& name : lookalikes) {
        EXPECT_TRUE(QFile::exists(m_dir.filePath(name))) << name.toStdString();
        copies.removeAll(name);
    }
    EXPECT_EQ(copies, expected.mid(2));
}

TEST_F(ArchiveUpdateCommandTest, ArchivesTheUpdateWouldNotWriteBackWhollyAreRefusedUntouched) {
    const auto drawTable = [](std::vector<jet::ColumnSpec> extraColumns) {
        jet::TableSpec table;
        table.name = "EstrazioniLotto";
        table.columns.push_back({"DataEstrazione", jet::ColumnType::DateTime, 0});
        for (const char* wheel : {"Ba", "Ca", "Fi", "Ge", "Mi", "Na", "Pa", "Ro", "To", "Ve", "Nz"})
            table.columns.push_back({wheel, jet::ColumnType::Text, 14});
        for (auto& column : extraColumns)
            table.columns.push_back(column);
        return table;
    };
    struct RefusedCase {
        const char* name;
        std::function<void(const std::string&)> make;
        const char* reason;
    };
    const std::vector<RefusedCase> cases{
        {"another table",
         [&](const std::string& file) {
             jet::DatabaseSpec spec;
             spec.tables.push_back(drawTable({}));
             jet::TableSpec plays;
             plays.name = "Giocate";
             plays.columns.push_back({"Nome", jet::ColumnType::Text, 50});
             plays.rows.push_back({std::string("ambo secco")});
             spec.tables.push_back(plays);
             jet::writeJetDatabase(file, spec);
         },
         "contiene la tabella Giocate"},
        {"another column",
         [&](const std::string& file) {
             jet::DatabaseSpec spec;
             spec.tables.push_back(drawTable({{"Note", jet::ColumnType::Text, 50}}));
             jet::writeJetDatabase(file, spec);
         },
         "ha la colonna Note"},
        {"the sample archive",
         [](const std::string& file) { storico::writeDrawArchiveFile(file, {}, 0, true); },
         "archivio di esempio"},
    };
    const std::string update = write("new.txt", NewHistory);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string archive = path("Dbarcomax.mdb");
        c.make(archive);
        const QByteArray before = bytes(archive);
        const CommandRun refused = run({"--aggiorna", archive, update});
        EXPECT_EQ(refused.code, 1);
        EXPECT_NE(refused.err.find(c.reason), std::string::npos) << refused.err;
        EXPECT_NE(refused.err.find("--output"), std::string::npos) << refused.err;
        EXPECT_EQ(bytes(archive), before);
        EXPECT_TRUE(backups().isEmpty());
    }
}

TEST_F(ArchiveUpdateCommandTest, ReadOnlyArchiveIsReportedAndLeftAsItWas) {
    const std::string archive = createArchive();
    const QByteArray before = bytes(archive);
    ASSERT_EQ(::chmod(archive.c_str(), 0444), 0);
    const CommandRun refused = run({"--aggiorna", archive, write("new.txt", NewHistory)});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("sola lettura"), std::string::npos) << refused.err;
    EXPECT_EQ(bytes(archive), before);
    EXPECT_TRUE(backups().isEmpty());
}

TEST_F(ArchiveUpdateCommandTest, BadHistoryLinesAreListedAndTheArchiveIsNotTouched) {
    const std::string archive = createArchive();
    const QByteArray before = bytes(archive);
    const std::string bad = write("bad.txt", "2020/01/07\tBA\t31\t32\t33\t34\t95\n");
    const CommandRun refused = run({"--aggiorna", archive, bad});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find(bad + ":1: numero 95 fuori da 1-90"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("archivio non modificato"), std::string::npos) << refused.err;
    EXPECT_EQ(bytes(archive), before);
}

// An existing file named by --output is replaced only on --sostituisci, and then kept beside as a copy,
// as an update keeps it; anything else leaves it byte for byte.
TEST_F(ArchiveUpdateCommandTest, OutputOverAnExistingFileIsReplacedOnlyWhenAskedAndTheOldOneIsKept) {
    struct Case {
        const char* name;
        std::vector<std::string> options;
        int code;
        bool replaced;
        std::vector<std::string> says; // on standard error when refused, else on standard output
    };
    const std::vector<Case> cases{
        {"no --sostituisci", {}, 1, false, {"Il file ", " esiste già: non viene sostituito.", "--aggiorna "}},
        {"--sostituisci with --prova",
         {"--sostituisci", "--prova"},
         0,
         false,
         {"Prova: nessun file scritto"}},
        {"--sostituisci", {"--sostituisci"}, 0, true, {"Archivio sostituito; copia del precedente in "}},
    };
    const std::string history = write("other.txt", "2021/03/02\tBA\t31\t32\t33\t34\t35\n"
                                                   "2021/03/02\tCA\t36\t37\t38\t39\t40\n"
                                                   "2021/03/04\tBA\t41\t42\t43\t44\t45\n"
                                                   "2021/03/04\tCA\t46\t47\t48\t49\t50\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& name : backups())
            QFile::remove(m_dir.filePath(name));
        QFile::remove(m_dir.filePath("Dbarcomax.mdb"));
        const std::string archive = createArchive();
        const QByteArray before = bytes(archive);
        std::vector<std::string> args{"--output", archive};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(history);
        const CommandRun done = run(args);
        EXPECT_EQ(done.code, c.code) << done.err;
        const std::string& said = c.code == 0 ? done.out : done.err;
        for (const auto& text : c.says)
            EXPECT_NE(said.find(text), std::string::npos) << text << "\n" << said;
        if (c.code != 0) {
            EXPECT_NE(done.err.find(archive), std::string::npos) << "the refusal names the file";
        }

        const Export exported = exportArchive(QString::fromStdString(archive));
        ASSERT_TRUE(exported.ok) << exported.error;
        if (!c.replaced) {
            EXPECT_EQ(bytes(archive), before);
            EXPECT_TRUE(backups().isEmpty());
            continue;
        }
        // The history alone; the old archive's draws are only in the copy.
        ASSERT_EQ(exported.rows.size(), 2u);
        EXPECT_EQ(exported.rows[0].date, "2021/03/02");
        EXPECT_EQ(exported.rows[1].date, "2021/03/04");
        EXPECT_EQ(exported.rows[1].cells[1].value_or("<null>"), "46 47 48 49 50");
        ASSERT_EQ(backups().size(), 1);
        EXPECT_EQ(backups().front(), QString::fromStdString(storico::backupFileName("Dbarcomax.mdb", m_now)));
        EXPECT_EQ(bytes(m_dir.filePath(backups().front()).toStdString()), before);
        EXPECT_NE(done.out.find(m_dir.filePath(backups().front()).toStdString()), std::string::npos)
            << done.out;
    }
}

TEST_F(ArchiveUpdateCommandTest, SostituisciGoesOnlyWithOutput) {
    const std::string archive = createArchive();
    const QByteArray before = bytes(archive);
    const CommandRun refused = run({"--aggiorna", archive, "--sostituisci", write("new.txt", NewHistory)});
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("--sostituisci vale solo con --output"), std::string::npos) << refused.err;
    EXPECT_EQ(bytes(archive), before);
    EXPECT_TRUE(backups().isEmpty());
}
