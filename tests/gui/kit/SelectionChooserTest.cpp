#include "gui/kit/SelectionChooser.h"

#include "WindowDriving.h"
#include "core/DrawArchive.h"
#include "gui/kit/GridView.h"
#include "gui/kit/MethodControls.h"
#include "gui/kit/SelectionGrids.h"

#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A chooser on screen, as a window lays it out.
class ChooserOnScreen {
public:
    explicit ChooserOnScreen(SelectionChooser::Kind kind) : chooser(new SelectionChooser(kind, &window)) {
        archive.fillWheelCodesAndDiametral();
        if (kind == SelectionChooser::Kind::Wheels)
            layoutWheelChooser(*chooser->grid()->gridModel(), archive);
        else
            layoutPositionChooser(*chooser->grid()->gridModel());
        methodControls::fitSelectionGrid(*chooser->grid());
        auto* row = new QHBoxLayout(&window);
        row->addWidget(chooser->grid());
        row->addWidget(chooser->selectAllSquare());
        row->addWidget(chooser->deselectAllSquare());
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The chosen cells as "1" and "0", left to right.
    QString chosen() const {
        const GridModel& g = *chooser->grid()->gridModel();
        const GridModel::Colour colour =
            chooser->objectName() == QStringLiteral("SceltaRuote") ? ChosenWheelColour : ChosenPositionColour;
        QString cells;
        for (int c = 0; c < g.cols(); ++c)
            cells += g.backColour(0, c) == colour ? QLatin1Char('1') : QLatin1Char('0');
        return cells;
    }

    // The colour a cell shows on screen, away from its text and its grid lines.
    QColor shownColour(int col) const {
        const GridView::CellSpot spot = chooser->grid()->cellSpot(0, col);
        return spot.widget->grab().toImage().pixelColor(spot.rect.topLeft() + QPoint(2, 2));
    }

    DrawArchive archive;
    QWidget window;
    SelectionChooser* chooser;
};

enum class Act { Cell, SelectAll, DeselectAll, DoubleClick, KeyRight, KeyLeft };
struct Step {
    Act act;
    int col; // the cell clicked, for Cell and DoubleClick
    const char* after;
};

void perform(ChooserOnScreen& s, const Step& step) {
    GridView& grid = *s.chooser->grid();
    switch (step.act) {
    case Act::Cell:
        clickGridCell(grid, 0, step.col);
        break;
    case Act::SelectAll:
        QTest::mouseClick(s.chooser->selectAllSquare(), Qt::LeftButton);
        break;
    case Act::DeselectAll:
        QTest::mouseClick(s.chooser->deselectAllSquare(), Qt::LeftButton);
        break;
    case Act::DoubleClick: {
        // As the window system delivers one: press, release, press, double click, release.
        const GridView::CellSpot spot = grid.cellSpot(0, step.col);
        QTest::mouseClick(spot.widget, Qt::LeftButton, Qt::NoModifier, spot.centre());
        QTest::mousePress(spot.widget, Qt::LeftButton, Qt::NoModifier, spot.centre());
        QTest::mouseDClick(spot.widget, Qt::LeftButton, Qt::NoModifier, spot.centre());
        QTest::mouseRelease(spot.widget, Qt::LeftButton, Qt::NoModifier, spot.centre());
        break;
    }
    case Act::KeyRight:
    case Act::KeyLeft:
        grid.setFocus();
        QTest::keyClick(&grid, step.act == Act::KeyRight ? Qt::Key_Right : Qt::Key_Left);
        break;
    }
}

// Every click on a cell flips it, the cell already current as any other: after the "none" square, a
// click on the wheel that was current before chooses it, and the next click takes it back. The squares
// choose all or none; an arrow key flips the cell it moves to; a double click is two clicks.
TEST(SelectionChooser, EveryClickOnACellFlipsItAndTheSquaresChooseAllOrNone) {
    struct Case {
        SelectionChooser::Kind kind;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {SelectionChooser::Kind::Wheels,
         {{Act::Cell, 0, "10000000000"},
          {Act::DeselectAll, 0, "00000000000"},
          {Act::Cell, 0, "10000000000"},
          {Act::Cell, 0, "00000000000"},
          {Act::Cell, 0, "10000000000"},
          {Act::SelectAll, 0, "11111111111"},
          {Act::Cell, 7, "11111110111"},
          {Act::Cell, 7, "11111111111"},
          {Act::DoubleClick, 10, "11111111111"},
          {Act::KeyLeft, 0, "11111111101"},
          {Act::Cell, 9, "11111111111"},
          {Act::DeselectAll, 0, "00000000000"},
          {Act::Cell, 9, "00000000010"},
          {Act::KeyRight, 0, "00000000011"}}},
        {SelectionChooser::Kind::Positions,
         {{Act::SelectAll, 0, "11111"},
          {Act::Cell, 2, "11011"},
          {Act::Cell, 2, "11111"},
          {Act::DeselectAll, 0, "00000"},
          {Act::Cell, 2, "00100"},
          {Act::Cell, 4, "00101"},
          {Act::Cell, 4, "00100"}}},
    };
    for (const Case& c : cases) {
        ChooserOnScreen s(c.kind);
        QSignalSpy changes(s.chooser, &SelectionChooser::choiceChanged);
        int expectedChanges = 0;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            SCOPED_TRACE(testing::Message() << s.chooser->objectName().toStdString() << " step " << i);
            perform(s, step);
            EXPECT_EQ(s.chosen(), QString::fromLatin1(step.after));
            expectedChanges += step.act == Act::DoubleClick ? 2 : 1;
            EXPECT_EQ(changes.count(), expectedChanges);
        }
    }
}

// Disabled, the chooser is grey, cells and squares, and no click changes it; enabled again it shows the
// choice it kept in its own colours.
TEST(SelectionChooser, DisabledItIsGreyAndTakesNoClick) {
    ChooserOnScreen s(SelectionChooser::Kind::Positions);
    QTest::mouseClick(s.chooser->selectAllSquare(), Qt::LeftButton);
    clickGridCell(*s.chooser->grid(), 0, 1);
    // Twice on the last cell, which stays chosen and takes the current cell's own look away from the others.
    clickGridCell(*s.chooser->grid(), 0, 4);
    clickGridCell(*s.chooser->grid(), 0, 4);
    ASSERT_EQ(s.chosen(), QStringLiteral("10111"));
    EXPECT_EQ(s.shownColour(0), QColor(0, 255, 0));
    EXPECT_EQ(s.shownColour(1), QColor(Qt::white));

    s.chooser->setEnabled(false);
    EXPECT_FALSE(s.chooser->isEnabled());
    EXPECT_FALSE(s.chooser->selectAllSquare()->isEnabled());
    EXPECT_FALSE(s.chooser->deselectAllSquare()->isEnabled());
    const QColor chosen = s.shownColour(0);
    const QColor notChosen = s.shownColour(1);
    for (const QColor& grey : {chosen, notChosen}) {
        EXPECT_EQ(grey.red(), grey.green());
        EXPECT_EQ(grey.green(), grey.blue());
        EXPECT_LT(grey.red(), 255);
    }
    EXPECT_LT(chosen.red(), notChosen.red()); // the choice can still be read, darker than the rest
    for (QToolButton* square : {s.chooser->selectAllSquare(), s.chooser->deselectAllSquare()}) {
        const QColor face = square->grab().toImage().pixelColor(square->width() / 2, square->height() / 2);
        EXPECT_EQ(face, QColor(212, 212, 212)) << square->objectName().toStdString();
    }
    clickGridCell(*s.chooser->grid(), 0, 0);
    clickGridCell(*s.chooser->grid(), 0, 1);
    QTest::mouseClick(s.chooser->deselectAllSquare(), Qt::LeftButton);
    EXPECT_EQ(s.chosen(), QStringLiteral("10111"));

    s.chooser->setEnabled(true);
    EXPECT_EQ(s.shownColour(0), QColor(0, 255, 0));
    EXPECT_EQ(s.shownColour(1), QColor(Qt::white));
    clickGridCell(*s.chooser->grid(), 0, 1);
    EXPECT_EQ(s.chosen(), QStringLiteral("11111"));
    clickGridCell(*s.chooser->grid(), 0, 1);
    EXPECT_EQ(s.chosen(), QStringLiteral("10111"));
}

} // namespace
