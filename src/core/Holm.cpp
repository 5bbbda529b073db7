#include "core/Holm.h"

#include <algorithm>
#include <numeric>

std::vector<double> holmAdjusted(std::span<const double> p) {
    std::vector<std::size_t> order(p.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return p[a] < p[b]; });
    std::vector<double> adjusted(p.size());
    const auto m = static_cast<double>(p.size());
    double running = 0.0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        running = std::max(running, std::min(1.0, (m - static_cast<double>(i)) * p[order[i]]));
        adjusted[order[i]] = running;
    }
    return adjusted;
}
