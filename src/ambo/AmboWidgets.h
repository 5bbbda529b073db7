#pragma once

#include "ProgramIcons.h"

#include <QString>

class GridView;
class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;
class QWidget;

// The kinds of control the ambo window is made of, each with its object name set.
namespace amboWidgets {

// 0 unchecked, 1 checked, 2 grey, as the ambo logic reads a check box.
int checkValue(const QCheckBox* box);

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, bool checked);
// A small bordered square that only tells its purpose in its tool tip; css is its background colour.
QToolButton* colourSquare(QWidget* parent, const QString& name, const QString& css, const QString& toolTip);
// The sunken label beside a range scroll bar, wide enough for "9999 00/00/0000 PM:00".
QLabel* rangeLabel(QWidget* parent, const QString& name);
// A drop-down of numbers whose text can also be typed.
QComboBox* numberCombo(QWidget* parent, const QString& name);
// A bold caption without a name of its own.
QLabel* caption(QWidget* parent, const QString& text);
// The captions of the seven wheel-type boxes Ch_RuoteTipo(0..6): "Tutte", "Adiacenti", ... "BNP".
QString wheelTypeCaption(int index);
// Sizes a one-row selection grid (wheels, positions) to show every cell and nothing more.
void fitSelectionGrid(GridView& view);

} // namespace amboWidgets
