#include "io/jet/RowLocation.h"

#include "io/jet/DataPage.h"
#include "io/jet/OwnedPages.h"

namespace jet::engine {

namespace {

constexpr int kMaxOverflowHops = 8;

bool isOverflowPointer(std::uint16_t flags) {
    return (flags & (kSlotDeleted | kSlotOverflow)) == kSlotOverflow;
}

RowLocation followOverflow(const PageImage& image, const TableDefinition& table, RowLocation location) {
    for (int hop = 0; hop < kMaxOverflowHops; ++hop) {
        const DataPage page(image.page(location.page));
        const ByteView pointer = page.row(location.slot);
        const int targetSlot = pointer.u8(0);
        const std::uint32_t targetPage = pointer.u24(1);
        const DataPage target(image.page(targetPage));
        if (target.owner() != table.page() || targetSlot >= target.slotCount()) {
            pointer.damaged("puntatore a una riga spostata non valido");
        }
        location.page = targetPage;
        location.slot = targetSlot;
        if (!isOverflowPointer(target.flags(targetSlot))) {
            return location;
        }
    }
    image.page(location.page).damaged("catena di righe spostate troppo lunga");
}

} // namespace

std::vector<RowLocation> scanRows(const PageImage& image, const TableDefinition& table) {
    std::vector<RowLocation> rows;
    for (const std::uint32_t pageNumber : ownedDataPages(image, table.ownedPagesMap(), table.page())) {
        const DataPage page(image.page(pageNumber));
        for (int slot = 0; slot < page.slotCount(); ++slot) {
            const std::uint16_t flags = page.flags(slot);
            if (flags & kSlotDeleted) {
                continue;
            }
            RowLocation location{pageNumber, slot, pageNumber, slot};
            if (flags & kSlotOverflow) {
                location = followOverflow(image, table, location);
            }
            rows.push_back(location);
        }
    }
    return rows;
}

} // namespace jet::engine
