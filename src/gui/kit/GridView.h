#pragma once

#include "gui/kit/GridModel.h" // gridModel() below converts the guarded pointer

#include "gui/kit/GridCells.h"

#include <QPointer>
#include <QTableView>
#include <memory>
#include <vector>

class FloodBarDelegate;
class GridBodyModel;
class GridModel;
class Prompts;
class QAbstractButton;
class QAction;
class QMenu;

// The program's grid on screen, over a GridModel. Fixed rows and columns are shown by the view's
// headers, so they stay in place while the cells scroll and can never become the current cell; the
// top-left fixed cell is drawn in the corner between them. The view follows the model's current
// cell, top row, hidden rows and columns, fixed column widths and requests to size the columns to
// their contents.
//
// currentCellChanged() is raised only when the user moves the current cell to another cell (a mouse
// click on another cell, the arrow and paging keys); the handler reads the new current cell from the
// model. Moves made by the program through GridModel::setCurrentCell, a click on the cell that is
// already current and the view receiving the focus raise nothing.
//
// Cells can be selected (mouse drag, Shift with a click or the arrows, Ctrl+A) and copied: Ctrl+C and
// the context menu's "Copia" put them on the clipboard as tab-separated text and as an HTML table, so
// that a spreadsheet pastes them as cells. "Esporta CSV…" writes every shown cell to a file. A right
// click opens the menu without moving the current cell, which in some grids would change a cell.
class GridView : public QTableView {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr); // over a grid of its own
    explicit GridView(GridModel* grid, QWidget* parent = nullptr);
    ~GridView() override;

    GridModel* gridModel() const { return m_grid; }
    // The view does not take ownership of a grid given here.
    void setGridModel(GridModel* grid);

    // Black lines between the cells (otherwise the style's light grey).
    void setBlackGridLines(bool black);
    bool blackGridLines() const { return m_blackGridLines; }
    // Disabled, the cells are drawn in grey, lighter or darker as their own colours: a chooser that does
    // not apply then looks it. Off by default: a grid disabled while the program is busy keeps its colours.
    void setGreyWhenDisabled(bool grey);
    // The last column extends to the view's right edge.
    void setStretchLastColumn(bool stretch);
    // How many rows sizing a column to its contents looks at (the visible rows always count).
    void setResizePrecision(int rows) { m_resizePrecision = rows; }
    int resizePrecision() const { return m_resizePrecision; }

    // The size that shows every visible row and column without scrolling, frame included.
    QSize contentSize() const;

    // Where a grid cell is on screen: the widget that shows it (the cell area's viewport, a header's
    // viewport or the corner) and its rectangle in that widget. Tests click cells through it.
    struct CellSpot {
        QWidget* widget = nullptr;
        QRect rect;
        QPoint centre() const { return rect.center(); }
    };
    CellSpot cellSpot(int row, int col) const;

    // The boxes "Esporta CSV…" asks for its file through; without them the menu offers no export.
    void setPrompts(Prompts* prompts) { m_prompts = prompts; }
    // Copies carry the fixed rows above and the fixed columns beside the copied cells.
    void setCopyWithHeaders(bool withHeaders) { m_copyWithHeaders = withHeaders; }
    bool copyWithHeaders() const { return m_copyWithHeaders; }
    // The file name an export suggests.
    void setExportFileName(const QString& name) { m_exportFileName = name; }
    // Further entries of the context menu, below the view's own; the view does not own them.
    void addContextAction(QAction* action);

    // The selected cells (the current cell when nothing is selected), with the headers when copies
    // carry them.
    GridCells cellsToCopy() const;
    void copySelection() const;
    // Asks for a file and writes every shown cell to it as CSV (UTF-8). False when the user cancelled
    // or the file could not be written, which a message box has then said.
    bool exportCsv();
    // The context menu as a right click opens it.
    std::unique_ptr<QMenu> createContextMenu(QWidget* parent);

signals:
    void currentCellChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void viewCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void syncCurrentFromModel();
    void applyTopRow(int row);
    void applyHiddenColumns();
    void applyHiddenRows();
    void applyColumnWidths();
    void sizeColumnsToContents();
    void saveColumnWidths();
    void applyAfterReset();
    void applyAfterLayoutChange();
    void scheduleHeaderRefresh();
    void refreshHeaders();
    void repaintCorner();
    void gridDestroyed();
    void showSelectionIfWide();

    GridModel* m_ownGrid = nullptr;
    QPointer<GridModel> m_grid;
    GridBodyModel* m_body = nullptr;
    QAbstractButton* m_corner = nullptr;
    FloodBarDelegate* m_delegate = nullptr;
    Prompts* m_prompts = nullptr;
    std::vector<QPointer<QAction>> m_contextActions;
    QString m_exportFileName = QStringLiteral("griglia.csv");
    bool m_copyWithHeaders = false;
    std::vector<int> m_savedWidths;
    int m_userInput = 0;        // inside a mouse press or key press
    bool m_programMove = false; // the view itself is moving its current index
    bool m_headerRefreshPending = false;
    bool m_blackGridLines = false;
    int m_resizePrecision = 300;
};
