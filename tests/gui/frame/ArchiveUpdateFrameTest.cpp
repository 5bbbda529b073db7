#include "ScriptedServices.h"
#include "core/DrawArchive.h"
#include "gui/frame/Container.h"
#include "gui/kit/KeptSettings.h"
#include "gui/kit/Palette.h"
#include "io/ArchiveLoader.h"
#include "io/storico/DrawArchiveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString Reader = QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-lettore");

storico::Draw draw(const char* date, int base) {
    storico::Draw d;
    d.date = *storico::CalendarDate::parse(date);
    for (int wheel : {0, 7})
        d.wheels[static_cast<std::size_t>(wheel)] =
            storico::WheelNumbers{base, base + 1, base + 2, base + 3, base + 4};
    return d;
}

// A child that keeps one choice across the update: the draw count its archive had when it was built.
class KeepingLabel : public QLabel, public KeptSettings {
public:
    explicit KeepingLabel(const QString& text) : QLabel(text) {}
    QVariantMap keptSettings() const override { return {{QStringLiteral("conteggio"), text()}}; }
    void restoreSettings(const QVariantMap& kept) override {
        setText(text() + QStringLiteral(" dopo ") + kept.value(QStringLiteral("conteggio")).toString());
    }
};

// The frame on an archive loaded from a real file, with a mini list that shows how many draws the
// store held when it was built.
class ArchiveUpdateFrameTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    DrawArchive archive;
    Palette palette;
    ScriptedPrompts prompts;
    ScriptedProgramEnd programEnd;
    RecordingHelp help;
    std::unique_ptr<Container> frame;

    QString file(const QString& name) const { return QDir(dir.path()).filePath(name); }

    QByteArray bytes(const QString& path) const {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    void open(bool sample) {
        const QString path = file("Dbarcomax.mdb");
        storico::writeDrawArchiveFile(path.toStdString(),
                                      {draw("2021/01/02", 1), draw("2021/01/05", 11), draw("2021/01/07", 21)},
                                      0, sample);
        archive.setModelStart(1);
        archive.setArchivePath(path);
        loadDrawArchive(archive, path, Reader);
        Container::Services services{
            archive,
            palette,
            programEnd,
            help,
            [this](FrameServices&) {
                auto* w = new QLabel(QString::number(archive.drawCount()));
                w->setObjectName("miniList");
                return w;
            },
            {},
            [this](FrameServices&) { return new QLabel(QString::number(archive.drawCount())); },
            {},
            &prompts,
            Reader,
            [this](FrameServices&) { return new KeepingLabel(QString::number(archive.drawCount())); }};
        frame = std::make_unique<Container>(services);
        frame->MDIForm_Load();
        frame->show();
    }

    QString writeText(const QString& name, const QByteArray& contents) const {
        QFile out(file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(contents);
        return out.fileName();
    }
};

} // namespace

TEST_F(ArchiveUpdateFrameTest, UpdateShowsTheReportThenReloadsTheFrameAndTheOpenWindows) {
    open(false);
    QTest::mouseClick(frame->Command2, Qt::LeftButton);
    ASSERT_NE(frame->miniListWindow(), nullptr);
    EXPECT_EQ(qobject_cast<QLabel*>(frame->miniListWindow()->widget())->text(), "3");
    QTest::mouseClick(frame->CmdCollaudo, Qt::LeftButton);
    ASSERT_NE(frame->collaudoWindow(), nullptr);
    QTest::mouseClick(frame->CmdStatistiche, Qt::LeftButton);
    ASSERT_NE(frame->statisticheWindow(), nullptr);
    EXPECT_EQ(frame->LblFine->text(), "07/01/2021");
    EXPECT_EQ(frame->CmdAggiorna->toolTip(), "Aggiorna archivio");

    const QString history = writeText("nuove.txt", "2021/01/05\tBA\t11\t12\t13\t14\t16\n"
                                                   "2021/01/09\tBA\t31\t32\t33\t34\t35\n"
                                                   "2021/01/09\tRM\t36\t37\t38\t39\t40\n");
    prompts.answerFiles({history});
    prompts.answerConfirm(true);
    QTest::mouseClick(frame->CmdAggiorna, Qt::LeftButton);

    ASSERT_EQ(prompts.shown().size(), 3u);
    EXPECT_EQ(prompts.shown()[0].kind, ShownBox::OpenFiles);
    // The history is looked for where it was last picked (the home folder the first time), not beside
    // the archive.
    EXPECT_EQ(prompts.shown()[0].file.folder, QDir::homePath());
    EXPECT_EQ(prompts.shown()[0].file.folderKey, "storico");
    const ShownBox& report = prompts.shown()[1];
    EXPECT_EQ(report.kind, ShownBox::Confirm);
    EXPECT_EQ(report.title, "Aggiorna archivio");
    EXPECT_EQ(report.helpContext, Container::UpdateHelpContext);
    for (const char* line : {"Estrazioni nuove: 1\n  + 09/01/2021 (BA RO)",
                             "Correzioni: 1\n  05/01/2021 BA: 11 12 13 14 15 -> 11 12 13 14 16",
                             "Estrazioni solo nell'archivio, mantenute: 2\n  02/01/2021\n  07/01/2021"})
        EXPECT_TRUE(report.text.contains(QString::fromUtf8(line))) << line << "\n"
                                                                   << report.text.toStdString();
    const ShownBox& done = prompts.shown()[2];
    EXPECT_EQ(done.icon, MessageIcon::Information);
    EXPECT_TRUE(done.text.startsWith(
        "Archivio aggiornato: 1 estrazione aggiunta, 1 correzione; ultima estrazione del 09/01/2021."))
        << done.text.toStdString();
    EXPECT_TRUE(done.text.contains(".bak")) << done.text.toStdString();

    EXPECT_EQ(archive.drawCount(), 4);
    EXPECT_EQ(archive.number(2, 0, 5), 16);
    EXPECT_EQ(frame->LblFine->text(), "09/01/2021");
    EXPECT_EQ(frame->Lbl_fineNE->text(), "4");
    EXPECT_EQ(frame->Lbl_Ev->text(), "4");
    EXPECT_EQ(frame->pb1->maximum(), 4);
    EXPECT_EQ(frame->pb1->value(), 0) << "the bar empties when the update is done";
    ASSERT_NE(frame->miniListWindow(), nullptr);
    EXPECT_EQ(qobject_cast<QLabel*>(frame->miniListWindow()->widget())->text(), "4");
    ASSERT_NE(frame->collaudoWindow(), nullptr);
    EXPECT_EQ(qobject_cast<QLabel*>(frame->collaudoWindow()->widget())->text(), "4");
    // The window that keeps its choices gets them back on the new draws; the others open afresh.
    ASSERT_NE(frame->statisticheWindow(), nullptr);
    EXPECT_EQ(qobject_cast<QLabel*>(frame->statisticheWindow()->widget())->text(), "4 dopo 3");
    EXPECT_TRUE(frame->CmdCollaudo->isEnabled());
    EXPECT_TRUE(frame->CmdStatistiche->isEnabled());
    EXPECT_TRUE(frame->CmdAggiorna->isEnabled());
    EXPECT_TRUE(frame->Command2->isEnabled());
}

TEST_F(ArchiveUpdateFrameTest, CancelNothingNewAndTheSampleArchiveLeaveTheFileAlone) {
    struct Case {
        const char* name;
        bool sample;
        QByteArray history;
        bool reachesReport; // answered with Annulla
        QString says;
        MessageIcon icon;
        std::size_t boxes = 2; // the file dialog, then the report or a message
    };
    const std::vector<Case> cases{
        {"report cancelled",
         false,
         "2021/01/09\tBA\t31\t32\t33\t34\t35\n2021/01/09\tRM\t36\t37\t38\t39\t40\n",
         true,
         {},
         MessageIcon::None},
        {"nothing new", false, "2021/01/07\tBA\t21\t22\t23\t24\t25\n", false,
         "Niente da aggiungere e niente da correggere: archivio non modificato.", MessageIcon::Information},
        {"the sample archive, before any file is asked for", true, "2021/01/09\tBA\t31\t32\t33\t34\t35\n",
         false,
         "Questo è l'archivio di esempio, con estrazioni inventate: non si aggiorna con quelle vere. Per "
         "lavorare sulle estrazioni vere, riavviare il programma e usare CREA DA STORICO… nella finestra "
         "iniziale.",
         MessageIcon::Exclamation, 1},
        {"bad history line", false, "2021/01/09\tXX\t31\t32\t33\t34\t35\n", false,
         ":1: ruota sconosciuta 'XX'", MessageIcon::Critical},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.clear();
        open(c.sample);
        const QByteArray before = bytes(archive.archivePath());
        if (c.boxes > 1)
            prompts.answerFiles({writeText("nuove.txt", c.history)});
        if (c.reachesReport)
            prompts.answerConfirm(false);
        QTest::mouseClick(frame->CmdAggiorna, Qt::LeftButton);
        EXPECT_EQ(prompts.shown().size(), c.boxes);
        EXPECT_EQ(prompts.shown().back().kind, c.reachesReport ? ShownBox::Confirm : ShownBox::Message);
        if (c.says.isEmpty()) {
            EXPECT_TRUE(prompts.messages().empty());
        } else {
            ASSERT_EQ(prompts.messages().size(), 1u);
            EXPECT_TRUE(prompts.messages().front().text.contains(c.says))
                << prompts.messages().front().text.toStdString();
            EXPECT_EQ(prompts.messages().front().title, "Aggiorna archivio");
            EXPECT_EQ(prompts.messages().front().icon, c.icon);
        }
        EXPECT_EQ(bytes(archive.archivePath()), before);
        EXPECT_TRUE(QDir(dir.path()).entryList({"*.bak"}).isEmpty());
        EXPECT_EQ(frame->LblFine->text(), "07/01/2021");
        EXPECT_TRUE(frame->CmdAggiorna->isEnabled());
        frame.reset();
    }
}

// A report that corrects draws or finds archive draws missing from the history defaults to Annulla, so
// that Enter changes nothing; the closing message counts what was added and corrected. The archive's
// bytes stay as they were unless OK was pressed, and then they are the copy's.
TEST_F(ArchiveUpdateFrameTest, ReportDefaultsToAnnullaOnCorrectionsOrArchiveOnlyDrawsAndTheEndCountsThem) {
    // The archive of open(): BA and RM of 02/01 (1-5), 05/01 (11-15), 07/01 (21-25).
    const QByteArray archiveDraws =
        "2021/01/02\tBA\t1\t2\t3\t4\t5\n2021/01/02\tRM\t1\t2\t3\t4\t5\n"
        "2021/01/05\tBA\t11\t12\t13\t14\t15\n2021/01/05\tRM\t11\t12\t13\t14\t15\n"
        "2021/01/07\tBA\t21\t22\t23\t24\t25\n2021/01/07\tRM\t21\t22\t23\t24\t25\n";
    const QByteArray twoNew = "2021/01/09\tBA\t31\t32\t33\t34\t35\n2021/01/12\tBA\t41\t42\t43\t44\t45\n";
    QByteArray corrected = archiveDraws;
    corrected.replace("2021/01/05\tRM\t11\t12\t13\t14\t15", "2021/01/05\tRM\t11\t12\t13\t14\t16");
    struct Case {
        const char* name;
        QByteArray history;
        DefaultButton defaultButton;
        bool ok; // the answer to the report
        QString done;
    };
    const std::vector<Case> cases{
        {"new draws only", archiveDraws + twoNew, DefaultButton::Accept, true,
         "Archivio aggiornato: 2 estrazioni aggiunte, nessuna correzione; ultima estrazione del 12/01/2021."},
        {"a wheel filled", archiveDraws + "2021/01/07\tNA\t51\t52\t53\t54\t55\n", DefaultButton::Accept, true,
         "Archivio aggiornato: nessuna estrazione aggiunta, 1 ruota aggiunta a un'estrazione già in "
         "archivio, nessuna correzione; ultima estrazione del 07/01/2021."},
        {"a correction, Annulla", corrected + twoNew, DefaultButton::Cancel, false, {}},
        {"a correction, OK", corrected + twoNew, DefaultButton::Cancel, true,
         "Archivio aggiornato: 2 estrazioni aggiunte, 1 correzione; ultima estrazione del 12/01/2021."},
        {"draws only in the archive, Annulla", twoNew, DefaultButton::Cancel, false, {}},
        {"draws only in the archive, OK", twoNew.left(twoNew.indexOf('\n') + 1), DefaultButton::Cancel, true,
         "Archivio aggiornato: 1 estrazione aggiunta, nessuna correzione; ultima estrazione del 09/01/2021."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& name : QDir(dir.path()).entryList({"*.bak"}))
            QFile::remove(file(name));
        prompts.clear();
        open(false);
        const QByteArray before = bytes(archive.archivePath());
        prompts.answerFiles({writeText("nuove.txt", c.history)});
        prompts.answerConfirm(c.ok);
        QTest::mouseClick(frame->CmdAggiorna, Qt::LeftButton);

        ASSERT_GE(prompts.shown().size(), 2u);
        const ShownBox& report = prompts.shown()[1];
        ASSERT_EQ(report.kind, ShownBox::Confirm) << report.text.toStdString();
        EXPECT_EQ(report.defaultButton, c.defaultButton) << report.text.toStdString();
        const QStringList copies = QDir(dir.path()).entryList({"*.bak"});
        if (!c.ok) {
            EXPECT_EQ(prompts.shown().size(), 2u);
            EXPECT_EQ(bytes(archive.archivePath()), before);
            EXPECT_TRUE(copies.isEmpty());
        } else {
            ASSERT_EQ(copies.size(), 1);
            EXPECT_EQ(bytes(file(copies.front())), before);
            EXPECT_NE(bytes(archive.archivePath()), before);
            ASSERT_EQ(prompts.shown().size(), 3u);
            EXPECT_EQ(prompts.shown()[2].text, c.done + "\nCopia del precedente: " + file(copies.front()));
        }
        frame.reset();
    }
}

TEST_F(ArchiveUpdateFrameTest, SampleArchiveIsSaidInRedAndInTheTitleAndARealOneIsNot) {
    for (const bool sample : {true, false}) {
        SCOPED_TRACE(sample ? "sample" : "real");
        open(sample);
        EXPECT_EQ(archive.isSampleArchive(), sample);
        EXPECT_EQ(frame->Lbl_Esempio->isVisible(), sample);
        EXPECT_EQ(frame->Lbl_Esempio->text(), "Archivio di esempio: estrazioni inventate");
        EXPECT_EQ(frame->windowTitle(),
                  sample ? "Veltrano - Archivio di esempio: estrazioni inventate" : "Veltrano");
        if (sample) {
            const QImage image = frame->Lbl_Esempio->grab().toImage();
            bool red = false;
            for (int x = 0; x < image.width() && !red; ++x)
                for (int y = 0; y < image.height() && !red; ++y)
                    red = image.pixelColor(x, y).red() > 150 && image.pixelColor(x, y).green() < 60;
            EXPECT_TRUE(red);
        }
    }
}

// An archive reached through a symbolic link is not updated through it: the file it points to keeps its
// bytes, the link stays, no copy is written beside either, and the message says why.
TEST_F(ArchiveUpdateFrameTest, AnArchiveThatIsASymbolicLinkIsNotUpdatedThroughIt) {
    open(false);
    QDir().mkpath(file("fuori"));
    const QString victim = file("fuori/vittima.mdb");
    ASSERT_TRUE(QFile::rename(file("Dbarcomax.mdb"), victim));
    ASSERT_TRUE(QFile::link(victim, file("Dbarcomax.mdb")));
    const QByteArray before = bytes(victim);
    const QString history = writeText("nuove.txt", "2021/01/09\tBA\t31\t32\t33\t34\t35\n");
    prompts.answerFiles({history});
    prompts.answerConfirm(true);
    QTest::mouseClick(frame->CmdAggiorna, Qt::LeftButton);

    const auto boxes = prompts.messages();
    ASSERT_FALSE(boxes.empty());
    EXPECT_TRUE(boxes.back().text.startsWith(QStringLiteral("Impossibile aggiornare l'archivio: ")));
    EXPECT_TRUE(boxes.back().text.contains(QStringLiteral("è un collegamento simbolico")))
        << boxes.back().text.toStdString();
    EXPECT_EQ(bytes(victim), before);
    EXPECT_TRUE(QFileInfo(file("Dbarcomax.mdb")).isSymLink());
    const auto everything = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    EXPECT_EQ(QDir(dir.path()).entryList(everything), (QStringList{"Dbarcomax.mdb", "nuove.txt"}));
    EXPECT_EQ(QDir(file("fuori")).entryList(everything), QStringList{"vittima.mdb"});
    EXPECT_EQ(frame->LblFine->text(), "07/01/2021");
}
