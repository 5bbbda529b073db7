#pragma once

#include "io/jet/PageImage.h"
#include "io/jet/TableDefinition.h"

#include <cstdint>
#include <vector>

namespace jet::engine {

// Where a live row is: the slot that lists it in the table's order, and the slot holding its bytes
// (another one when the listing slot is an overflow pointer).
struct RowLocation {
    std::uint32_t listPage = 0;
    int listSlot = 0;
    std::uint32_t page = 0;
    int slot = 0;

    bool sameListing(const RowLocation& other) const {
        return listPage == other.listPage && listSlot == other.listSlot;
    }
};

// Every live row of a table in table order (owned pages ascending, slots ascending). Deleted slots
// and moved-row targets are skipped; overflow pointers are followed to the row they name.
std::vector<RowLocation> scanRows(const PageImage& image, const TableDefinition& table);

} // namespace jet::engine
