#pragma once

#include "core/DelayStatistics.h"
#include "gui/statistiche/StatisticheCharts.h"

#include <QString>
#include <vector>

class DrawArchive;

// What "Ritardi e frequenze" shows beside its table, in the words and number forms a person reads, made
// from the engine's result by plain functions so that tests check them without the window.
namespace statistichePresentation {

// The item as a person reads it: "BA 67", "TU 16-42".
QString itemName(const DrawArchive& archive, const DelayItem& item, Sorte sorte);

// The sentence above the table: the longest delay, how ordinary it is once every item of the table is
// counted (Holm's p), and the chance of an exit in the next draw, the same whatever the delay.
QString sentence(const DelayStatistics& statistics, const DrawArchive& archive);
// Its tool tip: the exact corrected p when the sentence shows "< 0,0001"; empty otherwise.
QString sentenceTip(const DelayStatistics& statistics);

// The runs without exit grouped into at most `bins` bins of equal width, beside chance's count.
std::vector<statisticheCharts::RunBin> runBins(const DelayStatistics& statistics, int bins = 60);

// The map's rows: the single wheels of estratto statistics, in their order.
std::vector<statisticheCharts::MapRow> mapRows(const DelayStatistics& estratti, const DrawArchive& archive);

} // namespace statistichePresentation
