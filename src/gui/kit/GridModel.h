#pragma once

#include "gui/kit/CellTable.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <cstdint>
#include <vector>

// The program's grid: a table of cells addressed by row and column from 0, with fixed (header) rows
// and columns, per-cell text, colours, bold and flood bar, hidden rows and columns, centred columns,
// a current cell and a top row. Colours are 24-bit values with red in the low byte, stored exactly as
// set; the view turns them into QColor, the logic only compares them.
class GridModel : public QAbstractTableModel, public CellTable {
    Q_OBJECT

public:
    using Colour = std::uint32_t;
    static constexpr Colour White = 0xFFFFFF;
    static constexpr Colour Black = 0x000000;
    // The system's button-face colour, as the fixed cells show it (resolved by the view).
    static constexpr Colour ButtonFace = 0x8000000F;
    static constexpr double NoFlood = -1.0;

    explicit GridModel(int rows = 1, int cols = 1, QObject* parent = nullptr);

    int rows() const override { return static_cast<int>(m_cells.size()); }
    int cols() const override { return m_cols; }
    void setRows(int rows); // new rows are empty; setRows(1) keeps only row 0
    void setCols(int cols);
    void addRow(); // appends one empty row
    void removeLastRow();

    int fixedRows() const override { return m_fixedRows; }
    int fixedCols() const override { return m_fixedCols; }
    void setFixedRows(int n);
    void setFixedCols(int n);
    bool isFixed(int row, int col) const { return row < m_fixedRows || col < m_fixedCols; }

    // "A|B|C": the header texts of row 0, column by column; grows the column count when needed.
    void setFormatString(const QString& format);

    QString text(int row, int col) const override;
    void setText(int row, int col, const QString& text);
    // The number at the start of the text ("12" -> 12, "7 12 33" -> 7, "-3" -> -3, "" -> 0).
    double value(int row, int col) const;
    static double numericValue(const QString& text);

    // A cell's tool tip, for the few cells that have more to say than they show (an exact small p behind
    // "< 0,0001"); an empty text removes it. Kept apart from the cells, since nearly none has one.
    QString toolTip(int row, int col) const;
    void setToolTip(int row, int col, const QString& tip);
    // The exact figure behind a cell shown in short ("< 0,0001"), which an export writes instead of the text
    // (CellTable::ExactValueRole); kept, like the tips, only for the few cells that have one, and dropped
    // with the cell's tip.
    void setExactValue(int row, int col, double value);

    Colour backColour(int row, int col) const;
    Colour foreColour(int row, int col) const;
    bool bold(int row, int col) const override;
    double floodPercent(int row, int col) const;
    // Rectangle operations: rows row1..row2 and columns col1..col2, inclusive, in one notification.
    void setBackColour(int row1, int col1, int row2, int col2, Colour colour);
    void setForeColour(int row1, int col1, int row2, int col2, Colour colour);
    void setBold(int row1, int col1, int row2, int col2, bool bold);
    void setBackColour(int row, int col, Colour colour) { setBackColour(row, col, row, col, colour); }
    void setFloodPercent(int row, int col, double percent); // NoFlood removes the bar
    Colour floodColour() const { return m_floodColour; }
    void setFloodColour(Colour colour);

    bool isColHidden(int col) const override;
    bool isRowHidden(int row) const override;
    QVariant cellData(int row, int col, int role) const override { return data(index(row, col), role); }
    void setColHidden(int col, bool hidden);
    void setRowHidden(int row, bool hidden);
    bool isColCentred(int col) const;
    void setColCentred(int col, bool centred);
    // Fixed width in pixels (0 = not fixed, the view decides).
    int colWidth(int col) const;
    void setColWidth(int col, int pixels);
    // Asks the view to size every column to its contents.
    void autoSizeColumns();

    int currentRow() const { return m_currentRow; }
    int currentCol() const { return m_currentCol; }
    // Programmatic moves: the view follows them but does not report them as the user's.
    void setCurrentCell(int row, int col);
    void setCurrentCol(int col) { setCurrentCell(m_currentRow, col); }
    int topRow() const { return m_topRow; }
    void setTopRow(int row);

    // Sorts the non-fixed rows numerically descending by a column; equal keys keep their order.
    void sortDescending(int col);

    // Groups many cell changes into one notification (one model reset at the end).
    class Batch {
    public:
        explicit Batch(GridModel& model);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        GridModel& m_model;
    };

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Roles beyond Qt's own, for the view and its delegate.
    enum Role {
        FloodRole = Qt::UserRole + 1,
        FixedRole,
        BackColourValueRole,
        ForeColourValueRole,
        FloodColourRole // the grid-wide colour of the flood bars, as QColor
    };

signals:
    void currentCellMoved(); // program moved the current cell
    void topRowChanged(int row);
    void columnsHiddenChanged();
    void rowsHiddenChanged();
    void columnWidthsChanged();
    void autoSizeRequested();

private:
    struct Cell {
        QString text;
        Colour back = White;
        Colour fore = Black;
        bool bold = false;
        float flood = -1.0f;
    };
    struct ColumnInfo {
        bool hidden = false;
        bool centred = false;
        int width = 0;
    };

    static std::uint64_t tipKey(int row, int col) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) | static_cast<std::uint32_t>(col);
    }
    void dropToolTipsBeyond(int rows, int cols);
    Cell& cell(int row, int col);
    const Cell& cell(int row, int col) const;
    void checkCell(int row, int col) const;
    std::vector<Cell> newRow(int row) const;
    void cellsChanged(int row1, int col1, int row2, int col2);
    void refreshFixedLook();
    void changeFixed(int& count, int n);

    std::vector<std::vector<Cell>> m_cells;
    std::vector<ColumnInfo> m_colInfo;
    std::vector<bool> m_rowHidden;
    int m_cols = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    int m_currentRow = 0;
    int m_currentCol = 0;
    int m_topRow = 0;
    Colour m_floodColour = 0x0080FF; // orange
    int m_batchDepth = 0;
    QHash<std::uint64_t, QString> m_toolTips; // by tipKey(row, col)
    QHash<std::uint64_t, double> m_exactValues;
};
