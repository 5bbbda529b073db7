#include "gui/ambo/AmboRange.h"

#include "core/DrawArchive.h"
#include "core/DrawRange.h"

QString rangeLabelText(const DrawArchive& archive, int drawIndex) {
    return QString::number(drawIndex) + QLatin1Char(' ') + archive.drawDate(drawIndex) +
           QStringLiteral(" PM:") + QString::number(archive.drawNoInMonth(drawIndex));
}

std::int16_t loadRangeStart(std::int16_t drawCount) {
    return defaultRangeStart(drawCount);
}

namespace {
DrawRange rangeOf(const AmboState& state) {
    return {state.IndiceInizio, state.IndiceFine};
}
} // namespace

std::optional<std::int16_t> rangeStartChanged(AmboState& state, std::int16_t value) {
    DrawRange range = rangeOf(state);
    const auto dragged = range.startMoved(value);
    state.IndiceInizio = range.start;
    return dragged;
}

std::optional<std::int16_t> rangeEndChanged(AmboState& state, std::int16_t value) {
    DrawRange range = rangeOf(state);
    const auto dragged = range.endMoved(value);
    state.IndiceFine = range.end;
    return dragged;
}

void setRange(AmboState& state, std::int16_t start, std::int16_t end) {
    DrawRange range = rangeOf(state);
    range.moveTo(start, end);
    state.IndiceInizio = range.start;
    state.IndiceFine = range.end;
}
