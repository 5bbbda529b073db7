#pragma once

#include "io/storico/Draw.h"
#include "io/storico/HistoryInput.h"
#include "io/storico/ImportError.h"
#include "io/storico/SplitDates.h"

#include <string>
#include <vector>

namespace storico {

// The history's texts turned into draws: every rejected line with its file and line, in reading order;
// the draws in ascending date order with the split dates already joined, and as the files date them
// (a merge applies the rule over the archive's draws and these together).
struct HistoryReading {
    std::vector<Draw> draws;
    std::vector<Draw> datedDraws;
    std::vector<SplitDateJoin> joins;
    std::vector<ImportError> errors; // the first of them (StoricoParser::MaxKeptErrors or so)
    std::size_t errorCount = 0;      // every rejected line
    int wheelRows = 0;
    int duplicateRows = 0;
};

HistoryReading readHistory(const std::vector<HistoryText>& texts);

constexpr int MaxListedErrors = 20;

// The rejected lines, one each with file and line, the first MaxListedErrors of them, then how many more.
// `total` counts the rejected lines, of which `errors` holds the first.
std::vector<std::string> errorReportLines(const std::vector<ImportError>& errors, std::size_t total);

// What a new archive made from the history would hold, for a person to confirm: draws, dates, wheels,
// split dates joined. Italian, numbers grouped by thousands.
std::vector<std::string> historySummaryLines(const HistoryReading& reading);

} // namespace storico
