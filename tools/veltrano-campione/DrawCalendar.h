#pragma once

#include "io/storico/CalendarDate.h"

#include <vector>

// The days of the week on which the Lotto draws, as they changed over the years, and the dates from
// which the younger wheels exist. Holidays that moved real draws are not modelled.
namespace DrawCalendar {

bool isDrawDay(const storico::CalendarDate& date);
// Every draw day from first to last, both included.
std::vector<storico::CalendarDate> drawDays(const storico::CalendarDate& first,
                                            const storico::CalendarDate& last);
// Whether the wheel (0..10) was drawn at all on that date.
bool wheelExists(int wheel, const storico::CalendarDate& date);

constexpr storico::CalendarDate LastSaturdayOnly{1997, 3, 8};
constexpr storico::CalendarDate LastWednesdaySaturday{2005, 6, 18};
constexpr storico::CalendarDate LastTuesdayThursdaySaturday{2023, 7, 6};
constexpr storico::CalendarDate CagliariGenovaStart{1939, 7, 8};
constexpr storico::CalendarDate NazionaleStart{2005, 5, 4};

} // namespace DrawCalendar
