#pragma once

#include "io/jet/PageImage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jet::engine {

enum class StoredType : std::uint8_t {
    Boolean = 0x01,
    Byte = 0x02,
    Int = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Float = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
    Guid = 0x0F,
    Numeric = 0x10,
};

struct ColumnInfo {
    std::string name;
    std::uint8_t type = 0;
    std::uint16_t number = 0;   // null-mask bit
    std::uint16_t varIndex = 0; // position among the variable columns
    std::uint8_t flags = 0;
    std::uint8_t extFlags = 0;
    std::uint16_t fixedOffset = 0;
    std::uint16_t length = 0; // bytes

    bool isFixed() const { return (flags & 0x01) != 0; }
    bool compressionAllowed() const { return (extFlags & 0x01) != 0; }
    bool isType(StoredType t) const { return type == static_cast<std::uint8_t>(t); }
};

struct RealIndex {
    std::vector<std::uint16_t> columnNumbers;
    std::uint8_t flags = 0;
};

struct LogicalIndex {
    std::string name;
    std::uint32_t realIndex = 0;
    std::uint8_t kind = 0; // 1 primary key
};

// A table definition (TDEF) page chain, parsed.
class TableDefinition {
public:
    // Throws JetError when the chain or any of its sections does not hold together.
    static TableDefinition read(const PageImage& image, std::uint32_t page);

    std::uint32_t page() const { return m_page; }
    const std::vector<ColumnInfo>& columns() const { return m_columns; }
    const std::vector<RealIndex>& realIndexes() const { return m_realIndexes; }
    const std::vector<LogicalIndex>& logicalIndexes() const { return m_logicalIndexes; }
    std::uint32_t ownedPagesMap() const { return m_ownedPagesMap; }
    // Rows carry the variable-column section only when the table has variable columns.
    std::uint16_t variableColumnCount() const { return m_variableColumnCount; }

    // Case-insensitive look-ups.
    const ColumnInfo* findColumn(const std::string& name) const;
    const ColumnInfo* findColumnByNumber(std::uint16_t number) const;
    const LogicalIndex* findIndex(const std::string& name) const;
    bool isIndexed(const ColumnInfo& column) const;

private:
    std::uint32_t m_page = 0;
    std::vector<ColumnInfo> m_columns;
    std::vector<RealIndex> m_realIndexes;
    std::vector<LogicalIndex> m_logicalIndexes;
    std::uint32_t m_ownedPagesMap = 0;
    std::uint16_t m_variableColumnCount = 0;
};

} // namespace jet::engine
