#pragma once

#include <QHeaderView>
#include <QStyleOptionHeader>

class GridModel;

// A header of a GridView: it shows the grid's fixed row (horizontal) or fixed column (vertical), in
// the cells' own colours, font and alignment. The vertical one is also wide enough for the
// top-left fixed cell, which the view draws in its corner.
class GridHeaderView : public QHeaderView {
    Q_OBJECT

public:
    GridHeaderView(Qt::Orientation orientation, QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // A fixed cell with a colour of its own is painted flat in exactly that colour.
    static void paintColouredCell(QPainter* painter, const QStyleOptionHeader& opt, const QColor& back,
                                  const QWidget* widget);

    // How the top-left fixed cell of a grid is drawn into a rectangle of the given widget.
    static QStyleOptionHeader cornerOption(const GridModel& grid, const QWidget* widget, const QRect& rect);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
