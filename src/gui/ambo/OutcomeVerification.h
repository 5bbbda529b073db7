#pragma once

#include "core/VerificationTotals.h"
#include "gui/ambo/AmboControls.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/Palette.h"

#include <cstdint>

class DrawArchive;
struct Palette;

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
