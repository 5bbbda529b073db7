#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <vector>

class QChart;

// The two charts of "Ritardi e frequenze", each built from plain series so that a test reads back what
// was plotted. The caller owns the chart (a QChartView takes it over).
namespace statisticheCharts {

// Runs without exit whose length lies in from..to, as counted and as chance gives them.
struct RunBin {
    int from = 0;
    int to = 0;
    double observed = 0.0;
    double expected = 0.0;
};

// Observed runs as points, chance's geometric law as a dashed line, on a logarithmic scale of counts.
QChart* runsAgainstChance(const std::vector<RunBin>& bins);

// One wheel's row of the map: the current delay of each number 1..90 and its p ritardo.
struct MapRow {
    QString wheel;
    std::array<int, 90> ritardo{};
    std::array<double, 90> pRitardo{};
};

// The classes of p ritardo the map is coloured by, from the least likely delays to ordinary ones.
constexpr int PClasses = 5;
int pClass(double p);
QString pClassName(int pClass);
QColor pClassColour(int pClass);

// Numbers across, wheels down, each cell coloured by the class of its p ritardo: one area per class.
QChart* delayMap(const std::vector<MapRow>& rows);

} // namespace statisticheCharts
