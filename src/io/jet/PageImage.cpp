#include "io/jet/PageImage.h"

#include "io/jet/JetError.h"
#include "io/jet/SystemReason.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace jet::engine {

PageImage::PageImage(std::string path, std::vector<std::uint8_t> bytes)
    : m_path(std::move(path)), m_bytes(std::move(bytes)) {}

PageImage PageImage::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        throw JetError("Impossibile aprire il database \"" + path + "\": " + systemReason(errno) + ".");
    }
    const std::streamoff size = in.tellg();
    if (size < 0) {
        throw JetError("Impossibile leggere il database \"" + path + "\".");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) {
        throw JetError("Impossibile leggere il database \"" + path + "\".");
    }
    if (bytes.size() < 3 * kPageSize || bytes.size() % kPageSize != 0) {
        throwDamaged(path, "il file non è fatto di pagine intere");
    }
    return PageImage(path, std::move(bytes));
}

ByteView PageImage::page(std::uint32_t number) const {
    if (!hasPage(number)) {
        throwDamaged(m_path, "la pagina " + std::to_string(number) + " è oltre la fine del file");
    }
    return ByteView(m_bytes.data() + std::size_t{number} * kPageSize, kPageSize, &m_path);
}

void PageImage::replacePage(std::uint32_t number, const std::vector<std::uint8_t>& content) {
    if (!hasPage(number) || content.size() != kPageSize) {
        throwDamaged(m_path, "pagina " + std::to_string(number) + " non sostituibile");
    }
    std::memcpy(m_bytes.data() + std::size_t{number} * kPageSize, content.data(), kPageSize);
}

} // namespace jet::engine
