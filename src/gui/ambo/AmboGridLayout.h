#pragma once

#include "core/CaseTable.h"
#include "gui/ambo/AmboGrids.h"
#include "gui/kit/SelectionGrids.h"

#include <QString>

class DrawArchive;

// Columns of the case grid Fg1 that the search, the formatting and the verification use: the window's
// names for the columns of the case table.
enum Fg1Column : int {
    ColCaso = caseTable::Number,
    ColEstrazione = caseTable::Draw,
    ColData = caseTable::Date,
    ColDep = caseTable::Gap,
    ColInizio = caseTable::PlayFirst,
    ColFine = caseTable::PlayLast,
    ColRuota1 = caseTable::Wheel1, // wheel number, hidden
    ColCodice1 = caseTable::Code1,
    ColNumeri1 = caseTable::Numbers1, // 9..13
    ColEstrazione2 = caseTable::Draw2,
    ColData2 = caseTable::Date2,
    ColRuota2 = caseTable::Wheel2, // wheel number, hidden
    ColCodice2 = caseTable::Code2,
    ColNumeri2 = caseTable::Numbers2, // 18..22
    ColAmbata = caseTable::Ambata,
    ColA1 = caseTable::A1,
    ColA2 = caseTable::A2,
    ColA3 = caseTable::A3,
    ColColpo = caseTable::Colpo,
    ColEsitoR1 = caseTable::AmbataCode1,
    ColEsitoR2 = caseTable::AmbataCode2,
    ColQuartina = caseTable::Quartina,
    ColAmbiA1 = caseTable::Ambi, // 36..38
    Fg1ColumnCount = caseTable::ColumnCount
};

inline constexpr int FgSRows = caseTable::SummaryLines + 1; // a hidden first row, then the summary

// The header texts of Fg1, columns 0 to 38.
QString fg1FormatString();

// Design-time layout of each grid together with its part of the window's load sequence.
void layoutFg1(GridModel& Fg1);
void layoutFgS(GridModel& FgS);
// All four grids as the window leaves them after loading: every wheel and position selected.
void loadAmboGrids(AmboGrids& grids, const DrawArchive& archive);
