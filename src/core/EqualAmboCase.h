#pragma once

#include "core/DrawArchive.h"
#include "core/Forecast.h"

#include <array>
#include <cstdint>

// One equal ambo: the draw, the two wheels (first < second), the two positions, the ten numbers and the
// forecast. Cases read back from a grid may hold values no search gives (-1 for a cell without a number);
// the verification copes with them.
struct EqualAmboCase {
    int draw = 0;   // DrawIndex
    int wheel1 = 0; // 0..10
    int wheel2 = 0;
    int position1 = 0; // 1..5
    int position2 = 0;
    std::array<std::int16_t, PositionCount> numbers1{};
    std::array<std::int16_t, PositionCount> numbers2{};
    Forecast forecast;
};
