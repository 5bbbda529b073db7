#pragma once

#include "io/jet/JetBytes.h"
#include "io/jet/JetTableLayout.h"

#include <optional>
#include <vector>

namespace jet {

// One row in the Jet 4 layout: column count, fixed area, variable data, end-of-data offset, the
// variable offsets last-first, their count, and the null mask (bit set = not null). `values` follows
// `columns`; a value is the column's stored bytes, std::nullopt for NULL.
Bytes encodeJetRow(const std::vector<JetColumnLayout>& columns,
                   const std::vector<std::optional<Bytes>>& values);

// The largest row a data page takes, leaving room for the page header and the row's slot.
inline constexpr std::size_t kMaxRowSize = 4060;

} // namespace jet
