#pragma once

#include "gui/ambo/AmboState.h"

#include <QString>
#include <cstdint>
#include <optional>

class DrawArchive;

// What the change handlers of the two range scroll bars do, on the rules of a draw range (core/DrawRange.h).
// Each stores its bound and, when the start would lie after the end, returns the value the other scroll
// bar must take (its own change handler then runs with it); the window sets that value on the real
// scroll bar.

// The label beside a scroll bar, "812 22/12/2022 PM:10": DrawIndex, date, progressive number in the month.
QString rangeLabelText(const DrawArchive& archive, int drawIndex);

// The start the window's load gives the range: 500 draws before the last, never before the first.
std::int16_t loadRangeStart(std::int16_t drawCount);

// HsInizio_Change: returns the value HsFine must take, if any.
std::optional<std::int16_t> rangeStartChanged(AmboState& state, std::int16_t value);
// HsFine_Change: returns the value HsInizio must take, if any.
std::optional<std::int16_t> rangeEndChanged(AmboState& state, std::int16_t value);

// The whole load step for a range without real scroll bars (batch tool, tests): start, then end, each
// followed by the other bound's handler when it is dragged along.
void setRange(AmboState& state, std::int16_t start, std::int16_t end);
