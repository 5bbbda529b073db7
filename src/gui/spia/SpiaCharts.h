#pragma once

#include <array>

class QChart;

// The chart of "Numeri spia", built from plain figures so that a test reads back what was plotted. The
// caller owns the chart (a QChartView takes it over).
namespace spiaCharts {

// The presences of the 90 followers as points, the expected presences as a line and the band chance alone
// gives (expected ± 2 deviations) as a shaded area, followers across.
QChart* presencesAgainstChance(const std::array<int, 90>& presenze, double attese, double deviazione);

} // namespace spiaCharts
