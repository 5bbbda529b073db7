#include "gui/kit/GridCells.h"

#include "gui/kit/GridModel.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using CellList = std::vector<std::pair<int, int>>;

// A 5 x 4 grid with one fixed row and column, every cell labelled "rc" (the header row "H1".."H3",
// the fixed column "R1".."R4", the corner "#"), column 2 and row 3 hidden.
struct LabelledGrid {
    LabelledGrid() {
        grid.setRows(5);
        grid.setCols(4);
        grid.setFixedRows(1);
        grid.setFixedCols(1);
        grid.setText(0, 0, "#");
        for (int c = 1; c < 4; ++c)
            grid.setText(0, c, QStringLiteral("H%1").arg(c));
        for (int r = 1; r < 5; ++r) {
            grid.setText(r, 0, QStringLiteral("R%1").arg(r));
            for (int c = 1; c < 4; ++c)
                grid.setText(r, c, QStringLiteral("%1%2").arg(r).arg(c));
        }
        grid.setColHidden(2, true);
        grid.setRowHidden(3, true);
    }
    GridModel grid;
};

struct BlockCase {
    const char* what;
    CellList cells;
    bool withHeaders;
    const char* tabText;
};

TEST(GridCellsCopy, SelectionsBecomeTabSeparatedRowsInGridOrder) {
    const std::vector<BlockCase> cases = {
        {"one cell", {{2, 3}}, false, "23\n"},
        {"a rectangle given in any order",
         {{4, 3}, {1, 1}, {1, 3}, {4, 1}, {2, 1}, {2, 3}},
         false,
         "11\t13\n21\t23\n41\t43\n"},
        {"hidden rows and columns are left out", {{2, 1}, {2, 2}, {3, 1}, {3, 2}, {2, 3}}, false, "21\t23\n"},
        {"pieces keep their places, holes are empty", {{1, 1}, {4, 3}}, false, "11\t\n\t43\n"},
        {"with headers: fixed row above, fixed column beside",
         {{2, 3}, {4, 3}},
         true,
         "#\tH3\nR2\t23\nR4\t43\n"},
        {"with headers and holes", {{1, 1}, {2, 3}}, true, "#\tH1\tH3\nR1\t11\t\nR2\t\t23\n"},
        {"only hidden cells: nothing", {{3, 1}, {1, 2}}, false, ""},
        {"cells outside the grid are ignored", {{9, 9}, {-1, 0}, {1, 1}}, false, "11\n"},
    };
    LabelledGrid g;
    for (const BlockCase& c : cases) {
        GridCells block = GridCells::fromCells(g.grid, c.cells);
        if (c.withHeaders)
            block = block.withHeaders(g.grid);
        EXPECT_EQ(cellsAsTabText(g.grid, block), QString::fromUtf8(c.tabText)) << c.what;
    }
}

TEST(GridCellsCopy, WholeGridTakesEveryShownCellFixedOnesIncluded) {
    LabelledGrid g;
    EXPECT_EQ(cellsAsCsv(g.grid, GridCells::wholeGrid(g.grid)), "#;H1;H3\nR1;11;13\nR2;21;23\nR4;41;43\n");
    // Headers of a whole grid are already in it.
    const GridCells whole = GridCells::wholeGrid(g.grid);
    EXPECT_EQ(cellsAsTabText(g.grid, whole.withHeaders(g.grid)), cellsAsTabText(g.grid, whole));
}

TEST(GridCellsCopy, TextsThatWouldBreakTheFormatAreProtected) {
    struct TextCase {
        const char* cell;
        const char* tab;
        const char* csv;
        const char* html;
    };
    const std::vector<TextCase> cases = {
        {"12", "12", "12", "<td>12</td>"},
        {"N° Casi", "N° Casi", "N° Casi", "<td>N° Casi</td>"},
        {" N1 ", "N1", "N1", "<td>N1</td>"},
        {"0,61", "0,61", "0,61", "<td>0,61</td>"},
        {"a; b", "a; b", "\"a; b\"", "<td>a; b</td>"},
        {"a \"b\"", "a \"b\"", "\"a \"\"b\"\"\"", "<td>a &quot;b&quot;</td>"},
        {"a\tb\nc", "a b c", "\"a\tb\nc\"", "<td>a\tb\nc</td>"},
        {"<x> & y", "<x> & y", "<x> & y", "<td>&lt;x&gt; &amp; y</td>"},
    };
    for (const TextCase& c : cases) {
        GridModel grid(1, 2);
        grid.setText(0, 1, QString::fromUtf8(c.cell));
        const GridCells cell = GridCells::fromCells(grid, {{0, 1}});
        EXPECT_EQ(cellsAsTabText(grid, cell), QString::fromUtf8(c.tab) + "\n") << c.cell;
        EXPECT_EQ(cellsAsCsv(grid, cell), QString::fromUtf8(c.csv) + "\n") << c.cell;
        EXPECT_TRUE(cellsAsHtml(grid, cell).contains(QString::fromUtf8(c.html))) << c.cell;
    }
}

// A p shown in short exports its exact figure; a cell whose tip goes loses it, and exports its text.
TEST(GridCellsCopy, ShortPExportsItsExactValueUntilItsTipGoes) {
    GridModel grid(1, 2);
    grid.setText(0, 0, QStringLiteral("< 0,0001"));
    grid.setToolTip(0, 0, QStringLiteral("p = 2,2 × 10⁻⁶"));
    grid.setExactValue(0, 0, 2.2e-6);
    grid.setText(0, 1, QStringLiteral("0,61"));
    const GridCells both = GridCells::fromCells(grid, {{0, 0}, {0, 1}});
    EXPECT_EQ(cellsAsCsv(grid, both), QStringLiteral("0,0000022;0,61\n"));
    grid.setToolTip(0, 0, QString());
    EXPECT_EQ(cellsAsCsv(grid, both), QStringLiteral("< 0,0001;0,61\n"));
}

TEST(GridCellsCopy, HtmlTableHasOneRowPerLineAndKeepsBold) {
    LabelledGrid g;
    g.grid.setBold(1, 3, 1, 3, true);
    const QString html = cellsAsHtml(g.grid, GridCells::fromCells(g.grid, {{1, 1}, {4, 3}, {1, 3}}));
    EXPECT_EQ(html,
              "<table>\n<tr><td>11</td><td><b>13</b></td></tr>\n<tr><td></td><td>43</td></tr>\n</table>\n");
}

} // namespace
