#include "AmboGridLayout.h"

#include "AmboState.h"
#include "DrawArchive.h"

#include <QStringList>
#include <cmath>

namespace {
constexpr int FgRColumns = 11;
constexpr int FgpColumns = 5;

void toggleCurrent(GridModel& grid, GridModel::Colour selected) {
    const int r = grid.currentRow();
    const int c = grid.currentCol();
    grid.setBackColour(r, c, grid.backColour(r, c) == selected ? AmboState::Bianco : selected);
}
} // namespace

QString fg1FormatString() {
    return QStringLiteral("     |N° Estr|Data Estraz  |DEP |Inizio |Fine  |Fine A|r1|R1 |N1 |N2 |N3 |N4 |N5 "
                          "|N° Estr|Data Estraz  |R2|R2 |N1 |N2 |N3 |N4 |N5 |1|2|3|4|5|Ambata|A1|A2|A3|Colpo"
                          "|R1|R2|Quartina|A1|A2|A3");
}

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
}

void layoutFg1(GridModel& Fg1) {
    GridModel::Batch batch(Fg1);
    Fg1.setRows(1);
    Fg1.setCols(Fg1ColumnCount);
    Fg1.setFixedRows(1);
    Fg1.setFixedCols(1);
    Fg1.setFormatString(fg1FormatString());
    for (int c = 0; c < Fg1ColumnCount; ++c)
        Fg1.setColCentred(c, true);
    Fg1.setColHidden(ColRuota1, true);
    Fg1.setColHidden(ColRuota2, true);
    for (int c : {3, 4, 5, 6, 14, 15, 16})
        Fg1.setColHidden(c, true);
    for (int c = 39; c < Fg1ColumnCount; ++c)
        Fg1.setColHidden(c, true);
    for (int c = 23; c <= 27; ++c)
        Fg1.setColHidden(c, true);
}

void layoutFgS(GridModel& FgS) {
    static const char* const labels[] = {"N° casi", "Positivi", "Negativi", "In gioco",
                                         "Ambate",  "Ambi",     "Terni",    "Quaterne"};
    GridModel::Batch batch(FgS);
    FgS.setRows(FgSRows);
    FgS.setCols(2);
    FgS.setFixedRows(0);
    FgS.setFixedCols(1);
    FgS.setColWidth(0, twipsToPixels(960));
    FgS.setColWidth(1, twipsToPixels(960));
    FgS.setFloodColour(33023);
    for (int r = 1; r < FgSRows; ++r)
        FgS.setText(r, 0, QString::fromUtf8(labels[r - 1]));
    FgS.setRowHidden(0, true);
}

void layoutFgR(GridModel& FgR, const DrawArchive& archive) {
    GridModel::Batch batch(FgR);
    FgR.setRows(1);
    FgR.setCols(FgRColumns);
    FgR.setFixedRows(0);
    FgR.setFixedCols(0);
    for (int w = 0; w < FgRColumns; ++w) {
        FgR.setColWidth(w, twipsToPixels(320));
        FgR.setText(0, w, archive.wheelCode(w));
    }
    FgR.setBackColour(0, 0, 0, FgRColumns - 1, AmboState::Bianco);
}

void layoutFgp(GridModel& Fgp) {
    GridModel::Batch batch(Fgp);
    Fgp.setRows(1);
    Fgp.setCols(FgpColumns);
    Fgp.setFixedRows(0);
    Fgp.setFixedCols(0);
    for (int c = 1; c <= FgpColumns; ++c) {
        Fgp.setColWidth(c - 1, twipsToPixels(300));
        Fgp.setText(0, c - 1, QString::number(c));
        Fgp.setColCentred(c - 1, true);
    }
    Fgp.setBackColour(0, 0, 0, FgpColumns - 1, AmboState::Bianco);
}

void loadAmboGrids(AmboGrids& grids, const DrawArchive& archive) {
    layoutFgS(grids.FgS);
    layoutFgR(grids.FgR, archive);
    layoutFgp(grids.Fgp);
    grids.FgR.setBackColour(0, 0, AmboState::ColoreRuota);
    selectAllPositions(grids.Fgp);
    layoutFg1(grids.Fg1);
    selectAllWheels(grids.FgR);
}

void selectAllWheels(GridModel& FgR) {
    FgR.setBackColour(0, 0, 0, FgRColumns - 1, AmboState::ColoreRuota);
}
void deselectAllWheels(GridModel& FgR) {
    FgR.setBackColour(0, 0, 0, FgRColumns - 1, AmboState::Bianco);
}
void selectAllPositions(GridModel& Fgp) {
    Fgp.setBackColour(0, 0, 0, FgpColumns - 1, AmboState::ColorePosizione);
}
void deselectAllPositions(GridModel& Fgp) {
    Fgp.setBackColour(0, 0, 0, FgpColumns - 1, AmboState::Bianco);
}

void toggleCurrentWheel(GridModel& FgR) {
    toggleCurrent(FgR, AmboState::ColoreRuota);
}
void toggleCurrentPosition(GridModel& Fgp) {
    toggleCurrent(Fgp, AmboState::ColorePosizione);
}
