#pragma once

#include "io/jet/ByteView.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace jet::engine {

inline constexpr std::size_t kPageSize = 4096;

// The whole database file held in memory (the program's database is small), split into pages.
class PageImage {
public:
    PageImage(std::string path, std::vector<std::uint8_t> bytes);

    // Reads the file. Throws JetError when it cannot be read or is not made of whole pages.
    static PageImage load(const std::string& path);

    const std::string& path() const { return m_path; }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::uint32_t pageCount() const { return static_cast<std::uint32_t>(m_bytes.size() / kPageSize); }
    bool hasPage(std::uint32_t page) const { return page < pageCount(); }

    // A view of one page; throws JetError when the page lies outside the file.
    ByteView page(std::uint32_t number) const;
    void replacePage(std::uint32_t number, const std::vector<std::uint8_t>& content);

private:
    std::string m_path;
    std::vector<std::uint8_t> m_bytes;
};

} // namespace jet::engine
