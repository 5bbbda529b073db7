#pragma once

#include "core/DelayStatistics.h"
#include "gui/kit/RowOrder.h"

#include <QAbstractTableModel>
#include <memory>

class DrawArchive;

// The table of "Ritardi e frequenze" over the engine's result: one row per item of the wheels shown,
// every cell made when the view asks for it (the ambi table has 48,060 rows). The chance columns stand
// beside the classic ones: ritardo with its p and Holm's p, frequenza with the expected one and z.
// Sorting is the model's own: by any column, ties in the table's order (wheels BA..NZ, TU, numbers).
class DelayTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Ruota,
        Numeri,
        Ritardo,
        PRitardo,
        PCorretto,
        RitardoMassimo,
        RitardoMedio,
        UltimaUscita,
        Frequenza,
        Attesa,
        Z,
        Columns
    };

    explicit DelayTableModel(const DrawArchive& archive, QObject* parent = nullptr);

    // Shows a new result, every wheel, in the table's order.
    void setStatistics(std::shared_ptr<const DelayStatistics> statistics);
    const DelayStatistics* statistics() const { return m_statistics.get(); }
    // Shows one wheel's items (0..10, TutteWheel) or every wheel's (-1); the sort stays.
    void setWheelFilter(int wheel);
    int wheelFilter() const { return m_wheel; }

    // The item shown at a row.
    const DelayItem& item(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    QString text(const DelayItem& d, int column) const;
    double sortKey(const DelayItem& d, int column) const;
    void arrange();

    const DrawArchive& m_archive;
    std::shared_ptr<const DelayStatistics> m_statistics;
    RowOrder m_rows;
    int m_wheel = -1;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
