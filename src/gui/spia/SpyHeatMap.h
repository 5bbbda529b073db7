#pragma once

#include "core/SpyTable.h"

#include <QWidget>
#include <vector>

// The whole map of "Numeri spia": 90 × 90 cells, spy down and follower across, each coloured by the p of
// its presences, with a tooltip on every cell. It holds a copy of the few figures it shows.
class SpyHeatMap : public QWidget {
    Q_OBJECT

public:
    explicit SpyHeatMap(QWidget* parent = nullptr);

    void setTables(const std::vector<SpyTable>& tables);
    void clear();
    bool isEmpty() const { return m_cells.empty(); }

    // The cell under a point of the widget: {spy, follower}, or {0, 0} outside the map.
    std::pair<int, int> cellAt(const QPoint& point) const;
    // The tooltip of a cell (spy and follower 1..90).
    QString cellText(int spia, int numero) const;

    // The colour classes, from the rarest presences to ordinary ones.
    static constexpr int Classes = 5;
    static int pClass(double p);
    static QColor classColour(int pClass);
    static QString className(int pClass);

    QSize sizeHint() const override { return {560, 420}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Cell {
        int presenze = 0;
        double attese = 0.0;
        double p = 1.0;
        double pHolm = 1.0;
    };
    QRectF mapArea() const;

    std::vector<Cell> m_cells; // [(spy - 1) * 90 + follower - 1]
};
