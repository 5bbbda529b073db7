#include "gui/kit/ItemModelTable.h"

#include <QAbstractItemModel>
#include <QFont>
#include <algorithm>

int ItemModelTable::rows() const {
    const int rows = m_model.rowCount();
    return (m_rowLimit >= 0 ? std::min(rows, m_rowLimit) : rows) + 1;
}

int ItemModelTable::cols() const {
    return m_model.columnCount();
}

QString ItemModelTable::text(int row, int col) const {
    return cellData(row, col, Qt::DisplayRole).toString();
}

bool ItemModelTable::bold(int row, int col) const {
    const QVariant font = cellData(row, col, Qt::FontRole);
    return font.canConvert<QFont>() && font.value<QFont>().bold();
}

QVariant ItemModelTable::cellData(int row, int col, int role) const {
    if (row == 0)
        return m_model.headerData(col, Qt::Horizontal, role);
    return m_model.data(m_model.index(row - 1, col), role);
}
