#include "io/jet/JetHeaderBlock.h"

#include "io/jet/JetBytes.h"

#include <array>
#include <cmath>
#include <utility>

namespace jet {

void applyHeaderCipher(std::uint8_t* page, std::size_t length) {
    static constexpr std::array<std::uint8_t, 4> key{0xC7, 0xDA, 0x39, 0x6B};
    std::array<std::uint8_t, 256> s{};
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<std::uint8_t>(i);
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        j = static_cast<std::uint8_t>(j + s[i] + key[i % key.size()]);
        std::swap(s[i], s[j]);
    }
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    for (std::size_t k = 0; k < length; ++k) {
        a = static_cast<std::uint8_t>(a + 1);
        b = static_cast<std::uint8_t>(b + s[a]);
        std::swap(s[a], s[b]);
        page[kHeaderBlockStart + k] ^= s[static_cast<std::uint8_t>(s[a] + s[b])];
    }
}

void applyPasswordMask(std::uint8_t* field, std::size_t length, double creationDate) {
    // Dates outside the 32-bit range cannot come from Access; they leave the field unmasked.
    std::uint32_t whole = 0;
    if (std::isfinite(creationDate) && creationDate > -2147483648.0 && creationDate < 2147483648.0)
        whole = static_cast<std::uint32_t>(static_cast<std::int32_t>(std::trunc(creationDate)));
    std::array<std::uint8_t, 4> mask{};
    putU32(mask.data(), whole);
    for (std::size_t i = 0; i < length; ++i)
        field[i] ^= mask[i % 4];
}

} // namespace jet
