#pragma once

#include <QObject>

class GridView;
class QToolButton;
class QWidget;

// One chooser of the method's windows: the one-row grid of wheels (FgR) or of positions (Fgp) and its
// two squares, "select every one" (Label6, Label32) and "deselect" (Label9, Label30). Every click on a
// cell flips it between its chosen colour and white, the current cell as any other (the grid raises
// nothing for a click on the cell that is already current); an arrow key flips the cell it moves to;
// the squares choose every cell or none. Disabled, the cells and the squares are drawn grey and take no
// click, and the choice stays as it was for when it applies again. The grid's layout (its cells and
// their texts) is the window's to make, with layoutWheelChooser or layoutPositionChooser.
class SelectionChooser : public QObject {
    Q_OBJECT

public:
    enum class Kind { Wheels, Positions };

    // The grid and the squares are children of `parent`, named as above; so is the chooser.
    SelectionChooser(Kind kind, QWidget* parent);

    GridView* grid() const { return m_grid; }
    QToolButton* selectAllSquare() const { return m_selectAll; }
    QToolButton* deselectAllSquare() const { return m_deselectAll; }

    void setEnabled(bool enabled);
    bool isEnabled() const;

signals:
    // The user changed the choice: a cell flipped, or a square clicked.
    void choiceChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectAll_Click();
    void deselectAll_Click();
    void flipCurrent();

    Kind m_kind;
    GridView* m_grid = nullptr;
    QToolButton* m_selectAll = nullptr;
    QToolButton* m_deselectAll = nullptr;
};
