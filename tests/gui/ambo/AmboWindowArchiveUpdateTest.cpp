#include "AmboWindowFixture.h"
#include "gui/frame/Container.h"
#include "io/ArchiveLoader.h"
#include "io/storico/DrawArchiveFile.h"

#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QToolButton>

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

} // namespace

// After "Aggiorna archivio" the ambo window opened in the frame works on the new draws: its range bars
// reach the new last draw.
TEST(AmboWindowArchiveUpdate, RangeBarsReachTheNewLastDrawAfterTheUpdate) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = QDir(dir.path()).filePath("Dbarcomax.mdb");
    const QString reader = QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-lettore");
    std::vector<storico::Draw> draws;
    storico::CalendarDate day{2020, 1, 4};
    for (int i = 0; i < 60; ++i, day = storico::CalendarDate::fromDayNumber(day.dayNumber() + 7))
        draws.push_back(fullDraw(day, i));
    storico::writeDrawArchiveFile(path.toStdString(), draws, 0);

    DrawArchive archive;
    Palette palette;
    ScriptedPrompts prompts;
    RecordingHelp help;
    ScriptedProgramEnd programEnd;
    archive.setModelStart(1);
    archive.setArchivePath(path);
    loadDrawArchive(archive, path, reader);
    Container::Services services{
        archive,    palette,
        programEnd, help,
        {},         [&](FrameServices& f) { return new AmboOltreFrm(archive, palette, prompts, help, f); },
        {},         {},
        &prompts,   reader};
    Container frame(services);
    frame.MDIForm_Load();
    frame.show();
    QTest::mouseClick(frame.Command6, Qt::LeftButton);
    ASSERT_NE(frame.amboWindow(), nullptr);
    EXPECT_EQ(qobject_cast<AmboOltreFrm*>(frame.amboWindow()->widget())->HsFine->maximum(), 60);

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
    QTest::mouseClick(frame.CmdAggiorna, Qt::LeftButton);

    EXPECT_EQ(archive.drawCount(), 63);
    ASSERT_NE(frame.amboWindow(), nullptr);
    auto* window = qobject_cast<AmboOltreFrm*>(frame.amboWindow()->widget());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->HsFine->maximum(), 63);
    EXPECT_EQ(window->HsInizio->maximum(), 63);
    EXPECT_EQ(window->HsFine->value(), 63);
}
