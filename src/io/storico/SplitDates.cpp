#include "io/storico/SplitDates.h"

#include <cstdlib>

namespace storico {

namespace {

int loneWheel(const Draw& draw) {
    for (int wheel = 0; wheel < WheelCount; ++wheel)
        if (draw.wheels[static_cast<std::size_t>(wheel)])
            return wheel;
    return -1;
}

bool canTake(const Draw& candidate, const Draw& lone, int wheel) {
    return candidate.wheelCount() >= 2 && !candidate.wheels[static_cast<std::size_t>(wheel)] &&
           std::abs(candidate.date.dayNumber() - lone.date.dayNumber()) <= SplitDateMaxDays;
}

} // namespace

std::vector<SplitDateJoin> joinSplitDates(std::vector<Draw>& draws,
                                          const std::function<bool(const Draw&)>& mayDisappear) {
    std::vector<SplitDateJoin> joins;
    std::size_t i = 0;
    while (i < draws.size()) {
        const Draw& lone = draws[i];
        if (lone.wheelCount() != 1 || (mayDisappear && !mayDisappear(lone))) {
            ++i;
            continue;
        }
        const int wheel = loneWheel(lone);
        Draw* before = i > 0 && canTake(draws[i - 1], lone, wheel) ? &draws[i - 1] : nullptr;
        Draw* after = i + 1 < draws.size() && canTake(draws[i + 1], lone, wheel) ? &draws[i + 1] : nullptr;
        if (before && after) {
            const int dayBefore = lone.date.dayNumber() - before->date.dayNumber();
            const int dayAfter = after->date.dayNumber() - lone.date.dayNumber();
            if (dayAfter < dayBefore)
                before = nullptr;
        }
        Draw* target = before ? before : after;
        if (!target) {
            ++i;
            continue;
        }
        target->wheels[static_cast<std::size_t>(wheel)] = lone.wheels[static_cast<std::size_t>(wheel)];
        joins.push_back({lone.date, target->date, wheel});
        draws.erase(draws.begin() + static_cast<long>(i));
    }
    return joins;
}

} // namespace storico
