#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jet {

inline constexpr std::size_t kJetPageSize = 4096;

inline constexpr std::uint8_t kPageHeader = 0x00;
inline constexpr std::uint8_t kPageData = 0x01;
inline constexpr std::uint8_t kPageTableDefinition = 0x02;
inline constexpr std::uint8_t kPageIndexNode = 0x03;
inline constexpr std::uint8_t kPageIndexLeaf = 0x04;
inline constexpr std::uint8_t kPageUsageBitmap = 0x05;

inline constexpr std::uint8_t kTypeInt = 0x03;
inline constexpr std::uint8_t kTypeLong = 0x04;
inline constexpr std::uint8_t kTypeDateTime = 0x08;
inline constexpr std::uint8_t kTypeBinary = 0x09;
inline constexpr std::uint8_t kTypeText = 0x0A;
inline constexpr std::uint8_t kTypeOle = 0x0B;
inline constexpr std::uint8_t kTypeMemo = 0x0C;

// Column descriptor flags.
inline constexpr std::uint8_t kColumnFixed = 0x01;
inline constexpr std::uint8_t kColumnUpdatable = 0x02;
inline constexpr std::uint8_t kColumnCompressedText = 0x01; // extended flags

// Index flags.
inline constexpr std::uint8_t kIndexUnique = 0x01;
inline constexpr std::uint8_t kIndexRequired = 0x08;
inline constexpr std::uint8_t kIndexNewFormat = 0x80;

// A map pointer in a table definition: the row `row` of page `page`.
inline constexpr std::uint32_t mapPointer(std::uint32_t page, std::uint32_t row) {
    return page << 8 | row;
}

// One column as the table definition page describes it.
struct JetColumnLayout {
    std::string name; // UTF-8
    std::uint8_t type = kTypeText;
    std::uint16_t number = 0; // also the null-mask bit
    bool fixed = false;
    std::uint16_t fixedOffset = 0; // in the fixed area, fixed columns only
    std::uint16_t varIndex = 0;    // variable columns only
    std::uint16_t length = 0;      // bytes: Text 2 x characters, Memo/Ole 0
    std::uint8_t flags = kColumnUpdatable;
    std::uint8_t extFlags = 0;
};

// One index: written as a physical index and a logical index of the same number.
struct JetIndexLayout {
    std::string name;
    std::vector<std::uint16_t> columnNumbers; // ascending each
    std::uint8_t flags = kIndexNewFormat;
    bool primaryKey = false;
    std::uint32_t mapPointer = 0; // its pages
    std::uint32_t rootPage = 0;
};

// Usage maps of the long-value (Memo/Ole) pages of one column.
struct JetLongValueMaps {
    std::uint16_t columnNumber = 0;
    std::uint32_t ownedMap = 0;
    std::uint32_t freeMap = 0;
};

struct JetTableLayout {
    std::uint8_t tableType = 0x4E; // 0x53 for system tables
    std::vector<JetColumnLayout> columns;
    std::vector<JetIndexLayout> indexes;
    std::vector<JetLongValueMaps> longValueMaps;
    std::uint32_t rowCount = 0;
    std::uint32_t ownedMap = 0;
    std::uint32_t freeMap = 0;
};

// Assigns column numbers in order, fixed offsets to fixed columns and variable indexes to the others.
void numberColumns(std::vector<JetColumnLayout>& columns);

} // namespace jet
