#include "core/WheelRelations.h"

namespace {
void markPair(WheelRelations::WheelPairs& table, int a, int b) {
    table[a][b] = true;
    table[b][a] = true;
}
} // namespace

void WheelRelations::fillWheelRelationships() {
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

bool WheelRelations::typeHolds(int t, int w1, int w2) const {
    switch (t) {
    case 0:
        return true;
    case 1:
        return RuoteAdiacenti[w1][w2] || RuoteAdiacenti[w2][w1];
    case 2:
        return RuoteDiametrali[w1][w2] || RuoteDiametrali[w2][w1];
    case 3:
        return RuoteGemelle[w1][w2] || RuoteGemelle[w2][w1];
    case 4:
        return GruppoGMTV[w1] && GruppoGMTV[w2];
    case 5:
        return GruppoCFRZ[w1] && GruppoCFRZ[w2];
    case 6:
        return GruppoBNP[w1] && GruppoBNP[w2];
    default:
        return false;
    }
}

bool WheelRelations::admits(const Types& types, int w1, int w2) const {
    for (int t = 0; t < TypeCount; ++t)
        if (types[t] && typeHolds(t, w1, w2))
            return true;
    return false;
}

const WheelRelations& WheelRelations::standard() {
    static const WheelRelations relations = [] {
        WheelRelations r;
        r.fillWheelRelationships();
        return r;
    }();
    return relations;
}
