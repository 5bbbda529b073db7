#include "gui/kit/GridView.h"

#include "gui/kit/FloodBarDelegate.h"
#include "gui/kit/GridBodyModel.h"
#include "gui/kit/GridHeaderView.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/Prompts.h"
#include "gui/kit/TableActions.h"

#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace {
// Sets a flag (or counts a depth) for the duration of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_old; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

class DepthScope {
public:
    explicit DepthScope(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthScope() { --m_depth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;

private:
    int& m_depth;
};
} // namespace

GridView::GridView(QWidget* parent) : GridView(nullptr, parent) {}

GridView::GridView(GridModel* grid, QWidget* parent) : QTableView(parent) {
    setHorizontalHeader(new GridHeaderView(Qt::Horizontal, this));
    setVerticalHeader(new GridHeaderView(Qt::Vertical, this));
    m_delegate = new FloodBarDelegate(this);
    setItemDelegate(m_delegate);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    const int rowHeight = fontMetrics().height() + 6;
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(64);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    m_corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner)
        m_corner->installEventFilter(this);

    if (!grid) {
        m_ownGrid = new GridModel(1, 1, this);
        grid = m_ownGrid;
    }
    setGridModel(grid);
}

GridView::~GridView() {
    // The headers and the selection model must let go of the body before it is destroyed, and the
    // grid must not call back into a view that is half gone.
    if (m_grid)
        disconnect(m_grid, nullptr, this, nullptr);
    QTableView::setModel(nullptr);
    delete m_body;
    delete m_ownGrid;
}

void GridView::setGridModel(GridModel* grid) {
    if (m_grid)
        disconnect(m_grid, nullptr, this, nullptr);
    GridBodyModel* old = m_body;
    m_grid = grid;
    m_body = grid ? new GridBodyModel(grid) : nullptr;
    QTableView::setModel(m_body);
    delete old;
    if (!grid)
        return;

    // setModel made a new selection model: connect to it now.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &GridView::viewCurrentChanged);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &GridView::showSelectionIfWide);
    connect(m_body, &QAbstractItemModel::modelAboutToBeReset, this, &GridView::saveColumnWidths);
    connect(m_body, &QAbstractItemModel::modelReset, this, &GridView::applyAfterReset);
    connect(m_body, &QAbstractItemModel::layoutChanged, this, &GridView::applyAfterLayoutChange);
    connect(m_body, &QAbstractItemModel::rowsInserted, this, &GridView::syncCurrentFromModel);
    connect(m_body, &QAbstractItemModel::rowsRemoved, this, &GridView::syncCurrentFromModel);
    connect(m_body, &QAbstractItemModel::headerDataChanged, this, &GridView::scheduleHeaderRefresh);
    connect(m_body, &GridBodyModel::cornerChanged, this, &GridView::scheduleHeaderRefresh);
    connect(grid, &GridModel::currentCellMoved, this, &GridView::syncCurrentFromModel);
    connect(grid, &GridModel::topRowChanged, this, &GridView::applyTopRow);
    connect(grid, &GridModel::columnsHiddenChanged, this, &GridView::applyHiddenColumns);
    connect(grid, &GridModel::rowsHiddenChanged, this, &GridView::applyHiddenRows);
    connect(grid, &GridModel::columnWidthsChanged, this, &GridView::applyColumnWidths);
    connect(grid, &GridModel::autoSizeRequested, this, &GridView::sizeColumnsToContents);
    connect(grid, &QObject::destroyed, this, &GridView::gridDestroyed);
    m_savedWidths.clear();
    applyAfterReset();
}

void GridView::setBlackGridLines(bool black) {
    m_blackGridLines = black;
    setStyleSheet(black ? QStringLiteral("QTableView { gridline-color: black; }") : QString());
}

void GridView::setGreyWhenDisabled(bool grey) {
    m_delegate->setGreyWhenDisabled(grey);
    viewport()->update();
}

void GridView::setStretchLastColumn(bool stretch) {
    horizontalHeader()->setStretchLastSection(stretch);
}

// Only what the user does moves the grid's current cell and raises the notification; the view's own
// moves (focus arriving, rows removed under the current cell, a reset) are undone by syncing back
// from the grid, which stays the one place that says which cell is current.
void GridView::viewCurrentChanged(const QModelIndex& current, const QModelIndex&) {
    if (m_programMove || !m_grid || m_userInput == 0 || !current.isValid())
        return;
    const int row = current.row() + m_body->fixedRows();
    const int col = current.column() + m_body->fixedCols();
    if (row == m_grid->currentRow() && col == m_grid->currentCol())
        return;
    {
        FlagScope moving(m_programMove);
        m_grid->setCurrentCell(row, col);
    }
    emit currentCellChanged();
}

void GridView::syncCurrentFromModel() {
    if (m_programMove || !m_grid || !selectionModel())
        return;
    FlagScope moving(m_programMove);
    const int row = m_grid->currentRow() - m_body->fixedRows();
    const int col = m_grid->currentCol() - m_body->fixedCols();
    QModelIndex wanted;
    if (row >= 0 && col >= 0 && row < m_body->rowCount() && col < m_body->columnCount())
        wanted = m_body->index(row, col);
    if (selectionModel()->currentIndex() != wanted)
        selectionModel()->setCurrentIndex(wanted, QItemSelectionModel::NoUpdate);
}

void GridView::mousePressEvent(QMouseEvent* event) {
    // The right button opens the context menu over the selection as it is.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    DepthScope user(m_userInput);
    QTableView::mousePressEvent(event);
}

void GridView::keyPressEvent(QKeyEvent* event) {
    // The item view's own copy takes only the current cell's text.
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    DepthScope user(m_userInput);
    QTableView::keyPressEvent(event);
}

void GridView::focusInEvent(QFocusEvent* event) {
    {
        FlagScope moving(m_programMove);
        QTableView::focusInEvent(event);
    }
    syncCurrentFromModel();
}

void GridView::keyboardSearch(const QString&) {
    // Typing does not jump to a matching cell.
}

void GridView::applyTopRow(int row) {
    if (!m_grid || m_body->rowCount() == 0)
        return;
    const int bodyRow = std::clamp(row - m_body->fixedRows(), 0, m_body->rowCount() - 1);
    const int col = std::max(currentIndex().column(), 0);
    if (col >= m_body->columnCount())
        return;
    const int horizontal = horizontalScrollBar()->value();
    scrollTo(m_body->index(bodyRow, col), QAbstractItemView::PositionAtTop);
    horizontalScrollBar()->setValue(horizontal);
}

void GridView::applyHiddenColumns() {
    if (!m_grid)
        return;
    const int fc = m_body->fixedCols();
    for (int c = fc; c < m_grid->cols(); ++c) {
        const bool hidden = m_grid->isColHidden(c);
        if (isColumnHidden(c - fc) != hidden)
            setColumnHidden(c - fc, hidden);
    }
    verticalHeader()->setVisible(fc > 0 && m_grid->cols() > 0 && !m_grid->isColHidden(0));
    repaintCorner();
}

void GridView::applyHiddenRows() {
    if (!m_grid)
        return;
    const int fr = m_body->fixedRows();
    for (int r = fr; r < m_grid->rows(); ++r) {
        const bool hidden = m_grid->isRowHidden(r);
        if (isRowHidden(r - fr) != hidden)
            setRowHidden(r - fr, hidden);
    }
    horizontalHeader()->setVisible(fr > 0 && m_grid->rows() > 0 && !m_grid->isRowHidden(0));
    repaintCorner();
}

void GridView::applyColumnWidths() {
    if (!m_grid)
        return;
    const int fc = m_body->fixedCols();
    for (int c = 0; c < m_grid->cols(); ++c) {
        const int width = m_grid->colWidth(c);
        if (c < fc) {
            if (width > 0) {
                verticalHeader()->setFixedWidth(width);
            } else {
                verticalHeader()->setMinimumWidth(0);
                verticalHeader()->setMaximumWidth(QWIDGETSIZE_MAX);
            }
            continue;
        }
        const int section = c - fc;
        if (width > 0) {
            horizontalHeader()->setSectionResizeMode(section, QHeaderView::Fixed);
            horizontalHeader()->resizeSection(section, width);
        } else if (horizontalHeader()->sectionResizeMode(section) == QHeaderView::Fixed) {
            horizontalHeader()->setSectionResizeMode(section, QHeaderView::Interactive);
        }
    }
    updateGeometries();
}

void GridView::sizeColumnsToContents() {
    if (!m_grid)
        return;
    horizontalHeader()->setResizeContentsPrecision(m_resizePrecision);
    resizeColumnsToContents();
    applyColumnWidths(); // a fixed width wins over the contents
    refreshHeaders();
}

void GridView::saveColumnWidths() {
    m_savedWidths.clear();
    for (int s = 0; s < horizontalHeader()->count(); ++s)
        m_savedWidths.push_back(horizontalHeader()->sectionSize(s));
}

// A reset rebuilds the headers from scratch; column widths belong to the grid, not to its contents,
// so they survive it when the number of columns did not change.
void GridView::applyAfterReset() {
    if (!m_grid)
        return;
    if (static_cast<int>(m_savedWidths.size()) == horizontalHeader()->count()) {
        for (int s = 0; s < horizontalHeader()->count(); ++s)
            horizontalHeader()->resizeSection(s, m_savedWidths[s]);
    }
    m_savedWidths.clear();
    applyColumnWidths();
    applyHiddenColumns();
    applyHiddenRows();
    syncCurrentFromModel();
    refreshHeaders();
}

void GridView::applyAfterLayoutChange() {
    // Sorting moves rows (and their hidden state) inside the grid; the view's rows stay in place.
    applyHiddenRows();
    syncCurrentFromModel();
    viewport()->update();
    verticalHeader()->viewport()->update();
}

// Many fixed cells may change in a row (a column of case numbers): the headers are measured once,
// when control returns to the event loop.
void GridView::scheduleHeaderRefresh() {
    if (m_headerRefreshPending)
        return;
    m_headerRefreshPending = true;
    QMetaObject::invokeMethod(this, &GridView::refreshHeaders, Qt::QueuedConnection);
}

void GridView::refreshHeaders() {
    m_headerRefreshPending = false;
    // A changed text may need a wider fixed column or a taller fixed row.
    verticalHeader()->updateGeometry();
    horizontalHeader()->updateGeometry();
    updateGeometries();
    if (m_corner)
        m_corner->update();
}

void GridView::gridDestroyed() {
    QTableView::setModel(nullptr);
    delete m_body;
    m_body = nullptr;
}

void GridView::repaintCorner() {
    if (m_corner)
        m_corner->update();
}

QSize GridView::contentSize() const {
    int width = 2 * frameWidth();
    int height = 2 * frameWidth();
    if (!verticalHeader()->isHidden())
        width += std::clamp(verticalHeader()->sizeHint().width(), verticalHeader()->minimumWidth(),
                            verticalHeader()->maximumWidth());
    if (!horizontalHeader()->isHidden())
        height += std::clamp(horizontalHeader()->sizeHint().height(), horizontalHeader()->minimumHeight(),
                             horizontalHeader()->maximumHeight());
    width += horizontalHeader()->length();
    height += verticalHeader()->length();
    return {width, height};
}

GridView::CellSpot GridView::cellSpot(int row, int col) const {
    CellSpot spot;
    if (!m_grid || row < 0 || col < 0 || row >= m_grid->rows() || col >= m_grid->cols())
        return spot;
    const int fr = m_body->fixedRows();
    const int fc = m_body->fixedCols();
    if (row < fr && col < fc) {
        spot.widget = m_corner;
        spot.rect = m_corner ? m_corner->rect() : QRect();
    } else if (row < fr) {
        QHeaderView* header = horizontalHeader();
        spot.widget = header->viewport();
        spot.rect = QRect(header->sectionViewportPosition(col - fc), 0, header->sectionSize(col - fc),
                          header->viewport()->height());
    } else if (col < fc) {
        QHeaderView* header = verticalHeader();
        spot.widget = header->viewport();
        spot.rect = QRect(0, header->sectionViewportPosition(row - fr), header->viewport()->width(),
                          header->sectionSize(row - fr));
    } else {
        // The whole cell, grid line included.
        spot.widget = viewport();
        spot.rect = QRect(columnViewportPosition(col - fc), rowViewportPosition(row - fr),
                          columnWidth(col - fc), rowHeight(row - fr));
    }
    return spot;
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    // The corner shows the top-left fixed cell like any other header cell.
    if (watched == m_corner && event->type() == QEvent::Paint && m_grid) {
        QPainter painter(m_corner);
        QFont font = m_corner->font();
        if (m_grid->rows() > 0 && m_grid->cols() > 0)
            font.setBold(m_grid->bold(0, 0));
        painter.setFont(font);
        const QStyleOptionHeader opt = GridHeaderView::cornerOption(*m_grid, m_corner, m_corner->rect());
        const QVariant back = m_grid->rows() > 0 && m_grid->cols() > 0
                                  ? m_grid->data(m_grid->index(0, 0), Qt::BackgroundRole)
                                  : QVariant();
        if (back.canConvert<QColor>())
            GridHeaderView::paintColouredCell(&painter, opt, back.value<QColor>(), m_corner);
        else
            m_corner->style()->drawControl(QStyle::CE_Header, &opt, &painter, m_corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

// A single selected cell is the one just clicked, which the focus frame already shows; tinting it too
// would hide its colour, which may be the very thing the click changed.
void GridView::showSelectionIfWide() {
    const QItemSelection selection = selectionModel()->selection();
    const bool wide =
        selection.size() > 1 ||
        (selection.size() == 1 && (selection.front().width() > 1 || selection.front().height() > 1));
    if (wide == m_delegate->selectionShown())
        return;
    m_delegate->setSelectionShown(wide);
    viewport()->update();
}

void GridView::addContextAction(QAction* action) {
    m_contextActions.emplace_back(action);
}

GridCells GridView::cellsToCopy() const {
    if (!m_grid || !m_body)
        return {};
    const int fr = m_body->fixedRows();
    const int fc = m_body->fixedCols();
    std::vector<std::pair<int, int>> cells;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        cells.emplace_back(index.row() + fr, index.column() + fc);
    if (cells.empty() && !m_grid->isFixed(m_grid->currentRow(), m_grid->currentCol()))
        cells.emplace_back(m_grid->currentRow(), m_grid->currentCol());
    GridCells block = GridCells::fromCells(*m_grid, cells);
    if (block.isEmpty() || !m_copyWithHeaders)
        return block;
    return block.withHeaders(*m_grid);
}

void GridView::copySelection() const {
    if (m_grid)
        tableActions::copyCells(*m_grid, cellsToCopy());
}

bool GridView::exportCsv() {
    if (!m_grid || !m_prompts)
        return false;
    return tableActions::exportCsv(*m_prompts, m_exportFileName, *m_grid);
}

std::unique_ptr<QMenu> GridView::createContextMenu(QWidget* parent) {
    std::function<void()> exportCsv;
    if (m_prompts)
        exportCsv = [this] { this->exportCsv(); };
    return tableActions::contextMenu(
        parent, !cellsToCopy().isEmpty(), [this] { copySelection(); }, exportCsv, m_contextActions);
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu = createContextMenu(this);
    menu->exec(event->globalPos());
    event->accept();
}
