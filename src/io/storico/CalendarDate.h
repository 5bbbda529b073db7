#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace storico {

// A day of the Gregorian calendar, the only notion of time the draw history needs.
struct CalendarDate {
    int year = 1970;
    int month = 1;
    int day = 1;

    // std::nullopt when the three numbers do not name a real day.
    static std::optional<CalendarDate> fromYmd(int year, int month, int day);
    static CalendarDate fromDayNumber(int dayNumber);
    // Accepts year first (1939/01/07) or day first (07/01/1939), with '/', '-' or '.' between the parts
    // (the same one twice) and with or without zero padding. The year has four digits, from 1000.
    static std::optional<CalendarDate> parse(std::string_view text);

    int dayNumber() const;           // days since 1970-01-01
    int weekday() const;             // 0 Sunday .. 6 Saturday
    std::string isoText() const;     // 1939-01-07
    std::string storicoText() const; // 1939/01/07
    std::string programText() const; // 07/01/1939

    auto operator<=>(const CalendarDate&) const = default;
};

// "dal 24/04/1948 al 30/04/1948", with "dall'" and "all'" before the days read otto and undici.
std::string dateSpanText(const CalendarDate& first, const CalendarDate& last);

} // namespace storico
