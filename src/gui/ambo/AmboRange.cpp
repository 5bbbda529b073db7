#include "gui/ambo/AmboRange.h"

#include "core/DrawArchive.h"

#include <algorithm>

QString rangeLabelText(const DrawArchive& archive, int drawIndex) {
    return QString::number(drawIndex) + QLatin1Char(' ') + archive.drawDate(drawIndex) +
           QStringLiteral(" PM:") + QString::number(archive.drawNoInMonth(drawIndex));
}

std::int16_t loadRangeStart(std::int16_t drawCount) {
    return static_cast<std::int16_t>(std::max(drawCount - 500, 1));
}

std::optional<std::int16_t> rangeStartChanged(AmboState& state, std::int16_t value) {
    state.IndiceInizio = value;
    if (state.IndiceFine < state.IndiceInizio)
        return state.IndiceInizio;
    return std::nullopt;
}

std::optional<std::int16_t> rangeEndChanged(AmboState& state, std::int16_t value) {
    state.IndiceFine = value;
    if (state.IndiceFine < state.IndiceInizio)
        return state.IndiceFine;
    return std::nullopt;
}

void setRange(AmboState& state, std::int16_t start, std::int16_t end) {
    // A scroll bar set to the value it already has reports no change.
    auto moveStart = [&](std::int16_t v) {
        if (v == state.IndiceInizio)
            return;
        if (auto end2 = rangeStartChanged(state, v); end2 && *end2 != state.IndiceFine)
            rangeEndChanged(state, *end2);
    };
    moveStart(start);
    if (end != state.IndiceFine) {
        if (auto start2 = rangeEndChanged(state, end); start2 && *start2 != state.IndiceInizio)
            rangeStartChanged(state, *start2);
    }
}
