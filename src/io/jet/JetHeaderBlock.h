#pragma once

#include <cstddef>
#include <cstdint>

namespace jet {

// Page 0 of a Jet 3/4 file hides the bytes 0x18.. under RC4 with a fixed key. The same call hides and
// reveals. Jet 4 covers 128 bytes, Jet 3 126.
inline constexpr std::size_t kHeaderBlockStart = 0x18;
inline constexpr std::size_t kJet4HeaderBlockLength = 128;
inline constexpr std::size_t kJet3HeaderBlockLength = 126;
void applyHeaderCipher(std::uint8_t* page, std::size_t length = kJet4HeaderBlockLength);

// Offsets inside page 0 (valid once the block is revealed).
inline constexpr std::size_t kHeaderVersionOffset = 0x14;
inline constexpr std::size_t kHeaderCodePageOffset = 0x3C;
inline constexpr std::size_t kHeaderPageKeyOffset = 0x3E;
inline constexpr std::size_t kHeaderPasswordOffset = 0x42;
inline constexpr std::size_t kJet4PasswordBytes = 40; // 20 UCS-2 characters
inline constexpr std::size_t kJet3PasswordBytes = 20;
inline constexpr std::size_t kHeaderSortOrderOffset = 0x6E;
inline constexpr std::size_t kHeaderCreationDateOffset = 0x72;

// Jet 4 also masks the password field with the whole-day part of the creation date, as four
// little-endian bytes repeated. Applying it twice restores the field.
void applyPasswordMask(std::uint8_t* field, std::size_t length, double creationDate);

} // namespace jet
