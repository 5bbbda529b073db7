#include "io/jet/JetPageBuilder.h"

#include "io/jet/JetError.h"
#include "io/jet/JetTableLayout.h"

#include <numeric>

namespace jet {

namespace {

constexpr std::size_t kDataPageHeader = 14;
constexpr std::size_t kMaxRowsPerPage = 255;

} // namespace

std::size_t dataPageFreeSpace(const std::vector<std::size_t>& rowSizes) {
    const std::size_t used = kDataPageHeader + 2 * rowSizes.size() +
                             std::accumulate(rowSizes.begin(), rowSizes.end(), std::size_t{0});
    if (used > kJetPageSize)
        throw JetError("Righe troppo grandi per una pagina di dati.");
    return kJetPageSize - used;
}

Bytes buildDataPage(std::uint32_t ownerPage, const std::vector<const Bytes*>& rows) {
    if (rows.size() > kMaxRowsPerPage)
        throw JetError("Troppe righe per una pagina di dati.");
    std::vector<std::size_t> sizes;
    sizes.reserve(rows.size());
    for (const Bytes* row : rows)
        sizes.push_back(row->size());
    const std::size_t freeSpace = dataPageFreeSpace(sizes);

    Bytes page(kJetPageSize, 0);
    page[0] = kPageData;
    page[1] = 0x01;
    putU16(page.data() + 2, static_cast<std::uint32_t>(freeSpace));
    putU32(page.data() + 4, ownerPage);
    putU16(page.data() + 12, static_cast<std::uint32_t>(rows.size()));
    std::size_t end = kJetPageSize;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t start = end - rows[i]->size();
        std::copy(rows[i]->begin(), rows[i]->end(), page.begin() + static_cast<std::ptrdiff_t>(start));
        putU16(page.data() + kDataPageHeader + 2 * i, static_cast<std::uint32_t>(start));
        end = start;
    }
    return page;
}

std::vector<std::size_t> packRowsIntoPages(const std::vector<std::size_t>& rowSizes) {
    std::vector<std::size_t> firsts;
    std::size_t used = kJetPageSize; // forces a first page
    std::size_t count = kMaxRowsPerPage;
    for (std::size_t i = 0; i < rowSizes.size(); ++i) {
        const std::size_t need = rowSizes[i] + 2;
        if (kDataPageHeader + rowSizes[i] + 2 > kJetPageSize)
            throw JetError("Riga troppo grande per una pagina di dati.");
        if (count == kMaxRowsPerPage || used + need > kJetPageSize) {
            firsts.push_back(i);
            used = kDataPageHeader;
            count = 0;
        }
        used += need;
        ++count;
    }
    return firsts;
}

} // namespace jet
