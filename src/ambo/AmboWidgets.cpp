#include "AmboWidgets.h"

#include "AmboControls.h"
#include "GridModel.h"
#include "GridView.h"
#include "ValueLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QToolButton>
#include <algorithm>

namespace amboWidgets {

int checkValue(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked:
        return AmboControls::Checked;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, bool checked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

QToolButton* colourSquare(QWidget* parent, const QString& name, const QString& css, const QString& toolTip) {
    auto* square = new QToolButton(parent);
    square->setObjectName(name);
    square->setToolTip(toolTip);
    square->setAccessibleName(toolTip);
    square->setFocusPolicy(Qt::NoFocus);
    square->setFixedSize(14, 14);
    square->setStyleSheet(
        QStringLiteral("QToolButton { background: %1; border: 1px solid black; }").arg(css));
    return square;
}

QLabel* rangeLabel(QWidget* parent, const QString& name) {
    QLabel* label = makeValueLabel(parent, name);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("9999 00/00/0000 PM:00")) +
                           16);
    return label;
}

QComboBox* numberCombo(QWidget* parent, const QString& name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(18);
    combo->setMinimumContentsLength(4);
    return combo;
}

QLabel* caption(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QString wheelTypeCaption(int index) {
    static const char* const captions[] = {"Tutte", "Adiacenti", "Diametrali", "Gemelle",
                                           "GMTV",  "CFRZ",      "BNP"};
    return QString::fromUtf8(captions[index]);
}

// The cells keep one width for all, the design width unless today's font needs more to show a wheel
// code whole.
void fitSelectionGrid(GridView& view) {
    GridModel& g = *view.gridModel();
    int width = 0;
    for (int c = 0; c < g.cols(); ++c)
        width = std::max(
            {width, g.colWidth(c), static_cast<const QAbstractItemView&>(view).sizeHintForColumn(c)});
    for (int c = 0; c < g.cols(); ++c)
        g.setColWidth(c, width);
    view.setFixedSize(view.contentSize());
}

} // namespace amboWidgets
