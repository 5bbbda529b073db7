#pragma once

#include "core/EqualAmbi.h"
#include "core/EqualAmboCase.h"

#include <QString>
#include <cstdint>
#include <vector>

class DrawArchive;

// The searches of the ambo window and of veltrano-analisi: back from the end of the range, either until
// the number of cases asked for or, with "Intervallo", through the whole range; never much past CaseCap.

// The most cases one search gives: it stops at the end of the draw in which it passes this many.
inline constexpr int CaseCap = 1000;
// A search asks for 1 to MaxCases cases (the window's "N° casi" choices, veltrano-analisi's --casi).
inline constexpr int MaxCases = 200;
// The limit of a search through the whole range: the cap stops it first.
inline constexpr int IntervalCaseLimit = 30000;

// Where a search walks and when it stops.
struct CaseSearchSpan {
    int from = 0;  // the most recent draw searched: the end of the range
    int to = 0;    // the oldest draw it may reach
    int limit = 0; // it stops between draws once it holds this many cases
};

// "Intervallo": from the end of the range back to its start, up to IntervalCaseLimit cases; otherwise
// from the end of the range back to the archive's first draw, up to casesAsked cases.
CaseSearchSpan caseSearchSpan(bool interval, int rangeStart, int rangeEnd, int casesAsked);

struct CaseSearch {
    std::vector<EqualAmboCase> cases;
    // When the cap stopped the search with draws of its span left: the last draw it looked at; else 0.
    int stoppedAt = 0;
};

// The search over the span. `found` cases counted before it (a counter that starts above zero) count
// toward the limit and the cap.
CaseSearch searchCases(const SearchSettings& settings, const DrawArchive& archive, const CaseSearchSpan& span,
                       std::int64_t found = 0);

// "Ricerca fermata a 1000 casi: estrazioni dalla N alla M" after a search the cap stopped at draw N
// (stoppedAt) of a range ending at M; empty when stoppedAt is 0.
QString caseCapNotice(int stoppedAt, int rangeEnd);
