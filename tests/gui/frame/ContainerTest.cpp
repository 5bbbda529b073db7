#include "gui/frame/Container.h"

#include "ScriptedServices.h"
#include "core/DrawArchive.h"
#include "gui/kit/Palette.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ContainerTest : public ::testing::Test {
protected:
    DrawArchive archive;
    Palette palette;
    ScriptedProgramEnd programEnd;
    RecordingHelp help;
    int miniListsMade = 0;

    void loadDraws(int count, int modelStart) {
        for (int d = 1; d <= count; ++d)
            archive.storeDate(static_cast<std::int16_t>(d),
                              QStringLiteral("%1/01/2021").arg(d, 2, 10, QLatin1Char('0')));
        archive.setDrawCount(static_cast<std::int16_t>(count));
        archive.setModelStart(static_cast<std::int16_t>(modelStart));
        archive.buildModelArchive();
    }

    std::unique_ptr<Container> openFrame() {
        Container::Services services{archive,
                                     palette,
                                     programEnd,
                                     help,
                                     [this](FrameServices&) {
                                         ++miniListsMade;
                                         auto* w = new QLabel(QStringLiteral("mini"));
                                         w->setWindowTitle(QStringLiteral("Mini elenco"));
                                         return w;
                                     },
                                     {}};
        auto frame = std::make_unique<Container>(services);
        frame->MDIForm_Load();
        frame->show();
        return frame;
    }
};

TEST_F(ContainerTest, WholeArchiveAsModelShowsFirstLastAndCount) {
    loadDraws(12, 1);
    auto f = openFrame();
    EXPECT_EQ(f->windowTitle(), "Veltrano");
    EXPECT_EQ(f->Lbl_inizioNE->text(), "1");
    EXPECT_EQ(f->LblInizio->text(), "01/01/2021");
    EXPECT_EQ(f->Lbl_fineNE->text(), "12");
    EXPECT_EQ(f->LblFine->text(), "12/01/2021");
    EXPECT_EQ(f->Lbl_Ev->text(), "12");
    EXPECT_EQ(f->Lbl_Ev->toolTip(), "Estrazioni archivio modello");
    EXPECT_EQ(f->Lbl_inizioNE->toolTip(), "Indice inizio");
}

TEST_F(ContainerTest, CountLabelIsGreenRightAfterOpening) {
    loadDraws(3, 1);
    auto f = openFrame();
    EXPECT_EQ(palette.PaletteGreen, 32768u);
    const QImage image = f->Lbl_Ev->grab().toImage();
    // A corner pixel lies in the label's padding, away from the white digits.
    EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 128, 0));
    const QImage end = f->Lbl_fineNE->grab().toImage();
    EXPECT_EQ(end.pixelColor(1, 1), QColor(0, 0, 192));
}

TEST_F(ContainerTest, ModelStartAtTheLastDrawShowsOneDraw) {
    loadDraws(7, 7);
    auto f = openFrame();
    EXPECT_EQ(f->Lbl_inizioNE->text(), "7");
    EXPECT_EQ(f->Lbl_fineNE->text(), "7");
    EXPECT_EQ(f->LblInizio->text(), f->LblFine->text());
    EXPECT_EQ(f->Lbl_Ev->text(), "1");
}

TEST_F(ContainerTest, EmptyModelArchiveShowsDashesAndZero) {
    loadDraws(5, 6);
    auto f = openFrame();
    for (QLabel* label : {f->Lbl_inizioNE, f->LblInizio, f->Lbl_fineNE, f->LblFine})
        EXPECT_EQ(label->text(), "-");
    EXPECT_EQ(f->Lbl_Ev->text(), "0");
}

TEST_F(ContainerTest, ChildWindowIsOpenedOnceBroughtForwardAndLoadedAfreshAfterClosing) {
    loadDraws(3, 1);
    auto f = openFrame();
    QTest::mouseClick(f->Command2, Qt::LeftButton);
    ASSERT_NE(f->miniListWindow(), nullptr);
    QMdiSubWindow* first = f->miniListWindow();
    EXPECT_EQ(first->windowTitle(), "Mini elenco");
    QTest::mouseClick(f->Command2, Qt::LeftButton);
    EXPECT_EQ(f->miniListWindow(), first);
    EXPECT_EQ(miniListsMade, 1);
    EXPECT_EQ(f->mdiArea->subWindowList().size(), 1);

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f->miniListWindow(), nullptr);
    QTest::mouseClick(f->Command2, Qt::LeftButton);
    EXPECT_EQ(miniListsMade, 2);
    EXPECT_EQ(f->mdiArea->subWindowList().size(), 1);
}

TEST_F(ContainerTest, FineAndTheTitleBarCloseEndTheProgram) {
    loadDraws(3, 1);
    {
        auto f = openFrame();
        QTest::mouseClick(f->Command2, Qt::LeftButton);
        QTest::mouseClick(f->Command45, Qt::LeftButton);
        EXPECT_EQ(programEnd.count(), 1);
        EXPECT_EQ(f->Command45->text(), "FINE");
    }
    ScriptedProgramEnd other;
    Container::Services services{archive, palette, other, help, {}, {}};
    Container f(services);
    f.MDIForm_Load();
    f.show();
    f.close();
    EXPECT_TRUE(other.hasEnded());
}

TEST_F(ContainerTest, HelpAndProgressServices) {
    loadDraws(3, 1);
    auto f = openFrame();
    QTest::mouseClick(f->CmDHelp, Qt::LeftButton);
    ASSERT_EQ(help.contexts.size(), 1u);
    EXPECT_EQ(help.contexts[0], 190);
    FrameServices& services = *f;
    services.setProgressMaximum(812);
    EXPECT_EQ(f->pb1->maximum(), 812);
    EXPECT_EQ(f->Command2->toolTip(), "Mini elenco estrazioni");
    EXPECT_EQ(f->Command6->toolTip(), "Veltrano");
    EXPECT_EQ(f->CmDHelp->toolTip(), "Help in linea");
}

// Where the frame was is kept however the program ends, maximized or not.
TEST_F(ContainerTest, FineAndTheTitleBarCloseKeepWhereTheFrameWas) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings kept(dir.filePath(QStringLiteral("veltrano.ini")), QSettings::IniFormat);
    for (bool closeByTitleBar : {false, true}) {
        loadDraws(3, 1);
        auto f = openFrame();
        f->showPlaced(kept);
        f->showNormal();
        f->setGeometry(QRect(20 + (closeByTitleBar ? 5 : 0), 30, 1000, 700));
        QCoreApplication::processEvents();
        const QRect outer = f->frameGeometry();
        if (closeByTitleBar)
            f->close();
        else
            QTest::mouseClick(f->Command45, Qt::LeftButton);
        EXPECT_EQ(kept.value(QStringLiteral("Finestra/Geometria")).toRect(), outer);
        EXPECT_EQ(kept.value(QStringLiteral("Finestra/Massimizzata")).toBool(), false);
    }
}

} // namespace
