#include "AmboFixture.h"

namespace {

TEST(AmboRangeLabel, ShowsIndexDateAndNumberInMonth) {
    DrawArchive archive;
    // 812 draws two days apart, the last on 22/12/2022; December holds 4, 6, ..., 22, so the last is
    // the tenth of its month (the draw before 4/12 falls on 30/11).
    ArchiveBuilder build(archive);
    const QDate last(2022, 12, 22);
    for (int d = 1; d <= 812; ++d) {
        const int back = 812 - d;
        build.draw({}, last.addDays(-2 * back - (back >= 10 ? 2 : 0)).toString("dd/MM/yyyy"));
    }
    build.finish();
    EXPECT_EQ(rangeLabelText(archive, 812), "812 22/12/2022 PM:10");
    EXPECT_EQ(rangeLabelText(archive, 811), "811 20/12/2022 PM:9");
}

TEST(AmboRangeLoad, StartsFiveHundredBeforeTheEndButNeverBeforeTheFirstDraw) {
    EXPECT_EQ(loadRangeStart(9999), 9499);
    EXPECT_EQ(loadRangeStart(501), 1);
    EXPECT_EQ(loadRangeStart(500), 1);
    EXPECT_EQ(loadRangeStart(3), 1);
}

TEST(AmboRangeHandlers, StartPushedPastTheEndDragsTheEnd) {
    AmboState s;
    s.IndiceInizio = 10;
    s.IndiceFine = 20;
    EXPECT_EQ(rangeStartChanged(s, 15), std::nullopt);
    EXPECT_EQ(s.IndiceInizio, 15);
    const auto end = rangeStartChanged(s, 25);
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(*end, 25);
    // The end's own handler then runs with the new value and asks for nothing more.
    EXPECT_EQ(rangeEndChanged(s, *end), std::nullopt);
    EXPECT_EQ(s.IndiceFine, 25);
    EXPECT_EQ(s.IndiceInizio, 25);
}

TEST(AmboRangeHandlers, EndPushedBelowTheStartDragsTheStart) {
    AmboState s;
    s.IndiceInizio = 10;
    s.IndiceFine = 20;
    const auto start = rangeEndChanged(s, 4);
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(*start, 4);
    EXPECT_EQ(rangeStartChanged(s, *start), std::nullopt);
    EXPECT_EQ(s.IndiceInizio, 4);
    EXPECT_EQ(s.IndiceFine, 4);
}

TEST(AmboRangeLoad, FirstStartDragsTheEmptyEndThenTheEndMovesAlone) {
    AmboState s;
    setRange(s, 9499, 9999);
    EXPECT_EQ(s.IndiceInizio, 9499);
    EXPECT_EQ(s.IndiceFine, 9999);
    setRange(s, 9999, 9999);
    EXPECT_EQ(s.IndiceInizio, 9999);
    setRange(s, 9999, 5);
    EXPECT_EQ(s.IndiceInizio, 5);
    EXPECT_EQ(s.IndiceFine, 5);
}

} // namespace
