#include "gui/kit/GridHeaderView.h"

#include "gui/kit/GridBodyModel.h"
#include "gui/kit/GridModel.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QStyle>
#include <algorithm>

GridHeaderView::GridHeaderView(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {
    setHighlightSections(false);
    setSectionsClickable(false);
    setSectionsMovable(false);
}

QStyleOptionHeader GridHeaderView::cornerOption(const GridModel& grid, const QWidget* widget,
                                                const QRect& rect) {
    QStyleOptionHeader opt;
    opt.initFrom(widget);
    opt.rect = rect;
    opt.position = QStyleOptionHeader::OnlyOneSection;
    opt.state |= QStyle::State_Raised;
    opt.state &= ~QStyle::State_HasFocus;
    if (grid.rows() == 0 || grid.cols() == 0)
        return opt;
    const QModelIndex cell = grid.index(0, 0);
    opt.text = grid.text(0, 0);
    opt.textAlignment = grid.data(cell, Qt::TextAlignmentRole).value<Qt::Alignment>();
    QFont font = widget->font();
    font.setBold(grid.bold(0, 0));
    opt.fontMetrics = QFontMetrics(font);
    const QVariant back = grid.data(cell, Qt::BackgroundRole);
    if (back.canConvert<QColor>()) {
        opt.palette.setColor(QPalette::Button, back.value<QColor>());
        opt.palette.setColor(QPalette::Window, back.value<QColor>());
    }
    opt.palette.setColor(QPalette::ButtonText, grid.data(cell, Qt::ForegroundRole).value<QColor>());
    return opt;
}

QSize GridHeaderView::sizeHint() const {
    QSize hint = QHeaderView::sizeHint();
    const auto* body = qobject_cast<const GridBodyModel*>(model());
    if (!body || !body->grid() || body->fixedRows() == 0 || body->fixedCols() == 0)
        return hint;
    const QStyleOptionHeader opt = cornerOption(*body->grid(), this, QRect());
    const QSize corner = style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), this);
    if (orientation() == Qt::Vertical)
        hint.setWidth(std::max(hint.width(), corner.width()));
    else
        hint.setHeight(std::max(hint.height(), corner.height()));
    return hint;
}

void GridHeaderView::paintColouredCell(QPainter* painter, const QStyleOptionHeader& opt, const QColor& back,
                                       const QWidget* widget) {
    painter->save();
    painter->fillRect(opt.rect, back);
    painter->setPen(opt.palette.color(QPalette::Mid));
    painter->drawLine(opt.rect.topRight(), opt.rect.bottomRight());
    painter->drawLine(opt.rect.bottomLeft(), opt.rect.bottomRight());
    widget->style()->drawControl(QStyle::CE_HeaderLabel, &opt, painter, widget);
    painter->restore();
}

void GridHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const QVariant back =
        model() ? model()->headerData(logicalIndex, orientation(), Qt::BackgroundRole) : QVariant();
    if (!back.canConvert<QColor>()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.section = logicalIndex;
    opt.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    const QVariant alignment = model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole);
    if (alignment.isValid())
        opt.textAlignment = alignment.value<Qt::Alignment>();
    const QVariant fore = model()->headerData(logicalIndex, orientation(), Qt::ForegroundRole);
    if (fore.canConvert<QColor>())
        opt.palette.setColor(QPalette::ButtonText, fore.value<QColor>());
    const QVariant font = model()->headerData(logicalIndex, orientation(), Qt::FontRole);
    painter->save();
    if (font.canConvert<QFont>())
        painter->setFont(font.value<QFont>());
    paintColouredCell(painter, opt, back.value<QColor>(), this);
    painter->restore();
}
