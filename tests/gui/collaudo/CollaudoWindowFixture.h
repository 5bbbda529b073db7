#pragma once

#include "ArchiveBuilder.h"
#include "QtPrinting.h"
#include "ScriptedServices.h"
#include "WheelCodes.h"
#include "WindowDriving.h"
#include "core/DrawArchive.h"
#include "gui/collaudo/CollaudoFrm.h"
#include "gui/collaudo/CollaudoParameters.h"
#include "gui/collaudo/ResultGrid.h"
#include "gui/kit/ChartPanel.h"
#include "gui/kit/DateField.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/GridView.h"
#include "gui/kit/ItemTableView.h"
#include "gui/kit/Palette.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QStyleOptionButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

// The frame as the Collaudo window sees it: records the progress bar and the draws asked of the mini list.
class RecordingFrame : public FrameServices {
public:
    void setProgressMaximum(int maximum) override { this->maximum = maximum; }
    void setProgressValue(int value) override { values.push_back(value); }
    void showDraw(int drawIndex) override { draws.push_back(drawIndex); }
    int maximum = 0;
    std::vector<int> values;
    std::vector<int> draws;
};

// The Collaudo window opened on an archive the test builds with `build`, driven through its controls.
class CollaudoWindowTest : public ::testing::Test {
protected:
    using N = ArchiveBuilder::Numbers;

    CollaudoWindowTest() : m_archive(std::make_unique<DrawArchive>()), build(*m_archive) {}

    DrawArchive& archive() { return *m_archive; }

    // The archive of two known cases (see ArchiveBuilder::twoKnownCases).
    void buildTwoCases() { build.twoKnownCases(); }

    void open() {
        build.finish(1);
        palette.SettaValoriBase();
        window = std::make_unique<CollaudoFrm>(archive(), palette, prompts, help, frame);
        window->resize(1250, 760);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
    }

    template <typename T> T* control(const char* name) const { return findControl<T>(*window, name); }

    void press(const char* button) { clickButton(*window, button); }
    void collauda() { press("CmdCollauda"); }

    void setBox(const char* name, bool checked) { clickCheckBoxTo(*window, name, checked); }

    // Types a date into a date field, day, month and year, as the keyboard does.
    void typeDate(const char* name, const QString& ddMMyyyy) {
        auto* field = control<QDateEdit>(name);
        field->setFocus();
        field->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(field, QString(ddMMyyyy).remove(QLatin1Char('/')));
        QTest::keyClick(field, Qt::Key_Enter);
    }

    GridModel& grid(const char* name) const { return *control<GridView>(name)->gridModel(); }

    // Column 1 of the summary grid by its label in column 0.
    QString summaryValue(const QString& label) const {
        const GridModel& g = grid("FgRiepilogo");
        for (int r = 1; r < g.rows(); ++r)
            if (g.text(r, 0) == label)
                return g.text(r, 1);
        ADD_FAILURE() << "no summary row " << label.toStdString();
        return {};
    }

    // The texts of one column of a grid over its data rows.
    static QStringList column(const GridModel& g, int col) {
        QStringList texts;
        for (int r = 1; r < g.rows(); ++r)
            texts << g.text(r, col);
        return texts;
    }

    // The texts of one column of the case list, and the colour of a case's marker.
    QStringList caseColumn(int col) const {
        const QAbstractItemModel& cases = *window->FgCasi->model();
        QStringList texts;
        for (int r = 0; r < cases.rowCount(); ++r)
            texts << cases.index(r, col).data().toString();
        return texts;
    }
    QString caseText(int row, int col) const {
        return window->FgCasi->model()->index(row, col).data().toString();
    }
    QColor caseMarker(int row) const {
        return window->FgCasi->model()->index(row, 0).data(Qt::BackgroundRole).value<QColor>();
    }

    // Clicks a header of the case list (the first click sorts ascending) and double-clicks a case.
    void clickCaseHeader(int col) {
        QHeaderView* header = window->FgCasi->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(header->sectionViewportPosition(col) + header->sectionSize(col) / 2,
                                 header->height() / 2));
    }
    void doubleClickCase(int row, int col) {
        ItemTableView* view = window->FgCasi;
        const QModelIndex index = view->model()->index(row, col);
        view->scrollTo(index);
        QCoreApplication::processEvents();
        // A double click is a press, a release and a second press, which the view matches to the first.
        const QPoint centre = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    }

    // Double-clicks a data cell of a grid, scrolling it into view first as the user would.
    void doubleClickCell(const char* gridName, int row, int col) {
        GridView* view = control<GridView>(gridName);
        GridModel& g = *view->gridModel();
        view->scrollTo(view->model()->index(row - g.fixedRows(), col - g.fixedCols()));
        QCoreApplication::processEvents();
        const GridView::CellSpot spot = view->cellSpot(row, col);
        ASSERT_NE(spot.widget, nullptr);
        QTest::mouseDClick(spot.widget, Qt::LeftButton, Qt::NoModifier, spot.centre());
    }

    std::unique_ptr<DrawArchive> m_archive;
    ArchiveBuilder build;
    Palette palette;
    ScriptedPrompts prompts;
    RecordingHelp help;
    RecordingFrame frame;
    std::unique_ptr<CollaudoFrm> window;
};
