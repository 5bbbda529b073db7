#include "AmboWindowFixture.h"
#include "gui/frame/Container.h"
#include "io/ArchiveLoader.h"
#include "io/storico/DrawArchiveFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <memory>

namespace {

storico::Draw fullDraw(const storico::CalendarDate& date, int seed) {
    storico::Draw d;
    d.date = date;
    for (std::size_t wheel = 0; wheel < 10; ++wheel) {
        const int base = static_cast<int>((seed * 7 + wheel * 11) % 80) + 1;
        d.wheels[wheel] = storico::WheelNumbers{base, base + 2, base + 4, base + 6, base + 8};
    }
    return d;
}

// A frame on an archive of 60 draws with the ambo window open; update() adds three draws through
// "Aggiorna archivio".
class AmboWindowArchiveUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = QDir(dir.path()).filePath("Dbarcomax.mdb");
        std::vector<storico::Draw> draws;
        for (int i = 0; i < 60; ++i, day = storico::CalendarDate::fromDayNumber(day.dayNumber() + 7))
            draws.push_back(fullDraw(day, i));
        storico::writeDrawArchiveFile(path.toStdString(), draws, 0);
        archive.setModelStart(1);
        archive.setArchivePath(path);
        loadDrawArchive(archive, path, reader);
        Container::Services services{
            archive,    palette,
            programEnd, help,
            {},         [this](FrameServices& f) { return new AmboOltreFrm(archive, palette, prompts, help, f); },
            {},         {},
            &prompts,   reader};
        frame = std::make_unique<Container>(services);
        frame->MDIForm_Load();
        frame->show();
        QTest::mouseClick(frame->Command6, Qt::LeftButton);
        ASSERT_NE(frame->amboWindow(), nullptr);
    }

    AmboOltreFrm* window() const {
        return frame->amboWindow() ? qobject_cast<AmboOltreFrm*>(frame->amboWindow()->widget()) : nullptr;
    }

    void update() {
        QString history;
        for (int i = 0; i < 3; ++i, day = storico::CalendarDate::fromDayNumber(day.dayNumber() + 7))
            history += QStringLiteral("%1\tBA\t1\t2\t3\t4\t%2\n%1\tVE\t5\t6\t7\t8\t%2\n")
                           .arg(QString::fromStdString(day.storicoText()))
                           .arg(10 + i);
        const QString historyFile = QDir(dir.path()).filePath("nuove.txt");
        QFile out(historyFile);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(history.toUtf8());
        out.close();
        prompts.answerFiles({historyFile});
        prompts.answerConfirm(true);
        QTest::mouseClick(frame->CmdAggiorna, Qt::LeftButton);
        ASSERT_EQ(archive.drawCount(), 63);
        ASSERT_NE(window(), nullptr);
    }

    QTemporaryDir dir;
    QString path;
    const QString reader = QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-lettore");
    storico::CalendarDate day{2020, 1, 4};
    DrawArchive archive;
    Palette palette;
    ScriptedPrompts prompts;
    RecordingHelp help;
    ScriptedProgramEnd programEnd;
    std::unique_ptr<Container> frame;
};

} // namespace

// After "Aggiorna archivio" the ambo window opened in the frame works on the new draws: its range bars
// reach the new last draw.
TEST_F(AmboWindowArchiveUpdate, RangeBarsReachTheNewLastDrawAfterTheUpdate) {
    EXPECT_EQ(window()->HsFine->maximum(), 60);
    update();
    EXPECT_EQ(window()->HsFine->maximum(), 63);
    EXPECT_EQ(window()->HsInizio->maximum(), 63);
    EXPECT_EQ(window()->HsFine->value(), 63);
}

// The choices made in the ambo window survive "Aggiorna archivio", as in the other windows: wheels,
// positions, boxes, colpi, cases, cadenze or figure and the range's start (its end, at the last draw,
// follows the new last draw).
TEST_F(AmboWindowArchiveUpdate, KeepsItsChoicesOnTheNewDraws) {
    AmboOltreFrm* before = window();
    // Every choice away from where the window opens.
    QTest::mouseClick(before->Label9, Qt::LeftButton); // no wheel...
    {
        const GridView::CellSpot spot = before->FgR->cellSpot(0, 3); // ...but GE
        QTest::mouseClick(spot.widget, Qt::LeftButton, Qt::NoModifier, spot.centre());
    }
    QTest::mouseClick(before->Label30, Qt::LeftButton); // no position
    for (QCheckBox* box : before->Ch_RuoteTipo)
        box->setChecked(!box->isChecked());
    for (QCheckBox* box : {before->ChPosAdi, before->ChIso, before->Ch_Intervallo, before->Ch_termina1, before->Ch_1,
                           before->Ch_2, before->Ch_4, before->Ch_Tutte})
        box->setChecked(!box->isChecked());
    before->ComboC->setCurrentIndex(before->ComboC->count() - 1);
    before->ComboNC->setCurrentIndex(2);
    before->Option2->setChecked(true);
    before->HsInizio->setValue(12);
    const QVariantMap chosen = before->keptSettings();
    const AmboControls controls = before->controls();

    update();
    AmboOltreFrm* after = window();
    const QVariantMap kept = after->keptSettings();
    for (const char* key : {"ruote", "posizioni", "caselle", "colpi", "casi", "cadenze", "inizio"})
        EXPECT_EQ(kept.value(QLatin1String(key)), chosen.value(QLatin1String(key))) << key;
    const AmboControls now = after->controls();
    EXPECT_EQ(now.Ch_RuoteTipo, controls.Ch_RuoteTipo);
    EXPECT_EQ(now.ComboC, controls.ComboC);
    EXPECT_EQ(now.ComboNC, QStringLiteral("3"));
    EXPECT_TRUE(now.Option2);
    EXPECT_EQ(after->HsInizio->value(), 12);
    EXPECT_EQ(after->HsFine->value(), 63);
    EXPECT_EQ(after->state().IndiceInizio, 12);
}
