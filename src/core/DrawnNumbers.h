#pragma once

#include "core/DrawnWheels.h"
#include "core/NumberSet.h"

#include <vector>

class DrawArchive;

// Every draw of an archive as the back-test reads it: the set of numbers of each wheel and the wheels
// drawn. Built once per back-test, so that following a case is a few
// set intersections per colpo rather than loops over positions.
class DrawnNumbers {
public:
    explicit DrawnNumbers(const DrawArchive& archive);

    int drawCount() const { return m_drawCount; }
    // draw 1..drawCount, wheel 0..10
    const NumberSet& numbers(int draw, int wheel) const {
        return m_numbers[static_cast<std::size_t>(draw) * WheelCount + static_cast<std::size_t>(wheel)];
    }
    WheelMask drawn(int draw) const { return m_drawn[static_cast<std::size_t>(draw)]; }
    // The sets tell how many positions hold a number only when no wheel repeats one; a damaged archive
    // can, and then the draw is checked on its numbers.
    bool setsExact(int draw) const { return m_exact[static_cast<std::size_t>(draw)]; }

private:
    int m_drawCount = 0;
    std::vector<NumberSet> m_numbers; // [draw * WheelCount + wheel]
    std::vector<WheelMask> m_drawn;
    std::vector<bool> m_exact;
};
