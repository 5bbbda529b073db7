#pragma once

#include "io/jet/ByteView.h"

#include <cstddef>
#include <cstdint>

namespace jet::engine {

inline constexpr std::uint8_t kDataPageType = 0x01;
inline constexpr std::uint16_t kSlotDeleted = 0x8000;
inline constexpr std::uint16_t kSlotOverflow = 0x4000;
inline constexpr std::uint16_t kSlotOffsetMask = 0x1FFF;
inline constexpr std::size_t kDataPageHeader = 14;

// The row slots of a data page. A row runs from its own start to the start of the slot before it
// (the page end for slot 0); the top bits of a slot are flags.
class DataPage {
public:
    // Throws JetError when the page is not a data page or its slot table does not fit.
    explicit DataPage(ByteView page);

    ByteView bytes() const { return m_page; }
    std::uint32_t owner() const { return m_page.u32(4); }
    std::uint16_t freeSpace() const { return m_page.u16(2); }
    int slotCount() const { return m_slotCount; }
    std::uint16_t slotWord(int slot) const;
    std::uint16_t flags(int slot) const { return slotWord(slot) & ~kSlotOffsetMask; }
    std::size_t rowStart(int slot) const { return slotWord(slot) & kSlotOffsetMask; }
    std::size_t rowEnd(int slot) const;
    // True when the slot's start and end make sense (inside the row area, not inverted).
    bool rowBoundsValid(int slot) const;
    // The row's bytes; throws JetError when its bounds do not make sense.
    ByteView row(int slot) const;

private:
    ByteView m_page;
    int m_slotCount = 0;
};

} // namespace jet::engine
