#include "gui/kit/MethodControls.h"

#include "core/DrawArchive.h"
#include "core/DrawDate.h"
#include "gui/kit/DateField.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/GridView.h"
#include "gui/kit/SelectionChooser.h"
#include "gui/kit/ValueLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace methodControls {

int checkValue(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked:
        return CheckedValue;
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
    // Disabled, a square is grey like every control that does not apply.
    square->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid black; }"
                                         "QToolButton:disabled { background: rgb(212, 212, 212); "
                                         "border: 1px solid gray; }")
                              .arg(css));
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

DateField* dateField(QWidget* parent, const QString& name) {
    auto* field = new DateField(parent);
    field->setObjectName(name);
    field->setCalendarPopup(true);
    field->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    field->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 36);
    return field;
}

QGroupBox* periodPanel(QWidget* parent, const QString& title, DateField*& dal, DateField*& al) {
    auto* box = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(2);
    dal = dateField(box, QStringLiteral("DtDal"));
    al = dateField(box, QStringLiteral("DtAl"));
    grid->addWidget(new QLabel(QStringLiteral("Dal"), box), 0, 0);
    grid->addWidget(dal, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("al"), box), 1, 0);
    grid->addWidget(al, 1, 1);
    return box;
}

void fitPeriodToArchive(const DrawArchive& archive, QDateEdit& dal, QDateEdit& al,
                        std::initializer_list<QDateEdit*> others) {
    const int count = archive.drawCount();
    const QDate first = count > 0 ? drawDay(archive, 1) : QDate::currentDate();
    const QDate last = count > 0 ? drawDay(archive, count) : first;
    dal.setDateRange(first, last);
    al.setDateRange(first, last);
    for (QDateEdit* field : others)
        field->setDateRange(first, last);
    dal.setDate(first);
    al.setDate(last);
}

void keepPeriod(QVariantMap& kept, const QDateEdit& dal, const QDateEdit& al) {
    kept.insert(QStringLiteral("dal"), dal.date());
    kept.insert(QStringLiteral("al"), al.date());
    kept.insert(QStringLiteral("finoAllUltima"), al.date() == al.maximumDate());
}

QDate keptPeriodEnd(const QVariantMap& kept, const QDateEdit& al) {
    return kept.value(QStringLiteral("finoAllUltima")).toBool() ? al.maximumDate()
                                                                : kept.value(QStringLiteral("al")).toDate();
}

QPushButton* mainCommand(QWidget* parent, const QString& name, const QString& caption, const QString& toolTip) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    button->setMinimumSize(110, 30);
    return button;
}

QLabel* caption(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QString wheelTypeCaption(int index) {
    return QString::fromUtf8(WheelRelations::TypeNames[static_cast<std::size_t>(index)]);
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

SelectionControls selectionControls(QWidget* parent) {
    SelectionControls c;
    c.wheelChooser = new SelectionChooser(SelectionChooser::Kind::Wheels, parent);
    c.positionChooser = new SelectionChooser(SelectionChooser::Kind::Positions, parent);
    c.wheels = c.wheelChooser->grid();
    c.positions = c.positionChooser->grid();
    c.selectAllWheels = c.wheelChooser->selectAllSquare();
    c.deselectAllWheels = c.wheelChooser->deselectAllSquare();
    c.selectAllPositions = c.positionChooser->selectAllSquare();
    c.deselectAllPositions = c.positionChooser->deselectAllSquare();
    return c;
}

QGroupBox* selectionPanel(QWidget* parent, const SelectionControls& c, QCheckBox* adjacent, QLayout* below) {
    auto* box = new QGroupBox(parent);
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(8, 4, 8, 4);
    v->setSpacing(3);
    v->addWidget(caption(box, captionOf(MethodSettings::WheelsName)));
    auto* wheels = new QHBoxLayout;
    wheels->setSpacing(4);
    wheels->addWidget(c.wheels);
    wheels->addSpacing(4);
    wheels->addWidget(c.selectAllWheels);
    wheels->addWidget(c.deselectAllWheels);
    wheels->addStretch(1);
    v->addLayout(wheels);
    v->addWidget(caption(box, captionOf(MethodSettings::PositionsName)));
    auto* positions = new QHBoxLayout;
    positions->setSpacing(4);
    positions->addWidget(c.positions);
    positions->addSpacing(4);
    positions->addWidget(c.selectAllPositions);
    positions->addWidget(c.deselectAllPositions);
    positions->addSpacing(12);
    positions->addWidget(adjacent);
    positions->addStretch(1);
    v->addLayout(positions);
    if (below)
        v->addLayout(below);
    v->addStretch(1);
    return box;
}

std::array<QCheckBox*, 7> wheelTypeBoxes(QWidget* parent) {
    const MethodSettings defaults;
    std::array<QCheckBox*, 7> boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = checkBox(parent, QStringLiteral("Ch_RuoteTipo_%1").arg(i),
                            wheelTypeCaption(static_cast<int>(i)), defaults.types[i]);
    return boxes;
}

QGroupBox* wheelTypesPanel(QWidget* parent, const std::array<QCheckBox*, 7>& boxes) {
    auto* types = new QGroupBox(captionOf(MethodSettings::TypesName), parent);
    auto* tg = new QGridLayout(types);
    tg->setContentsMargins(8, 4, 8, 4);
    tg->setVerticalSpacing(2);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        tg->addWidget(boxes[i], static_cast<int>(i) / 2, static_cast<int>(i) % 2);
    return types;
}

QCheckBox* adjacentPositionsBox(QWidget* parent) {
    return checkBox(parent, QStringLiteral("ChPosAdi"), captionOf(MethodSettings::AdjacentName),
                    MethodSettings().adjacentPositions);
}

std::array<QCheckBox*, 4> outcomeCheckBoxes(QWidget* parent) {
    static const char* const names[] = {"Ch_1", "Ch_2", "Ch_4", "Ch_Tutte"};
    const std::array<bool, 4> checked = MethodSettings().boxes.flags();
    std::array<QCheckBox*, 4> boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = checkBox(parent, QString::fromLatin1(names[i]), captionOf(MethodSettings::OutcomeNames[i]),
                            checked[i]);
    return boxes;
}

void fillColpiChoices(QComboBox& combo) {
    combo.clear();
    for (int i = 1; i <= MethodSettings::MaxColpi; ++i)
        combo.addItem(QString::number(i));
    combo.setCurrentIndex(MethodSettings().colpi - 1);
}

QString captionOf(const MethodSettings::Name& name) {
    return QString::fromUtf8(name.caption);
}

} // namespace methodControls
