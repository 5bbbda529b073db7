#include "io/jet/StoredText.h"

namespace jet::engine {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::u32string utf8ToCodePoints(const std::string& text) {
    std::u32string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            c = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            c = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            c = lead & 0x07;
            minimum = 0x10000;
        } else {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        bool valid = i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
            } else {
                c = (c << 6) | (next & 0x3F);
            }
        }
        if (!valid || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        out += c;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

// Simple case folding for the scripts a settings table can hold: Latin, Greek, Cyrillic.
char32_t foldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z') {
        return c + 0x20;
    }
    if (c < 0x80) {
        return c;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return c + 0x20;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs capitals with the next code point, except around the dotless i
        // and in the 0x139-0x148 and 0x179-0x17E runs, which pair odd with even.
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
            return (c % 2 == 1) ? c + 1 : c;
        }
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) {
            return c;
        }
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) {
        return c + 0x20;
    }
    if (c >= 0x410 && c <= 0x42F) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    return c;
}

} // namespace

std::string decodeStoredText(const std::uint8_t* data, std::size_t size) {
    std::u16string units;
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        bool compressed = true;
        std::size_t i = 2;
        while (i < size) {
            if (data[i] == 0x00) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                units += static_cast<char16_t>(data[i]);
                ++i;
            } else if (i + 1 < size) {
                units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
                i += 2;
            } else {
                break;
            }
        }
    } else {
        for (std::size_t i = 0; i + 1 < size; i += 2) {
            units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        }
    }
    return utf16ToUtf8(units);
}

std::u16string utf8ToUtf16(const std::string& text) {
    std::u16string out;
    for (char32_t c : utf8ToCodePoints(text)) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::string utf16ToUtf8(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(out, U'\uFFFD');
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::vector<std::uint8_t> encodeStoredText(const std::u16string& text, bool compressionAllowed) {
    std::vector<std::uint8_t> plain;
    plain.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        plain.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        plain.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    if (!compressionAllowed || text.empty()) {
        return plain;
    }
    // A unit whose low byte is 00 would read as a mode switch: such text stays plain.
    for (const char16_t unit : text) {
        if ((unit & 0xFF) == 0) {
            return plain;
        }
    }
    std::vector<std::uint8_t> compressed{0xFF, 0xFE};
    bool oneByte = true;
    for (const char16_t unit : text) {
        const bool fitsOneByte = unit <= 0xFF;
        if (fitsOneByte != oneByte) {
            compressed.push_back(0x00);
            oneByte = fitsOneByte;
        }
        compressed.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        if (!oneByte) {
            compressed.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
    }
    return compressed.size() < plain.size() ? compressed : plain;
}

bool equalsIgnoringCase(const std::string& left, const std::string& right) {
    const std::u32string a = utf8ToCodePoints(left);
    const std::u32string b = utf8ToCodePoints(right);
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace jet::engine
