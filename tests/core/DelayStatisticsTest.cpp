#include "core/DelayStatistics.h"

#include "ArchiveBuilder.h"
#include "ArchiveFixtures.h"
#include "WheelCodes.h"
#include "core/DelayWalker.h"
#include "core/DrawArchive.h"
#include "core/Holm.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>

namespace delaystatistics {

using N = ArchiveBuilder::Numbers;

// Eight draws worked by hand below. Bari is not drawn in draws 2 and 6, Cagliari not in 4, 6 and 7,
// Nazionale only in 6, Genova never; draw 7 holds a damaged Bari cell (7 twice and 95); draw 8 no wheel.
// Sequences (DrawIndex -> position): BA 1,3,4,5,7 -> 1..5; CA 1,2,3,5 -> 1..4; NZ 6 -> 1;
// TU 1,2,3,4,5,7 -> 1..6 with 2,1,2,1,2,1 of the ten wheels drawn.
void handWorked(DrawArchive& archive) {
    ArchiveBuilder build(archive);
    build.draw({{BA, N{1, 2, 3, 4, 5}}, {CA, N{2, 1, 12, 13, 14}}});
    build.draw({{CA, N{1, 20, 21, 22, 23}}});
    build.draw({{BA, N{6, 7, 8, 9, 1}}, {CA, N{30, 31, 32, 33, 34}}});
    build.draw({{BA, N{40, 41, 42, 43, 44}}});
    build.draw({{BA, N{1, 50, 51, 52, 53}}, {CA, N{2, 60, 61, 62, 63}}});
    build.draw({{NZ, N{1, 70, 71, 72, 73}}});
    build.draw({{BA, N{7, 7, 95, 0, 0}}});
    build.emptyDraws(1);
    build.finish();
}

int itemOf(Sorte sorte, int a, int b) {
    return sorte == Sorte::Estratto ? a - 1 : amboItem(a, b);
}

const DelayItem& find(const DelayStatistics& s, int wheel, int item) {
    for (const DelayItem& d : s.items)
        if (d.wheel == wheel && d.item == item)
            return d;
    throw std::out_of_range("no such item");
}

struct ItemCase {
    const char* what;
    Sorte sorte;
    int wheel;
    int a, b;
    int frequenza, ritardo, ritardoMassimo;
    double ritardoMedio;
    int ultimaUscita;
    int wheelDrawsInDelay; // p ritardo = (1 - q)^this
};

constexpr Sorte E = Sorte::Estratto;
constexpr Sorte A = Sorte::Ambo;

const ItemCase ItemCases[] = {
    {"out in the first and in the last draw of a wheel", E, BA, 1, 0, 3, 1, 1, 2.0 / 4, 5, 1},
    {"out in the first draw only", E, BA, 2, 0, 1, 4, 4, 4.0 / 2, 1, 4},
    {"the damaged cell counts once, in the last draw", E, BA, 7, 0, 2, 0, 2, 3.0 / 3, 7, 0},
    {"the draws Bari was not drawn in are no part of its runs", E, BA, 44, 0, 1, 2, 2, 4.0 / 2, 4, 2},
    {"never out", E, BA, 90, 0, 0, 5, 5, 5.0, 0, 5},
    {"a wheel missing in some draws", E, CA, 1, 0, 2, 2, 2, 2.0 / 3, 2, 2},
    {"out in a wheel's first and last draw", E, CA, 2, 0, 2, 0, 2, 2.0 / 3, 5, 0},
    {"one draw of Nazionale", E, NZ, 1, 0, 1, 0, 0, 0.0, 6, 0},
    {"never out in one draw", E, NZ, 2, 0, 0, 1, 1, 1.0, 0, 1},
    {"a wheel never drawn", E, GE, 1, 0, 0, 0, 0, 0.0, 0, 0},
    {"Tutte: out on either wheel, on both only once", E, TU, 1, 0, 4, 1, 1, 2.0 / 5, 5, 1},
    {"Tutte: Nazionale is not one of the ten", E, TU, 70, 0, 0, 6, 6, 6.0, 0, 9},
    {"Tutte: Bari and then Cagliari", E, TU, 2, 0, 2, 1, 3, 4.0 / 3, 5, 1},
    {"Tutte: the delay's chance counts the wheels drawn", E, TU, 6, 0, 1, 3, 3, 5.0 / 2, 3, 4},
    {"Tutte: out in the last draw", E, TU, 7, 0, 2, 0, 2, 4.0 / 3, 7, 0},
    {"Tutte: never out", E, TU, 90, 0, 0, 6, 6, 6.0, 0, 9},
    {"ambo in the first draw", A, BA, 1, 2, 1, 4, 4, 2.0, 1, 4},
    {"ambo, numbers given in either order", A, BA, 9, 1, 1, 3, 3, 2.0, 3, 3},
    {"no ambo from a number repeated in a damaged cell", A, BA, 7, 8, 1, 3, 3, 2.0, 3, 3},
    {"ambo on Cagliari", A, CA, 1, 2, 1, 3, 3, 3.0 / 2, 1, 3},
    {"Tutte: an ambo on two wheels at once counts once", A, TU, 1, 2, 1, 5, 5, 5.0 / 2, 1, 7},
    {"Tutte: an ambo on one wheel", A, TU, 1, 20, 1, 4, 4, 5.0 / 2, 2, 6},
    {"Tutte: numbers on different wheels make no ambo", A, TU, 1, 60, 0, 6, 6, 6.0, 0, 9},
    {"ambo never out", A, NZ, 89, 90, 0, 1, 1, 1.0, 0, 1},
};

TEST(DelayStatisticsByHand, EachItemAsWorkedOut) {
    DrawArchive archive;
    handWorked(archive);
    DelaySettings settings;
    for (const Sorte sorte : {Sorte::Estratto, Sorte::Ambo}) {
        settings.sorte = sorte;
        const DelayStatistics s = computeDelayStatistics(settings, archive);
        ASSERT_EQ(s.items.size(), 12u * static_cast<std::size_t>(itemCount(sorte)));
        const double q = wheelChance(sorte);
        for (const ItemCase& c : ItemCases) {
            if (c.sorte != sorte)
                continue;
            SCOPED_TRACE(c.what);
            const DelayItem& d = find(s, c.wheel, itemOf(sorte, c.a, c.b));
            EXPECT_EQ(d.frequenza, c.frequenza);
            EXPECT_EQ(d.ritardo, c.ritardo);
            EXPECT_EQ(d.ritardoMassimo, c.ritardoMassimo);
            EXPECT_DOUBLE_EQ(d.ritardoMedio, c.ritardoMedio);
            EXPECT_EQ(d.ultimaUscita, c.ultimaUscita);
            EXPECT_NEAR(d.pRitardo, std::pow(1.0 - q, c.wheelDrawsInDelay), 1e-15);
        }
    }
}

// Expected frequency and z: the sum of each draw's chance, 1 - (1 - q)^k on Tutte.
TEST(DelayStatisticsByHand, ExpectedFrequencyAndZ) {
    DrawArchive archive;
    handWorked(archive);
    const double q = 5.0 / 90.0;
    const double two = 1.0 - (1.0 - q) * (1.0 - q);
    struct Case {
        int wheel;
        int number;
        double expected;
        double variance;
    } cases[] = {
        {BA, 1, 5 * q, 5 * q * (1 - q)},
        {CA, 2, 4 * q, 4 * q * (1 - q)},
        {NZ, 1, q, q * (1 - q)},
        {TU, 1, 3 * two + 3 * q, 3 * two * (1 - two) + 3 * q * (1 - q)},
        {GE, 1, 0.0, 0.0},
    };
    const DelayStatistics s = computeDelayStatistics(DelaySettings{}, archive);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wheel);
        const DelayItem& d = find(s, c.wheel, c.number - 1);
        EXPECT_NEAR(d.frequenzaAttesa, c.expected, 1e-12);
        if (c.variance == 0.0) {
            EXPECT_FALSE(d.z.has_value());
            EXPECT_EQ(d.pRitardo, 1.0);
            continue;
        }
        ASSERT_TRUE(d.z.has_value());
        EXPECT_NEAR(*d.z, (d.frequenza - c.expected) / std::sqrt(c.variance), 1e-12);
    }
    EXPECT_DOUBLE_EQ(nextDrawChance(Sorte::Estratto, BA), 1.0 / 18.0);
    EXPECT_DOUBLE_EQ(nextDrawChance(Sorte::Ambo, NZ), 2.0 / 801.0);
    EXPECT_DOUBLE_EQ(nextDrawChance(Sorte::Estratto, TU, 2), two);
}

TEST(DelayStatisticsByHand, RangeCutsTheSequences) {
    DrawArchive archive;
    handWorked(archive);
    DelaySettings settings;
    settings.first = 3;
    settings.last = 5; // Bari 3, 4, 5; Tutte the same
    settings.wheels.fill(false);
    settings.wheels[BA] = settings.wheels[TU] = true;
    const DelayStatistics s = computeDelayStatistics(settings, archive);
    ASSERT_EQ(s.wheels.size(), 2u);
    EXPECT_EQ(s.wheels[0].estrazioni(), 3);
    EXPECT_EQ(s.wheels[1].estrazioni(), 3);
    const DelayItem& one = find(s, BA, 0);
    EXPECT_EQ(one.frequenza, 2);
    EXPECT_EQ(one.ritardo, 0);
    EXPECT_EQ(one.ritardoMassimo, 1);
    const DelayItem& two = find(s, TU, 1); // out in 5 on Cagliari
    EXPECT_EQ(two.frequenza, 1);
    EXPECT_EQ(two.ritardoMassimo, 2);
    EXPECT_EQ(two.ultimaUscita, 5);
    EXPECT_EQ(s.items.size(), 180u);
}

// The walker after each step of Bari: the draw reached and what a back-test would read.
TEST(DelayWalkerByHand, DelaysAfterEachDraw) {
    DrawArchive archive;
    handWorked(archive);
    struct Step {
        int draw;
        int exits;
        int delayOf1, delayOf7, delayOf90;
        int lastExitOf1;
    } steps[] = {
        {1, 5, 0, 1, 1, 1}, {3, 5, 0, 0, 2, 3}, {4, 5, 1, 1, 3, 3}, {5, 5, 0, 2, 4, 5}, {7, 1, 1, 0, 5, 5},
    };
    DelayWalker walker(archive, Sorte::Estratto, BA, 1, archive.drawCount());
    EXPECT_EQ(walker.delay(0), 0);
    for (const Step& st : steps) {
        SCOPED_TRACE(st.draw);
        ASSERT_TRUE(walker.step());
        EXPECT_EQ(walker.draw(), st.draw);
        EXPECT_EQ(walker.drawnWheels(), 1);
        EXPECT_EQ(static_cast<int>(walker.exits().size()), st.exits);
        EXPECT_EQ(walker.delay(0), st.delayOf1);
        EXPECT_EQ(walker.delay(6), st.delayOf7);
        EXPECT_EQ(walker.delay(89), st.delayOf90);
        EXPECT_EQ(walker.lastExit(0), st.lastExitOf1);
    }
    EXPECT_FALSE(walker.step());
    EXPECT_EQ(walker.length(), 5);

    // On Tutte the runs an exit ends are the delays just before it.
    DelayWalker tutte(archive, Sorte::Estratto, TU, 1, archive.drawCount());
    std::vector<std::pair<int, int>> runsOf6;
    while (tutte.step([&](int item, int run) {
        if (item == 5)
            runsOf6.emplace_back(tutte.draw(), run);
    })) {
    }
    EXPECT_EQ(runsOf6, (std::vector<std::pair<int, int>>{{3, 2}}));
    EXPECT_EQ(tutte.length(), 6);
}

// Every order, with ties across wheels and within one: ties keep wheels BA..NZ, Tutte, then numbers.
TEST(DelayRanking, TiesByWheelThenNumbers) {
    auto item = [](int wheel, int number, int ritardo, int massimo, int frequenza, double p) {
        DelayItem d;
        d.wheel = static_cast<std::int8_t>(wheel);
        d.item = static_cast<std::int16_t>(number - 1);
        d.ritardo = ritardo;
        d.ritardoMassimo = massimo;
        d.frequenza = frequenza;
        d.pRitardo = p;
        return d;
    };
    // In table order: Bari 1, 2, 3; Nazionale 1, 2; Tutte 1, 2.
    const std::vector<DelayItem> items{
        item(BA, 1, 4, 9, 2, 0.3), item(BA, 2, 7, 9, 5, 0.3), item(BA, 3, 4, 8, 5, 0.1),
        item(NZ, 1, 7, 8, 2, 0.1), item(NZ, 2, 4, 9, 5, 0.3), item(TU, 1, 7, 9, 2, 0.1),
        item(TU, 2, 1, 2, 6, 0.9),
    };
    struct Case {
        DelayOrder order;
        std::vector<int> ranked;
    } cases[] = {
        {DelayOrder::Ritardo, {1, 3, 5, 0, 2, 4, 6}},
        {DelayOrder::RitardoMassimo, {0, 1, 4, 5, 2, 3, 6}},
        {DelayOrder::Frequenza, {6, 1, 2, 4, 0, 3, 5}},
        {DelayOrder::P, {2, 3, 5, 0, 1, 4, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.order));
        EXPECT_EQ(rankDelayItems(items, c.order), c.ranked);
    }
}

// Holm: sorted 0.01, 0.03, 0.04, 0.5 become 4 x 0.01, 3 x 0.03, max(2 x 0.04, 0.09), 0.5.
TEST(HolmAdjustment, StepsUpAndNeverDecreases) {
    struct Case {
        std::vector<double> p;
        std::vector<double> adjusted;
    } cases[] = {
        {{0.04, 0.01, 0.5, 0.03}, {0.09, 0.04, 0.5, 0.09}},
        {{0.02, 0.02, 0.2}, {0.06, 0.06, 0.2}},
        {{0.6, 0.3, 0.45}, {0.9, 0.9, 0.9}},
        {{0.8, 0.7}, {1.0, 1.0}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        const std::vector<double> got = holmAdjusted(c.p);
        ASSERT_EQ(got.size(), c.adjusted.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], c.adjusted[i], 1e-15) << i;
    }
}

// The adjustment counts every item of every chosen wheel, not one wheel's: a long delay on Bari alone.
TEST(DelayStatisticsByHand, HolmCountsEveryItemOfTheTable) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    for (int i = 0; i < 200; ++i)
        build.draw({{BA, N{1, 2, 3, 4, 5}}, {CA, N{static_cast<std::int16_t>(6 + i % 85), 2, 3, 4, 5}}});
    build.finish();
    DelaySettings settings;
    settings.wheels.fill(false);
    settings.wheels[BA] = settings.wheels[CA] = true;
    const DelayStatistics s = computeDelayStatistics(settings, archive);
    const DelayItem& never = find(s, BA, 89);
    ASSERT_EQ(never.ritardo, 200);
    const double p = std::pow(17.0 / 18.0, 200);
    EXPECT_DOUBLE_EQ(never.pRitardo, p);
    EXPECT_NEAR(never.pRitardoHolm, 180 * p, 1e-15);
    EXPECT_EQ(find(s, BA, 0).pRitardoHolm, 1.0);
}

// Runs are F + 1 per item and add up to the draws without exit, on the table and by chance alike.
TEST(DelayRuns, CountsAddUpAsChanceDoes) {
    DrawArchive archive;
    handWorked(archive);
    for (const Sorte sorte : {Sorte::Estratto, Sorte::Ambo}) {
        const DelayStatistics s = computeDelayStatistics(DelaySettings{sorte}, archive);
        const std::vector<double> expected = expectedRuns(s);
        double runs = 0, length = 0, expectedCount = 0, expectedLength = 0;
        double wantRuns = 0, wantLength = 0, chanceRuns = 0, chanceLength = 0;
        for (std::size_t g = 0; g < s.runs.size(); ++g) {
            runs += static_cast<double>(s.runs[g]);
            length += static_cast<double>(s.runs[g] * static_cast<std::int64_t>(g));
        }
        for (std::size_t g = 0; g < expected.size(); ++g) {
            expectedCount += expected[g];
            expectedLength += expected[g] * static_cast<double>(g);
        }
        for (const DelayItem& d : s.items) {
            const DelayWheel& w = *std::find_if(s.wheels.begin(), s.wheels.end(),
                                                [&](const DelayWheel& x) { return x.wheel == d.wheel; });
            wantRuns += d.frequenza + 1;
            wantLength += w.estrazioni() - d.frequenza;
            chanceRuns += 1 + d.frequenzaAttesa;
            chanceLength += w.estrazioni() - d.frequenzaAttesa;
        }
        EXPECT_EQ(runs, wantRuns);
        EXPECT_EQ(length, wantLength);
        EXPECT_NEAR(expectedCount, chanceRuns, 1e-6 * chanceRuns);
        EXPECT_NEAR(expectedLength, chanceLength, 1e-6 * chanceLength);
    }
}

// One draw: each item runs 0 and 0 when out (chance 2q of a zero run), or 1 (chance 1 - q).
TEST(DelayRuns, OneDrawByHand) {
    DrawArchive archive;
    handWorked(archive);
    DelaySettings settings;
    settings.wheels.fill(false);
    settings.wheels[NZ] = true;
    const DelayStatistics s = computeDelayStatistics(settings, archive);
    ASSERT_GE(s.runs.size(), 2u);
    EXPECT_EQ(s.runs[0], 10);
    EXPECT_EQ(s.runs[1], 85);
    const std::vector<double> expected = expectedRuns(s);
    EXPECT_NEAR(expected[0], 90 * 2.0 / 18.0, 1e-12);
    EXPECT_NEAR(expected[1], 90 * 17.0 / 18.0, 1e-12);
}

TEST(DelayItems, AmboNumbersRoundTrip) {
    int item = 0;
    for (int a = 1; a <= 90; ++a)
        for (int b = a + 1; b <= 90; ++b, ++item) {
            ASSERT_EQ(amboItem(a, b), item);
            ASSERT_EQ(amboItem(b, a), item);
            ASSERT_EQ(itemNumbers(Sorte::Ambo, item), std::make_pair(a, b));
        }
    EXPECT_EQ(item, itemCount(Sorte::Ambo));
    EXPECT_EQ(itemNumbers(Sorte::Estratto, 66), std::make_pair(67, 0));
}

// On the real history the frequencies of the 1,080 estratti (eleven wheels and Tutte) are what chance
// gives: z-scores with a mean near 0 and a spread near 1. The longest current delay is recorded.
TEST(DelayStatisticsOnTheRealHistory, FrequenciesLookLikeChance) {
    if (fixtures::realHistoryFolder().isEmpty())
        GTEST_SKIP() << "no real history beside the project";
    QString error;
    const std::unique_ptr<DrawArchive> archive = fixtures::loadRealHistory(error);
    ASSERT_NE(archive, nullptr) << error.toStdString();
    ASSERT_GT(archive->drawCount(), 7000);

    const DelayStatistics s = computeDelayStatistics(DelaySettings{}, *archive);
    ASSERT_EQ(s.items.size(), 1080u);
    double sum = 0.0;
    double squares = 0.0;
    for (const DelayItem& d : s.items) {
        ASSERT_TRUE(d.z.has_value());
        sum += *d.z;
        squares += *d.z * *d.z;
    }
    const double mean = sum / 1080.0;
    const double spread = std::sqrt(squares / 1080.0 - mean * mean);
    RecordProperty("z_mean", std::to_string(mean));
    RecordProperty("z_spread", std::to_string(spread));
    EXPECT_LT(std::abs(mean), 0.1);
    EXPECT_GT(spread, 0.85);
    EXPECT_LT(spread, 1.15);

    const DelayItem& top =
        s.items[static_cast<std::size_t>(rankDelayItems(s.items, DelayOrder::Ritardo).front())];
    RecordProperty("longest_delay", QStringLiteral("%1 %2: %3, last out %4, p %5, Holm %6")
                                        .arg(archive->wheelCode(top.wheel))
                                        .arg(top.item + 1)
                                        .arg(top.ritardo)
                                        .arg(archive->drawDate(top.ultimaUscita))
                                        .arg(top.pRitardo)
                                        .arg(top.pRitardoHolm)
                                        .toStdString());
    // A single wheel's delay has the chance (17/18)^ritardo, and the adjustment multiplies the smallest
    // chance of the table by the 1,080 items.
    if (top.wheel != TU) {
        EXPECT_DOUBLE_EQ(top.pRitardo, std::pow(17.0 / 18.0, top.ritardo));
    }
    const DelayItem& least =
        s.items[static_cast<std::size_t>(rankDelayItems(s.items, DelayOrder::P).front())];
    EXPECT_DOUBLE_EQ(least.pRitardoHolm, std::min(1.0, 1080 * least.pRitardo));
}

} // namespace delaystatistics
