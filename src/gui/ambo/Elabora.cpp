#include "gui/ambo/Elabora.h"

#include "gui/ambo/CaseGridFormat.h"
#include "gui/ambo/ConfiguraParametri.h"
#include "gui/ambo/EqualAmboSearch.h"

VerificationTotals elabora(const AmboControls& controls, AmboGrids& grids, AmboState& state,
                           const DrawArchive& archive, const Palette& palette,
                           const std::function<void(int)>& setProgressMaximum,
                           const std::function<void()>& searchFinished) {
    VerificationTotals totals;
    {
        // One grid update and one column sizing for the whole job, instead of one per step.
        GridModel::Batch batch(grids.Fg1);
        ConfiguraParametri(controls, grids, state, archive, setProgressMaximum);
        searchEqualAmbi(state, archive, grids.Fg1);
        if (searchFinished)
            searchFinished();
        if (grids.Fg1.rows() < 2) {
            // Nothing found: an old summary beside an empty case grid would mislead.
            fillSummary(grids.FgS, totals);
            return totals;
        }
        formatFoundCases(grids.Fg1);
        formatCaseGridCells(grids.Fg1, palette);
        totals = verifyCaseCells(grids.Fg1, grids.FgS, state.Colpi, controls, archive, palette);
    }
    grids.Fg1.autoSizeColumns();
    return totals;
}
