#include "gui/kit/FloodBarDelegate.h"

#include "gui/kit/GridModel.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

QRect FloodBarDelegate::barRect(const QRect& cell, double percent) {
    const double p = std::clamp(percent, 0.0, 100.0);
    const int width = static_cast<int>(std::lround(cell.width() * p / 100.0));
    return QRect(cell.left(), cell.top(), width, cell.height());
}

void FloodBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);

    QBrush back = opt.backgroundBrush;
    if (back.style() == Qt::NoBrush) {
        const bool buttonFace =
            index.data(GridModel::BackColourValueRole).toULongLong() == GridModel::ButtonFace;
        back = buttonFace ? opt.palette.button() : opt.palette.base();
    }
    if (m_greyWhenDisabled && !opt.state.testFlag(QStyle::State_Enabled))
        back = disabledGrey(back.color());
    painter->fillRect(opt.rect, back);

    const QVariant flood = index.data(GridModel::FloodRole);
    if (flood.isValid()) {
        const QVariant colour = index.data(GridModel::FloodColourRole);
        const QRect bar = barRect(opt.rect, flood.toDouble());
        if (!bar.isEmpty() && colour.canConvert<QColor>())
            painter->fillRect(bar, colour.value<QColor>());
    }

    const bool selected = opt.state.testFlag(QStyle::State_Selected);
    opt.backgroundBrush = QBrush();
    opt.state &= ~(QStyle::State_MouseOver | QStyle::State_Selected); // no lighting up under the mouse
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    if (selected && m_selectionShown) {
        QColor tint = opt.palette.color(QPalette::Active, QPalette::Highlight);
        tint.setAlpha(90);
        painter->fillRect(opt.rect, tint);
    }
}

// The lightness squeezed into light greys (150 to 230): white turns grey too, and a chosen cell still
// stands apart from a cell not chosen.
QColor FloodBarDelegate::disabledGrey(const QColor& colour) {
    const int grey = 150 + qGray(colour.rgb()) * 80 / 255;
    return QColor(grey, grey, grey);
}

QSize FloodBarDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QFont font = option.font;
    const QVariant cellFont = index.data(Qt::FontRole);
    if (cellFont.isValid())
        font = cellFont.value<QFont>().resolve(option.font);
    const QFontMetricsF metrics(font);
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // The same margins the style leaves around an item's text when it draws it.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QString text = index.data(Qt::DisplayRole).toString();
    // Rounded up: a text a fraction of a pixel wider than its room is drawn cut short.
    const int textWidth = static_cast<int>(std::ceil(metrics.horizontalAdvance(text)));
    return QSize(textWidth + 2 * margin, static_cast<int>(std::ceil(metrics.height())) + 2);
}
