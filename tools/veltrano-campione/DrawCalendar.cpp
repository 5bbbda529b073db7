#include "DrawCalendar.h"

#include "io/storico/Wheels.h"

namespace DrawCalendar {

namespace {
constexpr int Tuesday = 2, Wednesday = 3, Thursday = 4, Friday = 5, Saturday = 6;
constexpr int Cagliari = 1, Genova = 3;
} // namespace

bool isDrawDay(const storico::CalendarDate& date) {
    const int day = date.weekday();
    if (date <= LastSaturdayOnly)
        return day == Saturday;
    if (date <= LastWednesdaySaturday)
        return day == Wednesday || day == Saturday;
    if (date <= LastTuesdayThursdaySaturday)
        return day == Tuesday || day == Thursday || day == Saturday;
    return day == Tuesday || day == Thursday || day == Friday || day == Saturday;
}

std::vector<storico::CalendarDate> drawDays(const storico::CalendarDate& first,
                                            const storico::CalendarDate& last) {
    std::vector<storico::CalendarDate> days;
    for (int n = first.dayNumber(); n <= last.dayNumber(); ++n) {
        const auto date = storico::CalendarDate::fromDayNumber(n);
        if (isDrawDay(date))
            days.push_back(date);
    }
    return days;
}

bool wheelExists(int wheel, const storico::CalendarDate& date) {
    if (wheel == storico::Nazionale)
        return date >= NazionaleStart;
    if (wheel == Cagliari || wheel == Genova)
        return date >= CagliariGenovaStart;
    return wheel >= 0 && wheel < storico::WheelCount;
}

} // namespace DrawCalendar
