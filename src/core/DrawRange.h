#pragma once

#include <QDate>
#include <cstdint>
#include <optional>
#include <utility>

class DrawArchive;

// A range of draws set with two bounds, as the ambo window's two scroll bars keep it: a bound moved past
// the other drags the other to the same draw.
struct DrawRange {
    std::int16_t start = 0;
    std::int16_t end = 0;

    // One bound moved: stores it and, when the start would lie after the end, returns the value the other
    // bound must take (its own move then follows, as the other scroll bar's handler runs).
    std::optional<std::int16_t> startMoved(std::int16_t value);
    std::optional<std::int16_t> endMoved(std::int16_t value);

    // The start, then the end, each followed by the other's move when it drags it. A bound given the value
    // it already has does not move, as a scroll bar set to its own value reports no change.
    void moveTo(std::int16_t newStart, std::int16_t newEnd);
};

// The start a range takes on loading: 500 draws before the last, never before the first.
std::int16_t defaultRangeStart(std::int16_t drawCount);

// The range on loading (defaultRangeStart to the last draw), then moved to the bounds given, each bound
// left where it is when absent. The bounds must lie in the archive.
DrawRange chosenRange(std::int16_t drawCount, std::optional<int> start, std::optional<int> end);

// The first draw on or after a date, and the last on or before it; 0 when there is none.
int firstDrawFrom(const DrawArchive& archive, const QDate& date);
int lastDrawUntil(const DrawArchive& archive, const QDate& date);

// The first and the last draw between two dates, both included (the archive's first and last draw where
// a date is not given); none when no draw lies between them.
std::optional<std::pair<int, int>> drawsBetween(const DrawArchive& archive, const std::optional<QDate>& from,
                                                const std::optional<QDate>& to);
