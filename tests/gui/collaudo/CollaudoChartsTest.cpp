#include "gui/collaudo/CollaudoCharts.h"

#include <QChart>
#include <QDateTime>
#include <QLineSeries>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace collaudocharts {

// Thousands of dates are drawn with fewer points, but the line still starts and ends where the balance
// does and reaches its lowest and highest values, in the order of the dates.
TEST(CollaudoBalanceChart, ThousandsOfStepsKeepTheirEndsAndSwings) {
    std::mt19937 gen(7);
    std::normal_distribution<double> move(0.0, 10.0);
    std::vector<collaudoCharts::BalanceStep> steps;
    double balance = 0.0;
    for (QDate day(1950, 1, 7); steps.size() < 9000; day = day.addDays(3)) {
        balance += move(gen);
        steps.push_back({day, balance});
    }
    std::unique_ptr<QChart> chart(collaudoCharts::balanceOverTime(steps, -0.2));
    const auto* line = qobject_cast<QLineSeries*>(chart->series().at(0));
    ASSERT_NE(line, nullptr);
    const QList<QPointF> points = line->points();
    EXPECT_LE(points.size(), 1600);
    auto dayOf = [](const QPointF& p) {
        return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(p.x())).date();
    };
    EXPECT_EQ(dayOf(points.front()), steps.front().date);
    EXPECT_EQ(dayOf(points.back()), steps.back().date);
    EXPECT_EQ(points.front().y(), steps.front().balance);
    EXPECT_EQ(points.back().y(), steps.back().balance);
    const auto [low, high] = std::minmax_element(
        steps.begin(), steps.end(), [](const auto& a, const auto& b) { return a.balance < b.balance; });
    bool lowSeen = false;
    bool highSeen = false;
    for (int i = 0; i < points.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(points[i - 1].x(), points[i].x()) << i;
        }
        lowSeen = lowSeen || (points[i].y() == low->balance && dayOf(points[i]) == low->date);
        highSeen = highSeen || (points[i].y() == high->balance && dayOf(points[i]) == high->date);
    }
    EXPECT_TRUE(lowSeen);
    EXPECT_TRUE(highSeen);

    // A short history keeps every step.
    const std::vector<collaudoCharts::BalanceStep> few(steps.begin(), steps.begin() + 30);
    std::unique_ptr<QChart> small(collaudoCharts::balanceOverTime(few, -0.2));
    EXPECT_EQ(qobject_cast<QLineSeries*>(small->series().at(0))->count(), 30);
}

} // namespace collaudocharts
