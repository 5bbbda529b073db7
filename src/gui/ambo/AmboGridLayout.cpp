#include "gui/ambo/AmboGridLayout.h"

#include "core/DrawArchive.h"
#include "gui/ambo/AmboState.h"

#include <QStringList>

QString fg1FormatString() {
    return QStringLiteral("     |N° Estr|Data Estraz  |DEP |Inizio |Fine  |Fine A|r1|R1 |N1 |N2 |N3 |N4 |N5 "
                          "|N° Estr|Data Estraz  |R2|R2 |N1 |N2 |N3 |N4 |N5 |1|2|3|4|5|Ambata|A1|A2|A3|Colpo"
                          "|R1|R2|Quartina|A1|A2|A3");
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

void loadAmboGrids(AmboGrids& grids, const DrawArchive& archive) {
    layoutFgS(grids.FgS);
    layoutWheelChooser(grids.FgR, archive);
    layoutPositionChooser(grids.Fgp);
    grids.FgR.setBackColour(0, 0, AmboState::ColoreRuota);
    selectAllPositions(grids.Fgp);
    layoutFg1(grids.Fg1);
    selectAllWheels(grids.FgR);
}
