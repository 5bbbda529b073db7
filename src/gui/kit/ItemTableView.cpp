#include "gui/kit/ItemTableView.h"

#include "gui/kit/ItemModelTable.h"
#include "gui/kit/TableActions.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

ItemTableView::ItemTableView(QWidget* parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    // No column is sorted until the user clicks one: the model's own order stands.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setToolTip(QStringLiteral("Clic su un'intestazione: ordina per quella colonna"));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void ItemTableView::addContextAction(QAction* action) {
    m_contextActions.emplace_back(action);
}

GridCells ItemTableView::cellsToCopy() const {
    if (!model())
        return {};
    const ItemModelTable table(*model());
    std::vector<std::pair<int, int>> cells;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        cells.emplace_back(index.row() + 1, index.column());
    if (cells.empty() && currentIndex().isValid())
        cells.emplace_back(currentIndex().row() + 1, currentIndex().column());
    const GridCells block = GridCells::fromCells(table, cells);
    return block.isEmpty() ? block : block.withHeaders(table);
}

void ItemTableView::copySelection() const {
    if (model())
        tableActions::copyCells(ItemModelTable(*model()), cellsToCopy());
}

bool ItemTableView::exportCsv() {
    if (!model() || !m_prompts)
        return false;
    return tableActions::exportCsv(*m_prompts, m_exportFileName, ItemModelTable(*model()));
}

std::unique_ptr<QMenu> ItemTableView::createContextMenu(QWidget* parent) {
    std::function<void()> exportCsv;
    if (m_prompts)
        exportCsv = [this] { this->exportCsv(); };
    return tableActions::contextMenu(
        parent, !cellsToCopy().isEmpty(), [this] { copySelection(); }, exportCsv, m_contextActions);
}

void ItemTableView::keyPressEvent(QKeyEvent* event) {
    // The item view's own copy takes only the current cell's text.
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ItemTableView::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu = createContextMenu(this);
    menu->exec(event->globalPos());
    event->accept();
}
