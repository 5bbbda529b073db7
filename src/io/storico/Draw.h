#pragma once

#include "io/storico/CalendarDate.h"
#include "io/storico/Wheels.h"

#include <array>
#include <optional>

namespace storico {

// One draw as the archive stores it: a date and, per wheel, its five numbers or nothing.
struct Draw {
    CalendarDate date;
    std::array<std::optional<WheelNumbers>, WheelCount> wheels;

    int wheelCount() const {
        int count = 0;
        for (const auto& wheel : wheels)
            count += wheel.has_value() ? 1 : 0;
        return count;
    }
    bool operator==(const Draw&) const = default;
};

} // namespace storico
