#include "gui/kit/SelectionChooser.h"

#include "gui/kit/GridView.h"
#include "gui/kit/MethodControls.h"
#include "gui/kit/SelectionGrids.h"

#include <QMouseEvent>
#include <QToolButton>

SelectionChooser::SelectionChooser(Kind kind, QWidget* parent) : QObject(parent), m_kind(kind) {
    const bool wheels = kind == Kind::Wheels;
    setObjectName(wheels ? QStringLiteral("SceltaRuote") : QStringLiteral("SceltaPosizioni"));
    m_grid = new GridView(parent);
    m_grid->setObjectName(wheels ? QStringLiteral("FgR") : QStringLiteral("Fgp"));
    m_grid->setBlackGridLines(true);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setGreyWhenDisabled(true);
    m_grid->viewport()->installEventFilter(this);
    m_selectAll = methodControls::colourSquare(
        parent, wheels ? QStringLiteral("Label6") : QStringLiteral("Label32"),
        QStringLiteral("rgb(0, 192, 0)"),
        wheels ? QStringLiteral("Seleziona tutti") : QStringLiteral("Seleziona"));
    m_deselectAll =
        methodControls::colourSquare(parent, wheels ? QStringLiteral("Label9") : QStringLiteral("Label30"),
                                     QStringLiteral("white"), QStringLiteral("Deseleziona"));
    connect(m_grid, &GridView::currentCellChanged, this, &SelectionChooser::flipCurrent);
    connect(m_selectAll, &QToolButton::clicked, this, &SelectionChooser::selectAll_Click);
    connect(m_deselectAll, &QToolButton::clicked, this, &SelectionChooser::deselectAll_Click);
}

void SelectionChooser::setEnabled(bool enabled) {
    m_grid->setEnabled(enabled);
    m_selectAll->setEnabled(enabled);
    m_deselectAll->setEnabled(enabled);
}

bool SelectionChooser::isEnabled() const {
    return m_grid->isEnabled();
}

// A press on the current cell moves nothing, so the grid raises nothing for it: it is flipped here. A
// press on another cell makes it current, and the grid's notification flips it.
bool SelectionChooser::eventFilter(QObject* watched, QEvent* event) {
    // A double click is two presses (and a double-click event, not counted): two flips.
    // A disabled grid ignores the press, but its filters see it first.
    if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonPress && m_grid->isEnabled()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const GridModel* g = m_grid->gridModel();
        const QModelIndex index = m_grid->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && g && index.isValid() &&
            index.row() + g->fixedRows() == g->currentRow() &&
            index.column() + g->fixedCols() == g->currentCol())
            flipCurrent();
    }
    return QObject::eventFilter(watched, event);
}

void SelectionChooser::selectAll_Click() {
    GridModel& g = *m_grid->gridModel();
    m_kind == Kind::Wheels ? selectAllWheels(g) : selectAllPositions(g);
    emit choiceChanged();
}

void SelectionChooser::deselectAll_Click() {
    GridModel& g = *m_grid->gridModel();
    m_kind == Kind::Wheels ? deselectAllWheels(g) : deselectAllPositions(g);
    emit choiceChanged();
}

void SelectionChooser::flipCurrent() {
    GridModel& g = *m_grid->gridModel();
    m_kind == Kind::Wheels ? toggleCurrentWheel(g) : toggleCurrentPosition(g);
    emit choiceChanged();
}
