#include "io/storico/ArchiveMerge.h"

#include <gtest/gtest.h>
#include <map>

using namespace storico;

namespace {

Draw draw(const char* date, const std::map<int, WheelNumbers>& wheels) {
    Draw d;
    d.date = *CalendarDate::parse(date);
    for (const auto& [wheel, numbers] : wheels)
        d.wheels[static_cast<std::size_t>(wheel)] = numbers;
    return d;
}

const WheelNumbers A{1, 2, 3, 4, 5};
const WheelNumbers B{6, 7, 8, 9, 10};
const WheelNumbers C{11, 12, 13, 14, 15};

std::string dates(const std::vector<Draw>& draws) {
    std::string text;
    for (const auto& d : draws)
        text += (text.empty() ? "" : " ") + d.date.isoText() + ":" + std::to_string(d.wheelCount());
    return text;
}

std::string spans(const std::vector<ArchiveOnlySpan>& list) {
    std::string text;
    for (const auto& span : list)
        text += (text.empty() ? "" : " ") + span.first.isoText() + ".." + span.last.isoText() + "/" +
                std::to_string(span.count);
    return text;
}

struct MergeCase {
    const char* name;
    std::vector<Draw> archive;
    std::vector<Draw> history;
    std::string mergedDraws; // date:wheel count, in order
    std::size_t added, filled, corrections, joins;
    std::string archiveOnly;
};

} // namespace

TEST(ArchiveMerge, AddsFillsCorrectsAndKeepsArchiveDraws) {
    const std::vector<MergeCase> cases{
        {"same draws change nothing",
         {draw("2020/01/02", {{0, A}, {1, B}})},
         {draw("2020/01/02", {{0, A}, {1, B}})},
         "2020-01-02:2",
         0,
         0,
         0,
         0,
         ""},
        {"a later draw is added",
         {draw("2020/01/02", {{0, A}, {1, B}})},
         {draw("2020/01/02", {{0, A}, {1, B}}), draw("2020/01/04", {{0, C}, {1, A}})},
         "2020-01-02:2 2020-01-04:2",
         1,
         0,
         0,
         0,
         ""},
        {"an earlier draw is added in date order",
         {draw("2020/01/09", {{0, A}, {1, B}})},
         {draw("2020/01/02", {{0, C}, {1, A}})},
         "2020-01-02:2 2020-01-09:2",
         1,
         0,
         0,
         0,
         "2020-01-09..2020-01-09/1"},
        {"a missing wheel is filled",
         {draw("2020/01/02", {{0, A}})},
         {draw("2020/01/02", {{0, A}, {10, B}})},
         "2020-01-02:2",
         0,
         1,
         0,
         0,
         ""},
        {"other numbers are a correction, never silently kept",
         {draw("2020/01/02", {{0, A}, {1, B}})},
         {draw("2020/01/02", {{0, C}, {1, B}})},
         "2020-01-02:2",
         0,
         0,
         1,
         0,
         ""},
        {"a wheel only in the archive stays",
         {draw("2020/01/02", {{0, A}, {1, B}})},
         {draw("2020/01/02", {{0, A}})},
         "2020-01-02:2",
         0,
         0,
         0,
         0,
         ""},
        {"archive-only draws are kept and grouped into runs",
         {draw("2020/01/02", {{0, A}, {1, B}}), draw("2020/01/04", {{0, A}, {1, B}}),
          draw("2020/01/07", {{0, B}, {1, C}}), draw("2020/01/09", {{0, C}, {1, A}})},
         {draw("2020/01/07", {{0, B}, {1, C}})},
         "2020-01-02:2 2020-01-04:2 2020-01-07:2 2020-01-09:2",
         0,
         0,
         0,
         0,
         "2020-01-02..2020-01-04/2 2020-01-09..2020-01-09/1"},
        {"a lone history date joins the archive draw that lacks its wheel",
         {draw("1948/04/30", {{0, A}, {1, B}})},
         {draw("1948/05/01", {{5, C}})},
         "1948-04-30:3",
         0,
         1,
         0,
         1,
         ""},
        {"a lone history date joined by an earlier import adds nothing",
         {draw("1948/04/30", {{0, A}, {1, B}, {5, C}})},
         {draw("1948/04/30", {{0, A}, {1, B}}), draw("1948/05/01", {{5, C}})},
         "1948-04-30:3",
         0,
         0,
         0,
         0,
         ""},
        {"a lone history date the archive has is compared there, not joined to a new draw",
         {draw("2020/01/02", {{0, A}, {1, B}}), draw("2020/01/04", {{0, A}, {1, B}})},
         {draw("2020/01/04", {{1, C}}), draw("2020/01/07", {{0, A}, {9, B}})},
         "2020-01-02:2 2020-01-04:2 2020-01-07:2",
         1,
         0,
         1,
         0,
         "2020-01-02..2020-01-02/1"},
        {"a lone archive draw never disappears into a new draw",
         {draw("1948/05/01", {{5, C}})},
         {draw("1948/04/30", {{0, A}, {1, B}})},
         "1948-04-30:2 1948-05-01:1",
         1,
         0,
         0,
         0,
         "1948-05-01..1948-05-01/1"},
        {"a lone history date too far away stays a draw of its own",
         {draw("1948/04/30", {{0, A}, {1, B}})},
         {draw("1948/05/04", {{5, C}})},
         "1948-04-30:2 1948-05-04:1",
         1,
         0,
         0,
         0,
         "1948-04-30..1948-04-30/1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ArchiveMerge merge = mergeHistory(c.archive, c.history);
        EXPECT_EQ(dates(merge.draws), c.mergedDraws);
        EXPECT_EQ(merge.added.size(), c.added);
        EXPECT_EQ(merge.filled.size(), c.filled);
        EXPECT_EQ(merge.corrections.size(), c.corrections);
        EXPECT_EQ(merge.joins.size(), c.joins);
        EXPECT_EQ(spans(merge.archiveOnly), c.archiveOnly);
        EXPECT_EQ(merge.changesArchive(), c.added + c.filled + c.corrections > 0);
        EXPECT_EQ(merge.archiveDraws, static_cast<int>(c.archive.size()));
    }
}

TEST(ArchiveMerge, ReportListsEveryCorrectionOldToNewAndCapsTheNewDraws) {
    std::vector<Draw> archive, history;
    for (int day = 1; day <= 25; ++day) {
        const std::string date = "2020/03/" + std::string(day < 10 ? "0" : "") + std::to_string(day);
        archive.push_back(draw(date.c_str(), {{0, A}, {1, B}}));
        history.push_back(draw(date.c_str(), {{0, C}, {1, B}}));
        const std::string later = "2021/03/" + std::string(day < 10 ? "0" : "") + std::to_string(day);
        history.push_back(draw(later.c_str(), {{0, A}, {1, B}}));
    }
    const ArchiveMerge merge = mergeHistory(archive, history);
    ASSERT_EQ(merge.corrections.size(), 25u);
    const auto lines = mergeReportLines(merge, 20);
    std::string report;
    for (const auto& line : lines)
        report += line + "\n";
    EXPECT_NE(report.find("Estrazioni nuove: 25\n"), std::string::npos) << report;
    EXPECT_NE(report.find("  + 20/03/2021 (BA CA)\n"), std::string::npos) << report;
    EXPECT_EQ(report.find("  + 21/03/2021"), std::string::npos) << report;
    EXPECT_NE(report.find("  ... e altre 5\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Correzioni: 25\n"), std::string::npos) << report;
    EXPECT_NE(report.find("  01/03/2020 BA: 01 02 03 04 05 -> 11 12 13 14 15\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("  25/03/2020 BA: 01 02 03 04 05 -> 11 12 13 14 15\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("Dopo l'aggiornamento: 50 estrazioni, l'ultima del 25/03/2021\n"),
              std::string::npos)
        << report;
}

TEST(ArchiveMerge, ArchiveWithTwoDrawsOnOneDateIsRefusedRatherThanLosingOne) {
    EXPECT_THROW(mergeHistory({draw("2020/01/02", {{0, A}}), draw("2020/01/02", {{0, B}})},
                              {draw("2020/01/04", {{0, A}, {1, B}})}),
                 std::runtime_error);
}

TEST(ArchiveMerge, ItalianCountsGroupThousandsWithDots) {
    for (const auto& [value, text] : std::vector<std::pair<long long, std::string>>{{0, "0"},
                                                                                    {999, "999"},
                                                                                    {1000, "1.000"},
                                                                                    {7365, "7.365"},
                                                                                    {1234567, "1.234.567"},
                                                                                    {-4500, "-4.500"}})
        EXPECT_EQ(italianCount(value), text);
}
