#pragma once

#include "core/CaseOutcome.h"
#include "core/EqualAmboCase.h"
#include "core/VerificationTotals.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

class DrawArchive;

// The case table: the columns in which the ambo window's case grid shows the cases of a search and
// veltrano-analisi prints them, their header texts, the texts of a case and of its outcome, and the
// summary beside the table.
namespace caseTable {

enum Column : int {
    Number = 0,
    Draw = 1,
    Date = 2,
    Gap = 3,       // draws since the case above ("DEP"), hidden
    PlayFirst = 4, // first draw played, hidden
    PlayLast = 5,  // last draw played, hidden; 6 ("Fine A") is never filled, hidden
    Wheel1 = 7,    // wheel number, hidden
    Code1 = 8,
    Numbers1 = 9, // 9..13
    Draw2 = 14,   // hidden
    Date2 = 15,   // hidden
    Wheel2 = 16,  // wheel number, hidden
    Code2 = 17,
    Numbers2 = 18, // 18..22
    // 23..27 ("1" to "5") are never filled, hidden
    Ambata = 28,
    A1 = 29,
    A2 = 30,
    A3 = 31,
    Colpo = 32,
    AmbataCode1 = 33, // the wheels where the ambata came out
    AmbataCode2 = 34,
    Quartina = 35,
    Ambi = 36, // 36..38: the wheels of the ambi ambata-A1, ambata-A2, ambata-A3
    HeaderCount = 39,
    ColumnCount = 48
};

// The header texts of columns 0 to HeaderCount - 1, separated by '|' (a grid's format string), with the
// blanks that size the columns in the window.
QString headers();
// The header text of one column; empty from HeaderCount on.
QString header(int column);
// Whether the table shows the column.
bool shown(int column);

using Row = std::array<QString, ColumnCount>;

// The texts the search gives a case: its number, the draw and its date, the draws played, both wheels
// with their numbers, and the forecast. The columns it does not fill stay null.
void writeCase(Row& row, const EqualAmboCase& c, int number, int colpi, const DrawArchive& archive);

// The texts the verification gives a positive case: the colpo, the wheels where the ambata came out, the
// quartina's wheels with the numbers they hold ("BA 12 40/NA 3 12"), the wheels of each ambo ("BA-CA").
// Nothing for a case that is not positive.
void writeOutcome(Row& row, const EqualAmboCase& c, const CaseOutcome& outcome, const DrawArchive& archive);

// The summary: eight lines, each a label and a count; the lines from "Positivi" to "Terni" also give
// their share of the cases in percent, when there are cases.
inline constexpr int SummaryLines = 8;
QString summaryLabel(int line); // 0..7
std::int32_t summaryCount(const VerificationTotals& totals, int line);
std::optional<double> summaryShare(const VerificationTotals& totals, int line);

} // namespace caseTable
