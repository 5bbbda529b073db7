#pragma once

#include "AmboState.h"
#include "GridModel.h"

#include <QString>
#include <cstdint>

class DrawArchive;

// The forecast derived from an equal ambo: the ambata and three further numbers.
struct Forecast {
    std::int16_t Ambata = 0;
    std::int16_t A1 = 0;
    std::int16_t A2 = 0;
    std::int16_t A3 = 0;
};

// x1, x2 on the first wheel and y1, y2 on the second, at the same two positions.
bool isEqualAmbo(int x1, int x2, int y1, int y2);
Forecast computeForecast(int x1, int x2, int y1, int y2, const DrawArchive& archive);

// Walks back from IndiceFine to EstrazioneMinima and appends one row of Fg1 per case, counting them in
// CasiTrovati; stops between draws once LimiteCasi cases (or more than 1000) are found. When the cap
// of 1000 stopped it with draws of the range left, EstrazioneFermata is the last draw it looked at.
void searchEqualAmbi(AmboState& state, const DrawArchive& archive, GridModel& Fg1);

// "Ricerca fermata a 1000 casi: estrazioni dalla N alla M" after a search the cap stopped (N the last
// draw looked at, M the end of the range); empty otherwise.
QString caseCapNotice(const AmboState& state);

// After a search with cases: the forecast and outcome columns' fonts and colours, and column "DEP ".
void formatFoundCases(GridModel& Fg1);
