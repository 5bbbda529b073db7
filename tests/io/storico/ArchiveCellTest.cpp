#include "io/storico/ArchiveCell.h"

#include <gtest/gtest.h>

using storico::formatArchiveCell;

TEST(ArchiveCellFormat, FiveZeroPaddedFieldsSeparatedByOneBlank) {
    EXPECT_EQ(formatArchiveCell({5, 12, 33, 47, 90}), "05 12 33 47 90");
    EXPECT_EQ(formatArchiveCell({90, 1, 2, 3, 10}), "90 01 02 03 10");
}

TEST(ArchiveCellFormat, FieldsStartAtCharactersOneFourSevenTenThirteen) {
    const storico::WheelNumbers numbers{58, 22, 7, 49, 69};
    const std::string cell = formatArchiveCell(numbers);
    ASSERT_EQ(cell.size(), static_cast<std::size_t>(storico::ArchiveCellLength));
    for (int position = 1; position <= 5; ++position) {
        const auto start = static_cast<std::size_t>(3 * position - 3); // character 3p-2, 0-based
        EXPECT_EQ(std::stoi(cell.substr(start, 2)), numbers[static_cast<std::size_t>(position - 1)]);
        if (position < 5) {
            EXPECT_EQ(cell[start + 2], ' ');
        }
    }
}

TEST(ArchiveCellFormat, OrderOfExtractionIsKept) {
    EXPECT_EQ(formatArchiveCell({69, 49, 47, 22, 58}), "69 49 47 22 58");
}
