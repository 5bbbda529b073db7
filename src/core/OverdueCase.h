#pragma once

// One case of the overdue number: after the draw `draw`, the most delayed number of a wheel, played as
// estratto on that wheel over the next Colpi draws.
struct OverdueCase {
    int draw = 0;   // DrawIndex of the opening draw
    int wheel = 0;  // 0..10
    int number = 0; // 1..90
    int delay = 0;  // its delay on the wheel when the case opened

    bool operator==(const OverdueCase&) const = default;
};
