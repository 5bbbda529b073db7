#include "gui/kit/GridBodyModel.h"

#include "gui/kit/GridModel.h"

#include <algorithm>
#include <utility>

GridBodyModel::GridBodyModel(GridModel* grid, QObject* parent) : QAbstractTableModel(parent), m_grid(grid) {
    connect(grid, &QAbstractItemModel::dataChanged, this, &GridBodyModel::sourceDataChanged);
    connect(grid, &QAbstractItemModel::rowsAboutToBeInserted, this,
            &GridBodyModel::sourceRowsAboutToBeInserted);
    connect(grid, &QAbstractItemModel::rowsInserted, this, &GridBodyModel::sourceRowsInserted);
    connect(grid, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            &GridBodyModel::sourceRowsAboutToBeRemoved);
    connect(grid, &QAbstractItemModel::rowsRemoved, this, &GridBodyModel::sourceRowsRemoved);
    connect(grid, &QAbstractItemModel::columnsAboutToBeInserted, this,
            &GridBodyModel::sourceColumnsAboutToChange);
    connect(grid, &QAbstractItemModel::columnsInserted, this, &GridBodyModel::sourceColumnsChanged);
    connect(grid, &QAbstractItemModel::columnsAboutToBeRemoved, this,
            &GridBodyModel::sourceColumnsAboutToChange);
    connect(grid, &QAbstractItemModel::columnsRemoved, this, &GridBodyModel::sourceColumnsChanged);
    connect(grid, &QAbstractItemModel::modelAboutToBeReset, this, &GridBodyModel::sourceAboutToBeReset);
    connect(grid, &QAbstractItemModel::modelReset, this, &GridBodyModel::sourceReset);
    connect(grid, &QAbstractItemModel::layoutAboutToBeChanged, this,
            &GridBodyModel::sourceLayoutAboutToBeChanged);
    connect(grid, &QAbstractItemModel::layoutChanged, this, &GridBodyModel::sourceLayoutChanged);
}

int GridBodyModel::fixedRows() const {
    return m_grid ? m_grid->fixedRows() : 0;
}

int GridBodyModel::fixedCols() const {
    return m_grid ? m_grid->fixedCols() : 0;
}

int GridBodyModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_grid)
        return 0;
    return std::max(m_grid->rows() - m_grid->fixedRows(), 0);
}

int GridBodyModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_grid)
        return 0;
    return std::max(m_grid->cols() - m_grid->fixedCols(), 0);
}

QVariant GridBodyModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_grid || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    return m_grid->data(m_grid->index(index.row() + fixedRows(), index.column() + fixedCols()), role);
}

QVariant GridBodyModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!m_grid || section < 0)
        return {};
    if (orientation == Qt::Horizontal) {
        if (fixedRows() == 0 || section >= columnCount())
            return {};
        return m_grid->data(m_grid->index(0, section + fixedCols()), role);
    }
    if (fixedCols() == 0 || section >= rowCount())
        return {};
    return m_grid->data(m_grid->index(section + fixedRows(), 0), role);
}

Qt::ItemFlags GridBodyModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !m_grid)
        return Qt::NoItemFlags;
    return m_grid->flags(m_grid->index(index.row() + fixedRows(), index.column() + fixedCols()));
}

void GridBodyModel::sourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                      const QList<int>& roles) {
    if (m_pending == Pending::Reset || !topLeft.isValid() || !bottomRight.isValid())
        return;
    const int fr = fixedRows();
    const int fc = fixedCols();
    const int r1 = std::max(topLeft.row(), fr) - fr;
    const int c1 = std::max(topLeft.column(), fc) - fc;
    const int r2 = std::min(bottomRight.row() - fr, rowCount() - 1);
    const int c2 = std::min(bottomRight.column() - fc, columnCount() - 1);
    if (r1 <= r2 && c1 <= c2)
        emit dataChanged(index(r1, c1), index(r2, c2), roles);
    if (topLeft.row() < fr && c1 <= c2)
        emit headerDataChanged(Qt::Horizontal, c1, c2);
    if (topLeft.column() < fc && r1 <= r2)
        emit headerDataChanged(Qt::Vertical, r1, r2);
    if (topLeft.row() < fr && topLeft.column() < fc)
        emit cornerChanged();
}

// The grid only appends and drops rows at its end; a change that reaches into the fixed rows
// (a grid growing from nothing) is passed on as a reset.
void GridBodyModel::sourceRowsAboutToBeInserted(const QModelIndex& parent, int first, int last) {
    if (parent.isValid())
        return;
    const int fr = fixedRows();
    if (first >= fr) {
        m_pending = Pending::Insert;
        beginInsertRows({}, first - fr, last - fr);
    } else {
        m_pending = Pending::Reset;
        beginResetModel();
    }
}

void GridBodyModel::sourceRowsInserted(const QModelIndex& parent, int, int) {
    if (parent.isValid())
        return;
    const Pending pending = std::exchange(m_pending, Pending::None);
    if (pending == Pending::Insert)
        endInsertRows();
    else if (pending == Pending::Reset) {
        endResetModel();
        emit cornerChanged();
    }
}

void GridBodyModel::sourceRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last) {
    if (parent.isValid())
        return;
    const int fr = fixedRows();
    if (first >= fr) {
        m_pending = Pending::Remove;
        beginRemoveRows({}, first - fr, last - fr);
    } else {
        m_pending = Pending::Reset;
        beginResetModel();
    }
}

void GridBodyModel::sourceRowsRemoved(const QModelIndex& parent, int, int) {
    if (parent.isValid())
        return;
    const Pending pending = std::exchange(m_pending, Pending::None);
    if (pending == Pending::Remove)
        endRemoveRows();
    else if (pending == Pending::Reset) {
        endResetModel();
        emit cornerChanged();
    }
}

void GridBodyModel::sourceColumnsAboutToChange() {
    m_pending = Pending::Reset;
    beginResetModel();
}

void GridBodyModel::sourceColumnsChanged() {
    m_pending = Pending::None;
    endResetModel();
    emit cornerChanged();
}

void GridBodyModel::sourceAboutToBeReset() {
    m_pending = Pending::Reset;
    beginResetModel();
}

void GridBodyModel::sourceReset() {
    m_pending = Pending::None;
    endResetModel();
    emit cornerChanged();
}

void GridBodyModel::sourceLayoutAboutToBeChanged() {
    emit layoutAboutToBeChanged();
}

void GridBodyModel::sourceLayoutChanged() {
    emit layoutChanged();
}
