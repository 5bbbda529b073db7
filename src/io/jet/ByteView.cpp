#include "io/jet/ByteView.h"

#include "io/jet/JetError.h"

#include <bit>
#include <cstring>

namespace jet::engine {

void throwDamaged(const std::string& path, const std::string& detail) {
    throw JetError("Il database \"" + path + "\" è danneggiato o non leggibile (" + detail + ").");
}

void ByteView::damaged(const std::string& detail) const {
    static const std::string unknown;
    throwDamaged(m_path ? *m_path : unknown, detail);
}

void ByteView::require(std::size_t offset, std::size_t length) const {
    if (offset > m_size || length > m_size - offset) {
        damaged("dati oltre la fine della struttura");
    }
}

std::uint8_t ByteView::u8(std::size_t offset) const {
    require(offset, 1);
    return m_data[offset];
}

std::uint16_t ByteView::u16(std::size_t offset) const {
    require(offset, 2);
    return static_cast<std::uint16_t>(m_data[offset] | (m_data[offset + 1] << 8));
}

std::uint32_t ByteView::u24(std::size_t offset) const {
    require(offset, 3);
    return static_cast<std::uint32_t>(m_data[offset]) |
           (static_cast<std::uint32_t>(m_data[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(m_data[offset + 2]) << 16);
}

std::uint32_t ByteView::u32(std::size_t offset) const {
    require(offset, 4);
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | m_data[offset + static_cast<std::size_t>(i)];
    }
    return value;
}

std::uint64_t ByteView::u64(std::size_t offset) const {
    require(offset, 8);
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) {
        value = (value << 8) | m_data[offset + static_cast<std::size_t>(i)];
    }
    return value;
}

double ByteView::f64(std::size_t offset) const {
    return std::bit_cast<double>(u64(offset));
}

ByteView ByteView::sub(std::size_t offset, std::size_t length) const {
    require(offset, length);
    return ByteView(m_data + offset, length, m_path);
}

} // namespace jet::engine
