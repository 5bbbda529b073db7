#pragma once

#include "io/storico/CalendarDate.h"

#include <set>

inline constexpr int Tuesday = 2, Wednesday = 3, Thursday = 4, Friday = 5, Saturday = 6;

// The weekdays (1 Monday .. 7 Sunday) on which the Lotto drew in each era of its calendar.
inline std::set<int> allowedWeekdays(const storico::CalendarDate& date) {
    using storico::CalendarDate;
    if (date <= CalendarDate{1997, 3, 8})
        return {Saturday};
    if (date <= CalendarDate{2005, 6, 18})
        return {Wednesday, Saturday};
    if (date <= CalendarDate{2023, 7, 6})
        return {Tuesday, Thursday, Saturday};
    return {Tuesday, Thursday, Friday, Saturday};
}
