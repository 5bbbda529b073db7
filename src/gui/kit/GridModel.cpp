#include "gui/kit/GridModel.h"

#include <QColor>
#include <QFont>
#include <algorithm>
#include <numeric>
#include <stdexcept>

GridModel::GridModel(int rows, int cols, QObject* parent) : QAbstractTableModel(parent) {
    m_cols = std::max(cols, 0);
    m_colInfo.resize(m_cols);
    for (int r = 0; r < std::max(rows, 0); ++r) {
        m_cells.push_back(newRow(r));
        m_rowHidden.push_back(false);
    }
}

std::vector<GridModel::Cell> GridModel::newRow(int row) const {
    std::vector<Cell> cells(m_cols);
    for (int c = 0; c < m_cols; ++c) {
        if (row < m_fixedRows || c < m_fixedCols)
            cells[c].back = ButtonFace;
    }
    return cells;
}

void GridModel::checkCell(int row, int col) const {
    if (row < 0 || row >= rows() || col < 0 || col >= m_cols)
        throw std::out_of_range("cell (" + std::to_string(row) + ", " + std::to_string(col) +
                                ") outside the grid");
}

GridModel::Cell& GridModel::cell(int row, int col) {
    checkCell(row, col);
    return m_cells[row][col];
}

const GridModel::Cell& GridModel::cell(int row, int col) const {
    checkCell(row, col);
    return m_cells[row][col];
}

void GridModel::cellsChanged(int row1, int col1, int row2, int col2) {
    if (m_batchDepth > 0)
        return;
    emit dataChanged(index(row1, col1), index(row2, col2));
}

void GridModel::setRows(int rows) {
    rows = std::max(rows, 0);
    const int old = this->rows();
    if (rows == old)
        return;
    const bool notify = m_batchDepth == 0;
    if (rows > old) {
        if (notify)
            beginInsertRows({}, old, rows - 1);
        for (int r = old; r < rows; ++r) {
            m_cells.push_back(newRow(r));
            m_rowHidden.push_back(false);
        }
        if (notify)
            endInsertRows();
    } else {
        if (notify)
            beginRemoveRows({}, rows, old - 1);
        m_cells.resize(rows);
        m_rowHidden.resize(rows);
        dropToolTipsBeyond(rows, m_cols);
        if (notify)
            endRemoveRows();
    }
    m_currentRow = std::min(m_currentRow, std::max(rows - 1, 0));
    m_topRow = std::min(m_topRow, std::max(rows - 1, 0));
}

void GridModel::setCols(int cols) {
    cols = std::max(cols, 0);
    if (cols == m_cols)
        return;
    const bool notify = m_batchDepth == 0;
    if (notify)
        beginResetModel();
    const int old = m_cols;
    m_cols = cols;
    m_colInfo.resize(cols);
    dropToolTipsBeyond(rows(), cols);
    for (int r = 0; r < rows(); ++r) {
        m_cells[r].resize(cols);
        for (int c = old; c < cols; ++c) {
            if (r < m_fixedRows || c < m_fixedCols)
                m_cells[r][c].back = ButtonFace;
        }
    }
    m_currentCol = std::min(m_currentCol, std::max(cols - 1, 0));
    if (notify)
        endResetModel();
}

QString GridModel::toolTip(int row, int col) const {
    return m_toolTips.value(tipKey(row, col));
}

void GridModel::setToolTip(int row, int col, const QString& tip) {
    checkCell(row, col);
    if (tip.isEmpty()) {
        m_toolTips.remove(tipKey(row, col));
        m_exactValues.remove(tipKey(row, col));
    }
    else
        m_toolTips.insert(tipKey(row, col), tip);
}

void GridModel::setExactValue(int row, int col, double value) {
    checkCell(row, col);
    m_exactValues.insert(tipKey(row, col), value);
}

void GridModel::dropToolTipsBeyond(int rows, int cols) {
    const auto beyond = [rows, cols](std::uint64_t key) {
        return static_cast<int>(key >> 32) >= rows || static_cast<int>(key & 0xFFFFFFFFu) >= cols;
    };
    for (auto it = m_toolTips.begin(); it != m_toolTips.end();)
        it = beyond(it.key()) ? m_toolTips.erase(it) : std::next(it);
    for (auto it = m_exactValues.begin(); it != m_exactValues.end();)
        it = beyond(it.key()) ? m_exactValues.erase(it) : std::next(it);
}

void GridModel::addRow() {
    setRows(rows() + 1);
}

void GridModel::removeLastRow() {
    if (rows() > 0)
        setRows(rows() - 1);
}

void GridModel::setFixedRows(int n) {
    changeFixed(m_fixedRows, n);
}

void GridModel::setFixedCols(int n) {
    changeFixed(m_fixedCols, n);
}

// Which cells are headers changes the shape a view shows, not only colours: a reset tells it so.
void GridModel::changeFixed(int& count, int n) {
    const bool notify = m_batchDepth == 0;
    if (notify)
        beginResetModel();
    count = std::max(n, 0);
    refreshFixedLook();
    if (notify) {
        endResetModel();
        emit currentCellMoved();
    }
}

void GridModel::refreshFixedLook() {
    for (int r = 0; r < rows(); ++r)
        for (int c = 0; c < m_cols; ++c)
            m_cells[r][c].back = isFixed(r, c) ? ButtonFace : White;
    if (m_currentRow < m_fixedRows)
        m_currentRow = std::min(m_fixedRows, std::max(rows() - 1, 0));
    if (m_currentCol < m_fixedCols)
        m_currentCol = std::min(m_fixedCols, std::max(m_cols - 1, 0));
    if (m_topRow < m_fixedRows)
        m_topRow = std::min(m_fixedRows, std::max(rows() - 1, 0));
}

void GridModel::setFormatString(const QString& format) {
    const QStringList parts = format.split(QLatin1Char('|'));
    if (parts.size() > m_cols)
        setCols(static_cast<int>(parts.size()));
    if (rows() == 0)
        setRows(1);
    for (int c = 0; c < parts.size(); ++c)
        m_cells[0][c].text = parts[c];
    cellsChanged(0, 0, 0, static_cast<int>(parts.size()) - 1);
    if (m_batchDepth == 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
}

QString GridModel::text(int row, int col) const {
    return cell(row, col).text;
}

void GridModel::setText(int row, int col, const QString& text) {
    cell(row, col).text = text;
    cellsChanged(row, col, row, col);
}

double GridModel::numericValue(const QString& text) {
    // Leading blanks are skipped; then an optional sign, digits and a decimal part.
    int i = 0;
    const int n = static_cast<int>(text.size());
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    const int start = i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    const int digitsStart = i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
    }
    if (i == digitsStart || (i == digitsStart + 1 && text[digitsStart] == QLatin1Char('.')))
        return 0.0;
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok ? v : 0.0;
}

double GridModel::value(int row, int col) const {
    return numericValue(cell(row, col).text);
}

GridModel::Colour GridModel::backColour(int row, int col) const {
    return cell(row, col).back;
}
GridModel::Colour GridModel::foreColour(int row, int col) const {
    return cell(row, col).fore;
}
bool GridModel::bold(int row, int col) const {
    return cell(row, col).bold;
}
double GridModel::floodPercent(int row, int col) const {
    return cell(row, col).flood;
}

template <typename F> static void forRect(int r1, int c1, int r2, int c2, F&& f) {
    for (int r = std::min(r1, r2); r <= std::max(r1, r2); ++r)
        for (int c = std::min(c1, c2); c <= std::max(c1, c2); ++c)
            f(r, c);
}

void GridModel::setBackColour(int row1, int col1, int row2, int col2, Colour colour) {
    checkCell(row1, col1);
    checkCell(row2, col2);
    forRect(row1, col1, row2, col2, [&](int r, int c) { m_cells[r][c].back = colour; });
    cellsChanged(std::min(row1, row2), std::min(col1, col2), std::max(row1, row2), std::max(col1, col2));
}

void GridModel::setForeColour(int row1, int col1, int row2, int col2, Colour colour) {
    checkCell(row1, col1);
    checkCell(row2, col2);
    forRect(row1, col1, row2, col2, [&](int r, int c) { m_cells[r][c].fore = colour; });
    cellsChanged(std::min(row1, row2), std::min(col1, col2), std::max(row1, row2), std::max(col1, col2));
}

void GridModel::setBold(int row1, int col1, int row2, int col2, bool bold) {
    checkCell(row1, col1);
    checkCell(row2, col2);
    forRect(row1, col1, row2, col2, [&](int r, int c) { m_cells[r][c].bold = bold; });
    cellsChanged(std::min(row1, row2), std::min(col1, col2), std::max(row1, row2), std::max(col1, col2));
}

void GridModel::setFloodPercent(int row, int col, double percent) {
    cell(row, col).flood = static_cast<float>(percent);
    cellsChanged(row, col, row, col);
}

void GridModel::setFloodColour(Colour colour) {
    m_floodColour = colour;
    if (m_batchDepth == 0 && rows() > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(rows() - 1, m_cols - 1));
}

bool GridModel::isColHidden(int col) const {
    checkCell(0, col);
    return m_colInfo[col].hidden;
}

bool GridModel::isRowHidden(int row) const {
    checkCell(row, 0);
    return m_rowHidden[row];
}

void GridModel::setColHidden(int col, bool hidden) {
    if (col < 0 || col >= m_cols)
        throw std::out_of_range("column " + std::to_string(col) + " outside the grid");
    m_colInfo[col].hidden = hidden;
    if (m_batchDepth == 0)
        emit columnsHiddenChanged();
}

void GridModel::setRowHidden(int row, bool hidden) {
    if (row < 0 || row >= rows())
        throw std::out_of_range("row " + std::to_string(row) + " outside the grid");
    m_rowHidden[row] = hidden;
    if (m_batchDepth == 0)
        emit rowsHiddenChanged();
}

bool GridModel::isColCentred(int col) const {
    if (col < 0 || col >= m_cols)
        throw std::out_of_range("column " + std::to_string(col) + " outside the grid");
    return m_colInfo[col].centred;
}

void GridModel::setColCentred(int col, bool centred) {
    if (col < 0 || col >= m_cols)
        throw std::out_of_range("column " + std::to_string(col) + " outside the grid");
    m_colInfo[col].centred = centred;
    if (m_batchDepth == 0 && rows() > 0)
        emit dataChanged(index(0, col), index(rows() - 1, col), {Qt::TextAlignmentRole});
}

int GridModel::colWidth(int col) const {
    if (col < 0 || col >= m_cols)
        throw std::out_of_range("column " + std::to_string(col) + " outside the grid");
    return m_colInfo[col].width;
}

void GridModel::setColWidth(int col, int pixels) {
    if (col < 0 || col >= m_cols)
        throw std::out_of_range("column " + std::to_string(col) + " outside the grid");
    m_colInfo[col].width = std::max(pixels, 0);
    if (m_batchDepth == 0)
        emit columnWidthsChanged();
}

void GridModel::autoSizeColumns() {
    emit autoSizeRequested();
}

void GridModel::setCurrentCell(int row, int col) {
    checkCell(row, col);
    if (row == m_currentRow && col == m_currentCol)
        return;
    m_currentRow = row;
    m_currentCol = col;
    if (m_batchDepth == 0)
        emit currentCellMoved();
}

void GridModel::setTopRow(int row) {
    checkCell(row, 0);
    m_topRow = row;
    if (m_batchDepth == 0)
        emit topRowChanged(row);
}

void GridModel::sortDescending(int col) {
    if (col < 0 || col >= m_cols)
        throw std::out_of_range("column " + std::to_string(col) + " outside the grid");
    if (rows() - m_fixedRows < 2)
        return;
    std::vector<std::pair<double, int>> keys;
    keys.reserve(rows() - m_fixedRows);
    for (int r = m_fixedRows; r < rows(); ++r)
        keys.emplace_back(numericValue(m_cells[r][col].text), r);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    const bool notify = m_batchDepth == 0;
    if (notify)
        emit layoutAboutToBeChanged();
    std::vector<std::vector<Cell>> sorted;
    std::vector<bool> hidden;
    sorted.reserve(rows());
    for (int r = 0; r < m_fixedRows; ++r) {
        sorted.push_back(std::move(m_cells[r]));
        hidden.push_back(m_rowHidden[r]);
    }
    for (const auto& key : keys) {
        sorted.push_back(std::move(m_cells[key.second]));
        hidden.push_back(m_rowHidden[key.second]);
    }
    m_cells = std::move(sorted);
    m_rowHidden = std::move(hidden);
    if (notify) {
        emit layoutChanged();
        emit dataChanged(index(0, 0), index(rows() - 1, m_cols - 1));
    }
}

GridModel::Batch::Batch(GridModel& model) : m_model(model) {
    if (m_model.m_batchDepth++ == 0)
        m_model.beginResetModel();
}

GridModel::Batch::~Batch() {
    if (--m_model.m_batchDepth == 0) {
        m_model.endResetModel();
        emit m_model.columnsHiddenChanged();
        emit m_model.rowsHiddenChanged();
        emit m_model.columnWidthsChanged();
        emit m_model.currentCellMoved();
        emit m_model.topRowChanged(m_model.m_topRow);
    }
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

static QColor toQColor(GridModel::Colour value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows() || index.column() >= m_cols)
        return {};
    const Cell& c = m_cells[index.row()][index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return c.text;
    case Qt::BackgroundRole:
        if (c.back == ButtonFace)
            return {};
        return toQColor(c.back);
    case Qt::ForegroundRole:
        return toQColor(c.fore);
    case Qt::FontRole:
        if (c.bold) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (m_colInfo[index.column()].centred ? Qt::AlignHCenter : Qt::AlignLeft));
    case FloodRole:
        return c.flood < 0 ? QVariant() : QVariant(static_cast<double>(c.flood));
    case FixedRole:
        return isFixed(index.row(), index.column());
    case FloodColourRole:
        return toQColor(m_floodColour);
    case BackColourValueRole:
        return static_cast<qulonglong>(c.back);
    case ForeColourValueRole:
        return static_cast<qulonglong>(c.fore);
    case CellTable::ExactValueRole:
        if (const auto exact = m_exactValues.constFind(tipKey(index.row(), index.column()));
            exact != m_exactValues.cend())
            return *exact;
        return {};
    case Qt::ToolTipRole:
        if (m_toolTips.isEmpty())
            return {};
        if (const auto tip = m_toolTips.constFind(tipKey(index.row(), index.column())); tip != m_toolTips.cend())
            return *tip;
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (isFixed(index.row(), index.column()))
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
