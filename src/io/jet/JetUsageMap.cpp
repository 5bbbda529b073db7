#include "io/jet/JetUsageMap.h"

#include "io/jet/JetError.h"
#include "io/jet/JetTableLayout.h"

#include <algorithm>
#include <set>

namespace jet {

Bytes inlineUsageMap(std::uint32_t firstPage, std::size_t bitmapBytes,
                     const std::vector<std::uint32_t>& pages) {
    Bytes map(5 + bitmapBytes, 0);
    putU32(map.data() + 1, firstPage);
    for (std::uint32_t page : pages) {
        if (page < firstPage || page - firstPage >= bitmapBytes * 8)
            throw JetError("Pagina fuori dalla mappa di utilizzo.");
        const std::uint32_t bit = page - firstPage;
        map[5 + bit / 8] = static_cast<std::uint8_t>(map[5 + bit / 8] | 1u << (bit % 8));
    }
    return map;
}

bool fitsInlineUsageMap(const std::vector<std::uint32_t>& pages) {
    return std::all_of(pages.begin(), pages.end(),
                       [](std::uint32_t p) { return p < kInlineMapBitmapBytes * 8; });
}

Bytes referenceUsageMap(const std::vector<std::uint32_t>& bitmapPages) {
    if (bitmapPages.size() > kReferenceMapSlots)
        throw JetError("Database troppo grande.");
    Bytes map(kUsageMapRowBytes, 0);
    map[0] = 0x01;
    for (std::size_t k = 0; k < bitmapPages.size(); ++k)
        putU32(map.data() + 1 + 4 * k, bitmapPages[k]);
    return map;
}

std::vector<std::size_t> referenceMapStretches(const std::vector<std::uint32_t>& pages) {
    std::set<std::size_t> stretches;
    for (std::uint32_t page : pages)
        stretches.insert(page / kPagesPerBitmapPage);
    if (!stretches.empty() && *stretches.rbegin() >= kReferenceMapSlots)
        throw JetError("Database troppo grande.");
    return {stretches.begin(), stretches.end()};
}

Bytes usageBitmapPage(std::size_t stretch, const std::vector<std::uint32_t>& pages) {
    Bytes page(kJetPageSize, 0);
    page[0] = kPageUsageBitmap;
    page[1] = 0x01;
    const std::uint64_t first = std::uint64_t{kPagesPerBitmapPage} * stretch;
    for (std::uint32_t p : pages) {
        if (p < first || p - first >= kPagesPerBitmapPage)
            continue;
        const auto bit = static_cast<std::size_t>(p - first);
        page[4 + bit / 8] = static_cast<std::uint8_t>(page[4 + bit / 8] | 1u << (bit % 8));
    }
    return page;
}

} // namespace jet
