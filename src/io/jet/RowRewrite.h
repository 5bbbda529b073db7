#pragma once

#include "io/jet/ByteView.h"
#include "io/jet/StoredRow.h"
#include "io/jet/TableDefinition.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace jet::engine {

// A new value for one variable-length column: its stored bytes, or NULL.
struct ColumnChange {
    const ColumnInfo* column = nullptr;
    std::optional<std::vector<std::uint8_t>> bytes;
};

// The row with the changed columns put in. The fixed area and every other column keep their bytes;
// when the row is shorter than minimumSize, zero bytes before the end-of-data field fill it up.
// Throws JetError when a changed column is not in the row's variable section.
std::vector<std::uint8_t> rewriteRow(const StoredRow& row, const std::vector<ColumnChange>& changes,
                                     std::size_t minimumSize);

// The data page with the row of one slot replaced. A row that fits its slot is written in place and
// nothing else changes; a longer one makes the rows be laid out again from the page end, each slot
// keeping its flags and row number. Throws JetError when the page has no room for it.
std::vector<std::uint8_t> pageWithRewrittenRow(const ByteView& page, int slot, const StoredRow& row,
                                               const std::vector<ColumnChange>& changes);

} // namespace jet::engine
