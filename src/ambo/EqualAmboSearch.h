#pragma once

#include "AmboState.h"
#include "EqualAmbi.h"
#include "GridModel.h"

class DrawArchive;

// The search settings of the state's snapshot of the controls.
SearchSettings searchSettings(const AmboState& state);

// Walks back from IndiceFine to EstrazioneMinima and appends one row of Fg1 per case, counting them in
// CasiTrovati; stops between draws once LimiteCasi cases (or more than 1000) are found.
void searchEqualAmbi(AmboState& state, const DrawArchive& archive, GridModel& Fg1);

// After a search with cases: the forecast and outcome columns' fonts and colours, and column "DEP ".
void formatFoundCases(GridModel& Fg1);
