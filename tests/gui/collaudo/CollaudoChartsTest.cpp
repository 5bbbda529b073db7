#include "gui/collaudo/CollaudoCharts.h"

#include <QChart>
#include <QDateTime>
#include <QLineSeries>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

// The tick texts as a date-time axis draws them: ticks spread evenly from the range's start to its end.
QStringList tickTexts(const collaudoCharts::TimeAxisLayout& layout) {
    const qint64 from = layout.from.startOfDay().toMSecsSinceEpoch();
    const qint64 to = layout.to.startOfDay().toMSecsSinceEpoch();
    QStringList texts;
    for (int i = 0; i < layout.ticks; ++i)
        texts << QDateTime::fromMSecsSinceEpoch(from + (to - from) * i / (layout.ticks - 1))
                     .date()
                     .toString(layout.format);
    return texts;
}

TEST(CollaudoCharts, TimeAxisShowsEachTickTextOnceAndCoversTheRange) {
    const std::pair<QDate, QDate> ranges[] = {
        {QDate(2016, 1, 5), QDate(2019, 12, 20)}, {QDate(1871, 1, 7), QDate(2024, 12, 31)},
        {QDate(2010, 2, 28), QDate(2013, 3, 1)},  {QDate(2000, 6, 30), QDate(2004, 7, 2)},
        {QDate(2019, 11, 30), QDate(2020, 5, 2)}, {QDate(2020, 1, 31), QDate(2020, 12, 31)},
        {QDate(2020, 1, 2), QDate(2020, 1, 4)},   {QDate(2020, 1, 2), QDate(2020, 1, 2)},
        {QDate(2020, 1, 2), QDate(2020, 3, 30)},  {QDate(1939, 1, 7), QDate(1942, 1, 10)},
    };
    for (const auto& [first, last] : ranges) {
        SCOPED_TRACE(first.toString(Qt::ISODate).toStdString() + " - " +
                     last.toString(Qt::ISODate).toStdString());
        const collaudoCharts::TimeAxisLayout layout = collaudoCharts::timeAxisLayout(first, last);
        EXPECT_LE(layout.from, first);
        EXPECT_GE(layout.to, last);
        EXPECT_GE(layout.ticks, 2);
        EXPECT_LE(layout.ticks, 9);
        const QStringList texts = tickTexts(layout);
        EXPECT_EQ(QSet<QString>(texts.begin(), texts.end()).size(), texts.size())
            << texts.join(' ').toStdString();
    }
}

TEST(CollaudoCharts, BalanceWithNothingStakedSaysSoAndDrawsNoAxis) {
    const std::vector<collaudoCharts::BalanceStep> steps{{QDate(2020, 1, 2), 0.0}, {QDate(2020, 1, 4), 0.0}};
    const std::unique_ptr<QChart> none(collaudoCharts::balanceOverTime(steps, std::nullopt));
    EXPECT_EQ(none->title(), "Saldo nel tempo: nessuna giocata, tutte le poste sono a zero");
    EXPECT_TRUE(none->axes().isEmpty());
    EXPECT_TRUE(none->series().isEmpty());
    const std::unique_ptr<QChart> noCase(collaudoCharts::balanceOverTime({}, std::nullopt));
    EXPECT_EQ(noCase->title(), "Saldo nel tempo: nessun caso");

    const std::unique_ptr<QChart> played(collaudoCharts::balanceOverTime(steps, 0.0));
    EXPECT_EQ(played->series().size(), 1);
    EXPECT_EQ(played->axes().size(), 2);
}

// No case: no axis of years from 0 to 1, no colpi at zero, nothing for the panel to draw ("nessun dato").
TEST(CollaudoCharts, ChartsWithoutCasesDrawNoAxis) {
    const std::unique_ptr<QChart> noColpo(collaudoCharts::positivesByColpo({{1, 0.0, 0.0}, {2, 0.0, 0.0}}));
    EXPECT_TRUE(noColpo->axes().isEmpty());
    EXPECT_TRUE(noColpo->series().isEmpty());
    const std::unique_ptr<QChart> someColpo(collaudoCharts::positivesByColpo({{1, 0.0, 0.1}, {2, 0.5, 0.2}}));
    EXPECT_EQ(someColpo->series().size(), 2);
    const std::unique_ptr<QChart> none(collaudoCharts::positivesPerYear({}));
    EXPECT_EQ(none->title(), "Positivi per anno");
    EXPECT_TRUE(none->axes().isEmpty());
    EXPECT_TRUE(none->series().isEmpty());
    const std::unique_ptr<QChart> one(collaudoCharts::positivesPerYear({{2020, 3, 2.5}}));
    EXPECT_FALSE(one->series().isEmpty());
    EXPECT_FALSE(one->axes().isEmpty());
}

} // namespace

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
