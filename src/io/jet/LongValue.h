#pragma once

#include "io/jet/ByteView.h"
#include "io/jet/PageImage.h"

#include <cstdint>
#include <vector>

namespace jet::engine {

// The bytes of a MEMO or OLE value from its 12-byte in-row header: inline, in one LVAL row, or in a
// chain of LVAL rows. Throws JetError when the header or the chain does not hold together.
std::vector<std::uint8_t> readLongValue(const PageImage& image, const ByteView& header);

} // namespace jet::engine
