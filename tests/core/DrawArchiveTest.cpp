#include "core/DrawArchive.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<DrawArchive> archiveWithDates(const std::vector<QString>& dates) {
    auto archive = std::make_unique<DrawArchive>();
    for (std::size_t i = 0; i < dates.size(); ++i)
        archive->storeDate(static_cast<std::int16_t>(i + 1), dates[i]);
    archive->setDrawCount(static_cast<std::int16_t>(dates.size()));
    return archive;
}

TEST(DrawArchiveProgressive, MonthChangeRestartsCountAndYearChangeRestartsBoth) {
    auto a = archiveWithDates({"28/01/2021", "30/01/2021", "02/02/2021", "31/12/2021", "04/01/2022"});
    EXPECT_EQ(a->drawNoInMonth(1), 1);
    EXPECT_EQ(a->drawNoInMonth(2), 2);
    EXPECT_EQ(a->drawNoInMonth(3), 1);
    EXPECT_EQ(a->drawNoInYear(3), 3);
    EXPECT_EQ(a->drawNoInYear(4), 4);
    EXPECT_EQ(a->drawNoInMonth(5), 1);
    EXPECT_EQ(a->drawNoInYear(5), 1);
}

TEST(DrawArchiveProgressive, FirstDrawCountsOneWhateverItsDate) {
    auto a = archiveWithDates({"27/11/1871", "02/12/1871"});
    EXPECT_EQ(a->drawNoInMonth(1), 1);
    EXPECT_EQ(a->drawNoInYear(1), 1);
    EXPECT_EQ(a->drawNoInYear(2), 2);
}

TEST(DrawArchiveProgressive, OnlyTheMonthNumberIsCompared) {
    // January 2021 followed directly by January 2022: same month number, so the count goes on.
    auto a = archiveWithDates({"30/01/2021", "04/01/2022"});
    EXPECT_EQ(a->drawNoInMonth(2), 2);
    EXPECT_EQ(a->drawNoInYear(2), 1);
}

TEST(DrawArchiveModel, ModelArchiveFollowsModelStart) {
    auto a = archiveWithDates({"01/01/2020", "02/01/2020", "03/01/2020"});
    a->setModelStart(1);
    a->buildModelArchive();
    EXPECT_EQ(a->modelCount(), 3);
    EXPECT_EQ(a->modelDraw(3), 3);

    a->setModelStart(3);
    a->buildModelArchive();
    EXPECT_EQ(a->modelCount(), 1);
    EXPECT_EQ(a->modelDraw(1), 3);

    a->setModelStart(4);
    a->buildModelArchive();
    EXPECT_EQ(a->modelCount(), 0);
    EXPECT_THROW(a->modelDraw(1), ArchiveRangeError);
}

TEST(DrawArchiveBounds, ReadsOutsideTheTablesAreReportedNotPerformed) {
    DrawArchive a;
    EXPECT_THROW(a.number(10000, 0, 1), ArchiveRangeError);
    EXPECT_THROW(a.number(-1, 0, 1), ArchiveRangeError);
    EXPECT_THROW(a.number(1, 11, 1), ArchiveRangeError);
    EXPECT_THROW(a.number(1, 0, 0), ArchiveRangeError);
    EXPECT_THROW(a.number(1, 0, 6), ArchiveRangeError);
    EXPECT_THROW(a.drawDate(10000), ArchiveRangeError);
    EXPECT_THROW(a.diametral(91), ArchiveRangeError);
    EXPECT_THROW(a.wheelCode(12), ArchiveRangeError);
    EXPECT_EQ(a.number(9999, 10, 5), 0);
    EXPECT_TRUE(a.drawDate(0).isEmpty());
}

TEST(DrawArchiveTables, DiametralAndWheelCodes) {
    DrawArchive a;
    a.fillWheelCodesAndDiametral();
    EXPECT_EQ(a.diametral(45), 90);
    EXPECT_EQ(a.diametral(90), 45);
    EXPECT_EQ(a.diametral(46), 1);
    EXPECT_EQ(a.diametral(1), 46);
    EXPECT_EQ(a.diametral(0), 0);
    EXPECT_EQ(a.wheelCode(7), "RO");
    EXPECT_EQ(a.wheelCode(10), "NZ");
    EXPECT_EQ(a.wheelCode(11), "TU");
}

TEST(DrawArchiveLoad, ResetForgetsAnEarlierLoad) {
    DrawArchive a;
    std::array<std::array<std::int16_t, PositionCount>, WheelCount> numbers{};
    numbers[0] = {5, 12, 33, 47, 90};
    a.storeDraw(1, "05/01/2021", numbers);
    a.setDrawCount(1);
    a.reset();
    EXPECT_EQ(a.drawCount(), 0);
    EXPECT_EQ(a.number(1, 0, 2), 0);
    EXPECT_TRUE(a.drawDate(1).isEmpty());
}

} // namespace
