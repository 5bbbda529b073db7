// The frame with its real child windows, as the program puts them together: the help key in each, and
// the room they have on a small screen.

#include "ArchiveBuilder.h"
#include "ScriptedServices.h"
#include "gui/ambo/AmboOltreFrm.h"
#include "gui/frame/Container.h"
#include "gui/kit/GridView.h"
#include "gui/kit/Palette.h"
#include "gui/minilist/Estrazioni_minielenco.h"
#include "gui/statistiche/StatisticheFrm.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A 1280x800 screen with a 32-pixel panel, less a generous allowance for a window manager's title bar
// and borders: the room the frame's client area has when maximized there.
constexpr QSize SmallScreenFrame(1280 - 8, 800 - 32 - 40);

class FrameWindows : public ::testing::Test {
protected:
    FrameWindows() {
        ArchiveBuilder build(archive);
        build.randomDraws(300, 5);
        build.finish(100);
        Container::Services services{
            archive,
            palette,
            programEnd,
            help,
            [this](FrameServices&) -> QWidget* { return new Estrazioni_minielenco(archive, prompts, help); },
            [this](FrameServices& f) -> QWidget* {
                return new AmboOltreFrm(archive, palette, prompts, help, f);
            },
            {},
            {},
            nullptr,
            {},
            [this](FrameServices& f) -> QWidget* { return new StatisticheFrm(archive, prompts, help, f); }};
        frame = std::make_unique<Container>(services);
        frame->MDIForm_Load();
        frame->resize(SmallScreenFrame);
        frame->show();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    QWidget* open(QAbstractButton* button, QMdiSubWindow* (Container::*window)() const) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
        QMdiSubWindow* sub = (frame.get()->*window)();
        return sub ? sub->widget() : nullptr;
    }

    template <typename T> T* control(QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    DrawArchive archive;
    Palette palette;
    ScriptedPrompts prompts;
    RecordingHelp help;
    ScriptedProgramEnd programEnd;
    std::unique_ptr<Container> frame;
};

// F1 opens the topic of the window the focus is in, whichever window that is and whichever control
// of it has the focus, with the children open in the frame.
TEST_F(FrameWindows, F1OpensTheTopicOfTheWindowWithTheFocus) {
    QWidget* miniList = open(frame->Command2, &Container::miniListWindow);
    QWidget* ambo = open(frame->Command6, &Container::amboWindow);
    QWidget* statistiche = open(frame->CmdStatistiche, &Container::statisticheWindow);
    ASSERT_NE(miniList, nullptr);
    ASSERT_NE(ambo, nullptr);
    ASSERT_NE(statistiche, nullptr);

    const struct {
        QWidget* focus;
        int topic;
    } cases[] = {
        {frame->Command2, Container::HelpContext},
        {frame->Command45, Container::HelpContext},
        {control<GridView>(miniList, "Fg3"), Estrazioni_minielenco::HelpContext},
        {control<QScrollBar>(miniList, "hs1"), Estrazioni_minielenco::HelpContext},
        {control<QToolButton>(miniList, "Command81"), Estrazioni_minielenco::HelpContext},
        {control<GridView>(ambo, "Fg1"), AmboOltreFrm::HelpContext},
        {control<QComboBox>(ambo, "ComboNC"), AmboOltreFrm::HelpContext},
        {control<QScrollBar>(ambo, "HsInizio"), AmboOltreFrm::HelpContext},
        {control<QScrollBar>(ambo, "HsFine"), AmboOltreFrm::HelpContext},
        {control<QCheckBox>(ambo, "Ch_Intervallo"), AmboOltreFrm::HelpContext},
        {control<QTableView>(statistiche, "FgElementi"), StatisticheFrm::HelpContext},
        {control<QComboBox>(statistiche, "CmbSorte"), StatisticheFrm::HelpContext},
        {frame->CmDHelp, Container::HelpContext},
    };
    for (const auto& c : cases) {
        help.contexts.clear();
        c.focus->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), c.focus) << c.focus->objectName().toStdString();
        QTest::keyClick(c.focus, Qt::Key_F1);
        EXPECT_EQ(help.contexts, std::vector<int>{c.topic}) << c.focus->objectName().toStdString();
    }
}

// On a 1280x800 screen with a panel each child window lies inside the frame's child area, which needs
// no scrolling, and each of its controls lies inside the window with room for its whole caption.
TEST_F(FrameWindows, EveryChildFitsTheFrameOnA1280x800ScreenWithAPanel) {
    for (QWidget* window :
         {open(frame->Command2, &Container::miniListWindow), open(frame->Command6, &Container::amboWindow),
          open(frame->CmdStatistiche, &Container::statisticheWindow)}) {
        ASSERT_NE(window, nullptr);
        const std::string name = window->objectName().toStdString();
        QCoreApplication::processEvents();
        const auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        ASSERT_NE(sub, nullptr);
        EXPECT_TRUE(frame->mdiArea->viewport()->rect().contains(sub->geometry())) << name;
        EXPECT_FALSE(frame->mdiArea->verticalScrollBar()->isVisible()) << name;
        EXPECT_FALSE(frame->mdiArea->horizontalScrollBar()->isVisible()) << name;
        EXPECT_GE(window->height(), window->minimumSizeHint().height()) << name;
        EXPECT_GE(window->width(), window->minimumSizeHint().width()) << name;

        int checked = 0;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window) || w->objectName().isEmpty() ||
                w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            const auto* button = qobject_cast<QAbstractButton*>(w);
            if (!button && !qobject_cast<QLabel*>(w) && !qobject_cast<QComboBox*>(w) &&
                !qobject_cast<GridView*>(w) && !qobject_cast<QScrollBar*>(w))
                continue;
            // The small square marks beside the selection grids have no caption to cut.
            const bool captioned = (button && (!button->text().isEmpty() || !button->icon().isNull())) ||
                                   qobject_cast<QLabel*>(w) || qobject_cast<QComboBox*>(w);
            ++checked;
            const std::string control = name + "." + w->objectName().toStdString();
            EXPECT_TRUE(window->rect().contains(QRect(w->mapTo(window, QPoint(0, 0)), w->size()))) << control;
            if (captioned) {
                EXPECT_GE(w->width(), w->minimumSizeHint().width()) << control;
                EXPECT_GE(w->height(), w->minimumSizeHint().height()) << control;
            }
        }
        EXPECT_GT(checked, 5) << name;
    }
}

} // namespace
