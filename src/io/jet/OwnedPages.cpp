#include "io/jet/OwnedPages.h"

#include "io/jet/DataPage.h"

#include <set>

namespace jet::engine {

namespace {

constexpr std::uint8_t kInlineMap = 0x00;
constexpr std::uint8_t kReferenceMap = 0x01;
constexpr std::uint8_t kMapPageType = 0x05;
constexpr std::size_t kMapPageHeader = 4;
constexpr std::uint32_t kPagesPerMapPage = (kPageSize - kMapPageHeader) * 8;

void collectBits(const PageImage& image, const ByteView& bitmap, std::uint64_t firstPage,
                 std::set<std::uint32_t>& pages) {
    for (std::size_t byte = 0; byte < bitmap.size(); ++byte) {
        const std::uint8_t bits = bitmap.u8(byte);
        for (int bit = 0; bits != 0 && bit < 8; ++bit) {
            if ((bits & (1u << bit)) == 0) {
                continue;
            }
            const std::uint64_t page = firstPage + byte * 8 + static_cast<std::size_t>(bit);
            if (page >= image.pageCount()) {
                bitmap.damaged("la mappa delle pagine elenca pagine oltre la fine del file");
            }
            pages.insert(static_cast<std::uint32_t>(page));
        }
    }
}

} // namespace

std::vector<std::uint32_t> ownedDataPages(const PageImage& image, std::uint32_t mapPointer,
                                          std::uint32_t tableDefinitionPage) {
    const DataPage holder(image.page(mapPointer >> 8));
    const int row = static_cast<int>(mapPointer & 0xFF);
    if (row >= holder.slotCount()) {
        holder.bytes().damaged("mappa delle pagine inesistente");
    }
    const ByteView map = holder.row(row);
    std::set<std::uint32_t> pages;
    const std::uint8_t kind = map.u8(0);
    if (kind == kInlineMap) {
        const std::uint32_t start = map.u32(1);
        collectBits(image, map.sub(5, map.size() - 5), start, pages);
    } else if (kind == kReferenceMap) {
        const std::size_t references = (map.size() - 1) / 4;
        for (std::size_t k = 0; k < references; ++k) {
            const std::uint32_t mapPage = map.u32(1 + 4 * k);
            if (mapPage == 0) {
                continue;
            }
            const ByteView bitmapPage = image.page(mapPage);
            if (bitmapPage.u8(0) != kMapPageType) {
                bitmapPage.damaged("attesa una pagina di mappa");
            }
            collectBits(image, bitmapPage.sub(kMapPageHeader, kPageSize - kMapPageHeader),
                        std::uint64_t{kPagesPerMapPage} * k, pages);
        }
    } else {
        map.damaged("tipo di mappa delle pagine sconosciuto");
    }

    std::vector<std::uint32_t> owned;
    for (const std::uint32_t page : pages) {
        const ByteView view = image.page(page);
        if (view.u8(0) == kDataPageType && view.u32(4) == tableDefinitionPage) {
            owned.push_back(page);
        }
    }
    return owned;
}

} // namespace jet::engine
