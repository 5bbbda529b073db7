#include "AmboState.h"

namespace {
void markPair(AmboState::WheelPairs& table, int a, int b) {
    table[a][b] = true;
    table[b][a] = true;
}
} // namespace

void AmboState::fillWheelRelationships() {
    RuoteAdiacenti = {};
    RuoteDiametrali = {};
    RuoteGemelle = {};
    GruppoGMTV = {};
    GruppoCFRZ = {};
    GruppoBNP = {};
    // Bari..Venezia form a ring; Nazionale is adjacent to none.
    for (int w = 0; w <= 8; ++w)
        markPair(RuoteAdiacenti, w, w + 1);
    markPair(RuoteAdiacenti, 9, 0);
    for (int w = 0; w <= 4; ++w) {
        markPair(RuoteDiametrali, w, w + 5);
        markPair(RuoteGemelle, w, 9 - w);
    }
    for (int w : {3, 4, 8, 9})
        GruppoGMTV[w] = true;
    for (int w : {1, 2, 7, 10})
        GruppoCFRZ[w] = true;
    for (int w : {0, 5, 6})
        GruppoBNP[w] = true;
}

bool AmboState::admitted(int w1, int w2) const {
    if (TipiRuote[0])
        return true;
    if (TipiRuote[1] && (RuoteAdiacenti[w1][w2] || RuoteAdiacenti[w2][w1]))
        return true;
    if (TipiRuote[2] && (RuoteDiametrali[w1][w2] || RuoteDiametrali[w2][w1]))
        return true;
    if (TipiRuote[3] && (RuoteGemelle[w1][w2] || RuoteGemelle[w2][w1]))
        return true;
    if (TipiRuote[4] && GruppoGMTV[w1] && GruppoGMTV[w2])
        return true;
    if (TipiRuote[5] && GruppoCFRZ[w1] && GruppoCFRZ[w2])
        return true;
    return TipiRuote[6] && GruppoBNP[w1] && GruppoBNP[w2];
}
