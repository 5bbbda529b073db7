#pragma once

#include "core/DrawArchive.h"

#include <utility>

// What a delay is counted for: each of the 90 numbers (estratto) or each of the 4,005 pairs of them (ambo).
enum class Sorte { Estratto, Ambo };

// Tutte: the ten wheels Bari..Venezia together (not Nazionale), after the eleven, where the wheel codes
// have "TU".
constexpr int TutteWheel = WheelCount;
constexpr int TutteWheels = 10;

constexpr int itemCount(Sorte sorte) {
    return sorte == Sorte::Estratto ? 90 : 90 * 89 / 2;
}

// The chance that one item comes out in one wheel's draw of five numbers out of 90: 5/90 for a number,
// C(88, 3) / C(90, 5) = 2/801 for a pair.
constexpr double wheelChance(Sorte sorte) {
    return sorte == Sorte::Estratto ? 5.0 / 90.0 : 2.0 / 801.0;
}

// Items are numbered from 0: estratto n is n - 1; ambo a-b (a < b) comes after every pair with a smaller
// first number, then by its second number, so that item order is the order of the numbers.
// Either order; a != b, both 1..90. Inline: the walker calls it for every pair of every draw.
constexpr int amboItem(int a, int b) {
    if (a > b)
        std::swap(a, b);
    // (a - 1) * 90 - (a - 1) * a / 2 pairs have a first number below a.
    return (a - 1) * 90 - (a - 1) * a / 2 + b - a - 1;
}
// The numbers of an item, smaller first; the second is 0 for an estratto.
std::pair<int, int> itemNumbers(Sorte sorte, int item);
