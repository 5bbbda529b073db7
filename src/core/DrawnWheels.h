#pragma once

#include "core/DrawArchive.h"

#include <cstdint>

// The wheels drawn in a draw, one bit per wheel. A wheel is drawn when its cell holds at least one number
// from 1 to 90; one whose cells hold none (before Cagliari, Genova or Nazionale existed, war gaps) was not
// drawn: it gives no outcome and takes no bet. A damaged cell (a short one, a number above 90) still
// counts as drawn, and wins on its valid numbers.
using WheelMask = std::uint16_t;

inline bool wheelDrawn(const DrawArchive& archive, int draw, int wheel) {
    const std::int16_t* ns = archive.wheelNumbers(draw, wheel);
    for (int p = 0; p < PositionCount; ++p)
        if (ns[p] >= 1 && ns[p] <= 90)
            return true;
    return false;
}

inline WheelMask drawnWheels(const DrawArchive& archive, int draw) {
    WheelMask mask = 0;
    for (int w = 0; w < WheelCount; ++w)
        if (wheelDrawn(archive, draw, w))
            mask |= static_cast<WheelMask>(1u << w);
    return mask;
}

inline bool inMask(WheelMask mask, int wheel) {
    return wheel >= 0 && wheel < WheelCount && (mask >> wheel) & 1u;
}
