#include "ScriptedServices.h"
#include "core/DrawArchive.h"
#include "gui/frame/Container.h"
#include "gui/kit/Palette.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// The Collaudo and the "Ritardi e frequenze" buttons open their windows like the other two, and the
// frame's services for them: the progress value and a draw shown in the mini list.
class ContainerChildren : public ::testing::Test {
protected:
    DrawArchive archive;
    Palette palette;
    ScriptedProgramEnd programEnd;
    RecordingHelp help;
    int collaudoMade = 0;
    int statisticheMade = 0;
    int miniListsMade = 0;
    std::vector<std::pair<QWidget*, int>> shownDraws;

    std::unique_ptr<Container> openFrame() {
        for (int d = 1; d <= 5; ++d)
            archive.storeDate(static_cast<std::int16_t>(d), QStringLiteral("0%1/01/2021").arg(d));
        archive.setDrawCount(5);
        archive.setModelStart(1);
        archive.buildModelArchive();
        Container::Services services{archive,
                                     palette,
                                     programEnd,
                                     help,
                                     [this](FrameServices&) {
                                         ++miniListsMade;
                                         return new QLabel(QStringLiteral("mini"));
                                     },
                                     {},
                                     [this](FrameServices&) {
                                         ++collaudoMade;
                                         auto* w = new QLabel(QStringLiteral("collaudo"));
                                         w->setWindowTitle(QStringLiteral("Collaudo"));
                                         return w;
                                     },
                                     [this](QWidget& miniList, int draw) {
                                         shownDraws.push_back({&miniList, draw});
                                     },
                                     nullptr,
                                     {},
                                     [this](FrameServices&) {
                                         ++statisticheMade;
                                         auto* w = new QLabel(QStringLiteral("statistiche"));
                                         w->setWindowTitle(QStringLiteral("Ritardi e frequenze"));
                                         return w;
                                     }};
        auto frame = std::make_unique<Container>(services);
        frame->MDIForm_Load();
        frame->show();
        return frame;
    }
};

TEST_F(ContainerChildren, EachWindowButtonOpensOneWindowReloadedAfterClosing) {
    auto f = openFrame();
    struct Case {
        QToolButton* button;
        QMdiSubWindow* (Container::*window)() const;
        int* made;
        const char* toolTip;
        const char* title;
    } cases[] = {
        {f->CmdCollaudo, &Container::collaudoWindow, &collaudoMade, "Collaudo del metodo", "Collaudo"},
        {f->CmdStatistiche, &Container::statisticheWindow, &statisticheMade, "Ritardi e frequenze",
         "Ritardi e frequenze"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_TRUE(c.button->isVisible());
        EXPECT_EQ(c.button->toolTip(), c.toolTip);
        QTest::mouseClick(c.button, Qt::LeftButton);
        QTest::mouseClick(c.button, Qt::LeftButton);
        ASSERT_NE((f.get()->*c.window)(), nullptr);
        EXPECT_EQ((f.get()->*c.window)()->windowTitle(), c.title);
        EXPECT_EQ(*c.made, 1);
        (f.get()->*c.window)()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ((f.get()->*c.window)(), nullptr);
        QTest::mouseClick(c.button, Qt::LeftButton);
        EXPECT_EQ(*c.made, 2);
    }
}

TEST_F(ContainerChildren, ShowDrawOpensTheMiniListOnceAndMovesItAndTheBarFollowsTheValue) {
    auto f = openFrame();
    FrameServices& services = *f;
    services.showDraw(3);
    services.showDraw(5);
    ASSERT_NE(f->miniListWindow(), nullptr);
    EXPECT_EQ(miniListsMade, 1);
    ASSERT_EQ(shownDraws.size(), 2u);
    EXPECT_EQ(shownDraws[0].first, f->miniListWindow()->widget());
    EXPECT_EQ(shownDraws[0].second, 3);
    EXPECT_EQ(shownDraws[1].second, 5);

    services.setProgressMaximum(100);
    services.setProgressValue(40);
    EXPECT_EQ(f->pb1->value(), 40);
    services.setProgressValue(250); // never past the end
    EXPECT_EQ(f->pb1->value(), 100);
}

} // namespace
