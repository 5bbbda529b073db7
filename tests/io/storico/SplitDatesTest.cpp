#include "io/storico/SplitDates.h"

#include <gtest/gtest.h>

using storico::CalendarDate;
using storico::Draw;
using storico::joinSplitDates;
using storico::SplitDateJoin;
using storico::WheelNumbers;

namespace {

constexpr int Ba = 0, Fi = 2, Na = 5, Ro = 7, To = 8;

// A draw on the date with the given wheels, each with numbers derived from the wheel so that moves show.
Draw drawOn(CalendarDate date, std::initializer_list<int> wheels) {
    Draw draw;
    draw.date = date;
    for (int wheel : wheels)
        draw.wheels[static_cast<std::size_t>(wheel)] =
            WheelNumbers{wheel + 1, wheel + 11, wheel + 21, wheel + 31, 90};
    return draw;
}

// Every wheel but the one left out.
Draw drawWithout(CalendarDate date, int missing) {
    Draw draw = drawOn(date, {});
    for (int wheel = 0; wheel < 10; ++wheel)
        if (wheel != missing)
            draw.wheels[static_cast<std::size_t>(wheel)] =
                WheelNumbers{wheel + 1, wheel + 2, wheel + 3, wheel + 4, 89};
    return draw;
}

} // namespace

TEST(SplitDateRule, LoneWheelAfterTheDrawJoinsItAndTheDrawKeepsItsDate) {
    std::vector<Draw> draws{drawOn({1948, 4, 24}, {Ba, Na}), drawWithout({1948, 4, 30}, Na),
                            drawOn({1948, 5, 1}, {Na}), drawOn({1948, 5, 8}, {Ba, Na})};
    const Draw lone = draws[2];
    const auto joins = joinSplitDates(draws);
    ASSERT_EQ(joins.size(), 1u);
    EXPECT_EQ(joins[0], (SplitDateJoin{{1948, 5, 1}, {1948, 4, 30}, Na}));
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[1].date, (CalendarDate{1948, 4, 30}));
    EXPECT_EQ(draws[1].wheels[Na], lone.wheels[Na]);
    EXPECT_EQ(draws[1].wheelCount(), 10);
    EXPECT_EQ(draws[2].date, (CalendarDate{1948, 5, 8}));
}

TEST(SplitDateRule, LoneWheelBeforeTheDrawJoinsTheLaterDraw) {
    std::vector<Draw> draws{drawOn({1962, 5, 26}, {Ba, Ro}), drawOn({1962, 6, 2}, {Ro}),
                            drawWithout({1962, 6, 4}, Ro)};
    const auto joins = joinSplitDates(draws);
    ASSERT_EQ(joins.size(), 1u);
    EXPECT_EQ(joins[0], (SplitDateJoin{{1962, 6, 2}, {1962, 6, 4}, Ro}));
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[1].date, (CalendarDate{1962, 6, 4}));
    EXPECT_TRUE(draws[1].wheels[Ro]);
    EXPECT_EQ(draws[1].wheelCount(), 10);
    EXPECT_EQ(draws[0].wheelCount(), 2); // the earlier draw already had Roma and is untouched
}

TEST(SplitDateRule, NearerDrawWinsAndOnATieTheEarlierOne) {
    std::vector<Draw> nearerAfter{drawWithout({1964, 4, 22}, Fi), drawOn({1964, 4, 25}, {Fi}),
                                  drawWithout({1964, 4, 27}, Fi)};
    ASSERT_EQ(joinSplitDates(nearerAfter).size(), 1u);
    ASSERT_EQ(nearerAfter.size(), 2u);
    EXPECT_FALSE(nearerAfter[0].wheels[Fi]);
    EXPECT_TRUE(nearerAfter[1].wheels[Fi]);

    std::vector<Draw> tie{drawWithout({1969, 12, 26}, To), drawOn({1969, 12, 28}, {To}),
                          drawWithout({1969, 12, 30}, To)};
    const auto joins = joinSplitDates(tie);
    ASSERT_EQ(joins.size(), 1u);
    EXPECT_EQ(joins[0].draw, (CalendarDate{1969, 12, 26}));
    EXPECT_TRUE(tie[0].wheels[To]);
    EXPECT_FALSE(tie[1].wheels[To]);
}

TEST(SplitDateRule, ThreeDaysApartJoinsFourDoesNot) {
    std::vector<Draw> three{drawWithout({2000, 1, 1}, Na), drawOn({2000, 1, 4}, {Na})};
    EXPECT_EQ(joinSplitDates(three).size(), 1u);
    EXPECT_EQ(three.size(), 1u);

    std::vector<Draw> four{drawWithout({2000, 1, 1}, Na), drawOn({2000, 1, 5}, {Na})};
    EXPECT_TRUE(joinSplitDates(four).empty());
    EXPECT_EQ(four.size(), 2u);
}

TEST(SplitDateRule, LoneWheelStaysWhenTheNeighbourAlreadyHasThatWheel) {
    std::vector<Draw> draws{drawOn({2000, 1, 1}, {Ba, Na}), drawOn({2000, 1, 2}, {Na})};
    const auto before = draws;
    EXPECT_TRUE(joinSplitDates(draws).empty());
    EXPECT_EQ(draws, before);
}

TEST(SplitDateRule, OnlyTheAdjacentDrawIsACandidate) {
    // The draw two days before lacks Napoli, but a draw with Napoli lies in between.
    std::vector<Draw> draws{drawWithout({2000, 1, 1}, Na), drawOn({2000, 1, 2}, {Ba, Na}),
                            drawOn({2000, 1, 3}, {Na})};
    EXPECT_TRUE(joinSplitDates(draws).empty());
    EXPECT_EQ(draws.size(), 3u);
}

TEST(SplitDateRule, TwoLoneDatesNeverJoinEachOther) {
    std::vector<Draw> draws{drawOn({2000, 1, 1}, {Ba}), drawOn({2000, 1, 2}, {Na})};
    EXPECT_TRUE(joinSplitDates(draws).empty());
    EXPECT_EQ(draws.size(), 2u);
}

TEST(SplitDateRule, DrawsWithSeveralWheelsMissingAreLeftAlone) {
    // War-time draws lack wheels without any lone date nearby: nothing moves.
    std::vector<Draw> draws{drawOn({1943, 9, 11}, {Ba, Fi, Na}), drawOn({1943, 9, 18}, {Ba, Ro, To})};
    const auto before = draws;
    EXPECT_TRUE(joinSplitDates(draws).empty());
    EXPECT_EQ(draws, before);
}
