#pragma once

#include "io/jet/ByteView.h"
#include "io/jet/PageImage.h"
#include "io/jet/TableDefinition.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jet::engine {

// One row of a table split into its parts: column count, fixed area, variable columns, null mask.
//   u16 column count | fixed data | variable data | u16 EOD | u16 offsets, last first | u16 count | mask
class StoredRow {
public:
    // Throws JetError when the row's parts do not fit inside it.
    StoredRow(ByteView row, const TableDefinition& table);

    ByteView bytes() const { return m_row; }
    std::uint16_t columnCount() const { return m_columnCount; }
    std::size_t variableCount() const { return m_varStarts.size(); }
    std::size_t variableStart(std::size_t varIndex) const { return m_varStarts[varIndex]; }
    std::size_t variableEnd(std::size_t varIndex) const;
    std::size_t variableAreaStart() const;
    std::size_t endOfData() const { return m_endOfData; }
    std::size_t nullMaskStart() const { return m_nullMaskStart; }

    bool isPresent(const ColumnInfo& column) const; // mask bit set
    // The column's bytes; std::nullopt when NULL. Booleans have no bytes: see isPresent.
    std::optional<ByteView> value(const ColumnInfo& column) const;
    // The value as text: decimal numbers, dates as "yyyy-mm-dd hh:mm:ss", decoded text (MEMO values
    // are followed into their pages), other bytes as hex. std::nullopt for NULL.
    std::optional<std::string> text(const ColumnInfo& column, const PageImage& image) const;

private:
    ByteView m_row;
    std::uint16_t m_columnCount = 0;
    std::size_t m_nullMaskStart = 0;
    std::size_t m_endOfData = 0;
    std::vector<std::size_t> m_varStarts;
};

} // namespace jet::engine
