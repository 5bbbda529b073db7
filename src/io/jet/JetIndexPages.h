#pragma once

#include "io/jet/JetBytes.h"

#include <cstdint>
#include <vector>

namespace jet {

// The bytes of one leaf entry: the key (its columns, each with its flag byte), then the row it names
// as a 3-byte big-endian data page and a 1-byte row number.
Bytes indexLeafEntry(const Bytes& key, std::uint32_t dataPage, std::uint8_t row);

// The pages of one index, numbered from firstPage on: the leaf pages (chained both ways), then each
// level of node pages up to a single root. A node page stores, for each child except the last, the
// child's last leaf entry followed by the child page (4 bytes big-endian); the last child is its
// "tail" page in the header. `entries` must be sorted (unsigned bytes) and distinct. No entries give
// one empty leaf page.
struct JetIndexPages {
    std::vector<Bytes> pages;
    std::uint32_t rootPage = 0;
};
JetIndexPages buildIndexPages(const std::vector<Bytes>& entries, std::uint32_t tableDefinitionPage,
                              std::uint32_t firstPage);

// Room for entries on one index page (the page minus its header and entry-end bitmap).
inline constexpr std::size_t kIndexEntryArea = 4096 - 0x1E0;

} // namespace jet
