#pragma once

#include "io/jet/JetBytes.h"

#include <string>
#include <string_view>

namespace jet {

// UTF-8 to UTF-16 for text that goes into a file. Jet text is UCS-2, so characters outside the
// Basic Multilingual Plane are refused along with malformed UTF-8: both throw JetError.
std::u16string utf8ToUcs2(std::string_view text);
std::string ucs2ToUtf8(std::u16string_view text);

// A Text value as stored in a row. With compression allowed the compressed form (FF FE, one byte per
// character, a 00 byte toggling to and from two-byte characters) is used when it is shorter; it is
// impossible when some character has a zero low byte, since that byte would read as a toggle.
Bytes encodeJetText(std::u16string_view text, bool compressionAllowed);

// Reads either form back. Malformed input (an odd trailing byte) is cut off, never read past.
std::u16string decodeJetText(const std::uint8_t* data, std::size_t size);

} // namespace jet
