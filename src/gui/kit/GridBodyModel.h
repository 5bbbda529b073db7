#pragma once

#include <QAbstractTableModel>
#include <QPointer>

class GridModel;

// What a GridView shows in its cell area: the grid without its fixed rows and columns, which the
// view's headers show instead (so that they stay in place while the cells scroll). Body cell
// (r, c) is grid cell (r + fixedRows, c + fixedCols); header data are the grid's fixed cells.
class GridBodyModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GridBodyModel(GridModel* grid, QObject* parent = nullptr);

    GridModel* grid() const { return m_grid; }
    int fixedRows() const;
    int fixedCols() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The top-left fixed cell, which belongs to neither header, changed.
    void cornerChanged();

private:
    void sourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                           const QList<int>& roles);
    void sourceRowsAboutToBeInserted(const QModelIndex& parent, int first, int last);
    void sourceRowsInserted(const QModelIndex& parent, int first, int last);
    void sourceRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last);
    void sourceRowsRemoved(const QModelIndex& parent, int first, int last);
    void sourceColumnsAboutToChange();
    void sourceColumnsChanged();
    void sourceAboutToBeReset();
    void sourceReset();
    void sourceLayoutAboutToBeChanged();
    void sourceLayoutChanged();

    enum class Pending { None, Insert, Remove, Reset };

    QPointer<GridModel> m_grid;
    Pending m_pending = Pending::None;
    bool m_fixedRowTouched = false;
};
