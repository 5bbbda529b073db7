#include "io/jet/JetText.h"

#include "io/jet/JetError.h"

#include <algorithm>
#include <array>
#include <limits>

namespace jet {

std::u16string utf8ToUcs2(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    const auto bad = [] { throw JetError("Testo non valido: la codifica UTF-8 è danneggiata."); };
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::uint32_t cp = 0;
        int extra = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            extra = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            extra = 3;
        } else {
            bad();
        }
        if (i + static_cast<std::size_t>(extra) >= text.size())
            bad();
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80)
                bad();
            cp = cp << 6 | (c & 0x3F);
        }
        static constexpr std::array<std::uint32_t, 4> minimum{0, 0x80, 0x800, 0x10000};
        if (cp < minimum[static_cast<std::size_t>(extra)] || (cp >= 0xD800 && cp <= 0xDFFF))
            bad();
        if (cp > 0xFFFF)
            throw JetError("Testo non memorizzabile: contiene caratteri oltre U+FFFF.");
        out.push_back(static_cast<char16_t>(cp));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string ucs2ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t cp = text[i];
        // A well-formed surrogate pair may come from a file written by someone else.
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<std::uint32_t>(text[i + 1]) - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | cp >> 6));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | cp >> 12));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | cp >> 18));
            out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

namespace {

Bytes plainUcs2(std::u16string_view text) {
    Bytes out;
    out.reserve(text.size() * 2);
    for (char16_t c : text)
        appendU16(out, c);
    return out;
}

// Cheapest compressed encoding: two states (one byte per character, or two), a toggle byte costs one.
// Starts in the one-byte state right after the FF FE marker.
Bytes compressedForm(std::u16string_view text) {
    const std::size_t n = text.size();
    if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0xFF; })) {
        Bytes out{0xFF, 0xFE};
        out.insert(out.end(), text.begin(), text.end());
        return out;
    }
    constexpr std::size_t inf = std::numeric_limits<std::size_t>::max() / 4;
    // cost[i][s]: bytes to encode text[i..] when in state s (0 narrow, 1 wide) before text[i].
    std::vector<std::array<std::size_t, 2>> cost(n + 1, {0, 0});
    for (std::size_t i = n; i-- > 0;) {
        const bool narrowOk = text[i] <= 0xFF;
        for (int s = 0; s < 2; ++s) {
            const std::size_t stayNarrow = narrowOk ? 1 + cost[i + 1][0] : inf;
            const std::size_t stayWide = 2 + cost[i + 1][1];
            const std::size_t narrow = s == 0 ? stayNarrow : 1 + stayNarrow;
            const std::size_t wide = s == 1 ? stayWide : 1 + stayWide;
            cost[i][static_cast<std::size_t>(s)] = std::min(narrow, wide);
        }
    }
    Bytes out{0xFF, 0xFE};
    int state = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const bool narrowOk = text[i] <= 0xFF;
        const std::size_t narrowCost = narrowOk ? 1 + cost[i + 1][0] + (state == 0 ? 0 : 1) : inf;
        const std::size_t wideCost = 2 + cost[i + 1][1] + (state == 1 ? 0 : 1);
        const int next = narrowCost <= wideCost ? 0 : 1;
        if (next != state)
            out.push_back(0x00);
        state = next;
        if (state == 0)
            out.push_back(static_cast<std::uint8_t>(text[i]));
        else
            appendU16(out, text[i]);
    }
    return out;
}

} // namespace

Bytes encodeJetText(std::u16string_view text, bool compressionAllowed) {
    const bool hasZeroLowByte =
        std::any_of(text.begin(), text.end(), [](char16_t c) { return (c & 0xFF) == 0; });
    // Plain text starting with U+FEFF would read back as the compressed marker.
    const bool startsWithMarker = !text.empty() && text.front() == 0xFEFF;
    if (hasZeroLowByte) {
        if (startsWithMarker)
            throw JetError(
                "Testo non memorizzabile: inizia con U+FEFF e contiene caratteri non comprimibili.");
        return plainUcs2(text);
    }
    if (!compressionAllowed && !startsWithMarker)
        return plainUcs2(text);
    Bytes compressed = compressedForm(text);
    if (startsWithMarker || compressed.size() < text.size() * 2)
        return compressed;
    return plainUcs2(text);
}

std::u16string decodeJetText(const std::uint8_t* data, std::size_t size) {
    std::u16string out;
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        bool narrow = true;
        std::size_t i = 2;
        while (i < size) {
            if (data[i] == 0) {
                narrow = !narrow;
                ++i;
            } else if (narrow) {
                out.push_back(static_cast<char16_t>(data[i]));
                ++i;
            } else if (i + 1 < size) {
                out.push_back(static_cast<char16_t>(getU16(data + i)));
                i += 2;
            } else {
                break;
            }
        }
        return out;
    }
    out.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        out.push_back(static_cast<char16_t>(getU16(data + i)));
    return out;
}

} // namespace jet
