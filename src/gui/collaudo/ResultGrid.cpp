#include "gui/collaudo/ResultGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>
#include <numeric>

namespace {

bool sortsLast(const ResultGrid::Cell& cell) {
    return std::isnan(cell.key) && (cell.text.isEmpty() || cell.text == QStringLiteral("-"));
}

// Strict weak order on one column; cells without a value go last whatever the direction.
bool before(const ResultGrid::Cell& a, const ResultGrid::Cell& b, bool ascending) {
    const bool aLast = sortsLast(a);
    const bool bLast = sortsLast(b);
    if (aLast || bLast)
        return !aLast && bLast;
    if (!std::isnan(a.key) && !std::isnan(b.key))
        return ascending ? a.key < b.key : b.key < a.key;
    const int order = QString::localeAwareCompare(a.text, b.text);
    return ascending ? order < 0 : order > 0;
}

} // namespace

ResultGrid::ResultGrid(const QString& objectName, bool markerColumn, QWidget* parent)
    : GridView(parent), m_firstColumn(markerColumn ? 1 : 0) {
    setObjectName(objectName);
    setCopyWithHeaders(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setToolTip(QStringLiteral("Clic su un'intestazione: ordina per quella colonna"));
    setResizePrecision(300);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &ResultGrid::headerClicked);
}

void ResultGrid::setHeaders(const QStringList& headers) {
    m_headers = headers;
    fill();
}

void ResultGrid::setRows(std::vector<Row> rows) {
    setTable(m_headers, std::move(rows));
}

void ResultGrid::setTable(const QStringList& headers, std::vector<Row> rows) {
    m_headers = headers;
    m_rows = std::move(rows);
    m_order.resize(m_rows.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    m_sortColumn = -1;
    m_ascending = false;
    fill();
}

int ResultGrid::sourceRow(int gridRow) const {
    const int shown = gridRow - 1;
    return shown >= 0 && shown < static_cast<int>(m_order.size()) ? m_order[shown] : -1;
}

void ResultGrid::sortByColumn(int col) {
    if (col < m_firstColumn || col >= m_firstColumn + m_headers.size())
        return;
    m_ascending = !(m_sortColumn == col && m_ascending);
    m_sortColumn = col;
    const auto index = static_cast<std::size_t>(col - m_firstColumn);
    const bool ascending = m_ascending;
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        const auto& ca = m_rows[a].cells;
        const auto& cb = m_rows[b].cells;
        if (index >= ca.size() || index >= cb.size())
            return index < ca.size() && index >= cb.size();
        return before(ca[index], cb[index], ascending);
    });
    fill();
}

void ResultGrid::headerClicked(int bodyColumn) {
    sortByColumn(bodyColumn + gridModel()->fixedCols());
}

void ResultGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        GridView::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    const int source = sourceRow(index.row() + gridModel()->fixedRows());
    if (source >= 0)
        emit rowActivated(source);
}

void ResultGrid::fill() {
    GridModel& g = *gridModel();
    {
        GridModel::Batch batch(g);
        const int own = static_cast<int>(m_headers.size());
        // Fixed rows and columns are set while the grid has one row: setting them repaints every cell.
        g.setRows(1);
        g.setCols(own + m_firstColumn);
        g.setFixedRows(1);
        g.setFixedCols(m_firstColumn);
        g.setRows(static_cast<int>(m_rows.size()) + 1);
        if (m_firstColumn > 0) {
            g.setText(0, 0, QString());
            g.setColWidth(0, 14);
        }
        for (int c = 0; c < own; ++c) {
            g.setText(0, c + m_firstColumn, m_headers[c]);
            g.setColCentred(c + m_firstColumn, true);
        }
        for (std::size_t r = 0; r < m_order.size(); ++r) {
            const Row& row = m_rows[m_order[r]];
            const int gr = static_cast<int>(r) + 1;
            if (m_firstColumn > 0)
                g.setBackColour(gr, 0, row.marker);
            for (std::size_t c = 0; c < row.cells.size() && static_cast<int>(c) < own; ++c) {
                g.setText(gr, static_cast<int>(c) + m_firstColumn, row.cells[c].text);
                g.setToolTip(gr, static_cast<int>(c) + m_firstColumn, row.cells[c].tip);
                if (!row.cells[c].tip.isEmpty() && !std::isnan(row.cells[c].key))
                    g.setExactValue(gr, static_cast<int>(c) + m_firstColumn, row.cells[c].key);
            }
        }
    }
    g.autoSizeColumns();
}
