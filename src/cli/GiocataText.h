#pragma once

#include "core/Giocata.h"

#include <QString>

class DrawArchive;

// A giocata's bets as the tools print them: in a table "12 45 ambo BA,CA posta 1; 7 estratto TU posta 0.5",
// in json [{"numeri": [12, 45], "sorte": "ambo", "ruote": ["BA", "CA"], "posta": 1}, ...] with "TU" for the
// ten wheels. Numbers in the method's order, RO for Roma, "." for decimals.
QString sorteName(Puntata::Sorte sorte);
QString puntateText(const Giocata& giocata, const DrawArchive& archive);
QString puntateJson(const Giocata& giocata, const DrawArchive& archive);
