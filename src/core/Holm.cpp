#include "core/Holm.h"

#include <algorithm>
#include <utility>

std::vector<double> holmAdjusted(std::span<const double> p) {
    // Equal p-values come out equal whatever their order among themselves, so any sort will do.
    std::vector<std::pair<double, std::size_t>> order(p.size());
    for (std::size_t i = 0; i < p.size(); ++i)
        order[i] = {p[i], i};
    std::sort(order.begin(), order.end());
    std::vector<double> adjusted(p.size());
    const auto m = static_cast<double>(p.size());
    double running = 0.0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        running = std::max(running, std::min(1.0, (m - static_cast<double>(i)) * order[i].first));
        adjusted[order[i].second] = running;
    }
    return adjusted;
}
