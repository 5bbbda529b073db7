#include "LeadingNumber.h"

#include "ArchiveLoader.h"

#include <gtest/gtest.h>

namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartIgnoringBlanks) {
    EXPECT_EQ(leadingNumber("1"), 1);
    EXPECT_EQ(leadingNumber(" 25abc"), 25);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("1 2"), 12);
    EXPECT_EQ(leadingNumber("-5"), -5);
    EXPECT_EQ(leadingNumber("2.5x"), 2.5);
    EXPECT_EQ(leadingNumber("1e3"), 1000);
    EXPECT_EQ(leadingNumber("."), 0);
}

TEST(LeadingNumber, RoundsHalvesToEvenAndRefusesWhatDoesNotFitSixteenBits) {
    EXPECT_EQ(roundToInt16(2.5), 2);
    EXPECT_EQ(roundToInt16(3.5), 4);
    EXPECT_EQ(roundToInt16(-2.5), -2);
    EXPECT_EQ(roundToInt16(32767.4), 32767);
    EXPECT_FALSE(roundToInt16(32767.5).has_value());
    EXPECT_EQ(roundToInt16(-32768), -32768);
    EXPECT_FALSE(roundToInt16(-32769).has_value());
    EXPECT_FALSE(roundToInt16(leadingNumber("1e400")).has_value());
}

TEST(ArchiveCellFields, TwoCharacterFieldsGiveTheirNumberOrZero) {
    EXPECT_EQ(cellFieldNumber("05"), 5);
    EXPECT_EQ(cellFieldNumber(" 7"), 7);
    EXPECT_EQ(cellFieldNumber("90"), 90);
    EXPECT_EQ(cellFieldNumber("-5"), -5);
    EXPECT_EQ(cellFieldNumber("xx"), 0);
    EXPECT_EQ(cellFieldNumber("7"), 7); // short text at the end of a cell
    EXPECT_EQ(cellFieldNumber(""), 0);
}

} // namespace
