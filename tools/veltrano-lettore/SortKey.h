#pragma once

#include <string>

// The value a row is ordered by. NULL comes first, as in Access; numbers and dates compare by value
// (NaN, possible only in a damaged file, after every number so that the order stays total); text
// compares without regard to case.
struct SortKey {
    enum class Kind { Null, Number, Text };
    Kind kind = Kind::Null;
    double number = 0;
    std::string folded; // Text: the case-folded form

    static SortKey null() { return {}; }
    static SortKey fromNumber(double value);
    static SortKey fromText(const std::string& utf8);

    bool operator<(const SortKey& other) const;
};
