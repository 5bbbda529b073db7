#include "gui/kit/GridCells.h"

#include "gui/kit/CellTable.h"
#include "gui/kit/ItalianFormat.h"
#include "io/CsvField.h"

#include <QStringList>
#include <algorithm>
#include <set>

namespace {

// The indices from..to-1 that are not hidden.
template <typename Hidden> std::vector<int> shown(int from, int to, Hidden hidden) {
    std::vector<int> indices;
    for (int i = from; i < to; ++i)
        if (!hidden(i))
            indices.push_back(i);
    return indices;
}

std::vector<int> shownRows(const CellTable& grid, int from, int to) {
    return shown(from, to, [&grid](int r) { return grid.isRowHidden(r); });
}

std::vector<int> shownCols(const CellTable& grid, int from, int to) {
    return shown(from, to, [&grid](int c) { return grid.isColHidden(c); });
}

// A cell's text as it goes out: the blanks some header texts carry around them are there for the
// screen's layout only.
QString cellText(const CellTable& grid, int row, int col) {
    return grid.text(row, col).trimmed();
}

// The cells row by row, each written by `field(row, col)`; empty where the block has a hole.
template <typename Field>
QString joinCells(const GridCells& cells, QChar separator, Field field) {
    QString out;
    for (std::size_t r = 0; r < cells.rows.size(); ++r) {
        QStringList fields;
        for (std::size_t c = 0; c < cells.cols.size(); ++c)
            fields << (cells.isTaken(static_cast<int>(r), static_cast<int>(c)) ? field(cells.rows[r], cells.cols[c])
                                                                              : QString());
        out += fields.join(separator) + QLatin1Char('\n');
    }
    return out;
}

} // namespace

bool GridCells::isTaken(int blockRow, int blockCol) const {
    if (taken.empty())
        return true;
    return taken[static_cast<std::size_t>(blockRow)][static_cast<std::size_t>(blockCol)];
}

GridCells GridCells::wholeGrid(const CellTable& grid) {
    return {shownRows(grid, 0, grid.rows()), shownCols(grid, 0, grid.cols()), {}};
}

GridCells GridCells::fromCells(const CellTable& grid, const std::vector<std::pair<int, int>>& cells) {
    std::set<int> rowSet;
    std::set<int> colSet;
    std::vector<std::pair<int, int>> kept;
    for (const auto& [r, c] : cells) {
        if (r < 0 || c < 0 || r >= grid.rows() || c >= grid.cols() || grid.isRowHidden(r) ||
            grid.isColHidden(c))
            continue;
        rowSet.insert(r);
        colSet.insert(c);
        kept.emplace_back(r, c);
    }
    GridCells block{{rowSet.begin(), rowSet.end()}, {colSet.begin(), colSet.end()}, {}};
    if (kept.size() == block.rows.size() * block.cols.size())
        return block; // a plain rectangle
    block.taken.assign(block.rows.size(), std::vector<bool>(block.cols.size(), false));
    for (const auto& [r, c] : kept) {
        const auto br = std::lower_bound(block.rows.begin(), block.rows.end(), r) - block.rows.begin();
        const auto bc = std::lower_bound(block.cols.begin(), block.cols.end(), c) - block.cols.begin();
        block.taken[static_cast<std::size_t>(br)][static_cast<std::size_t>(bc)] = true;
    }
    return block;
}

GridCells GridCells::withHeaders(const CellTable& grid) const {
    GridCells out;
    out.rows = shownRows(grid, 0, std::min(grid.fixedRows(), grid.rows()));
    out.cols = shownCols(grid, 0, std::min(grid.fixedCols(), grid.cols()));
    const std::size_t headRows = out.rows.size();
    const std::size_t headCols = out.cols.size();
    // A block taken from the fixed cells themselves does not repeat them.
    for (int r : rows)
        if (r >= grid.fixedRows())
            out.rows.push_back(r);
    for (int c : cols)
        if (c >= grid.fixedCols())
            out.cols.push_back(c);
    if (taken.empty() && out.rows.size() - headRows == rows.size() &&
        out.cols.size() - headCols == cols.size())
        return out;
    // Header cells are always there; a body cell only when it was in this block.
    out.taken.assign(out.rows.size(), std::vector<bool>(out.cols.size(), true));
    for (std::size_t r = headRows; r < out.rows.size(); ++r) {
        const auto br = std::find(rows.begin(), rows.end(), out.rows[r]) - rows.begin();
        for (std::size_t c = headCols; c < out.cols.size(); ++c) {
            const auto bc = std::find(cols.begin(), cols.end(), out.cols[c]) - cols.begin();
            out.taken[r][c] = isTaken(static_cast<int>(br), static_cast<int>(bc));
        }
    }
    return out;
}

QString cellsAsTabText(const CellTable& grid, const GridCells& cells) {
    // A tab or a line break inside a cell would split it in two.
    return joinCells(cells, QLatin1Char('\t'), [&grid](int row, int col) {
        QString text = cellText(grid, row, col);
        for (QChar& ch : text)
            if (ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
                ch = QLatin1Char(' ');
        return text;
    });
}

QString cellsAsCsv(const CellTable& grid, const GridCells& cells) {
    // What an Italian spreadsheet expects: ';' between fields, so that the decimal comma needs no quotes,
    // and numbers in a form it reads as numbers.
    const QChar separator = QLatin1Char(';');
    return joinCells(cells, separator, [&grid, separator](int row, int col) {
        const QVariant exact = grid.isHeaderCell(row, col) ? QVariant()
                                                           : grid.cellData(row, col, CellTable::ExactValueRole);
        const QString text = exact.typeId() == QMetaType::Double ? italian::spreadsheetNumber(exact.toDouble())
                                                                 : italian::spreadsheetText(cellText(grid, row, col));
        return csvField(text, separator);
    });
}

QString cellsAsHtml(const CellTable& grid, const GridCells& cells) {
    QString out = QStringLiteral("<table>\n");
    for (std::size_t r = 0; r < cells.rows.size(); ++r) {
        out += QStringLiteral("<tr>");
        for (std::size_t c = 0; c < cells.cols.size(); ++c) {
            const int row = cells.rows[r];
            const int col = cells.cols[c];
            QString text;
            if (cells.isTaken(static_cast<int>(r), static_cast<int>(c)))
                text = cellText(grid, row, col).toHtmlEscaped();
            if (!text.isEmpty() && grid.bold(row, col))
                text = QStringLiteral("<b>") + text + QStringLiteral("</b>");
            out += QStringLiteral("<td>") + text + QStringLiteral("</td>");
        }
        out += QStringLiteral("</tr>\n");
    }
    return out + QStringLiteral("</table>\n");
}
