#pragma once

#include "core/EqualAmbi.h"
#include "core/MethodSettings.h"
#include "gui/ambo/AmboState.h"
#include "gui/kit/GridModel.h"

#include <QString>

class DrawArchive;

// The search settings of the state's snapshot of the controls.
SearchSettings searchSettings(const AmboState& state);

// Walks back from IndiceFine to EstrazioneMinima and appends one row of Fg1 per case, counting them in
// CasiTrovati; stops between draws once LimiteCasi cases (or more than CaseCap) are found, as every
// search does (core/CaseSearch.h). When the cap stopped it with draws of the range left,
// EstrazioneFermata is the last draw it looked at.
void searchEqualAmbi(AmboState& state, const DrawArchive& archive, GridModel& Fg1);

// "Ricerca fermata a 1000 casi: estrazioni dalla N alla M" after a search the cap stopped (N the last
// draw looked at, M the end of the range); empty otherwise.
QString caseCapNotice(const AmboState& state);

// After a search with cases: the forecast and outcome columns' fonts and colours, and column "DEP ".
void formatFoundCases(GridModel& Fg1);
