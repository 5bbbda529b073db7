#pragma once

#include "io/jet/JetBytes.h"

#include <cstdint>
#include <string_view>

namespace jet {

// Index keys in the "General" sort order (LCID 1033, legacy version), as Access 2000 stores them in
// index pages. Only characters whose codes are known for certain are encoded: A-Z and a-z (the same
// code, keys ignore case), 0-9, space, and the Italian accented vowels à è é ì ò ù in either case.
bool isEncodableKeyCharacter(char16_t c);

// The key bytes of one text column, without the leading entry flag: the inline codes, 01, the extra
// section (accents), 00. Throws JetError naming the first character it cannot encode.
Bytes generalTextKey(std::u16string_view text);

// A LONG key: four big-endian bytes with the sign bit flipped, so that bytes sort like numbers.
Bytes longKey(std::int32_t value);

// Flag byte that starts every ascending, non-null column in an index entry.
inline constexpr std::uint8_t kKeyAscending = 0x7F;

} // namespace jet
