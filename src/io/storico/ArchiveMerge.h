#pragma once

#include "io/storico/Draw.h"
#include "io/storico/SplitDates.h"

#include <optional>
#include <string>
#include <vector>

namespace storico {

// One wheel of one draw that the merge changes: filled (nothing before) or corrected (other numbers).
struct WheelChange {
    CalendarDate date;
    int wheel = 0;
    std::optional<WheelNumbers> before;
    WheelNumbers after{};
};

// Consecutive archive draws that the history does not have: kept, and reported as one span.
struct ArchiveOnlySpan {
    CalendarDate first;
    CalendarDate last;
    int count = 0;
};

struct ArchiveMerge {
    std::vector<Draw> draws; // the archive after the merge, in date order
    std::vector<Draw> added; // draws the archive did not have
    std::vector<WheelChange> filled;
    std::vector<WheelChange> corrections;
    std::vector<ArchiveOnlySpan> archiveOnly;
    std::vector<SplitDateJoin> joins; // lone dates of the history joined to a draw of the archive
    int archiveDraws = 0;

    bool changesArchive() const { return !added.empty() || !filled.empty() || !corrections.empty(); }
};

// Merges the history, its draws dated as its files date them, into the archive's draws: new draws are
// added, a wheel the archive lacks is filled, a wheel with other numbers is corrected to the history's;
// the archive's other draws are kept as they are. The split-date rule then runs over old and new draws
// together, but only a new lone date can join another draw: an archive draw never disappears. A lone
// date whose numbers a neighbouring draw already holds for that wheel was joined by an earlier import.
ArchiveMerge mergeHistory(const std::vector<Draw>& archive, const std::vector<Draw>& history);

// The report a person reads before the archive is written, one line each, Italian. New draws beyond
// listLimit are counted, not listed; corrections are always listed in full.
std::vector<std::string> mergeReportLines(const ArchiveMerge& merge, std::size_t listLimit = 20);

// 7365 -> "7.365".
std::string italianCount(long long value);
// "1 estrazione", "7.365 estrazioni".
std::string drawCountText(long long count);

// "05 12 33 47 90".
std::string numbersText(const WheelNumbers& numbers);

} // namespace storico
