#include "gui/statistiche/StatistichePresentation.h"

#include "ArchiveBuilder.h"
#include "QtPrinting.h"
#include "core/DrawArchive.h"
#include "gui/kit/ItalianFormat.h"

#include <QChart>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <random>

namespace statistichepresentation {

using N = ArchiveBuilder::Numbers;

// `count` draws of random numbers on every wheel, never 1 on Bari.
void withoutOneOnBari(DrawArchive& archive, int count) {
    ArchiveBuilder build(archive);
    std::mt19937 gen(240);
    for (int d = 0; d < count; ++d) {
        ArchiveBuilder::Wheels wheels;
        for (int w = 0; w < WheelCount; ++w) {
            std::vector<std::int16_t> pool(90);
            std::iota(pool.begin(), pool.end(), std::int16_t{1});
            std::shuffle(pool.begin(), pool.end(), gen);
            if (w == 0)
                pool.erase(std::find(pool.begin(), pool.end(), 1));
            wheels[w] = N{pool[0], pool[1], pool[2], pool[3], pool[4]};
        }
        build.draw(wheels);
    }
    build.finish();
}

TEST(StatisticheSentence, SaysHowOrdinaryTheLongestDelayIs) {
    DrawArchive archive;
    withoutOneOnBari(archive, 300);
    struct Case {
        const char* what;
        Sorte sorte;
        bool singleWheels;
        bool tutte;
        int first;
        int last;
        QString sentence;
    };
    const double holm = 1080 * std::pow(17.0 / 18.0, 300);
    const Case cases[] = {
        {"a delay that chance rarely gives", Sorte::Estratto, true, true, 1, 0,
         QStringLiteral(
             "Il ritardo più alto è 300 (BA 1): su 1.080 numeri un ritardo così per puro caso è raro "
             "(p corretto %1). Ogni numero esce alla prossima estrazione con probabilità 1/18 su una "
             "ruota e 0,44 su Tutte, qualunque sia il suo ritardo.")
             .arg(italian::pValue(holm))},
        {"Tutte alone", Sorte::Estratto, false, true, 1, 0, QStringLiteral("su 90 numeri")},
        {"Tutte alone", Sorte::Estratto, false, true, 1, 0,
         QStringLiteral("con probabilità 0,44 su Tutte, qualunque")},
        {"ambi", Sorte::Ambo, true, false, 1, 0,
         QStringLiteral(
             "Ogni ambo esce alla prossima estrazione con probabilità 2/801 (circa 1 su 400) su una "
             "ruota, qualunque sia il suo ritardo.")},
        {"no draw in the period", Sorte::Estratto, true, true, 2, 1,
         QStringLiteral("Nessuna estrazione delle ruote scelte nel periodo.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DelaySettings settings;
        settings.sorte = c.sorte;
        settings.wheels.fill(c.singleWheels);
        settings.wheels[TutteWheel] = c.tutte;
        settings.first = c.first;
        settings.last = c.last;
        const QString sentence =
            statistichePresentation::sentence(computeDelayStatistics(settings, archive), archive);
        EXPECT_TRUE(sentence == c.sentence || sentence.contains(c.sentence)) << sentence.toStdString();
    }
}

// The bins split every run without a gap, and hold the same runs and the same chance as the lengths.
TEST(StatisticheRunBins, CoverEveryLengthOnce) {
    DrawArchive archive;
    withoutOneOnBari(archive, 300);
    for (const Sorte sorte : {Sorte::Estratto, Sorte::Ambo}) {
        const DelayStatistics s = computeDelayStatistics(DelaySettings{sorte}, archive);
        const std::vector<statisticheCharts::RunBin> bins = statistichePresentation::runBins(s, 40);
        ASSERT_FALSE(bins.empty());
        EXPECT_LE(bins.size(), 40u);
        EXPECT_EQ(bins.front().from, 0);
        double observed = 0.0;
        double expected = 0.0;
        for (std::size_t i = 0; i < bins.size(); ++i) {
            if (i > 0) {
                EXPECT_EQ(bins[i].from, bins[i - 1].to + 1);
            }
            EXPECT_EQ(bins[i].to - bins[i].from, bins.front().to - bins.front().from);
            observed += bins[i].observed;
            expected += bins[i].expected;
        }
        const double runs = std::accumulate(s.runs.begin(), s.runs.end(), 0.0);
        const std::vector<double> chance = expectedRuns(s);
        EXPECT_EQ(observed, runs);
        EXPECT_NEAR(expected, std::accumulate(chance.begin(), chance.end(), 0.0), 0.05);
    }
}

// A period without draws has no run to count: the chart draws no axes (no "0 0 0 1 1 1"), and the panel
// says "nessun dato"; a period with draws has both series on their axes.
TEST(StatisticheRunsChart, NoDrawsNoAxes) {
    DrawArchive archive;
    withoutOneOnBari(archive, 30);
    DelaySettings empty{Sorte::Estratto};
    empty.first = 2;
    empty.last = 1;
    DelaySettings some{Sorte::Estratto};
    for (const auto& [settings, drawn] : {std::pair{empty, false}, std::pair{some, true}}) {
        const DelayStatistics s = computeDelayStatistics(settings, archive);
        const std::unique_ptr<QChart> chart(statisticheCharts::runsAgainstChance(statistichePresentation::runBins(s)));
        EXPECT_EQ(chart->series().isEmpty(), !drawn);
        EXPECT_EQ(chart->axes().isEmpty(), !drawn);
    }
}

// One row of the map per single wheel, Tutte left out; each number's delay and chance in its cell.
TEST(StatisticheMap, OneRowPerWheel) {
    DrawArchive archive;
    withoutOneOnBari(archive, 300);
    DelaySettings settings;
    settings.wheels.fill(false);
    settings.wheels[0] = settings.wheels[10] = settings.wheels[TutteWheel] = true;
    const DelayStatistics s = computeDelayStatistics(settings, archive);
    const std::vector<statisticheCharts::MapRow> rows = statistichePresentation::mapRows(s, archive);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].wheel, QStringLiteral("BA"));
    EXPECT_EQ(rows[1].wheel, QStringLiteral("NZ"));
    EXPECT_EQ(rows[0].ritardo[0], 300);
    EXPECT_DOUBLE_EQ(rows[0].pRitardo[0], std::pow(17.0 / 18.0, 300));
    EXPECT_EQ(statisticheCharts::pClass(rows[0].pRitardo[0]), 0);
    EXPECT_EQ(statisticheCharts::pClass(0.5), statisticheCharts::PClasses - 1);
    EXPECT_TRUE(
        statistichePresentation::mapRows(computeDelayStatistics(DelaySettings{Sorte::Ambo}, archive), archive)
            .empty());
}

} // namespace statistichepresentation
