#pragma once

#include "io/storico/Draw.h"

#include <functional>
#include <vector>

namespace storico {

// A few old draws have one wheel drawn a day or two apart from the others; keyed by date alone that
// wheel would become a draw of its own. The rule that puts it back: a date on which only one wheel was
// drawn joins a neighbouring draw (the draw just before or just after it, with two or more wheels)
// that lacks that wheel and lies at most SplitDateMaxDays days away; the nearer one wins, the earlier
// one on a tie. The joined draw keeps its own date.
constexpr int SplitDateMaxDays = 3;

struct SplitDateJoin {
    CalendarDate lone; // the date that disappears
    CalendarDate draw; // the draw it joined
    int wheel = 0;
    bool operator==(const SplitDateJoin&) const = default;
};

// Applies the rule to draws in ascending date order; returns the joins made, in date order. When
// mayDisappear is given, only the lone draws it accepts can join another (a merge keeps every draw the
// archive already had).
std::vector<SplitDateJoin> joinSplitDates(std::vector<Draw>& draws,
                                          const std::function<bool(const Draw&)>& mayDisappear = {});

} // namespace storico
