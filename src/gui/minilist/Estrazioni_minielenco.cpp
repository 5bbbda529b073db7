#include "gui/minilist/Estrazioni_minielenco.h"

#include "core/DrawArchive.h"
#include "gui/kit/DrawSearch.h"
#include "gui/kit/GridView.h"
#include "gui/kit/HelpKey.h"
#include "gui/kit/HelpService.h"
#include "gui/kit/ProgramIcons.h"
#include "gui/kit/Prompts.h"
#include "gui/kit/ValueLabel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

namespace {
constexpr int GridRows = 12; // header row + eleven wheels
constexpr int GridCols = 6;  // wheel code + five numbers
const QString GridFormat = QStringLiteral("Ruota| N1 | N2 | N3 | N4 | N5 ");
const QString DateSearchTitle = QStringLiteral("Ricerca per data GG/MM/AAAA");

} // namespace

Estrazioni_minielenco::Estrazioni_minielenco(DrawArchive& archive, Prompts& prompts, HelpService& help,
                                             QWidget* parent)
    : QWidget(parent), m_archive(archive), m_prompts(prompts), m_help(help) {
    setObjectName(QStringLiteral("Estrazioni_minielenco"));
    setWindowTitle(QStringLiteral("Mini elenco"));
    setWindowIcon(programIcon(ProgramIcon::MiniList));
    buildControls();

    connect(hs1, &QScrollBar::valueChanged, this, &Estrazioni_minielenco::hs1_Change);
    connect(m_command42Group, &QButtonGroup::idClicked, this, &Estrazioni_minielenco::Command42_Click);
    connect(Command81, &QToolButton::clicked, this, &Estrazioni_minielenco::Command81_Click);
    connect(Fg3, &GridView::currentCellChanged, this, &Estrazioni_minielenco::Fg3_CurrentCellChanged);
    HelpKey::attach(this, m_help, HelpContext);

    Form_Load();
    fitGridToContents();
}

void Estrazioni_minielenco::buildControls() {
    Label2 = makeValueLabel(this, QStringLiteral("Label2"));
    Label1 = makeValueLabel(this, QStringLiteral("Label1"));
    Label3 = makeValueLabel(this, QStringLiteral("Label3"));

    Fg3 = new GridView(this);
    Fg3->setObjectName(QStringLiteral("Fg3"));
    Fg3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Fg3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Fg3->setPrompts(&m_prompts);
    Fg3->setExportFileName(QStringLiteral("estrazioni.csv"));
    GridModel& g = grid();
    g.setCols(GridCols);
    g.setRows(GridRows);
    g.setFixedRows(1);
    g.setFixedCols(1);
    g.setFormatString(GridFormat);

    hs1 = new QScrollBar(Qt::Horizontal, this);
    hs1->setObjectName(QStringLiteral("hs1"));
    hs1->setMinimum(1);
    hs1->setSingleStep(1);
    hs1->setPageStep(25);

    Command42[0] = programIconButton(this, QStringLiteral("Command42_0"), ProgramIcon::SearchIndex,
                                     QStringLiteral("Ricerca per numero indice"));
    Command42[1] = programIconButton(this, QStringLiteral("Command42_1"), ProgramIcon::SearchDate,
                                     QStringLiteral("Cerca estrazione per data"));
    m_command42Group = new QButtonGroup(this);
    m_command42Group->addButton(Command42[0], 0);
    m_command42Group->addButton(Command42[1], 1);
    Command81 = programIconButton(this, QStringLiteral("Command81"), ProgramIcon::ResetMarks,
                                  QStringLiteral("Resetta colorazione"));
    Command56 = programIconButton(this, QStringLiteral("Command56"), ProgramIcon::LastDraw,
                                  QStringLiteral("Ultima estrazione"));

    auto* labels = new QHBoxLayout;
    labels->addWidget(Label2, 2);
    labels->addWidget(Label1, 4);
    labels->addWidget(Label3, 5);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command42[0]);
    buttons->addWidget(Command42[1]);
    buttons->addStretch(1);
    buttons->addWidget(Command81);
    buttons->addWidget(Command56);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(labels);
    layout->addWidget(Fg3, 0, Qt::AlignHCenter);
    layout->addWidget(hs1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

GridModel& Estrazioni_minielenco::grid() const {
    return *Fg3->gridModel();
}

// Every wheel and number in view at once: the number columns share one width, and the grid is
// exactly as large as its cells.
void Estrazioni_minielenco::fitGridToContents() {
    GridModel& g = grid();
    g.autoSizeColumns();
    int numberWidth = Fg3->fontMetrics().horizontalAdvance(QStringLiteral("88")) + 16;
    for (int c = 1; c < GridCols; ++c)
        numberWidth = std::max(numberWidth, Fg3->columnWidth(c - g.fixedCols()));
    for (int c = 1; c < GridCols; ++c)
        g.setColWidth(c, numberWidth);
    Fg3->setFixedSize(Fg3->contentSize());
}

void Estrazioni_minielenco::Form_Load() {
    const int shownBefore = hs1->value();
    hs1->setMaximum(m_archive.drawCount());
    hs1->setValue(m_archive.drawCount());
    // The last draw is shown by the value change; with a single draw the value does not change.
    if (hs1->value() == shownBefore)
        hs1_Change();

    GridModel& g = grid();
    g.setRows(GridRows);
    for (int w = 0; w < WheelCount; ++w)
        g.setText(1 + w, 0, m_archive.wheelCode(w));
    g.setBold(1, 0, GridRows - 1, 0, true);
}

void Estrazioni_minielenco::hs1_Change() {
    if (hs1->maximum() != m_archive.drawCount())
        hs1->setMaximum(m_archive.drawCount());
    const int v = hs1->value();
    Label2->setText(QString::number(v));
    Label1->setText(m_archive.drawDate(v));

    GridModel& g = grid();
    g.setBackColour(1, 1, GridRows - 1, GridCols - 1, PlainColour);
    Label3->setText(
        QStringLiteral("PM=%1   PA=%2").arg(m_archive.drawNoInMonth(v)).arg(m_archive.drawNoInYear(v)));
    for (int w = 0; w < WheelCount; ++w)
        for (int p = 1; p <= PositionCount; ++p)
            g.setText(1 + w, p, QString::number(m_archive.number(v, w, p)));
    for (int c = 0; c < GridCols; ++c)
        g.setColCentred(c, true);
}

void Estrazioni_minielenco::Command42_Click(int index) {
    // Whatever goes wrong (a text that is no number, a value the scroll bar refuses) ends the
    // command quietly, leaving the draw shown as it was.
    try {
        std::optional<std::int16_t> target;
        if (index == 1)
            target = searchDrawByDate(m_prompts, m_archive, DateSearchTitle, DateSearchScope::ModelArchive);
        else if (index == 0)
            target = chooseDrawIndex(m_prompts, m_archive);
        if (!target || *target < hs1->minimum() || *target > hs1->maximum())
            return;
        hs1->setValue(*target);
    } catch (const std::exception&) {
    }
}

void Estrazioni_minielenco::Command81_Click() {
    GridModel& g = grid();
    const int rows = g.rows();
    const int cols = g.cols();
    g.setBackColour(1, 1, rows - 1, cols - 1, PlainColour);
    g.setBackColour(1, 0, rows - 1, 0, GridModel::ButtonFace);
}

void Estrazioni_minielenco::Fg3_CurrentCellChanged() {
    GridModel& g = grid();
    const int row = g.currentRow();
    const int col = g.currentCol();
    g.setBackColour(row, col, g.backColour(row, col) == MarkColour ? PlainColour : MarkColour);
}
