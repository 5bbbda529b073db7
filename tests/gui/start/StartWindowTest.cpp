#include "ArchiveFixtures.h"
#include "ScriptedServices.h"
#include "core/DrawArchive.h"
#include "gui/start/INIZIO.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kWarningText =
    QStringLiteral("Attenzione, la prima volta è necessario configurare l'origine dell'archivio");
const QString kWrongName =
    QStringLiteral("Attenzione, il programma funziona solamente se si possiede Arcomax");
const QString kWrongArchive = QStringLiteral(
    "Attenzione, probabilmente è stato selezionato un altro archivio. Chiudere il programma e riavviarlo");

// A program folder in a temporary directory, with the scripted services a start window needs.
class StartWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    DrawArchive archive;
    ScriptedPrompts prompts;
    ScriptedProgramEnd programEnd;
    RecordingHelp help;
    int mainWindowsOpened = 0;
    bool mainWindowFails = false;

    QString folder() const { return dir.path(); }
    QString file(const QString& name) const { return QDir(dir.path()).filePath(name); }

    std::unique_ptr<INIZIO> makeWindow() {
        INIZIO::Services services{archive,
                                  prompts,
                                  programEnd,
                                  help,
                                  folder(),
                                  QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-lettore"),
                                  [this] {
                                      ++mainWindowsOpened;
                                      if (mainWindowFails)
                                          throw std::runtime_error("main window failed");
                                  }};
        auto window = std::make_unique<INIZIO>(services);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        return window;
    }

    // An archive of draws on consecutive Saturdays starting at the given date.
    QString writeArchive(const QString& name, std::vector<fixtures::Draw> draws) {
        const QString path = file(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        fixtures::writeArchive(path, draws);
        return path;
    }

    std::unique_ptr<INIZIO> startWithArchive(const QString& archivePath, const QString& start = "1") {
        fixtures::ProgramDatabaseContent content;
        content.percorsoArchivio = archivePath;
        content.estrazioneIniziale = std::optional<QString>(start);
        fixtures::writeProgramDatabase(folder(), content);
        auto w = makeWindow();
        w->Form_Load();
        return w;
    }
};

TEST_F(StartWindowTest, FirstStartWithoutArchiveWarnsThenOffersTheFileDialogAndCancelKeepsThePath) {
    fixtures::writeProgramDatabase(folder());
    auto w = makeWindow();
    w->Form_Load();

    ASSERT_GE(prompts.shown().size(), 2u);
    const ShownBox& warning = prompts.shown()[0];
    EXPECT_EQ(warning.kind, ShownBox::Message);
    EXPECT_EQ(warning.text, kWarningText);
    EXPECT_EQ(warning.title, "Selezionare Archivio");
    EXPECT_EQ(warning.icon, MessageIcon::Exclamation);
    const ShownBox& dialog = prompts.shown()[1];
    EXPECT_EQ(dialog.kind, ShownBox::OpenFile);
    EXPECT_EQ(dialog.file.folder, folder());
    EXPECT_EQ(dialog.file.fileName, "*.mdb");
    EXPECT_EQ(dialog.file.filter, "File di archivio (*.Mdb)");
    EXPECT_EQ(dialog.file.defaultSuffix, "Mdb");

    EXPECT_TRUE(archive.archivePath().isEmpty());
    EXPECT_TRUE(w->Lbl_Archivio->text().isEmpty());
    EXPECT_FALSE(QFile::exists(file("PercorsoDatabase.txt")));
    EXPECT_FALSE(programEnd.hasEnded());
    EXPECT_TRUE(w->isVisible());
}

TEST_F(StartWindowTest, SelectionWritesTheParameterRowAndTheTextFileAndSurvivesARestart) {
    const QString chosen = writeArchive("archivi/Dbarcomax.mdb", {fixtures::drawOn(2021, 1, 2)});
    fixtures::writeProgramDatabase(folder());
    {
        auto w = makeWindow();
        prompts.answerFile(chosen);
        w->Form_Load();
        EXPECT_EQ(w->Lbl_Archivio->text(), "Database: " + chosen);
        EXPECT_EQ(archive.archivePath(), chosen);
        QFile text(file("PercorsoDatabase.txt"));
        ASSERT_TRUE(text.open(QIODevice::ReadOnly));
        EXPECT_EQ(text.readAll(), "\"" + chosen.toUtf8() + "\"\r\n");
        QTest::mouseClick(w->Command3, Qt::LeftButton); // "FINE" right after the selection
        EXPECT_TRUE(programEnd.hasEnded());
    }
    // The next start reads the path from the database (not from the text file) and asks nothing.
    QFile::remove(file("PercorsoDatabase.txt"));
    prompts.clear();
    DrawArchive fresh;
    INIZIO::Services services{fresh, prompts, programEnd, help, folder(), QString(), {}};
    INIZIO again(services);
    again.Form_Load();
    EXPECT_EQ(again.Lbl_Archivio->text(), chosen);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(StartWindowTest, SelectButtonRecordsAnotherArchiveAndCancelChangesNothing) {
    const QString first = writeArchive("a/Dbarcomax.mdb", {fixtures::drawOn(2021, 1, 2)});
    const QString second = writeArchive("b/Dbarcomax.mdb", {fixtures::drawOn(2021, 1, 9)});
    auto w = startWithArchive(first);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(w->Lbl_Archivio->text(), first);

    QTest::mouseClick(w->Command4, Qt::LeftButton); // cancelled
    EXPECT_EQ(archive.archivePath(), first);
    EXPECT_EQ(w->Lbl_Archivio->text(), first);

    prompts.answerFile(second);
    QTest::mouseClick(w->Command4, Qt::LeftButton);
    EXPECT_EQ(archive.archivePath(), second);
    EXPECT_EQ(w->Lbl_Archivio->text(), "Database: " + second);
}

TEST_F(StartWindowTest, ParameterRowSpelledInAnyCaseIsFoundAtStartAndOnSelection) {
    const QString first = writeArchive("a/Dbarcomax.mdb", {fixtures::drawOn(2021, 1, 2)});
    const QString second = writeArchive("b/Dbarcomax.mdb", {fixtures::drawOn(2021, 1, 9)});
    fixtures::ProgramDatabaseContent content;
    content.percorsoArchivio = first;
    content.percorsoArchivioKey = "PERCORSOarchivio";
    fixtures::writeProgramDatabase(folder(), content);
    {
        auto w = makeWindow();
        w->Form_Load();
        EXPECT_EQ(w->Lbl_Archivio->text(), first);
        prompts.answerFile(second);
        w->Command4_Click();
    }
    auto again = makeWindow();
    again->Form_Load();
    EXPECT_EQ(again->Lbl_Archivio->text(), second);
}

TEST_F(StartWindowTest, ArchiveNameCheckIgnoresCaseAndLooksOnlyAtTheTrailingCharacters) {
    for (const QString& name : {QStringLiteral("x1/DBARCOMAX.MDB"), QStringLiteral("x2/xDbarcomax.mdb")}) {
        DrawArchive fresh;
        const QString path = writeArchive(name, {fixtures::drawOn(2021, 1, 2), fixtures::drawOn(2021, 1, 5)});
        fixtures::ProgramDatabaseContent content;
        content.percorsoArchivio = path;
        fixtures::writeProgramDatabase(folder(), content);
        INIZIO::Services services{fresh, prompts,  programEnd,
                                  help,  folder(), QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-lettore"),
                                  [] {}};
        INIZIO w(services);
        w.setAttribute(Qt::WA_DeleteOnClose, false);
        w.Form_Load();
        w.Command2_Click();
        EXPECT_EQ(fresh.drawCount(), 2) << name.toStdString();
        EXPECT_TRUE(prompts.messages().empty()) << name.toStdString();
        EXPECT_FALSE(programEnd.hasEnded());
    }
}

TEST_F(StartWindowTest, WrongArchiveNameEndsTheProgramAfterTheMessage) {
    const QString path = writeArchive("Archivio.mdb", {fixtures::drawOn(2021, 1, 2)});
    auto w = startWithArchive(path);
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    const auto boxes = prompts.messages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kWrongName);
    EXPECT_EQ(boxes[0].title, "Avviso");
    EXPECT_EQ(boxes[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(programEnd.hasEnded());
    EXPECT_EQ(archive.drawCount(), 0);
}

TEST_F(StartWindowTest, LoadStoresEveryDrawWithProgressiveNumbersAndHandsOver) {
    using fixtures::drawOn;
    std::vector<fixtures::Draw> draws = {drawOn(1899, 12, 23), drawOn(1899, 12, 30), drawOn(1900, 1, 6),
                                         drawOn(1900, 1, 13),  drawOn(1900, 2, 3),   drawOn(1900, 2, 10)};
    draws[2].cells[7] = QStringLiteral("05 12 33 47 90");
    draws[2].cells[0] = std::nullopt; // Bari not drawn: five zeros
    draws[2].cells[1] = QStringLiteral("-5 7");
    // Stored out of order: the query orders by date.
    std::swap(draws[0], draws[5]);
    const QString path = writeArchive("Dbarcomax.mdb", draws);
    auto w = startWithArchive(path, " 2 extra");
    w->Command2_Click();

    ASSERT_TRUE(prompts.messages().empty()) << prompts.messages()[0].text.toStdString();
    EXPECT_EQ(archive.drawCount(), 6);
    EXPECT_EQ(w->pb1->maximum(), 6);
    EXPECT_EQ(w->pb1->value(), 6);
    EXPECT_EQ(archive.drawDate(1), "23/12/1899");
    EXPECT_EQ(archive.drawDate(3), "06/01/1900");
    EXPECT_EQ(archive.drawDate(6), "10/02/1900");
    EXPECT_EQ(archive.drawNoInMonth(2), 2);
    EXPECT_EQ(archive.drawNoInMonth(3), 1);
    EXPECT_EQ(archive.drawNoInYear(3), 1);
    EXPECT_EQ(archive.drawNoInYear(6), 4);
    EXPECT_EQ(archive.drawNoInMonth(6), 2);
    for (int p = 1; p <= 5; ++p)
        EXPECT_EQ(archive.number(3, 0, p), 0);
    EXPECT_EQ(archive.number(3, 7, 1), 5);
    EXPECT_EQ(archive.number(3, 7, 5), 90);
    EXPECT_EQ(archive.number(3, 1, 1), -5);
    EXPECT_EQ(archive.number(3, 1, 2), 7);
    EXPECT_EQ(archive.number(3, 1, 3), 0);
    EXPECT_EQ(archive.modelStart(), 2);
    EXPECT_EQ(archive.modelCount(), 5);
    EXPECT_EQ(archive.modelDraw(1), 2);
    EXPECT_EQ(mainWindowsOpened, 1);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(programEnd.hasEnded()); // closing the start window after the hand-over ends nothing
}

TEST_F(StartWindowTest, FailedLoadKeepsTheWindowAndASecondTryStartsOver) {
    // Too many draws: the load stops after storing 9,999 of them.
    std::vector<fixtures::Draw> many;
    many.reserve(10000);
    for (int i = 0; i < 10000; ++i)
        many.push_back(fixtures::drawOn(1800 + i / 300, 1 + (i / 25) % 12, 1 + i % 25, "11 22 33 44 55"));
    const QString big = writeArchive("grande/Dbarcomax.mdb", many);
    const QString small =
        writeArchive("piccolo/Dbarcomax.mdb", {fixtures::drawOn(2021, 1, 2, "01 02 03 04 05"),
                                               fixtures::drawOn(2021, 1, 5, "06 07 08 09 10")});
    auto w = startWithArchive(big);
    w->Command2_Click();
    auto boxes = prompts.messages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kWrongArchive);
    EXPECT_EQ(boxes[0].title, "Avviso");
    EXPECT_EQ(boxes[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(mainWindowsOpened, 0);
    EXPECT_TRUE(w->Command2->isEnabled());

    prompts.clear();
    prompts.answerFile(small);
    w->Command4_Click();
    w->Command2_Click();
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_EQ(archive.drawCount(), 2);
    EXPECT_EQ(archive.number(2, 4, 5), 10);
    EXPECT_EQ(archive.number(3, 0, 1), 0); // nothing kept from the first try
    EXPECT_TRUE(archive.drawDate(3).isEmpty());
    EXPECT_EQ(mainWindowsOpened, 1);
}

TEST_F(StartWindowTest, UnreadableArchiveGivesTheMessageNotACrash) {
    const QString path = file("rotto/Dbarcomax.mdb");
    QDir().mkpath(file("rotto"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, '\x5a'));
    f.close();
    auto w = startWithArchive(path);
    prompts.clear();
    w->Command2_Click();
    const auto boxes = prompts.messages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kWrongArchive);
    EXPECT_FALSE(programEnd.hasEnded());
}

TEST_F(StartWindowTest, MainWindowFailureAfterTheLoadIsReported) {
    const QString path = writeArchive("Dbarcomax.mdb", {fixtures::drawOn(2021, 1, 2)});
    auto w = startWithArchive(path);
    mainWindowFails = true;
    w->Command2_Click();
    const auto boxes = prompts.messages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kWrongArchive);
}

struct ModelStartCase {
    std::optional<std::optional<QString>> value;
    int expected;
    bool anomaly;
};

TEST_F(StartWindowTest, EstrazioneInizialeIsReadAsANumberAndNonPositiveMeansOne) {
    const std::vector<ModelStartCase> cases = {
        {std::optional<QString>(QStringLiteral("1")), 1, false},
        {std::optional<QString>(QStringLiteral(" 25abc")), 25, false},
        {std::optional<QString>(QStringLiteral("abc")), 1, false},
        {std::optional<QString>(QStringLiteral("")), 1, false},
        {std::optional<QString>(QStringLiteral("-4")), 1, false},
        {std::optional<QString>(std::nullopt), 1, true}, // Valore1 holds no value
        {std::optional<QString>(QStringLiteral("99999")), 1, true},
        {std::nullopt, 1, false}, // no row
    };
    const QString path = writeArchive("Dbarcomax.mdb", {fixtures::drawOn(2021, 1, 2)});
    for (const auto& c : cases) {
        DrawArchive fresh;
        prompts.clear();
        fixtures::ProgramDatabaseContent content;
        content.percorsoArchivio = path;
        content.estrazioneIniziale = c.value;
        fixtures::writeProgramDatabase(folder(), content);
        INIZIO::Services services{fresh, prompts, programEnd, help, folder(), QString(), {}};
        INIZIO w(services);
        w.Form_Load();
        EXPECT_EQ(fresh.modelStart(), c.expected);
        const auto boxes = prompts.messages();
        EXPECT_EQ(boxes.size(), c.anomaly ? 1u : 0u);
        if (c.anomaly && !boxes.empty()) {
            EXPECT_EQ(boxes[0].title, "Anomalia");
            EXPECT_EQ(boxes[0].icon, MessageIcon::Critical);
        }
        EXPECT_TRUE(w.isVisible());
    }
}

TEST_F(StartWindowTest, MissingProgramDatabaseShowsTheErrorAndEndsTheProgram) {
    auto w = makeWindow();
    w->Form_Load();
    const auto boxes = prompts.messages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(boxes[0].text.contains("DbVeltrano.mdb")) << boxes[0].text.toStdString();
    EXPECT_TRUE(programEnd.hasEnded());
}

TEST_F(StartWindowTest, ProgramDatabaseLackingATableEndsTheProgramNamingIt) {
    fixtures::ProgramDatabaseContent content;
    content.omitLastTable = true;
    fixtures::writeProgramDatabase(folder(), content);
    auto w = makeWindow();
    w->Form_Load();
    const auto boxes = prompts.messages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains("PiramideComposizione")) << boxes[0].text.toStdString();
    EXPECT_TRUE(programEnd.hasEnded());
}

TEST_F(StartWindowTest, ClosingTheWindowBeforeProcediEndsTheProgram) {
    const QString path = writeArchive("Dbarcomax.mdb", {fixtures::drawOn(2021, 1, 2)});
    auto w = startWithArchive(path);
    EXPECT_FALSE(programEnd.hasEnded());
    w->close();
    EXPECT_TRUE(programEnd.hasEnded());
}

TEST_F(StartWindowTest, HelpButtonOpensTheStartWindowTopic) {
    const QString path = writeArchive("Dbarcomax.mdb", {fixtures::drawOn(2021, 1, 2)});
    auto w = startWithArchive(path);
    QTest::mouseClick(w->CmDHelp, Qt::LeftButton);
    ASSERT_EQ(help.contexts.size(), 1u);
    EXPECT_EQ(help.contexts[0], 180);
    EXPECT_EQ(w->CmDHelp->toolTip(), "Help in linea");
    EXPECT_EQ(w->Command4->text(), "SELEZIONE ARCHIVIO");
    EXPECT_EQ(w->Command3->text(), "FINE");
    EXPECT_EQ(w->Command2->text(), "PROCEDI");
    EXPECT_EQ(w->Label5->text(), "Percorso archivio:");
}

} // namespace
