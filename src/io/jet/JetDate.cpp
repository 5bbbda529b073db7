#include "io/jet/JetDate.h"

#include "io/jet/JetError.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace jet {

namespace {

// Days since 1970-01-01 in the proleptic Gregorian calendar (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2 ? 1 : 0));
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : lengths[m - 1];
}

const std::int64_t kEpoch = daysFromCivil(1899, 12, 30);
// Access keeps dates between 100-01-01 and 9999-12-31.
const std::int64_t kFirstDay = daysFromCivil(100, 1, 1) - kEpoch;
const std::int64_t kLastDay = daysFromCivil(9999, 12, 31) - kEpoch;

} // namespace

double toJetDate(const CivilDateTime& v) {
    if (v.year < 100 || v.year > 9999 || v.month < 1 || v.month > 12 || v.day < 1 ||
        v.day > daysInMonth(v.year, v.month) || v.hour < 0 || v.hour > 23 || v.minute < 0 || v.minute > 59 ||
        v.second < 0 || v.second > 59)
        throw JetError("Data non valida: " + std::to_string(v.day) + "/" + std::to_string(v.month) + "/" +
                       std::to_string(v.year) + " " + std::to_string(v.hour) + ":" +
                       std::to_string(v.minute) + ":" + std::to_string(v.second));
    const auto days = static_cast<double>(
        daysFromCivil(v.year, static_cast<unsigned>(v.month), static_cast<unsigned>(v.day)) - kEpoch);
    const double time = (v.hour * 3600.0 + v.minute * 60.0 + v.second) / 86400.0;
    // Before the epoch the whole part counts days backwards but the time of day still runs forwards.
    return days < 0 ? days - time : days + time;
}

double toJetDate(int year, int month, int day) {
    return toJetDate(CivilDateTime{year, month, day, 0, 0, 0});
}

CivilDateTime fromJetDate(double value) {
    if (!std::isfinite(value) || value < static_cast<double>(kFirstDay) - 1 ||
        value >= static_cast<double>(kLastDay) + 1)
        throw JetError("Data fuori dall'intervallo ammesso (anni 100-9999): " + std::to_string(value));
    auto day = static_cast<std::int64_t>(std::trunc(value));
    auto seconds = static_cast<std::int64_t>(std::llround(std::fabs(value - std::trunc(value)) * 86400.0));
    if (seconds >= 86400) {
        // Rounded up to midnight: the next calendar day (for negative days too, the time runs forwards).
        seconds = 0;
        day += 1;
    }
    if (day < kFirstDay || day > kLastDay)
        throw JetError("Data fuori dall'intervallo ammesso (anni 100-9999): " + std::to_string(value));
    CivilDateTime out;
    civilFromDays(day + kEpoch, out.year, out.month, out.day);
    out.hour = static_cast<int>(seconds / 3600);
    out.minute = static_cast<int>(seconds / 60 % 60);
    out.second = static_cast<int>(seconds % 60);
    return out;
}

} // namespace jet
