#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The numeric value of the leading characters of a text, read the way the program has always read
// typed and stored numbers: blanks anywhere are skipped, then an optional sign, digits, an optional
// decimal part ('.') and exponent; a text that does not begin with a number gives 0.
double leadingNumber(const QString& text);

// Rounds to the nearest 16-bit whole number, a value exactly halfway going to the even neighbour;
// nullopt when the result does not fit 16 bits.
std::optional<std::int16_t> roundToInt16(double value);
