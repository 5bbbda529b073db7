#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

class QChart;

// The three charts of a back-test, each built from plain series so that a test reads back exactly what
// was plotted. The caller owns the chart (a QChartView takes it over).
namespace collaudoCharts {

// Complete cases positive by colpo k, cumulative, as shares of the complete cases, beside the share
// expected by chance.
struct ColpoShare {
    int colpo = 0;
    double observed = 0.0;
    double expected = 0.0;
};

// The cumulative balance after each case, at the date of its draw.
struct BalanceStep {
    QDate date;
    double balance = 0.0;
};

struct YearPositives {
    int year = 0;
    int positives = 0;
    double expected = 0.0;
};

// How a time axis from `first` to `last` is drawn: its range, its evenly spread ticks and their format,
// chosen so that no two ticks show the same text.
struct TimeAxisLayout {
    QDate from;
    QDate to;
    int ticks = 2;
    QString format;
};
TimeAxisLayout timeAxisLayout(const QDate& first, const QDate& last);

QChart* positivesByColpo(const std::vector<ColpoShare>& points);
// The yield (balance / spent) goes into the title; none when nothing was spent.
QChart* balanceOverTime(const std::vector<BalanceStep>& steps, std::optional<double> yield);
QChart* positivesPerYear(const std::vector<YearPositives>& years);

} // namespace collaudoCharts
