#include "core/MethodSettings.h"

#include "core/EqualAmbi.h"

SearchSettings MethodSettings::search() const {
    SearchSettings s;
    s.wheels = wheels;
    for (int p = 1; p <= PositionCount; ++p)
        s.positions[p] = positions[p - 1];
    s.adjacentPositions = adjacentPositions;
    s.admitTypes(types, WheelRelations::standard());
    return s;
}
