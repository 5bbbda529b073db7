#include "core/WheelRelations.h"

namespace {
void markPair(WheelRelations::WheelPairs& table, int a, int b) {
    table[a][b] = true;
    table[b][a] = true;
}
} // namespace

void WheelRelations::fillWheelRelationships() {
    adjacentPairs = {};
    diametralPairs = {};
    twinPairs = {};
    gmtvGroup = {};
    cfrzGroup = {};
    bnpGroup = {};
    // Bari..Venezia form a ring; Nazionale is adjacent to none.
    for (int w = 0; w <= 8; ++w)
        markPair(adjacentPairs, w, w + 1);
    markPair(adjacentPairs, 9, 0);
    for (int w = 0; w <= 4; ++w) {
        markPair(diametralPairs, w, w + 5);
        markPair(twinPairs, w, 9 - w);
    }
    for (int w : {3, 4, 8, 9})
        gmtvGroup[w] = true;
    for (int w : {1, 2, 7, 10})
        cfrzGroup[w] = true;
    for (int w : {0, 5, 6})
        bnpGroup[w] = true;
}

bool WheelRelations::typeHolds(int t, int w1, int w2) const {
    switch (t) {
    case 0:
        return true;
    case 1:
        return adjacentPairs[w1][w2] || adjacentPairs[w2][w1];
    case 2:
        return diametralPairs[w1][w2] || diametralPairs[w2][w1];
    case 3:
        return twinPairs[w1][w2] || twinPairs[w2][w1];
    case 4:
        return gmtvGroup[w1] && gmtvGroup[w2];
    case 5:
        return cfrzGroup[w1] && cfrzGroup[w2];
    case 6:
        return bnpGroup[w1] && bnpGroup[w2];
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
