#include "AmboWindowFixture.h"
#include "gui/frame/Container.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <cstdlib>

namespace {

// The program's frame at its 1280x800 size with the ambo window opened by its button.
class AmboWindowInFrame : public ::testing::Test {
protected:
    AmboWindowInFrame() : m_archive(std::make_unique<DrawArchive>()) {
        ArchiveBuilder build(*m_archive);
        build.randomDraws(1200, 11);
        build.finish(200);
    }

    void openFrame() {
        Container::Services services{*m_archive,
                                     palette,
                                     programEnd,
                                     help,
                                     {},
                                     [this](FrameServices& f) {
                                         return new AmboOltreFrm(*m_archive, palette, prompts, help, f); }};
        frame = std::make_unique<Container>(services);
        frame->MDIForm_Load();
        frame->show();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        QTest::mouseClick(frame->Command6, Qt::LeftButton);
        QCoreApplication::processEvents();
        ASSERT_NE(frame->amboWindow(), nullptr);
        window = qobject_cast<AmboOltreFrm*>(frame->amboWindow()->widget());
        ASSERT_NE(window, nullptr);
    }

    std::unique_ptr<DrawArchive> m_archive;
    Palette palette;
    ScriptedPrompts prompts;
    RecordingHelp help;
    ScriptedProgramEnd programEnd;
    std::unique_ptr<Container> frame;
    AmboOltreFrm* window = nullptr;
};

TEST_F(AmboWindowInFrame, ElaboraSetsTheFrameProgressMaximum) {
    openFrame();
    frame->pb1->setMaximum(7);
    QTest::mouseClick(window->Cmd_Ambiuguali, Qt::LeftButton);
    EXPECT_EQ(frame->pb1->maximum(), 1200);
    EXPECT_GT(window->Fg1->gridModel()->rows(), 1);
}

// At 1280x800 the window fits the frame, every control shows its whole caption and nothing overlaps;
// the case grid takes most of the height. Set VELTRANO_SCREENSHOT_DIR to keep a picture to look at.
TEST_F(AmboWindowInFrame, TidyAt1280x800) {
    openFrame();
    ASSERT_EQ(frame->size(), QSize(1280, 800));
    QMdiSubWindow* sub = frame->amboWindow();
    const QRect area = frame->mdiArea->viewport()->rect();
    EXPECT_TRUE(area.contains(sub->geometry()))
        << "sub-window " << sub->geometry().width() << "x" << sub->geometry().height() << " in "
        << area.width() << "x" << area.height();

    QTest::mouseClick(window->Cmd_Ambiuguali, Qt::LeftButton);
    QCoreApplication::processEvents();

    std::vector<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->objectName().isEmpty() ||
            w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QLabel*>(w) ||
            qobject_cast<GridView*>(w) || qobject_cast<QScrollBar*>(w))
            controls.push_back(w);
    }
    ASSERT_EQ(controls.size(), 43u); // every control of the window, "Stampa…" and "Esporta PDF…" included
    const QRect inside = window->rect();
    for (QWidget* w : controls) {
        const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        EXPECT_TRUE(inside.contains(r)) << w->objectName().toStdString();
        // Captions are not cut: a button, box or label is at least as large as it asks to be.
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const bool captionless = button && button->text().isEmpty() && button->icon().isNull();
        if ((button && !captionless) || qobject_cast<QLabel*>(w)) {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
            EXPECT_GE(w->height(), w->minimumSizeHint().height()) << w->objectName().toStdString();
        }
        for (QWidget* other : controls) {
            if (other == w || w->isAncestorOf(other) || other->isAncestorOf(w))
                continue;
            const QRect o(other->mapTo(window, QPoint(0, 0)), other->size());
            EXPECT_FALSE(r.intersects(o))
                << w->objectName().toStdString() << " overlaps " << other->objectName().toStdString();
        }
    }
    // The summary shows its eight rows whole; the case grid is the large one.
    GridView* summary = window->FgS;
    for (int row = 1; row <= 8; ++row) {
        const GridView::CellSpot spot = summary->cellSpot(row, 1);
        EXPECT_TRUE(spot.widget->rect().contains(spot.rect)) << row;
    }
    EXPECT_GE(window->Fg1->height(), 380);
    EXPECT_GE(window->Fg1->width(), 1100);

    if (const char* dir = std::getenv("VELTRANO_SCREENSHOT_DIR"))
        frame->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("ambo-window.png")));
}

} // namespace
