#pragma once

#include "io/jet/PageImage.h"

#include <cstdint>
#include <vector>

namespace jet::engine {

// The data pages a table owns, in page order, from its owned-pages usage map. Pages the map lists
// that are not data pages of this table are left out (they were freed or reused); a map that
// names a page outside the file makes it damaged.
std::vector<std::uint32_t> ownedDataPages(const PageImage& image, std::uint32_t mapPointer,
                                          std::uint32_t tableDefinitionPage);

} // namespace jet::engine
