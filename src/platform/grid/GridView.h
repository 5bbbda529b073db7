#pragma once

#include <QPointer>
#include <QTableView>
#include <vector>

class GridBodyModel;
class GridModel;
class QAbstractButton;

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

signals:
    void currentCellChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyboardSearch(const QString& search) override;
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

    GridModel* m_ownGrid = nullptr;
    QPointer<GridModel> m_grid;
    GridBodyModel* m_body = nullptr;
    QAbstractButton* m_corner = nullptr;
    std::vector<int> m_savedWidths;
    int m_userInput = 0;        // inside a mouse press or key press
    bool m_programMove = false; // the view itself is moving its current index
    bool m_headerRefreshPending = false;
    bool m_blackGridLines = false;
    int m_resizePrecision = 300;
};
