#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace jet::engine {

// Little-endian reads over a stretch of a database file. Every read is bounds-checked: a structure
// that points outside the stretch makes the file "damaged" (JetError), it is never read past the end.
class ByteView {
public:
    ByteView() = default;
    ByteView(const std::uint8_t* data, std::size_t size, const std::string* path)
        : m_data(data), m_size(size), m_path(path) {}

    const std::uint8_t* data() const { return m_data; }
    std::size_t size() const { return m_size; }

    std::uint8_t u8(std::size_t offset) const;
    std::uint16_t u16(std::size_t offset) const;
    std::uint32_t u24(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    std::uint64_t u64(std::size_t offset) const;
    double f64(std::size_t offset) const;
    // Throws unless [offset, offset + length) lies inside the view.
    void require(std::size_t offset, std::size_t length) const;
    ByteView sub(std::size_t offset, std::size_t length) const;

    [[noreturn]] void damaged(const std::string& detail) const;

private:
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    const std::string* m_path = nullptr;
};

// The message of every "the file does not hold together" refusal.
[[noreturn]] void throwDamaged(const std::string& path, const std::string& detail);

} // namespace jet::engine
