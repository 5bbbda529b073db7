#pragma once

#include "io/storico/CalendarDate.h"
#include "io/storico/ImportError.h"
#include "io/storico/Wheels.h"

namespace storico {

// One line of a storico file: the five numbers of one wheel on one date.
struct WheelRow {
    CalendarDate date;
    int wheel = 0;
    WheelNumbers numbers{};
    SourcePlace place;
};

} // namespace storico
