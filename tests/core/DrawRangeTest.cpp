#include "core/DrawRange.h"

#include "ArchiveBuilder.h"
#include "core/CaseSearch.h"
#include "core/DrawArchive.h"

#include <gtest/gtest.h>

namespace {

TEST(DrawRangeRules, LoadsTheLast500DrawsThenTakesTheBoundsAsked) {
    EXPECT_EQ(defaultRangeStart(9999), 9499);
    EXPECT_EQ(defaultRangeStart(12), 1);
    const DrawRange loaded = chosenRange(800, std::nullopt, std::nullopt);
    EXPECT_EQ(loaded.start, 300);
    EXPECT_EQ(loaded.end, 800);
    const DrawRange dragged = chosenRange(800, std::nullopt, 100);
    EXPECT_EQ(dragged.start, 100);
    EXPECT_EQ(dragged.end, 100);
}

TEST(DrawRangeRules, DatesChooseTheDrawsBetweenThem) {
    DrawArchive archive;
    ArchiveBuilder build(archive, QDate(2020, 1, 2)); // one draw a day
    build.emptyDraws(10);
    build.finish();
    EXPECT_EQ(firstDrawFrom(archive, QDate(2020, 1, 4)), 3);
    EXPECT_EQ(lastDrawUntil(archive, QDate(2020, 1, 4)), 3);
    EXPECT_EQ(firstDrawFrom(archive, QDate(2020, 2, 1)), 0);
    EXPECT_EQ(lastDrawUntil(archive, QDate(2019, 2, 1)), 0);
    EXPECT_EQ(drawsBetween(archive, QDate(2020, 1, 3), std::nullopt), (std::pair{2, 10}));
    EXPECT_EQ(drawsBetween(archive, std::nullopt, QDate(2020, 1, 5)), (std::pair{1, 4}));
    EXPECT_FALSE(drawsBetween(archive, QDate(2020, 1, 6), QDate(2020, 1, 5)).has_value());
}

TEST(CaseSearchRules, IntervalSearchesTheRangeElseBackToTheFirstDraw) {
    const CaseSearchSpan interval = caseSearchSpan(true, 40, 90, 7);
    EXPECT_EQ(interval.from, 90);
    EXPECT_EQ(interval.to, 40);
    EXPECT_EQ(interval.limit, IntervalCaseLimit);
    const CaseSearchSpan cases = caseSearchSpan(false, 40, 90, 7);
    EXPECT_EQ(cases.from, 90);
    EXPECT_EQ(cases.to, 1);
    EXPECT_EQ(cases.limit, 7);
}

TEST(CaseSearchRules, TheCapStopsASearchAtTheEndOfADrawAndSaysWhere) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.equalAmboDraws(105, 5); // ten cases a draw with every wheel type
    build.finish();
    SearchSettings settings;
    settings.wheels.fill(true);
    settings.positions.fill(true);
    for (auto& row : settings.admitted)
        row.fill(true);
    const CaseSearch capped = searchCases(settings, archive, caseSearchSpan(true, 1, 105, 0));
    EXPECT_EQ(capped.cases.size(), 1010u);
    EXPECT_EQ(capped.stoppedAt, 5);
    EXPECT_EQ(caseCapNotice(capped.stoppedAt, 105),
              "Ricerca fermata a 1000 casi: estrazioni dalla 5 alla 105");
    const CaseSearch asked = searchCases(settings, archive, caseSearchSpan(false, 1, 105, 30));
    EXPECT_EQ(asked.cases.size(), 30u);
    EXPECT_EQ(asked.stoppedAt, 0);
    EXPECT_TRUE(caseCapNotice(asked.stoppedAt, 105).isEmpty());
}

} // namespace
