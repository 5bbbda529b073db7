#pragma once

#include "core/MethodSettings.h"
#include "gui/kit/ProgramIcons.h"

#include <QDate>
#include <QString>
#include <QVariantMap>
#include <array>
#include <initializer_list>

class DateField;
class DrawArchive;
class GridView;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QLayout;
class QComboBox;
class QDateEdit;
class QLabel;
class QToolButton;
class QWidget;
class SelectionChooser;

// The controls the method's windows are made of (choosers of wheels and positions, wheel-type boxes,
// number drop-downs), each with its object name set.
namespace methodControls {

// 0 unchecked, 1 checked, 2 grey, as the method's windows read a check box.
inline constexpr int CheckedValue = 1;
int checkValue(const QCheckBox* box);

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, bool checked);
// A small bordered square that only tells its purpose in its tool tip; css is its background colour.
QToolButton* colourSquare(QWidget* parent, const QString& name, const QString& css, const QString& toolTip);
// The sunken label beside a range scroll bar, wide enough for "9999 00/00/0000 PM:00".
QLabel* rangeLabel(QWidget* parent, const QString& name);
// A drop-down of numbers whose text can also be typed.
QComboBox* numberCombo(QWidget* parent, const QString& name);
// A date field with its calendar, in the Italian form dd/MM/yyyy, wide enough for the whole date.
DateField* dateField(QWidget* parent, const QString& name);
// A period: the date fields DtDal and DtAl, captioned "Dal" and "al", in a box of that title.
QGroupBox* periodPanel(QWidget* parent, const QString& title, DateField*& dal, DateField*& al);
// Keeps a period's date fields, and any other date field of the window, within the archive's draw days
// (today's date for an empty archive): the calendar offers no other. The period then spans the archive.
void fitPeriodToArchive(const DrawArchive& archive, QDateEdit& dal, QDateEdit& al,
                        std::initializer_list<QDateEdit*> others = {});
// A period as a window keeps it over a new archive: its dates, and whether it ended at the last draw.
void keepPeriod(QVariantMap& kept, const QDateEdit& dal, const QDateEdit& al);
// The kept period's end: the new archive's last draw day when the period ended at the last draw.
QDate keptPeriodEnd(const QVariantMap& kept, const QDateEdit& al);
// A window's main command ("CALCOLA"): bold, at least 110 × 30.
QPushButton* mainCommand(QWidget* parent, const QString& name, const QString& caption, const QString& toolTip);
// A bold caption without a name of its own.
QLabel* caption(QWidget* parent, const QString& text);
// The caption of a setting's control ("Colpi", "Esiti", ...).
QString captionOf(const MethodSettings::Name& name);
// The captions of the seven wheel-type boxes Ch_RuoteTipo(0..6): "Tutte", "Adiacenti", ... "BNP".
QString wheelTypeCaption(int index);
// Sizes a one-row selection grid (wheels, positions) to show every cell and nothing more.
void fitSelectionGrid(GridView& view);

// The wheel and position choosers (SelectionChooser): the one-row grids (object names FgR and Fgp) and
// their select and deselect squares (Label6, Label9 for the wheels, Label32, Label30 for the positions).
struct SelectionControls {
    SelectionChooser* wheelChooser = nullptr;
    SelectionChooser* positionChooser = nullptr;
    GridView* wheels = nullptr;
    GridView* positions = nullptr;
    QToolButton* selectAllWheels = nullptr;
    QToolButton* deselectAllWheels = nullptr;
    QToolButton* selectAllPositions = nullptr;
    QToolButton* deselectAllPositions = nullptr;
};
SelectionControls selectionControls(QWidget* parent);
// "Ruote" and "Posizioni" with their squares, "Adiacenti" beside the positions, and a row below when
// given one.
QGroupBox* selectionPanel(QWidget* parent, const SelectionControls& controls, QCheckBox* adjacent,
                          QLayout* below = nullptr);
// The seven boxes Ch_RuoteTipo(0..6), checked as the method's default types, and their "Tipo ruote" group.
std::array<QCheckBox*, 7> wheelTypeBoxes(QWidget* parent);
QGroupBox* wheelTypesPanel(QWidget* parent, const std::array<QCheckBox*, 7>& boxes);
// "Adiacenti" (ChPosAdi), as the method's default.
QCheckBox* adjacentPositionsBox(QWidget* parent);
// The outcome boxes "Ambata", "3 ambi", "Quartina", "Tutte" (Ch_1, Ch_2, Ch_4, Ch_Tutte), as the
// method's defaults.
std::array<QCheckBox*, 4> outcomeCheckBoxes(QWidget* parent);
// Refills a "Colpi" drop-down with 1 to the most Colpi and shows the default.
void fillColpiChoices(QComboBox& combo);

} // namespace methodControls
