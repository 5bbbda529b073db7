#include "core/LeadingNumber.h"

#include <cmath>
#include <string>

double leadingNumber(const QString& text) {
    std::string s;
    s.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
            c == QLatin1Char('\r'))
            continue;
        s.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '?');
    }
    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number.push_back(s[i++]);
    bool digits = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        number.push_back(s[i++]);
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        number.push_back(s[i++]);
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            number.push_back(s[i++]);
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent.push_back(s[j++]);
        const std::size_t expDigits = j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
            exponent.push_back(s[j++]);
        if (j > expDigits)
            number += exponent;
    }
    try {
        return std::stod(number);
    } catch (const std::out_of_range&) {
        return number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    } catch (const std::invalid_argument&) {
        return 0.0;
    }
}

std::optional<std::int16_t> roundToInt16(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // default rounding mode: halves to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}
