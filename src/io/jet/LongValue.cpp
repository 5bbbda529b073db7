#include "io/jet/LongValue.h"

#include "io/jet/DataPage.h"

#include <algorithm>

namespace jet::engine {

namespace {

constexpr std::uint8_t kInline = 0x80;
constexpr std::uint8_t kSingleRow = 0x40;
constexpr std::size_t kHeaderSize = 12;

ByteView longValueRow(const PageImage& image, std::uint32_t pointer) {
    const DataPage page(image.page(pointer >> 8));
    const int slot = static_cast<int>(pointer & 0xFF);
    if (slot >= page.slotCount()) {
        page.bytes().damaged("valore lungo inesistente");
    }
    return page.row(slot);
}

} // namespace

std::vector<std::uint8_t> readLongValue(const PageImage& image, const ByteView& header) {
    header.require(0, kHeaderSize);
    const std::size_t length = header.u24(0);
    const std::uint8_t kind = header.u8(3);
    std::vector<std::uint8_t> out;
    if (kind & kInline) {
        const ByteView data = header.sub(kHeaderSize, length);
        out.assign(data.data(), data.data() + data.size());
        return out;
    }
    if (kind & kSingleRow) {
        const ByteView row = longValueRow(image, header.u32(4));
        const ByteView data = row.sub(0, length);
        out.assign(data.data(), data.data() + data.size());
        return out;
    }
    // A chain visits each row at most once, so it cannot be longer than the rows in the file.
    std::uint32_t pointer = header.u32(4);
    const std::size_t maxLinks = std::size_t{image.pageCount()} * 256;
    for (std::size_t link = 0; pointer != 0 && out.size() < length; ++link) {
        if (link >= maxLinks) {
            header.damaged("catena di valori lunghi circolare");
        }
        const ByteView row = longValueRow(image, pointer);
        pointer = row.u32(0);
        const std::size_t take = std::min(row.size() - 4, length - out.size());
        out.insert(out.end(), row.data() + 4, row.data() + 4 + take);
    }
    if (out.size() != length) {
        header.damaged("valore lungo incompleto");
    }
    return out;
}

} // namespace jet::engine
