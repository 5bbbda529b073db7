#pragma once

#include "io/jet/JetBytes.h"

#include <cstdint>
#include <vector>

namespace jet {

// Usage maps say which pages belong to something (a table's data pages, an index's pages, the free
// pages of the file). They are rows of a data page owned by page 0.
inline constexpr std::size_t kInlineMapBitmapBytes = 64; // Access's own size: 512 pages
inline constexpr std::size_t kUsageMapRowBytes = 1 + 4 + kInlineMapBitmapBytes;
inline constexpr std::size_t kReferenceMapSlots = (kUsageMapRowBytes - 1) / 4;
inline constexpr std::uint32_t kPagesPerBitmapPage = (4096 - 4) * 8;

// Type 0: 00, the first page covered, then one bit per page (least significant bit first).
// Pages outside the covered stretch are ignored by the caller's choice of stretch; asking for one
// throws JetError.
Bytes inlineUsageMap(std::uint32_t firstPage, std::size_t bitmapBytes,
                     const std::vector<std::uint32_t>& pages);

// True when all pages fall in the stretch an Access-sized inline map starting at page 0 covers.
bool fitsInlineUsageMap(const std::vector<std::uint32_t>& pages);

// Type 1: 01, then the page numbers of up to 17 bitmap pages (0 where a stretch has no page); the
// bitmap page in slot k covers pages k * 32736 ... k * 32736 + 32735.
Bytes referenceUsageMap(const std::vector<std::uint32_t>& bitmapPages);

// Slots a reference map needs for these pages (one per 32736-page stretch up to the highest).
std::vector<std::size_t> referenceMapStretches(const std::vector<std::uint32_t>& pages);

// A bitmap page (type 0x05) for stretch `stretch` of a reference map, with the bits of `pages` in it.
Bytes usageBitmapPage(std::size_t stretch, const std::vector<std::uint32_t>& pages);

} // namespace jet
