#pragma once

#include "cli/SpiaOptions.h"
#include "core/SpyTable.h"

#include <QByteArray>
#include <vector>

class DrawArchive;

// The spy tables as veltrano-spia prints them (UTF-8, "." as the decimal separator): the summary, then the
// first `primi` rows of every table ranked by p (all with 0). json is {"riepilogo": {...}, "seguenti":
// [{...}, ...]} with dates as dd/mm/yyyy (null when none) and the chance figures always as reals; tsv and csv
// are the summary rows (label, value), an empty line, a header row and one row per follower.
QByteArray spiaReport(const std::vector<SpyTable>& tables, const SpiaOptions& options, const DrawArchive& archive);
