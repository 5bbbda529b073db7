#include "core/LeadingNumber.h"

#include "io/ArchiveLoader.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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

// The quick reading of whole cells gives exactly what reading each field the general way gives: every
// two-character field over an alphabet of digits, blanks, signs and the like, in every position of a
// cell, and cells with characters outside ASCII before or among the fields.
TEST(ArchiveCellFields, WholeCellReadingAgreesWithTheGeneralReadingOfEachField) {
    const std::string alphabet = "0123456789 -+.eEx,";
    std::vector<std::string> cells = {"",
                                      "05 12 33 47 90",
                                      " 5  7 12 90  1",
                                      "05 12",
                                      "05 12 33 47 9",
                                      "05 12 33 47 90 88",
                                      "\xc3\xa9"
                                      "05 12 33 47 90", // é before the fields
                                      "05 \xe2\x82\xac"
                                      "2 33 47 90", // € inside the second field
                                      "05 12 \xf0\x9f\x8e\xb2"
                                      "33 47 90", // a character outside 16 bits
                                      "5 12 33 47 90",
                                      "1e1 2.5 -3 +4"};
    for (const char a : alphabet)
        for (const char b : alphabet)
            for (int p = 0; p < 5; ++p) {
                std::string cell = "11 22 33 44 55";
                cell[static_cast<std::size_t>(3 * p)] = a;
                cell[static_cast<std::size_t>(3 * p + 1)] = b;
                cells.push_back(cell);
            }
    for (const std::string& cell : cells) {
        const QString text = QString::fromStdString(cell);
        const std::array<std::int16_t, 5> numbers = cellNumbers(cell);
        for (int p = 0; p < 5; ++p)
            EXPECT_EQ(numbers[static_cast<std::size_t>(p)], cellFieldNumber(text.mid(3 * p, 2)))
                << "cell \"" << cell << "\" field " << p + 1;
    }
}

} // namespace
