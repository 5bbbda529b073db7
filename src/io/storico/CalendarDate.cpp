#include "io/storico/CalendarDate.h"

#include <chrono>
#include <cstdio>

namespace storico {

namespace {

std::chrono::year_month_day toChrono(const CalendarDate& date) {
    return std::chrono::year_month_day{std::chrono::year{date.year},
                                       std::chrono::month{static_cast<unsigned>(date.month)},
                                       std::chrono::day{static_cast<unsigned>(date.day)}};
}

// Digits only, at most 4 of them; -1 otherwise.
int smallNumber(std::string_view text) {
    if (text.empty() || text.size() > 4)
        return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<CalendarDate> CalendarDate::fromYmd(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    CalendarDate date{year, month, day};
    if (!toChrono(date).ok())
        return std::nullopt;
    return date;
}

CalendarDate CalendarDate::fromDayNumber(int dayNumber) {
    const std::chrono::year_month_day ymd{std::chrono::sys_days{std::chrono::days{dayNumber}}};
    return CalendarDate{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                        static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

std::optional<CalendarDate> CalendarDate::parse(std::string_view text) {
    const auto separator = text.find_first_of("/-.");
    if (separator == std::string_view::npos)
        return std::nullopt;
    const char sep = text[separator];
    const auto second = text.find(sep, separator + 1);
    if (second == std::string_view::npos || text.find(sep, second + 1) != std::string_view::npos)
        return std::nullopt;
    const std::string_view parts[3] = {text.substr(0, separator),
                                       text.substr(separator + 1, second - separator - 1),
                                       text.substr(second + 1)};
    int values[3];
    for (int i = 0; i < 3; ++i) {
        values[i] = smallNumber(parts[i]);
        if (values[i] < 0)
            return std::nullopt;
    }
    // A four-digit year from 1000: a leading zero there is a typo, and the archive cannot hold such years.
    if (parts[0].size() == 4 && values[0] >= 1000 && parts[1].size() <= 2 && parts[2].size() <= 2)
        return fromYmd(values[0], values[1], values[2]);
    if (parts[2].size() == 4 && values[2] >= 1000 && parts[0].size() <= 2 && parts[1].size() <= 2)
        return fromYmd(values[2], values[1], values[0]);
    return std::nullopt;
}

int CalendarDate::dayNumber() const {
    return std::chrono::sys_days{toChrono(*this)}.time_since_epoch().count();
}

int CalendarDate::weekday() const {
    return static_cast<int>(std::chrono::weekday{std::chrono::sys_days{toChrono(*this)}}.c_encoding());
}

std::string CalendarDate::isoText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

std::string CalendarDate::storicoText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", year, month, day);
    return text;
}

std::string CalendarDate::programText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", day, month, year);
    return text;
}

std::string dateSpanText(const CalendarDate& first, const CalendarDate& last) {
    const auto startsWithVowel = [](const CalendarDate& date) { return date.day == 8 || date.day == 11; };
    return (startsWithVowel(first) ? "dall'" : "dal ") + first.programText() +
           (startsWithVowel(last) ? " all'" : " al ") + last.programText();
}

} // namespace storico
