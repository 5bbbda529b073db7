#include "gui/kit/GridModel.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(GridModelValue, NumberAtTheStartOfTheText) {
    EXPECT_EQ(GridModel::numericValue("12"), 12);
    EXPECT_EQ(GridModel::numericValue(""), 0);
    EXPECT_EQ(GridModel::numericValue("7 12 33"), 7);
    EXPECT_EQ(GridModel::numericValue("-3"), -3);
    EXPECT_EQ(GridModel::numericValue("BA 12"), 0);
    EXPECT_EQ(GridModel::numericValue("  42x"), 42);
}

TEST(GridModelColours, RectangleReadsBackExactlyCellByCell) {
    GridModel g(5, 4);
    QAbstractItemModelTester tester(&g, QAbstractItemModelTester::FailureReportingMode::Fatal);
    g.setBackColour(1, 1, 3, 2, 65535);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) {
            const bool inside = r >= 1 && r <= 3 && c >= 1 && c <= 2;
            EXPECT_EQ(g.backColour(r, c), inside ? 65535u : GridModel::White) << r << "," << c;
        }
}

TEST(GridModelSort, DescendingIsStableAndLeavesHeaderRow) {
    GridModel g(1, 2);
    QAbstractItemModelTester tester(&g, QAbstractItemModelTester::FailureReportingMode::Fatal);
    g.setFixedRows(1);
    g.setFormatString("key|tag");
    const std::vector<std::pair<QString, QString>> rows = {
        {"3", "a"}, {"5", "b"}, {"3", "c"}, {"9", "d"}, {"5", "e"}};
    for (const auto& [k, t] : rows) {
        g.addRow();
        g.setText(g.rows() - 1, 0, k);
        g.setText(g.rows() - 1, 1, t);
    }
    g.setBackColour(1, 1, 65280); // colours travel with their row
    g.sortDescending(0);
    QStringList tags;
    for (int r = 1; r < g.rows(); ++r)
        tags << g.text(r, 1);
    EXPECT_EQ(tags.join(""), "dbeac");
    EXPECT_EQ(g.text(0, 0), "key");
    EXPECT_EQ(g.backColour(4, 1), 65280u);
}

TEST(GridModelSort, HeaderOnlyGridIsUnchanged) {
    GridModel g(1, 3);
    g.setFixedRows(1);
    g.setFormatString("a|b|c");
    g.sortDescending(1);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.text(0, 2), "c");
}

TEST(GridModelRows, SetRowsToOneKeepsTheHeaderAndNewRowsAreEmpty) {
    GridModel g(3, 2);
    g.setFixedRows(1);
    g.setText(0, 0, "h");
    g.setText(2, 1, "x");
    g.setRows(1);
    g.addRow();
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.text(0, 0), "h");
    EXPECT_TRUE(g.text(1, 1).isEmpty());
    EXPECT_EQ(g.backColour(1, 1), GridModel::White);
    EXPECT_THROW(g.text(2, 0), std::out_of_range);
}

TEST(GridModelFormat, FormatStringKeepsBlanksAndGrowsColumns) {
    GridModel g(1, 1);
    g.setFormatString("Ruota| N1 | N2 ");
    EXPECT_EQ(g.cols(), 3);
    EXPECT_EQ(g.text(0, 1), " N1 ");
}


// A cell's tool tip shows through Qt's tool-tip role, goes with an empty text, and goes with its cell when
// the grid shrinks, so that a grid filled again never shows an old row's tip.
TEST(GridModelToolTips, StayWithTheirCellUntilTheCellGoes) {
    GridModel g(4, 3);
    g.setToolTip(2, 1, QStringLiteral("p = 2,1 × 10⁻⁷"));
    g.setToolTip(3, 2, QStringLiteral("ultima"));
    EXPECT_EQ(g.data(g.index(2, 1), Qt::ToolTipRole).toString(), QStringLiteral("p = 2,1 × 10⁻⁷"));
    EXPECT_FALSE(g.data(g.index(1, 2), Qt::ToolTipRole).isValid());
    g.setText(2, 1, QStringLiteral("< 0,0001"));
    EXPECT_EQ(g.toolTip(2, 1), QStringLiteral("p = 2,1 × 10⁻⁷"));
    g.setToolTip(2, 1, QString());
    EXPECT_TRUE(g.toolTip(2, 1).isEmpty());
    g.setRows(3);
    g.setRows(4);
    EXPECT_TRUE(g.toolTip(3, 2).isEmpty());
    g.setToolTip(0, 2, QStringLiteral("colonna"));
    g.setCols(2);
    g.setCols(3);
    EXPECT_TRUE(g.toolTip(0, 2).isEmpty());
    EXPECT_THROW(g.setToolTip(9, 0, QStringLiteral("fuori")), std::out_of_range);
}

} // namespace
