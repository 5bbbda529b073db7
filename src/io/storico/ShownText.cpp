#include "io/storico/ShownText.h"

#include <cstdint>
#include <cstdio>

namespace storico {

namespace {

// The length of the well-formed UTF-8 sequence at the start of `bytes` and its code point; 0 when the
// first byte does not start one (a stray continuation byte, an overlong form, a surrogate, Latin-1).
std::size_t utf8Sequence(std::string_view bytes, char32_t& codePoint) {
    if (bytes.empty())
        return 0;
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = 0x800;
        codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
        codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u)
            return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3Fu);
    }
    if (codePoint < lowest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

// Characters that change what a terminal or a line of text shows rather than showing themselves.
bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F ||
           c == 0xFEFF;
}

std::string escaped(const char* format, unsigned value) {
    char text[12];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::size_t utf8SequenceLength(std::string_view bytes) {
    char32_t codePoint = 0;
    return utf8Sequence(bytes, codePoint);
}

std::string shownText(std::string_view bytes, std::size_t limit) {
    std::string shown;
    std::size_t characters = 0;
    while (!bytes.empty()) {
        if (characters == limit)
            return shown + "…";
        char32_t c = 0;
        const std::size_t length = utf8Sequence(bytes, c);
        if (length == 0)
            shown += escaped("\\x%02x", static_cast<std::uint8_t>(bytes.front()));
        else if (isControl(c))
            shown += escaped(c < 0x80 ? "\\x%02x" : "\\u%04x", static_cast<unsigned>(c));
        else
            shown.append(bytes.substr(0, length));
        bytes.remove_prefix(length == 0 ? 1 : length);
        ++characters;
    }
    return shown;
}

} // namespace storico
