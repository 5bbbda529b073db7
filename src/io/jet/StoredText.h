#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jet::engine {

// Text as the file stores it: plain UCS-2LE, or the compressed form (FF FE, then one byte per
// character, a 00 byte switching to and from two-byte characters). The program speaks UTF-8.

std::string decodeStoredText(const std::uint8_t* data, std::size_t size);

// UTF-8 to UTF-16 code units; invalid UTF-8 sequences become U+FFFD.
std::u16string utf8ToUtf16(const std::string& text);
std::string utf16ToUtf8(const std::u16string& text);

// Encodes text for a column; the compressed form is used only when allowed and shorter.
std::vector<std::uint8_t> encodeStoredText(const std::u16string& text, bool compressionAllowed);

// Equality without regard to case, as text keys compare.
bool equalsIgnoringCase(const std::string& left, const std::string& right);

} // namespace jet::engine
