#pragma once

#include "gui/kit/CellTable.h"

class QAbstractItemModel;

// Any table model as a CellTable: its horizontal header is the one fixed row, its rows follow (the first
// `rowLimit` of them, when one is given). Nothing is copied: every cell is read from the model when asked for.
class ItemModelTable : public CellTable {
public:
    explicit ItemModelTable(const QAbstractItemModel& model, int rowLimit = -1)
        : m_model(model), m_rowLimit(rowLimit) {}

    int rows() const override;
    int cols() const override;
    int fixedRows() const override { return 1; }
    int fixedCols() const override { return 0; }
    bool isRowHidden(int) const override { return false; }
    bool isColHidden(int) const override { return false; }
    QString text(int row, int col) const override;
    bool bold(int row, int col) const override;
    QVariant cellData(int row, int col, int role) const override;

private:
    const QAbstractItemModel& m_model;
    int m_rowLimit;
};
