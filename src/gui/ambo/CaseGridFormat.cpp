#include "gui/ambo/CaseGridFormat.h"

#include "gui/ambo/AmboGridLayout.h"
#include "gui/ambo/AmboState.h"
#include "gui/kit/Palette.h"

bool formatCaseGridCells(GridModel& Fg1, const Palette& palette) {
    if (Fg1.rows() < 2)
        return false;
    const int last = Fg1.rows() - 1;
    GridModel::Batch batch(Fg1);
    for (int r = 1; r <= last; ++r)
        Fg1.setText(r, ColCaso, QString::number(r));
    Fg1.setBackColour(1, ColCaso, last, ColCaso, AmboState::Bianco);
    for (int c : {ColCodice1, ColCodice2}) {
        Fg1.setBackColour(1, c, last, c, AmboState::ColoreRuota);
        Fg1.setBold(1, c, last, c, true);
    }
    Fg1.setBackColour(1, ColEstrazione, last, ColData, palette.PalettePaleOrange);
    Fg1.setTopRow(1);
    return true;
}

void formatCaseGrid(GridModel& Fg1, const Palette& palette) {
    if (formatCaseGridCells(Fg1, palette))
        Fg1.autoSizeColumns();
}
