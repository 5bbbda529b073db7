#pragma once

#include <QString>
#include <QVariant>

// A table as copy, CSV export and printing read it: cells by row and column from 0, the first fixedRows()
// rows and fixedCols() columns being headers, some rows and columns hidden, and each cell's look through
// the item-model roles (Qt::BackgroundRole, Qt::ForegroundRole, Qt::TextAlignmentRole and the grid's flood
// bar roles). A GridModel is one; ItemModelTable makes one of any item model.
class CellTable {
public:
    // A model may answer this role with a cell's figure in full (a double), which the CSV export then
    // writes instead of the rounded text on screen.
    static constexpr int ExactValueRole = Qt::UserRole + 64;

    virtual ~CellTable() = default;

    virtual int rows() const = 0;
    virtual int cols() const = 0;
    virtual int fixedRows() const = 0;
    virtual int fixedCols() const = 0;
    virtual bool isRowHidden(int row) const = 0;
    virtual bool isColHidden(int col) const = 0;
    virtual QString text(int row, int col) const = 0;
    virtual bool bold(int row, int col) const = 0;
    virtual QVariant cellData(int row, int col, int role) const = 0;

    bool isHeaderCell(int row, int col) const { return row < fixedRows() || col < fixedCols(); }
};
