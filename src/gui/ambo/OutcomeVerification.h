#pragma once

#include "gui/ambo/AmboControls.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/Palette.h"

#include <cstdint>

class DrawArchive;
struct Palette;

// Counters of one verification run.
struct VerificationTotals {
    std::int32_t casi = 0; // case rows of Fg1
    std::int32_t positivi = 0;
    std::int32_t senzaEsito = 0; // followed to the end without outcome (in play or negative)
    std::int32_t inGioco = 0;
    std::int32_t ambate = 0;
    std::int32_t ambi = 0;
    std::int32_t terni = 0;
    std::int32_t quaterne = 0;

    std::int32_t negativi() const { return senzaEsito - inGioco; }
};

// Colours of column 0 after the verification.
inline constexpr GridModel::Colour EsitoPositivo = PositiveCaseColour;

// "VERIFICA": follows every case of Fg1 over the next Colpi draws with the outcome boxes of the controls
// (Ch_1, Ch_2, Ch_4, Ch_Tutte), writes the outcome columns and colours, marks the cases in play, fills
// the summary FgS and sorts the cases with the most recent first. Running it twice gives the same grids.
VerificationTotals verifyCases(GridModel& Fg1, GridModel& FgS, std::int16_t Colpi, const AmboControls& boxes,
                               const DrawArchive& archive, const Palette& palette);

// The same without sizing Fg1's columns, for callers that size once at the end of a longer job.
VerificationTotals verifyCaseCells(GridModel& Fg1, GridModel& FgS, std::int16_t Colpi,
                                   const AmboControls& boxes, const DrawArchive& archive,
                                   const Palette& palette);

// Writes the summary rows 1 to 8 of FgS with their bars; no bars when there is no case.
void fillSummary(GridModel& FgS, const VerificationTotals& totals);
