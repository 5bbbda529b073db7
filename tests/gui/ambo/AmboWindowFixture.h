#pragma once

#include "ArchiveBuilder.h"
#include "QtPrinting.h"
#include "ScriptedServices.h"
#include "WheelCodes.h"
#include "WindowDriving.h"
#include "core/DrawArchive.h"
#include "gui/ambo/AmboGridLayout.h"
#include "gui/ambo/AmboOltreFrm.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/GridView.h"
#include "gui/kit/Palette.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

// The frame as the ambo window sees it: records the progress maxima and the mouse pointer at that moment.
class RecordingFrame : public FrameServices {
public:
    void setProgressMaximum(int maximum) override {
        maxima.push_back(maximum);
        const QCursor* pointer = QApplication::overrideCursor();
        pointers.push_back(pointer ? pointer->shape() : Qt::ArrowCursor);
    }
    std::vector<int> maxima;
    std::vector<Qt::CursorShape> pointers;
};

// The ambo window opened on an archive the test builds with `build`, driven through its controls.
class AmboWindowTest : public ::testing::Test {
protected:
    using N = ArchiveBuilder::Numbers;

    AmboWindowTest() : m_archive(std::make_unique<DrawArchive>()), build(*m_archive) {}

    DrawArchive& archive() { return *m_archive; }

    // The archive of two known cases (see ArchiveBuilder::twoKnownCases).
    void buildTwoCases() { build.twoKnownCases(); }

    void open(std::int16_t modelStart = 1) {
        build.finish(modelStart);
        palette.SettaValoriBase();
        window = std::make_unique<AmboOltreFrm>(archive(), palette, prompts, help, frame);
        window->resize(window->sizeHint());
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
    }

    template <typename T> T* control(const char* name) const { return findControl<T>(*window, name); }

    GridModel& grid(const char* name) const { return *control<GridView>(name)->gridModel(); }
    GridModel& Fg1() const { return grid("Fg1"); }
    GridModel& FgS() const { return grid("FgS"); }
    GridModel& FgR() const { return grid("FgR"); }
    GridModel& Fgp() const { return grid("Fgp"); }
    QString label(const char* name) const { return control<QLabel>(name)->text(); }
    QScrollBar* bar(const char* name) const { return control<QScrollBar>(name); }

    void press(const char* button) { clickButton(*window, button); }
    void elabora() { press("Cmd_Ambiuguali"); }
    void verifica() { press("Command1"); }

    void setBox(const char* name, bool checked) { clickCheckBoxTo(*window, name, checked); }

    // Clicks one part of a scroll bar: an arrow (one draw) or the track beside the slider (25 draws).
    void clickBar(const char* name, QStyle::SubControl part) {
        QScrollBar* scrollBar = bar(name);
        QStyleOptionSlider option;
        option.initFrom(scrollBar);
        option.orientation = scrollBar->orientation();
        option.minimum = scrollBar->minimum();
        option.maximum = scrollBar->maximum();
        option.sliderPosition = scrollBar->sliderPosition();
        option.sliderValue = scrollBar->value();
        option.singleStep = scrollBar->singleStep();
        option.pageStep = scrollBar->pageStep();
        option.upsideDown = false;
        option.subControls = QStyle::SC_All;
        const QRect rect = scrollBar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, scrollBar);
        ASSERT_FALSE(rect.isEmpty()) << name;
        QTest::mouseClick(scrollBar, Qt::LeftButton, Qt::NoModifier, rect.center());
    }

    // Replaces the text of an editable drop-down by typing.
    void typeInto(const char* comboName, const QString& text) {
        QLineEdit* edit = control<QComboBox>(comboName)->lineEdit();
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    // Clicks a cell of a grid, scrolling it into view first as the user would.
    void clickCell(const char* gridName, int row, int col) {
        GridView* view = control<GridView>(gridName);
        GridModel& g = *view->gridModel();
        const int bodyRow = row - g.fixedRows();
        const int bodyCol = col - g.fixedCols();
        if (bodyRow >= 0 && bodyCol >= 0)
            view->scrollTo(view->model()->index(bodyRow, bodyCol));
        QCoreApplication::processEvents();
        const GridView::CellSpot spot = view->cellSpot(row, col);
        ASSERT_NE(spot.widget, nullptr);
        ASSERT_TRUE(spot.widget->rect().contains(spot.centre())) << gridName << " " << row << "," << col;
        QTest::mouseClick(spot.widget, Qt::LeftButton, Qt::NoModifier, spot.centre());
    }

    // Every cell of a grid as the user sees it: text, colours, bold, bar.
    static QStringList snapshot(const GridModel& g) {
        QStringList all;
        for (int r = 0; r < g.rows(); ++r)
            for (int c = 0; c < g.cols(); ++c)
                all << QStringLiteral("%1,%2:%3|%4|%5|%6|%7")
                           .arg(r)
                           .arg(c)
                           .arg(g.text(r, c))
                           .arg(g.backColour(r, c))
                           .arg(g.foreColour(r, c))
                           .arg(g.bold(r, c))
                           .arg(g.floodPercent(r, c));
        return all;
    }

    // The texts of one column over the case rows.
    QStringList caseColumn(int col) const {
        QStringList texts;
        for (int r = 1; r < Fg1().rows(); ++r)
            texts << Fg1().text(r, col);
        return texts;
    }

    // Column 1 of the summary, rows "N° casi" to "Quaterne".
    QStringList summary() const {
        QStringList values;
        for (int r = 1; r <= 8; ++r)
            values << FgS().text(r, 1);
        return values;
    }

    std::unique_ptr<DrawArchive> m_archive;
    ArchiveBuilder build;
    Palette palette;
    ScriptedPrompts prompts;
    RecordingHelp help;
    RecordingFrame frame;
    std::unique_ptr<AmboOltreFrm> window;
};
