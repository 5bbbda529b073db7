#include "DrawDays.h"

#include <DrawCalendar.h>
#include <SampleHistory.h>
#include <SplitMix64.h>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <set>

using storico::CalendarDate;

namespace {

const std::vector<storico::Draw>& defaultHistory() {
    static const auto draws = generateSampleHistory(DefaultSampleSeed, DefaultSampleFrom, DefaultSampleTo);
    return draws;
}

} // namespace

TEST(SplitMix64Generator, MatchesThePublishedSequenceForSeedZero) {
    SplitMix64 random(0);
    EXPECT_EQ(random.next(), 0xE220A8397B1DCDAFULL);
    EXPECT_EQ(random.next(), 0x6E789E6AA1B965F4ULL);
    EXPECT_EQ(random.next(), 0x06C45D188009454FULL);
}

TEST(SplitMix64Generator, UniformStaysInRangeAndReachesBothEnds) {
    SplitMix64 random(12345);
    std::array<int, 91> seen{};
    for (int i = 0; i < 20000; ++i) {
        const int n = random.uniform(90);
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 90);
        ++seen[static_cast<std::size_t>(n)];
    }
    EXPECT_EQ(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(seen[90], 0);
}

TEST(SampleCalendar, EveryDrawFallsOnAnAllowedWeekdayAndNoDrawDayIsSkipped) {
    // Around each change of calendar, day by day.
    const CalendarDate first{1997, 2, 1}, last{2023, 8, 31};
    const auto days = DrawCalendar::drawDays(first, last);
    std::set<CalendarDate> drawn(days.begin(), days.end());
    for (int n = first.dayNumber(); n <= last.dayNumber(); ++n) {
        const auto date = CalendarDate::fromDayNumber(n);
        EXPECT_EQ(drawn.count(date) == 1, allowedWeekdays(date).count(date.weekday()) == 1) << date.isoText();
    }
}

TEST(SampleCalendar, CalendarChangesHappenAfterTheLastDayOfEachPeriod) {
    EXPECT_TRUE(DrawCalendar::isDrawDay({1997, 3, 8}));   // last Saturday-only week
    EXPECT_FALSE(DrawCalendar::isDrawDay({1997, 3, 5}));  // a Wednesday still without draw
    EXPECT_TRUE(DrawCalendar::isDrawDay({1997, 3, 12}));  // first Wednesday draw
    EXPECT_FALSE(DrawCalendar::isDrawDay({2005, 6, 14})); // a Tuesday still without draw
    EXPECT_TRUE(DrawCalendar::isDrawDay({2005, 6, 21}));  // first Tuesday draw
    EXPECT_FALSE(DrawCalendar::isDrawDay({2005, 6, 22})); // Wednesdays end
    EXPECT_FALSE(DrawCalendar::isDrawDay({2023, 6, 30})); // a Friday still without draw
    EXPECT_TRUE(DrawCalendar::isDrawDay({2023, 7, 7}));   // first Friday draw
    EXPECT_FALSE(DrawCalendar::isDrawDay({2024, 1, 1}));  // Mondays never
    EXPECT_FALSE(DrawCalendar::isDrawDay({2024, 1, 7}));  // Sundays never
    EXPECT_FALSE(DrawCalendar::isDrawDay({2024, 1, 3}));  // Wednesdays no more
}

TEST(SampleHistory, DefaultRangeStaysBelowTheProgramsLimitInAscendingOrder) {
    const auto& draws = defaultHistory();
    ASSERT_FALSE(draws.empty());
    EXPECT_LT(draws.size(), 9999u);
    EXPECT_GE(draws.front().date, DefaultSampleFrom);
    EXPECT_LE(draws.back().date, DefaultSampleTo);
    EXPECT_EQ(draws.size(), DrawCalendar::drawDays(DefaultSampleFrom, DefaultSampleTo).size());
    for (std::size_t i = 1; i < draws.size(); ++i)
        ASSERT_LT(draws[i - 1].date, draws[i].date);
}

TEST(SampleHistory, EachWheelHasFiveDistinctNumbersFromOneToNinety) {
    for (const auto& draw : defaultHistory()) {
        for (const auto& wheel : draw.wheels) {
            if (!wheel)
                continue;
            std::set<int> distinct(wheel->begin(), wheel->end());
            ASSERT_EQ(distinct.size(), 5u) << draw.date.isoText();
            ASSERT_GE(*distinct.begin(), 1) << draw.date.isoText();
            ASSERT_LE(*distinct.rbegin(), 90) << draw.date.isoText();
        }
    }
}

TEST(SampleHistory, NazionaleOnlyFromFourthMay2005OtherWheelsAlways) {
    for (const auto& draw : defaultHistory()) {
        const bool nazionale = draw.wheels[storico::Nazionale].has_value();
        ASSERT_EQ(nazionale, (draw.date >= CalendarDate{2005, 5, 4})) << draw.date.isoText();
        ASSERT_EQ(draw.wheelCount(), nazionale ? 11 : 10) << draw.date.isoText();
    }
}

TEST(SampleHistory, CagliariAndGenovaStartInJuly1939) {
    const auto draws = generateSampleHistory(7, {1939, 6, 1}, {1939, 7, 31});
    ASSERT_FALSE(draws.empty());
    for (const auto& draw : draws) {
        const bool younger = draw.date >= CalendarDate{1939, 7, 8};
        EXPECT_EQ(draw.wheels[1].has_value(), younger) << draw.date.isoText();
        EXPECT_EQ(draw.wheels[3].has_value(), younger) << draw.date.isoText();
        EXPECT_TRUE(draw.wheels[0].has_value());
        EXPECT_EQ(draw.date.weekday(), Saturday);
    }
}

TEST(SampleHistory, SameSeedSameDrawsOtherSeedOtherDraws) {
    const CalendarDate from{2020, 1, 1}, to{2020, 12, 31};
    const auto a = generateSampleHistory(42, from, to);
    const auto b = generateSampleHistory(42, from, to);
    const auto c = generateSampleHistory(43, from, to);
    EXPECT_EQ(a, b);
    ASSERT_EQ(a.size(), c.size());
    int differentWheels = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t w = 0; w < a[i].wheels.size(); ++w)
            differentWheels += a[i].wheels[w] != c[i].wheels[w] ? 1 : 0;
    // Two seeds agreeing on a whole wheel is a 1 in ~5 billion event per wheel.
    EXPECT_EQ(differentWheels, static_cast<int>(a.size()) * 11);
}

TEST(SampleHistory, ADateHasTheSameNumbersWhateverTheRange) {
    const auto whole = generateSampleHistory(99, {2019, 1, 1}, {2021, 12, 31});
    const auto part = generateSampleHistory(99, {2020, 3, 1}, {2020, 3, 31});
    ASSERT_FALSE(part.empty());
    for (const auto& draw : part) {
        const auto found =
            std::find_if(whole.begin(), whole.end(), [&](const auto& d) { return d.date == draw.date; });
        ASSERT_NE(found, whole.end());
        EXPECT_EQ(*found, draw);
    }
}

TEST(SampleHistory, WheelsAndNeighbouringDatesAreNotCopiesOfEachOther) {
    const auto& draws = defaultHistory();
    int sameAsPreviousWheel = 0, sameAsPreviousDraw = 0;
    for (std::size_t i = 0; i < draws.size(); ++i) {
        for (std::size_t w = 1; w < 10; ++w)
            sameAsPreviousWheel += draws[i].wheels[w] == draws[i].wheels[w - 1] ? 1 : 0;
        if (i > 0)
            sameAsPreviousDraw += draws[i].wheels[0] == draws[i - 1].wheels[0] ? 1 : 0;
    }
    EXPECT_EQ(sameAsPreviousWheel, 0);
    EXPECT_EQ(sameAsPreviousDraw, 0);
}

TEST(SampleHistory, NumbersAreEvenlySpreadOverEveryPosition) {
    // About 4,700 draws x 10-11 wheels: every number should come out near 1/90 of the time at each
    // position. A biased draw (a modulo slip, an off-by-one range) pushes some counts far out.
    std::array<std::array<int, 91>, 5> counts{};
    int perPosition = 0;
    for (const auto& draw : defaultHistory())
        for (const auto& wheel : draw.wheels)
            if (wheel) {
                ++perPosition;
                for (std::size_t p = 0; p < 5; ++p)
                    ++counts[p][static_cast<std::size_t>((*wheel)[p])];
            }
    const double expected = perPosition / 90.0;
    for (std::size_t p = 0; p < 5; ++p) {
        EXPECT_EQ(counts[p][0], 0);
        for (int n = 1; n <= 90; ++n) {
            const int count = counts[p][static_cast<std::size_t>(n)];
            EXPECT_GT(count, expected * 0.85) << "position " << p + 1 << " number " << n;
            EXPECT_LT(count, expected * 1.15) << "position " << p + 1 << " number " << n;
        }
    }
}
