#include "gui/ambo/AmboGridLayout.h"

#include "core/DrawArchive.h"
#include "gui/ambo/AmboState.h"

QString fg1FormatString() {
    return caseTable::headers();
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
    for (int c = 0; c < Fg1ColumnCount; ++c)
        if (!caseTable::shown(c))
            Fg1.setColHidden(c, true);
}

void layoutFgS(GridModel& FgS) {
    GridModel::Batch batch(FgS);
    FgS.setRows(FgSRows);
    FgS.setCols(2);
    FgS.setFixedRows(0);
    FgS.setFixedCols(1);
    FgS.setColWidth(0, twipsToPixels(960));
    FgS.setColWidth(1, twipsToPixels(960));
    FgS.setFloodColour(33023);
    for (int r = 1; r < FgSRows; ++r)
        FgS.setText(r, 0, caseTable::summaryLabel(r - 1));
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
