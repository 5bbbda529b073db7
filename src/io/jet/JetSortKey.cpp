#include "io/jet/JetSortKey.h"

#include "io/jet/JetError.h"
#include "io/jet/JetText.h"

#include <string>

namespace jet {

namespace {

constexpr std::uint8_t kLetterCodes[26] = {0x4A, 0x4C, 0x4D, 0x4F, 0x51, 0x53, 0x55, 0x57, 0x59,
                                           0x5B, 0x5C, 0x5E, 0x60, 0x62, 0x64, 0x66, 0x68, 0x69,
                                           0x6B, 0x6D, 0x6F, 0x71, 0x73, 0x75, 0x76, 0x78};

struct KeyCode {
    std::uint8_t inlineCode = 0;
    std::uint8_t extraCode = 0; // 0: none
};

std::uint8_t letterCode(char16_t base) {
    return kLetterCodes[base - u'a'];
}

bool keyCode(char16_t c, KeyCode& code) {
    if (c >= u'A' && c <= u'Z')
        c = static_cast<char16_t>(c - u'A' + u'a');
    if (c >= u'a' && c <= u'z') {
        code = {letterCode(c), 0};
        return true;
    }
    if (c >= u'0' && c <= u'9') {
        code = {static_cast<std::uint8_t>(0x36 + 2 * (c - u'0')), 0};
        return true;
    }
    if (c == u' ') {
        code = {0x07, 0};
        return true;
    }
    // Accented vowels: the base letter inline, the accent in the extra section (grave 0F, acute 0E).
    switch (c) {
    case u'à':
    case u'À':
        code = {letterCode(u'a'), 0x0F};
        return true;
    case u'è':
    case u'È':
        code = {letterCode(u'e'), 0x0F};
        return true;
    case u'é':
    case u'É':
        code = {letterCode(u'e'), 0x0E};
        return true;
    case u'ì':
    case u'Ì':
        code = {letterCode(u'i'), 0x0F};
        return true;
    case u'ò':
    case u'Ò':
        code = {letterCode(u'o'), 0x0F};
        return true;
    case u'ù':
    case u'Ù':
        code = {letterCode(u'u'), 0x0F};
        return true;
    default:
        return false;
    }
}

} // namespace

bool isEncodableKeyCharacter(char16_t c) {
    KeyCode code;
    return keyCode(c, code);
}

Bytes generalTextKey(std::u16string_view text) {
    Bytes key;
    Bytes extra;
    std::size_t pendingPlain = 0; // characters without an extra code since the last one that had one
    for (char16_t c : text) {
        KeyCode code;
        if (!keyCode(c, code))
            throw JetError("Il valore \"" + ucs2ToUtf8(text) +
                           "\" non può entrare nella chiave primaria: il carattere \"" +
                           ucs2ToUtf8(std::u16string(1, c)) +
                           "\" non è ammesso (solo lettere, cifre, spazio e vocali accentate).");
        key.push_back(code.inlineCode);
        if (code.extraCode == 0) {
            ++pendingPlain;
            continue;
        }
        // Earlier characters without an accent get 02 each; trailing 02s are never written.
        extra.insert(extra.end(), pendingPlain, 0x02);
        pendingPlain = 0;
        extra.push_back(code.extraCode);
    }
    key.push_back(0x01);
    appendBytes(key, extra);
    key.push_back(0x00);
    return key;
}

Bytes longKey(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value) ^ 0x80000000u;
    return {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
            static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

} // namespace jet
