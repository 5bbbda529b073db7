#include "gui/kit/GridBodyModel.h"

#include "gui/kit/GridModel.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Checks both the grid and what a view sees of it through every kind of change the windows make.
TEST(GridBodyModel, StaysConsistentThroughEveryGridChange) {
    GridModel grid(1, 1);
    GridBodyModel body(&grid);
    QAbstractItemModelTester gridTester(&grid, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester bodyTester(&body, QAbstractItemModelTester::FailureReportingMode::Fatal);

    grid.setCols(48);
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    EXPECT_EQ(body.rowCount(), 0);
    EXPECT_EQ(body.columnCount(), 47);
    for (int i = 0; i < 5; ++i) {
        grid.addRow();
        grid.setText(grid.rows() - 1, 1, QString::number(i * 7 % 5));
    }
    EXPECT_EQ(body.rowCount(), 5);
    grid.sortDescending(1);
    grid.removeLastRow();
    EXPECT_EQ(body.rowCount(), 4);
    {
        GridModel::Batch batch(grid);
        grid.setRows(30);
        grid.setBackColour(1, 1, 29, 5, 65280);
    }
    EXPECT_EQ(body.rowCount(), 29);
    grid.setRows(1);
    EXPECT_EQ(body.rowCount(), 0);
    grid.setFixedCols(0);
    EXPECT_EQ(body.columnCount(), 48);
    grid.setRows(0);
    grid.setRows(3); // grows from nothing, through the fixed row
    EXPECT_EQ(body.rowCount(), 2);
    grid.setCols(6);
    EXPECT_EQ(body.columnCount(), 6);
}

TEST(GridBodyModel, CellsAreTheGridsNonFixedCellsAndHeadersItsFixedOnes) {
    GridModel grid(4, 3);
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    GridBodyModel body(&grid);
    grid.setFormatString("Ruota| N1 | N2 ");
    grid.setText(2, 0, "CA");
    grid.setText(2, 2, "77");
    grid.setBackColour(2, 2, 65280);
    EXPECT_EQ(body.index(1, 1).data().toString(), "77");
    EXPECT_EQ(body.index(1, 1).data(GridModel::BackColourValueRole).toULongLong(), 65280u);
    EXPECT_EQ(body.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), " N2 ");
    EXPECT_EQ(body.headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), "CA");
    EXPECT_FALSE(body.headerData(3, Qt::Vertical, Qt::DisplayRole).isValid()); // past the last row
}

TEST(GridBodyModel, ChangesReachTheCellsTheHeadersOrTheCorner) {
    GridModel grid(4, 3);
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    GridBodyModel body(&grid);
    QSignalSpy cells(&body, &QAbstractItemModel::dataChanged);
    QSignalSpy headers(&body, &QAbstractItemModel::headerDataChanged);
    QSignalSpy corner(&body, &GridBodyModel::cornerChanged);

    grid.setText(3, 2, "5");
    ASSERT_EQ(cells.count(), 1);
    EXPECT_EQ(cells.at(0).at(0).toModelIndex(), body.index(2, 1));
    EXPECT_EQ(headers.count(), 0);

    grid.setBackColour(1, 0, 3, 0, GridModel::ButtonFace); // the fixed column only
    EXPECT_EQ(cells.count(), 1);
    ASSERT_EQ(headers.count(), 1);
    EXPECT_EQ(headers.at(0).at(0).value<Qt::Orientation>(), Qt::Vertical);
    EXPECT_EQ(headers.at(0).at(1).toInt(), 0);
    EXPECT_EQ(headers.at(0).at(2).toInt(), 2);

    grid.setText(0, 0, "Ruota");
    EXPECT_EQ(corner.count(), 1);
}

TEST(GridModelRoles, FloodColourIsTheGridsAsQColor) {
    GridModel grid(2, 2);
    grid.setFloodColour(0x0080FF); // red 255, green 128
    EXPECT_EQ(grid.index(1, 1).data(GridModel::FloodColourRole).value<QColor>(), QColor(255, 128, 0));
}

TEST(GridModelFixed, ChangingTheFixedCellsResetsTheModelAndKeepsTheCurrentCellOutOfThem) {
    GridModel grid(5, 5);
    QSignalSpy resets(&grid, &QAbstractItemModel::modelReset);
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    EXPECT_EQ(resets.count(), 2);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(grid.currentCol(), 1);
    EXPECT_EQ(grid.backColour(0, 3), GridModel::ButtonFace);
    EXPECT_EQ(grid.backColour(3, 0), GridModel::ButtonFace);
    EXPECT_EQ(grid.backColour(3, 3), GridModel::White);
}

} // namespace
