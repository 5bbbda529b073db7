#include "gui/collaudo/CollaudoCharts.h"

#include <QChart>
#include <QDateTime>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>

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

} // namespace
