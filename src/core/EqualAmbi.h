#pragma once

#include "core/EqualAmboCase.h"
#include "core/Forecast.h"
#include "core/WheelRelations.h"

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

class DrawArchive;

// What the search looks for: the selected wheels and positions, the wheel pairs the checked types admit,
// and "Adiacenti" (only positions next to each other).
struct SearchSettings {
    std::array<bool, WheelCount> wheels{};
    std::array<bool, 6> positions{}; // 1..5, index 0 unused
    WheelRelations::WheelPairs admitted{};
    bool adjacentPositions = false;

    void admitTypes(const WheelRelations::Types& types, const WheelRelations& relations);
};

// Two ambi are equal when their sums agree modulo 90, a sum of 90 (class 0) excepted.
inline int amboSumClass(int a, int b) {
    return (a + b) % 90;
}
// x1, x2 on the first wheel and y1, y2 on the second, at the same two positions.
bool isEqualAmbo(int x1, int x2, int y1, int y2);
Forecast computeForecast(int x1, int x2, int y1, int y2, const DrawArchive& archive);

// Walks back from draw `from` to draw `to` (both included) in the window's order: draw, first wheel,
// first position, second position, second wheel. Stops between draws once stopAt cases are found.
std::vector<EqualAmboCase> findEqualAmbi(const SearchSettings& settings, const DrawArchive& archive, int from,
                                         int to,
                                         std::int64_t stopAt = std::numeric_limits<std::int64_t>::max());
