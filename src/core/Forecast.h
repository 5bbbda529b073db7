#pragma once

#include <cstdint>

// The forecast derived from an equal ambo: the ambata and three further numbers.
struct Forecast {
    std::int16_t Ambata = 0;
    std::int16_t A1 = 0;
    std::int16_t A2 = 0;
    std::int16_t A3 = 0;
};
