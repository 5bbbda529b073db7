#include "ArchiveExport.h"
#include "ArchiveFixtures.h"
#include "ScriptedServices.h"
#include "WheelFilesHistory.h"
#include "ZipWriting.h"
#include "core/DrawArchive.h"
#include "gui/kit/HistoryArchive.h"
#include "gui/start/INIZIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The start window in a temporary program folder, for making the archive from the history and for
// recording the chosen archive.
class ArchiveFromHistoryTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    DrawArchive archive;
    ScriptedPrompts prompts;
    ScriptedProgramEnd programEnd;
    RecordingHelp help;
    int mainWindowsOpened = 0;

    QString file(const QString& name) const { return QDir(dir.path()).filePath(name); }

    std::unique_ptr<INIZIO> makeWindow(DrawArchive& store) {
        INIZIO::Services services{store,
                                  prompts,
                                  programEnd,
                                  help,
                                  dir.path(),
                                  QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-lettore"),
                                  [this] { ++mainWindowsOpened; }};
        auto window = std::make_unique<INIZIO>(services);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        return window;
    }

    // Starts on an archive of one draw, recorded in a fresh program database.
    std::unique_ptr<INIZIO> start() {
        const QString first = file("prima/Dbarcomax.mdb");
        QDir().mkpath(file("prima"));
        fixtures::writeArchive(first, {fixtures::drawOn(2021, 1, 2)});
        fixtures::ProgramDatabaseContent content;
        content.percorsoArchivio = first;
        fixtures::writeProgramDatabase(dir.path(), content);
        auto w = makeWindow(archive);
        w->Form_Load();
        return w;
    }

    QString writeText(const QString& name, const QByteArray& contents) const {
        QFile out(file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(contents);
        return out.fileName();
    }

    // What the next start reads from the program database.
    QString recordedPath() {
        DrawArchive fresh;
        prompts.clear();
        auto again = makeWindow(fresh);
        again->Form_Load();
        return fresh.archivePath();
    }

    QByteArray pathFile() const {
        QFile text(file("PercorsoDatabase.txt"));
        return text.open(QIODevice::ReadOnly) ? text.readAll() : QByteArray();
    }
};

const QByteArray History = "1948/04/30\tBA\t1\t2\t3\t4\t5\n"
                           "1948/04/30\tRM\t6\t7\t8\t9\t10\n"
                           "1948/05/01\tNA\t11\t12\t13\t14\t15\n" // drawn a day late: joins 30/04
                           "1948/05/08\tBA\t16\t17\t18\t19\t20\n"
                           "1948/05/08\tRM\t21\t22\t23\t24\t25\n"
                           "1948/05/08\tNA\t26\t27\t28\t29\t30\n";

} // namespace

TEST_F(ArchiveFromHistoryTest, CreaDaStoricoShowsTheSummaryWritesTheArchiveAndMakesItTheSelectedOne) {
    auto w = start();
    const QString history = writeText("storico.txt", History);
    QDir().mkpath(file("nuovo"));
    prompts.answerFiles({history});
    prompts.answerFolder(file("nuovo"));
    prompts.answerConfirm(true);
    QTest::mouseClick(w->Command5, Qt::LeftButton);

    const QString created = file("nuovo/Dbarcomax.mdb");
    ASSERT_EQ(prompts.shown().size(), 4u);
    EXPECT_EQ(prompts.shown()[0].kind, ShownBox::OpenFiles);
    // Only histories; first in the home folder, then where the last one was picked.
    EXPECT_EQ(prompts.shown()[0].file.filter, "Storico delle estrazioni (*.txt *.zip)");
    EXPECT_EQ(prompts.shown()[0].file.folder, QDir::homePath());
    EXPECT_EQ(prompts.shown()[0].file.folderKey, "storico");
    EXPECT_EQ(prompts.shown()[1].kind, ShownBox::ChooseFolder);
    // The data folder; never the folder of the bundled sample.
    EXPECT_NE(QDir(prompts.shown()[1].file.folder), QDir(VELTRANO_PROGRAM_DIR));
    EXPECT_EQ(prompts.shown()[1].file.folder, dir.path());
    const ShownBox& summary = prompts.shown()[2];
    EXPECT_EQ(summary.kind, ShownBox::Confirm);
    EXPECT_EQ(summary.title, "Crea da storico");
    for (const char* line :
         {"Estrazioni: 2 (6 righe di ruota)", "Periodo: dal 30/04/1948 all'08/05/1948", "Ruote: BA NA RO",
          "Date sfasate unite: 1", "  NA del 01/05/1948 unita all'estrazione del 30/04/1948"})
        EXPECT_TRUE(summary.text.contains(QString::fromUtf8(line))) << line << "\n"
                                                                    << summary.text.toStdString();
    EXPECT_TRUE(summary.text.endsWith("Archivio: " + created)) << summary.text.toStdString();
    const ShownBox& done = prompts.shown()[3];
    EXPECT_EQ(done.text,
              "Archivio creato: 2 estrazioni, l'ultima del 08/05/1948. Premere PROCEDI per caricarlo.");
    EXPECT_EQ(done.icon, MessageIcon::Information);

    EXPECT_EQ(archive.archivePath(), created);
    EXPECT_EQ(w->Lbl_Archivio->text(), "Database: " + created);
    EXPECT_EQ(pathFile(), "\"" + created.toUtf8() + "\"\r\n");

    QTest::mouseClick(w->Command2, Qt::LeftButton); // PROCEDI loads the new archive
    EXPECT_EQ(mainWindowsOpened, 1);
    ASSERT_EQ(archive.drawCount(), 2);
    EXPECT_EQ(archive.drawDate(1), "30/04/1948");
    EXPECT_EQ(archive.number(1, 5, 1), 11); // Napoli joined from 01/05
    EXPECT_FALSE(archive.isSampleArchive());
    EXPECT_EQ(recordedPath(), created);
}

// An archive already in the chosen folder is replaced only after a question of its own, answered Sì; its
// default, No, leaves the file byte for byte and asks for the folder again.
TEST_F(ArchiveFromHistoryTest, AnArchiveInTheChosenFolderIsReplacedOnlyOnSiAndKeptAsACopy) {
    const QString history = writeText("storico.txt", History);
    const QString nuovo = file("nuovo");
    const QString existing = file("nuovo/Dbarcomax.mdb");
    struct Case {
        const char* name;
        std::function<void()> make;
        QString question;
        bool yes;
        QString thenFolder; // chosen after No; empty: the dialog is cancelled
        bool confirm;       // the summary's answer
        bool replaced;
    };
    const QString oneDraw = "Esiste già un archivio in " + QDir::toNativeSeparators(nuovo) +
                            " (1 estrazione, l'ultima del 02/01/2021): sostituirlo?";
    const auto oneDrawArchive = [&] { fixtures::writeArchive(existing, {fixtures::drawOn(2021, 1, 2)}); };
    const std::vector<Case> cases{
        {"No, the default", oneDrawArchive, oneDraw, false, {}, false, false},
        {"No, then another folder", oneDrawArchive, oneDraw, false, file("altro"), true, false},
        {"Sì, then the summary cancelled", oneDrawArchive, oneDraw, true, {}, false, false},
        {"Sì, then OK",
         [&] {
             fixtures::writeArchive(existing, {fixtures::drawOn(2020, 12, 29), fixtures::drawOn(2020, 12, 31),
                                               fixtures::drawOn(2021, 1, 2)});
         },
         "Esiste già un archivio in " + QDir::toNativeSeparators(nuovo) +
             " (3 estrazioni, l'ultima del 02/01/2021): sostituirlo?",
         true,
         {},
         true,
         true},
        {"a file that is not an archive",
         [&] {
             QFile out(existing);
             ASSERT_TRUE(out.open(QIODevice::WriteOnly));
             out.write("not an archive");
         },
         "Esiste già un file Dbarcomax.mdb in " + QDir::toNativeSeparators(nuovo) +
             ", che non si riesce a leggere come archivio: sostituirlo?",
         false,
         {},
         false,
         false},
    };
    auto w = start();
    const QString inForce = archive.archivePath();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(nuovo).removeRecursively();
        QDir(file("altro")).removeRecursively();
        QDir().mkpath(nuovo);
        QDir().mkpath(file("altro"));
        c.make();
        const QByteArray before = archive_export::fileBytes(existing);
        prompts.clear();
        prompts.answerFiles({history});
        prompts.answerFolder(nuovo);
        prompts.answerAsk(c.yes);
        if (!c.yes && !c.thenFolder.isEmpty())
            prompts.answerFolder(c.thenFolder);
        if (c.yes || !c.thenFolder.isEmpty())
            prompts.answerConfirm(c.confirm);
        QTest::mouseClick(w->Command5, Qt::LeftButton);

        ASSERT_GE(prompts.shown().size(), 3u);
        const ShownBox& question = prompts.shown()[2];
        EXPECT_EQ(question.kind, ShownBox::Ask);
        EXPECT_EQ(question.text, c.question);
        EXPECT_EQ(question.title, "Crea da storico");
        EXPECT_EQ(question.defaultButton, DefaultButton::Cancel);
        if (!c.yes) {
            ASSERT_GE(prompts.shown().size(), 4u);
            EXPECT_EQ(prompts.shown()[3].kind, ShownBox::ChooseFolder);
            EXPECT_EQ(prompts.shown()[3].file.folder, nuovo) << "asked again from the folder refused";
        }
        const QStringList copies = QDir(nuovo).entryList({"*.bak"});
        if (c.replaced) {
            ASSERT_EQ(copies.size(), 1);
            EXPECT_EQ(archive_export::fileBytes(QDir(nuovo).filePath(copies.front())), before);
            EXPECT_NE(archive_export::fileBytes(existing), before);
            EXPECT_EQ(archive.archivePath(), existing);
        } else {
            EXPECT_EQ(archive_export::fileBytes(existing), before);
            EXPECT_TRUE(copies.isEmpty());
            const bool elsewhere = !c.thenFolder.isEmpty();
            EXPECT_EQ(QFile::exists(file("altro/Dbarcomax.mdb")), elsewhere);
            EXPECT_EQ(archive.archivePath(), elsewhere ? file("altro/Dbarcomax.mdb") : inForce);
        }
        // Back to the archive of before, for the next case.
        if (archive.archivePath() != inForce) {
            prompts.answerFile(inForce);
            QTest::mouseClick(w->Command4, Qt::LeftButton);
            ASSERT_EQ(archive.archivePath(), inForce);
        }
    }
}

TEST_F(ArchiveFromHistoryTest, CancellingAnyStepOrABadHistoryLeavesEverythingAsItWas) {
    const QString good = writeText("storico.txt", History);
    const QString bad = writeText("rotto.txt", History + "1948/05/15\tBA\t1\t2\t3\t4\t95\n");
    struct Step {
        const char* name;
        QStringList files;
        bool folder; // a folder is chosen, then the summary answered with confirm
        bool confirm;
        std::size_t boxes;
        QString lastText;
    };
    const std::vector<Step> steps{
        {"no history chosen", {}, false, false, 1, {}},
        {"no folder chosen", {good}, false, false, 2, {}},
        {"summary cancelled", {good}, true, false, 3, {}},
        {"bad line",
         {bad},
         false,
         false,
         2,
         "1 riga rifiutata nello storico, nessun archivio creato:\n\n" + bad + ":7: numero 95 fuori da 1-90"},
        {"a device for a history file",
         {QStringLiteral("/dev/zero")},
         false,
         false,
         2,
         "Impossibile leggere lo storico: /dev/zero non è un file regolare ma un dispositivo: lo storico si "
         "legge solo da file"},
    };
    auto w = start();
    const QString before = archive.archivePath();
    QDir().mkpath(file("nuovo"));
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        prompts.clear();
        if (!step.files.isEmpty())
            prompts.answerFiles(step.files);
        if (step.folder) {
            prompts.answerFolder(file("nuovo"));
            prompts.answerConfirm(step.confirm);
        }
        QTest::mouseClick(w->Command5, Qt::LeftButton);
        ASSERT_EQ(prompts.shown().size(), step.boxes);
        if (!step.lastText.isEmpty()) {
            EXPECT_EQ(prompts.shown().back().text, step.lastText);
            EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Critical);
        }
        EXPECT_FALSE(QFile::exists(file("nuovo/Dbarcomax.mdb")));
        EXPECT_EQ(archive.archivePath(), before);
        EXPECT_EQ(w->Lbl_Archivio->text(), before);
        EXPECT_TRUE(w->Command5->isEnabled());
    }
}

// The operator's zip with one text file per wheel makes the archive the same files make when picked loose:
// the same summary, the same draws.
TEST_F(ArchiveFromHistoryTest, AZipOfOneFilePerWheelMakesTheArchiveOfTheSameFilesLoose) {
    auto w = start();
    const auto wheelFiles = wheelFilesHistory();
    QStringList loose;
    QDir().mkpath(file("sciolti"));
    for (const auto& [name, text] : wheelFiles)
        loose << writeText("sciolti/" + QString::fromStdString(name), QByteArray::fromStdString(text));
    const QString zip = file("storico.zip");
    ASSERT_TRUE(zip_writing::writeZip(zip.toStdString(), wheelFiles));

    std::vector<QString> summaries;
    std::vector<archive_export::Export> archives;
    for (const auto& [folder, files] : {std::pair{QStringLiteral("da_zip"), QStringList{zip}},
                                        std::pair{QStringLiteral("da_file"), loose}}) {
        SCOPED_TRACE(folder.toStdString());
        prompts.clear();
        QDir().mkpath(file(folder));
        prompts.answerFiles(files);
        prompts.answerFolder(file(folder));
        prompts.answerConfirm(true);
        QTest::mouseClick(w->Command5, Qt::LeftButton);
        ASSERT_EQ(prompts.shown().size(), 4u);
        const QString summary = prompts.shown()[2].text;
        summaries.push_back(summary.left(summary.indexOf(QStringLiteral("\n\nArchivio: "))));
        EXPECT_EQ(prompts.shown()[3].text, "Archivio creato: 4 estrazioni, l'ultima del 14/05/2005. Premere "
                                           "PROCEDI per caricarlo.");
        archives.push_back(archive_export::exportArchive(file(folder + "/Dbarcomax.mdb")));
        ASSERT_TRUE(archives.back().ok) << archives.back().error;
    }
    EXPECT_TRUE(summaries[0].startsWith("Estrazioni: 4 (43 righe di ruota)")) << summaries[0].toStdString();
    EXPECT_EQ(summaries[0], summaries[1]);
    ASSERT_EQ(archives[0].rows.size(), 4u);
    ASSERT_EQ(archives[1].rows.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(archives[0].rows[i].date, archives[1].rows[i].date);
        EXPECT_EQ(archives[0].rows[i].cells, archives[1].rows[i].cells) << "row " << i;
    }
}

TEST_F(ArchiveFromHistoryTest, ArchiveThatCannotBeRecordedIsReportedAndThePathInForceStays) {
    struct Failure {
        const char* name;
        std::function<void()> arrange;
        QString chosen;
        QString reason;
    };
    const QString other = file("altro/Dbarcomax.mdb");
    const std::vector<Failure> failures{
        {"text file cannot be written", [this] { QDir().mkpath(file("PercorsoDatabase.txt")); }, other, {}},
        {"path longer than the parameter row holds", [] {},
         "/" + QString(300, QLatin1Char('x')) + "/Dbarcomax.mdb", "troppo lungo"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        QDir(file("PercorsoDatabase.txt")).removeRecursively();
        QFile::remove(file("PercorsoDatabase.txt"));
        auto w = start();
        const QString before = archive.archivePath();
        failure.arrange();
        prompts.clear();
        prompts.answerFile(failure.chosen);
        QTest::mouseClick(w->Command4, Qt::LeftButton);

        ASSERT_EQ(prompts.messages().size(), 1u);
        const ShownBox box = prompts.messages().front();
        EXPECT_TRUE(box.text.startsWith("Impossibile registrare l'archivio scelto: "))
            << box.text.toStdString();
        EXPECT_TRUE(box.text.contains(failure.reason)) << box.text.toStdString();
        EXPECT_EQ(box.icon, MessageIcon::Critical);
        EXPECT_EQ(archive.archivePath(), before);
        EXPECT_EQ(w->Lbl_Archivio->text(), before);
        EXPECT_FALSE(pathFile().contains(failure.chosen.toUtf8()));
        EXPECT_EQ(recordedPath(), before);
    }
}

TEST(ProposedArchiveFolder, IsTheDataFolderUnlessTheSampleLivesThere) {
    QTemporaryDir data, sample;
    struct Row {
        QString dataDir, sampleFolder, proposed;
    };
    for (const Row& row : {Row{data.path(), sample.path(), data.path()},
                           Row{data.path(), data.path() + "/.", QDir::homePath()},
                           Row{QString(), sample.path(), QDir::homePath()}})
        EXPECT_EQ(proposedArchiveFolder(row.dataDir, row.sampleFolder), row.proposed)
            << row.dataDir.toStdString();
}

// A symbolic link named Dbarcomax.mdb in the chosen folder is not written through, even on "Sì": the
// file it points to keeps its bytes, the link stays, no copy is written, and the archive in force stays.
TEST_F(ArchiveFromHistoryTest, ASymbolicLinkInTheChosenFolderIsRefusedAndWhatItPointsToIsUntouched) {
    const QString history = writeText("storico.txt", History);
    QDir().mkpath(file("nuovo"));
    QDir().mkpath(file("fuori"));
    const QString victim = file("fuori/vittima.mdb");
    fixtures::writeArchive(victim, {fixtures::drawOn(2021, 1, 2)});
    const QByteArray before = archive_export::fileBytes(victim);
    const QString link = file("nuovo/Dbarcomax.mdb");
    ASSERT_TRUE(QFile::link(victim, link));
    auto w = start();
    const QString inForce = archive.archivePath();
    prompts.clear();
    prompts.answerFiles({history});
    prompts.answerFolder(file("nuovo"));
    prompts.answerAsk(true);
    prompts.answerConfirm(true);
    QTest::mouseClick(w->Command5, Qt::LeftButton);

    const auto boxes = prompts.messages();
    ASSERT_FALSE(boxes.empty());
    EXPECT_TRUE(boxes.back().text.startsWith(QStringLiteral("Impossibile creare l'archivio: ")));
    EXPECT_TRUE(boxes.back().text.contains(QStringLiteral("è un collegamento simbolico")))
        << boxes.back().text.toStdString();
    EXPECT_EQ(archive_export::fileBytes(victim), before);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), victim);
    const auto everything = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    EXPECT_EQ(QDir(file("nuovo")).entryList(everything), QStringList{"Dbarcomax.mdb"});
    EXPECT_EQ(QDir(file("fuori")).entryList(everything), QStringList{"vittima.mdb"});
    EXPECT_EQ(archive.archivePath(), inForce);
    EXPECT_EQ(recordedPath(), inForce);
}
