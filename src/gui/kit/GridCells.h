#pragma once

#include <QString>
#include <vector>

class CellTable;

// A block of grid cells to copy or export: the grid rows and columns it spans, in grid order, and
// which cells of that block belong to it (a selection made of separate pieces leaves holes, which are
// written as empty cells so that every row keeps its columns in line).
struct GridCells {
    std::vector<int> rows;
    std::vector<int> cols;
    std::vector<std::vector<bool>> taken; // [row][col] of the block; empty: every cell is taken

    bool isEmpty() const { return rows.empty() || cols.empty(); }
    bool isTaken(int blockRow, int blockCol) const;

    // Every shown row and column, fixed ones included: what an export writes.
    static GridCells wholeGrid(const CellTable& grid);
    // The block of the given cells (grid row, grid column), leaving out hidden rows and columns.
    static GridCells fromCells(const CellTable& grid, const std::vector<std::pair<int, int>>& cells);
    // The block with the shown fixed rows above it and the shown fixed columns to its left.
    GridCells withHeaders(const CellTable& grid) const;
};

// The cells as text for a spreadsheet: tab-separated, one line per row.
QString cellsAsTabText(const CellTable& grid, const GridCells& cells);
// The cells as CSV for an Italian spreadsheet: ';' between fields, quoted where they need it
// (io/CsvField.h), numbers with the decimal comma and without thousands points (italian::spreadsheetText),
// or in full where the table gives a cell's exact value (CellTable::ExactValueRole).
QString cellsAsCsv(const CellTable& grid, const GridCells& cells);
// The cells as an HTML table, which spreadsheets paste cell by cell with bold text kept.
QString cellsAsHtml(const CellTable& grid, const GridCells& cells);
