#pragma once

#include "cli/StatisticheOptions.h"
#include "core/DelayStatistics.h"

#include <QByteArray>

class DrawArchive;

// The statistics as veltrano-statistiche prints them (UTF-8, "." as the decimal separator): the summary,
// then the first `primi` items of the whole table ranked by `ordina` (all with 0). json is
// {"riepilogo": {...}, "elementi": [{...}, ...]}; tsv and csv are the summary rows (label, value), an empty
// line, a header row and one row per item with the same keys, a null as an empty field.
QByteArray statisticheReport(const DelayStatistics& statistics, const StatisticheOptions& options,
                             const DrawArchive& archive);
