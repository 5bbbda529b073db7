#pragma once

#include "io/jet/JetBytes.h"

#include <cstdint>
#include <vector>

namespace jet {

// A data page (type 0x01) holding `rows` in slot order, packed down from the page end. Usage-map
// pages are data pages owned by page 0.
Bytes buildDataPage(std::uint32_t ownerPage, const std::vector<const Bytes*>& rows);

// Free bytes a data page reports once it holds rows of these sizes.
std::size_t dataPageFreeSpace(const std::vector<std::size_t>& rowSizes);

// Splits rows, in order, into pages: each page takes rows while they fit (at most 255 per page).
// Returns for each page the index of its first row; the last page ends at rowSizes.size().
std::vector<std::size_t> packRowsIntoPages(const std::vector<std::size_t>& rowSizes);

} // namespace jet
