#pragma once

#include "core/SpyTable.h"

#include <QString>
#include <vector>

class DrawArchive;

// The words of "Numeri spia": the sentence for a player over one spy's table or the whole map.
namespace spiaPresentation {

// "a Bari", "sulla Nazionale", "su una delle dieci ruote" (Tutte).
QString wheelPlace(int wheel);
// A number with its article: "il 90", "l'81", "l'8"; and "del 90", "dell'81".
QString withArticle(int number);
QString ofNumber(int number);

// One spy: its complete events, the follower with the smallest p against chance, its corrected p and
// what that says. The whole map: the best cell, corrected for every cell.
QString sentence(const std::vector<SpyTable>& tables, const SpySettings& settings, bool wholeMap);

// Plain words for a corrected p: "compatibile con il caso." and the like.
QString verdict(double pCorrected);

} // namespace spiaPresentation
