#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// Paints a grid cell: its background, then its flood bar (a bar in the grid's flood colour over the
// given percentage of the cell's width, from the left), then its text over both. The text is drawn
// with the background cleared, otherwise the background would cover the bar. Selected cells keep
// their own colours, which carry meaning, under a light tint of the selection colour; a selection of a
// single cell (the current cell after a click) is not tinted at all, so that clicking looks as it always did.
class FloodBarDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // The text's size plus the style's text margins. Sizing columns to their contents asks this for
    // thousands of cells: it reads only the text and the font, not the whole style option.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    void setSelectionShown(bool shown) { m_selectionShown = shown; }
    // A cell of a disabled view is painted in the grey of its own background's lightness.
    void setGreyWhenDisabled(bool grey) { m_greyWhenDisabled = grey; }
    // The grey a background shows in a disabled view.
    static QColor disabledGrey(const QColor& colour);
    bool selectionShown() const { return m_selectionShown; }

    // The part of a cell's rectangle covered by a bar of the given percentage (clamped to 0..100).
    static QRect barRect(const QRect& cell, double percent);

private:
    bool m_selectionShown = false;
    bool m_greyWhenDisabled = false;
};
