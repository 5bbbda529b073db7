#pragma once

#include "gui/ambo/AmboGrids.h"
#include "gui/kit/SelectionGrids.h"

#include <QString>

class DrawArchive;

// Columns of the case grid Fg1 that the search, the formatting and the verification use.
enum Fg1Column : int {
    ColCaso = 0,
    ColEstrazione = 1,
    ColData = 2,
    ColDep = 3,
    ColInizio = 4,
    ColFine = 5,
    ColRuota1 = 7, // wheel number, hidden
    ColCodice1 = 8,
    ColNumeri1 = 9, // 9..13
    ColEstrazione2 = 14,
    ColData2 = 15,
    ColRuota2 = 16, // wheel number, hidden
    ColCodice2 = 17,
    ColNumeri2 = 18, // 18..22
    ColAmbata = 28,
    ColA1 = 29,
    ColA2 = 30,
    ColA3 = 31,
    ColColpo = 32,
    ColEsitoR1 = 33,
    ColEsitoR2 = 34,
    ColQuartina = 35,
    ColAmbiA1 = 36, // 36..38
    Fg1ColumnCount = 48
};

inline constexpr int FgSRows = 9;

// The header texts of Fg1, columns 0 to 38.
QString fg1FormatString();

// Design-time layout of each grid together with its part of the window's load sequence.
void layoutFg1(GridModel& Fg1);
void layoutFgS(GridModel& FgS);
// All four grids as the window leaves them after loading: every wheel and position selected.
void loadAmboGrids(AmboGrids& grids, const DrawArchive& archive);
