#include "core/DrawRange.h"

#include "core/DrawArchive.h"
#include "core/DrawDate.h"

#include <algorithm>

std::optional<std::int16_t> DrawRange::startMoved(std::int16_t value) {
    start = value;
    if (end < start)
        return start;
    return std::nullopt;
}

std::optional<std::int16_t> DrawRange::endMoved(std::int16_t value) {
    end = value;
    if (end < start)
        return end;
    return std::nullopt;
}

void DrawRange::moveTo(std::int16_t newStart, std::int16_t newEnd) {
    if (newStart != start) {
        if (auto dragged = startMoved(newStart); dragged && *dragged != end)
            endMoved(*dragged);
    }
    if (newEnd != end) {
        if (auto dragged = endMoved(newEnd); dragged && *dragged != start)
            startMoved(*dragged);
    }
}

std::int16_t defaultRangeStart(std::int16_t drawCount) {
    return static_cast<std::int16_t>(std::max(drawCount - 500, 1));
}

DrawRange chosenRange(std::int16_t drawCount, std::optional<int> start, std::optional<int> end) {
    DrawRange range;
    range.moveTo(defaultRangeStart(drawCount), drawCount);
    range.moveTo(static_cast<std::int16_t>(start.value_or(range.start)),
                 static_cast<std::int16_t>(end.value_or(range.end)));
    return range;
}

int lastDrawUntil(const DrawArchive& archive, const QDate& date) {
    for (int d = archive.drawCount(); d >= 1; --d)
        if (drawDay(archive, d) <= date)
            return d;
    return 0;
}

int firstDrawFrom(const DrawArchive& archive, const QDate& date) {
    for (int d = 1; d <= archive.drawCount(); ++d)
        if (drawDay(archive, d) >= date)
            return d;
    return 0;
}

std::optional<std::pair<int, int>> drawsBetween(const DrawArchive& archive, const std::optional<QDate>& from,
                                                const std::optional<QDate>& to) {
    const int first = from ? firstDrawFrom(archive, *from) : 1;
    const int last = to ? lastDrawUntil(archive, *to) : archive.drawCount();
    if (first == 0 || last == 0 || first > last)
        return std::nullopt;
    return std::pair{first, last};
}
