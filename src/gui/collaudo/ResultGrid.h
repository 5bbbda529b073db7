#pragma once

#include "gui/kit/GridModel.h"
#include "gui/kit/GridView.h"

#include <QStringList>
#include <cmath>
#include <vector>

// A result table of the Collaudo window: a GridView whose rows the user sorts by clicking a column's
// header (again to reverse) and opens by double-clicking; copies carry the header row. With a marker
// column, column 0 is a narrow fixed column coloured like the ambo window's case grid and the table's
// own columns follow it.
class ResultGrid : public GridView {
    Q_OBJECT

public:
    struct Cell {
        QString text;
        // What the column sorts by; NaN sorts by the text (and an empty or "-" text sorts last).
        double key = std::nan("");
        QString tip; // what the cell's tool tip adds to it, if anything (the exact figure of a small p)
    };
    struct Row {
        std::vector<Cell> cells;
        GridModel::Colour marker = GridModel::White;
    };

    ResultGrid(const QString& objectName, bool markerColumn, QWidget* parent = nullptr);

    // The grid column of the table's first own column: 1 with a marker column, else 0.
    int firstColumn() const { return m_firstColumn; }
    // Headers of the table's own columns.
    void setHeaders(const QStringList& headers);
    // Shows the rows in the order given and forgets the previous sort.
    void setRows(std::vector<Row> rows);
    // Headers and rows at once: the grid is filled once rather than once for each.
    void setTable(const QStringList& headers, std::vector<Row> rows);
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    // The index, in the order given to setRows, of the row shown at grid row r (1 = first data row).
    int sourceRow(int gridRow) const;

    // Sorts by a grid column of the table's own; ascending unless it is already sorted ascending by it.
    void sortByColumn(int col);
    int sortColumn() const { return m_sortColumn; }
    bool sortedAscending() const { return m_ascending; }

signals:
    // The user double-clicked a data row; the index is the row's place in setRows' order.
    void rowActivated(int sourceRow);

protected:
    // Read here rather than from doubleClicked(): the first press of a double-click on another cell moves
    // the current cell, and the view then no longer matches the press to the double-click.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void headerClicked(int bodyColumn);
    void fill();

    QStringList m_headers;
    std::vector<Row> m_rows;
    std::vector<int> m_order; // shown row -> source row
    int m_firstColumn = 0;
    int m_sortColumn = -1;
    bool m_ascending = false;
};
