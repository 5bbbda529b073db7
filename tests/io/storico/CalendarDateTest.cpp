#include "io/storico/CalendarDate.h"

#include <gtest/gtest.h>

using storico::CalendarDate;

TEST(CalendarDateParse, AcceptsYearFirstWithEachSeparatorAndPadding) {
    const CalendarDate expected{1939, 1, 7};
    for (const char* text : {"1939/01/07", "1939-01-07", "1939.01.07", "1939/1/7", "1939-1-07"})
        EXPECT_EQ(CalendarDate::parse(text), expected) << text;
}

TEST(CalendarDateParse, AcceptsDayFirstWithFourDigitYear) {
    EXPECT_EQ(CalendarDate::parse("07/01/1939"), (CalendarDate{1939, 1, 7}));
    EXPECT_EQ(CalendarDate::parse("7.1.1939"), (CalendarDate{1939, 1, 7}));
    EXPECT_EQ(CalendarDate::parse("31-12-2021"), (CalendarDate{2021, 12, 31}));
}

TEST(CalendarDateParse, RejectsDaysThatDoNotExist) {
    EXPECT_FALSE(CalendarDate::parse("1939/02/29"));
    EXPECT_FALSE(CalendarDate::parse("1900/02/29"));
    EXPECT_TRUE(CalendarDate::parse("2000/02/29"));
    EXPECT_FALSE(CalendarDate::parse("1939/13/01"));
    EXPECT_FALSE(CalendarDate::parse("1939/04/31"));
    EXPECT_FALSE(CalendarDate::parse("1939/00/10"));
    EXPECT_FALSE(CalendarDate::parse("1939/01/00"));
}

TEST(CalendarDateParse, RejectsMalformedText) {
    for (const char* text :
         {"", "19390107", "1939/01", "1939/01/07/01", "1939/01-07", "39/01/07", "1939/0a/07", "1939//07",
          "01/07/39", "0939/01/07", "07/01/0939", "+1939/01/07", "1939/001/07"})
        EXPECT_FALSE(CalendarDate::parse(text)) << text;
}

TEST(CalendarDateArithmetic, DayNumberRoundTripsAcrossMonthAndLeapYearEnds) {
    for (const CalendarDate date :
         {CalendarDate{1939, 1, 7}, CalendarDate{1948, 2, 29}, CalendarDate{1969, 12, 31},
          CalendarDate{1970, 1, 1}, CalendarDate{2026, 8, 21}}) {
        EXPECT_EQ(CalendarDate::fromDayNumber(date.dayNumber()), date) << date.isoText();
    }
    EXPECT_EQ((CalendarDate{1948, 5, 1}.dayNumber() - CalendarDate{1948, 4, 30}.dayNumber()), 1);
    EXPECT_EQ((CalendarDate{1949, 1, 1}.dayNumber() - CalendarDate{1948, 1, 1}.dayNumber()), 366);
}

TEST(CalendarDateArithmetic, WeekdayOfKnownDates) {
    EXPECT_EQ((CalendarDate{1939, 1, 7}.weekday()), 6);   // a Saturday draw
    EXPECT_EQ((CalendarDate{2005, 5, 4}.weekday()), 3);   // a Wednesday
    EXPECT_EQ((CalendarDate{2023, 7, 6}.weekday()), 4);   // a Thursday
    EXPECT_EQ((CalendarDate{1899, 12, 31}.weekday()), 0); // a Sunday
}

TEST(CalendarDateText, FormsArePaddedToFixedWidth) {
    EXPECT_EQ((CalendarDate{1939, 1, 7}.storicoText()), "1939/01/07");
    EXPECT_EQ((CalendarDate{1939, 1, 7}.isoText()), "1939-01-07");
    EXPECT_EQ((CalendarDate{2026, 12, 31}.storicoText()), "2026/12/31");
}

TEST(CalendarDateText, SpanReadsAsItalianWithElisionBeforeOttoAndUndici) {
    EXPECT_EQ(storico::dateSpanText({1948, 4, 24}, {1948, 5, 8}), "dal 24/04/1948 all'08/05/1948");
    EXPECT_EQ(storico::dateSpanText({1990, 1, 11}, {2026, 6, 30}), "dall'11/01/1990 al 30/06/2026");
    EXPECT_EQ(storico::dateSpanText({1939, 1, 1}, {1939, 1, 18}), "dal 01/01/1939 al 18/01/1939");
    EXPECT_EQ(storico::dateSpanText({2005, 5, 7}, {2005, 5, 7}), "dal 07/05/2005 al 07/05/2005");
}
