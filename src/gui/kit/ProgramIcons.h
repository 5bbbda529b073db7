#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

// The program's own icon set: one drawing per icon button, all on a 24x24 grid with the same stroke
// and palette, readable from 16 px up.
enum class ProgramIcon {
    MiniList,   // main window: "Mini elenco estrazioni"
    AmboWindow, // main window: "Veltrano"
    Help,       // "Help in linea"
    SearchDate, // "Cerca estrazione per data"
    SearchIndex,
    ResetMarks,    // "Resetta colorazione"
    LastDraw,      // "Ultima estrazione"
    FirstDraw,     // "Prima estrazione"
    UpdateArchive, // main window: "Aggiorna archivio"
    Collaudo,      // main window: "Collaudo del metodo"
    Statistiche,   // main window: "Ritardi e frequenze"
    Spia,          // main window: "Numeri spia"
    Metodo,        // main window: "Metodo del giocatore"
    ProgramLogo    // window icons
};

inline constexpr ProgramIcon allProgramIcons[] = {
    ProgramIcon::MiniList,      ProgramIcon::AmboWindow, ProgramIcon::Help,        ProgramIcon::SearchDate,
    ProgramIcon::SearchIndex,   ProgramIcon::ResetMarks, ProgramIcon::LastDraw,    ProgramIcon::FirstDraw,
    ProgramIcon::UpdateArchive, ProgramIcon::Collaudo,   ProgramIcon::Statistiche, ProgramIcon::Spia,
    ProgramIcon::Metodo,        ProgramIcon::ProgramLogo};

// Resource path of the drawing behind an icon.
QString programIconPath(ProgramIcon which);

// The drawing of an icon on a transparent square of `side` pixels; a null image if the drawing is
// missing.
QImage programIconImage(ProgramIcon which, int side);

// Needs a QGuiApplication. The icon holds ready-made pixmaps from 16 to 64 px.
QIcon programIcon(ProgramIcon which);

class QToolButton;
class QWidget;

// A square button showing one of the program's icons, its purpose told by its tool tip. Clicking it
// leaves the keyboard focus where it was (on a grid, say).
QToolButton* programIconButton(QWidget* parent, const QString& objectName, ProgramIcon icon,
                               const QString& toolTip, int iconSize = 24);
