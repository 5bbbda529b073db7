#include "io/jet/JetDate.h"

#include "io/jet/JetError.h"

#include <cmath>
#include <gtest/gtest.h>

using jet::CivilDateTime;
using jet::fromJetDate;
using jet::JetError;
using jet::toJetDate;

namespace {

void expectCivil(const CivilDateTime& c, int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    EXPECT_EQ(c.year, y);
    EXPECT_EQ(c.month, mo);
    EXPECT_EQ(c.day, d);
    EXPECT_EQ(c.hour, h);
    EXPECT_EQ(c.minute, mi);
    EXPECT_EQ(c.second, s);
}

} // namespace

// Values Access itself stores for these days.
TEST(JetDateKnownValues, MatchAccessDayNumbers) {
    EXPECT_EQ(toJetDate(1899, 12, 30), 0.0);
    EXPECT_EQ(toJetDate(1899, 12, 29), -1.0);
    EXPECT_EQ(toJetDate(1900, 1, 1), 2.0);
    EXPECT_EQ(toJetDate(2024, 5, 14), 45426.0);
    EXPECT_EQ(toJetDate(1871, 3, 4), -10528.0);
    EXPECT_EQ(toJetDate(9999, 12, 31), 2958465.0);
    EXPECT_EQ(toJetDate(100, 1, 1), -657434.0);
}

TEST(JetDateKnownValues, TimeOfDayRunsForwardsBeforeTheEpoch) {
    EXPECT_EQ(toJetDate(CivilDateTime{1899, 12, 29, 6, 0, 0}), -1.25);
    expectCivil(fromJetDate(-1.25), 1899, 12, 29, 6);
    EXPECT_EQ(toJetDate(CivilDateTime{1899, 12, 30, 6, 0, 0}), 0.25);
    expectCivil(fromJetDate(0.75), 1899, 12, 30, 18);
    expectCivil(fromJetDate(-10527.5), 1871, 3, 5, 12);
}

TEST(JetDateRoundTrip, EveryDayFrom1871To2100ComesBackAndDaysAreConsecutive) {
    double previous = toJetDate(1870, 12, 31);
    int checked = 0;
    for (int y = 1871; y <= 2100; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= 31; ++d) {
                double v = 0;
                try {
                    v = toJetDate(y, m, d);
                } catch (const JetError&) {
                    continue; // no such day
                }
                ASSERT_EQ(v, previous + 1) << y << "-" << m << "-" << d;
                previous = v;
                expectCivil(fromJetDate(v), y, m, d);
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 84006); // 230 years of which 56 leap: 230 * 365 + 56
}

TEST(JetDateRoundTrip, TimesComeBackToTheSecondOnBothSidesOfTheEpoch) {
    for (int y : {1871, 1899, 1900, 2024, 9999}) {
        for (int s : {0, 1, 59, 3599, 43200, 86399}) {
            const CivilDateTime c{y, 12, 29, s / 3600, s / 60 % 60, s % 60};
            const CivilDateTime back = fromJetDate(toJetDate(c));
            expectCivil(back, c.year, c.month, c.day, c.hour, c.minute, c.second);
        }
    }
}

TEST(JetDateRoundTrip, AValueJustShortOfMidnightRoundsIntoTheNextDay) {
    expectCivil(fromJetDate(45426.9999999), 2024, 5, 15);
    expectCivil(fromJetDate(-2.9999999), 1899, 12, 29);
}

TEST(JetDateRefusals, ImpossibleCalendarDatesAreRefused) {
    EXPECT_THROW(toJetDate(1900, 2, 29), JetError);
    EXPECT_NO_THROW(toJetDate(2000, 2, 29));
    EXPECT_THROW(toJetDate(2023, 13, 1), JetError);
    EXPECT_THROW(toJetDate(2023, 4, 31), JetError);
    EXPECT_THROW(toJetDate(2023, 4, 0), JetError);
    EXPECT_THROW(toJetDate(CivilDateTime{2023, 4, 1, 24, 0, 0}), JetError);
    EXPECT_THROW(toJetDate(CivilDateTime{2023, 4, 1, 0, 60, 0}), JetError);
}

TEST(JetDateRefusals, YearsOutsideWhatAccessKeepsAreRefused) {
    EXPECT_THROW(toJetDate(10000, 1, 1), JetError);
    EXPECT_THROW(toJetDate(99, 12, 31), JetError);
    EXPECT_THROW(fromJetDate(2958466.0), JetError);
    EXPECT_THROW(fromJetDate(-657436.0), JetError);
    EXPECT_THROW(fromJetDate(std::nan("")), JetError);
    expectCivil(fromJetDate(2958465.99998), 9999, 12, 31, 23, 59, 58);
}
