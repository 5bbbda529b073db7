#include "io/storico/DrawHistory.h"

#include "io/storico/StoricoParser.h"

#include <gtest/gtest.h>

using storico::CalendarDate;
using storico::DrawHistory;
using storico::StoricoParser;
using storico::WheelNumbers;

namespace {

DrawHistory historyOf(std::initializer_list<std::pair<const char*, const char*>> files) {
    DrawHistory history;
    for (const auto& [name, text] : files) {
        const auto parsed = StoricoParser::parseText(text, name);
        EXPECT_TRUE(parsed.errors.empty()) << name;
        history.add(parsed.rows);
    }
    return history;
}

} // namespace

TEST(DrawHistoryMerge, PerWheelFilesInAnyOrderBecomeOneDrawPerDateInDateOrder) {
    const auto history = historyOf({
        {"VENEZIA.txt", "2005/05/07\tVE\t1\t2\t3\t4\t5\n2005/05/04\tVE\t6\t7\t8\t9\t10\n"},
        {"BARI.txt", "2005/05/04\tBA\t11\t12\t13\t14\t15\n2005/05/07\tBA\t16\t17\t18\t19\t20\n"
                     "2005/04/30\tBA\t21\t22\t23\t24\t25\n"},
        {"NAZIONALE.txt", "2005/05/04\tRN\t26\t27\t28\t29\t30\n"},
    });
    EXPECT_TRUE(history.errors().empty());
    EXPECT_EQ(history.wheelRows(), 6);
    const auto draws = history.draws();
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].date, (CalendarDate{2005, 4, 30}));
    EXPECT_EQ(draws[1].date, (CalendarDate{2005, 5, 4}));
    EXPECT_EQ(draws[2].date, (CalendarDate{2005, 5, 7}));

    EXPECT_EQ(draws[0].wheelCount(), 1);
    EXPECT_EQ(draws[0].wheels[0], (WheelNumbers{21, 22, 23, 24, 25}));
    EXPECT_EQ(draws[1].wheelCount(), 3);
    EXPECT_EQ(draws[1].wheels[0], (WheelNumbers{11, 12, 13, 14, 15}));
    EXPECT_EQ(draws[1].wheels[9], (WheelNumbers{6, 7, 8, 9, 10}));
    EXPECT_EQ(draws[1].wheels[10], (WheelNumbers{26, 27, 28, 29, 30}));
    EXPECT_FALSE(draws[1].wheels[1]);
    EXPECT_EQ(draws[2].wheels[9], (WheelNumbers{1, 2, 3, 4, 5}));
    EXPECT_FALSE(draws[2].wheels[10]);
}

TEST(DrawHistoryMerge, CombinedFileAndPerWheelFilesGiveTheSameDraws) {
    const auto combined =
        historyOf({{"storico.txt", "2020/01/02\tBA\t1\t2\t3\t4\t5\n2020/01/02\tRM\t6\t7\t8\t9\t10\n"
                                   "2020/01/04\tBA\t11\t12\t13\t14\t15\n"}});
    const auto split =
        historyOf({{"ROMA.txt", "2020/01/02\tRO\t6\t7\t8\t9\t10\n"},
                   {"BARI.txt", "2020/01/04\tBA\t11\t12\t13\t14\t15\n2020/01/02\tBA\t1\t2\t3\t4\t5\n"}});
    EXPECT_EQ(combined.draws(), split.draws());
}

TEST(DrawHistoryDuplicates, IdenticalRowsCountOnce) {
    const auto history =
        historyOf({{"storico.txt", "2010/12/23\tBA\t1\t2\t3\t4\t5\n2010/12/23\tCA\t6\t7\t8\t9\t10\n"
                                   "2010/12/23\tBA\t1\t2\t3\t4\t5\n2010/12/23\tCA\t6\t7\t8\t9\t10\n"},
                   {"BARI.txt", "23/12/2010;BA;01;02;03;04;05\n"}});
    EXPECT_TRUE(history.errors().empty());
    EXPECT_EQ(history.wheelRows(), 2);
    EXPECT_EQ(history.duplicateRows(), 3);
    ASSERT_EQ(history.draws().size(), 1u);
    EXPECT_EQ(history.draws()[0].wheelCount(), 2);
}

TEST(DrawHistoryDuplicates, ConflictingRowIsReportedAtTheLaterRowNamingTheFirst) {
    DrawHistory history;
    history.add(StoricoParser::parseText("\n2010/12/23\tBA\t1\t2\t3\t4\t5\n", "a.txt").rows);
    history.add(StoricoParser::parseText("2010/12/23\tBA\t1\t2\t3\t5\t4\n", "b.txt").rows);
    ASSERT_EQ(history.errors().size(), 1u);
    EXPECT_EQ(history.errors()[0].text(),
              "b.txt:1: numeri diversi per BA del 2010/12/23 (prima riga in a.txt:2)");
    // The first row stands; the conflicting one is not counted.
    EXPECT_EQ(history.wheelRows(), 1);
    EXPECT_EQ(history.draws()[0].wheels[0], (WheelNumbers{1, 2, 3, 4, 5}));
}

TEST(DrawHistoryDuplicates, SameNumbersOnAnotherWheelOrDateAreNoConflict) {
    const auto history = historyOf({{"s.txt", "2010/12/23\tBA\t1\t2\t3\t4\t5\n2010/12/23\tCA\t1\t2\t3\t4\t5\n"
                                              "2010/12/24\tBA\t1\t2\t3\t4\t5\n"}});
    EXPECT_TRUE(history.errors().empty());
    EXPECT_EQ(history.wheelRows(), 3);
    EXPECT_EQ(history.duplicateRows(), 0);
}
