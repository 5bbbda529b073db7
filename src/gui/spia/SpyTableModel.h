#pragma once

#include "core/SpyTable.h"
#include "gui/kit/RowOrder.h"

#include <QAbstractTableModel>
#include <memory>
#include <vector>

class DrawArchive;

// The table of "Numeri spia" over the engine's result: one row per follower of every spy shown (90, or
// 8,100 for the whole map), every cell made when the view asks for it. Presences stand beside the
// expected ones, with their p and Holm's p. Sorting is the model's own, ties in the table's order (spy,
// then follower); the first order is the tool's, ascending p.
class SpyTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Spia, Numero, Presenze, Attese, Deviazione, Z, P, PCorretto, Uscite, UltimaPresenza, RitardoPresenza, Columns };

    explicit SpyTableModel(const DrawArchive& archive, QObject* parent = nullptr);

    // Shows a new result ranked by p.
    void setTables(std::shared_ptr<const std::vector<SpyTable>> tables);
    const std::vector<SpyTable>* tables() const { return m_tables.get(); }

    // The follower shown at a row.
    const SpyFollower& follower(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    QString text(const SpyFollower& f, int column) const;
    double sortKey(const SpyFollower& f, int column) const;
    const SpyFollower& atSource(int source) const;

    const DrawArchive& m_archive;
    std::shared_ptr<const std::vector<SpyTable>> m_tables;
    RowOrder m_rows;
};
