// Text as the database file stores it, and the case-blind comparison that seek uses.
#include "io/jet/StoredText.h"

#include <gtest/gtest.h>

using namespace jet::engine;

namespace {

std::vector<std::uint8_t> bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (const int v : values) {
        out.push_back(static_cast<std::uint8_t>(v));
    }
    return out;
}

std::string decode(const std::vector<std::uint8_t>& stored) {
    return decodeStoredText(stored.data(), stored.size());
}

// The compressed form Access writes for "Prezzo 5€ più IVA": one byte a character, 00 around the €.
const std::vector<std::uint8_t> kPrezzo =
    bytes({0xFF, 0xFE, 0x50, 0x72, 0x65, 0x7A, 0x7A, 0x6F, 0x20, 0x35, 0x00,
           0xAC, 0x20, 0x00, 0x20, 0x70, 0x69, 0xF9, 0x20, 0x49, 0x56, 0x41});

} // namespace

TEST(StoredTextCodec, DecodesCompressedTextAcrossModeSwitches) {
    EXPECT_EQ(decode(kPrezzo), "Prezzo 5€ più IVA");
    EXPECT_EQ(decode(bytes({0xFF, 0xFE, 0x4F, 0x6E, 0x65})), "One");
    EXPECT_EQ(decode(bytes({0xFF, 0xFE})), "");
}

TEST(StoredTextCodec, DecodesPlainUcs2AndIgnoresAnOddLastByte) {
    EXPECT_EQ(decode(bytes({0x4F, 0x00, 0xAC, 0x20, 0xB1, 0x03})), "O€α");
    EXPECT_EQ(decode(bytes({0x4F, 0x00, 0x6B})), "O");
    EXPECT_EQ(decode({}), "");
    EXPECT_EQ(decode(bytes({0x3D, 0xD8, 0x00, 0xDE})), "😀");
}

TEST(StoredTextCodec, CompressesOnlyWhenAllowedAndShorter) {
    EXPECT_EQ(encodeStoredText(utf8ToUtf16("Prezzo 5€ più IVA"), true), kPrezzo);
    EXPECT_EQ(encodeStoredText(utf8ToUtf16("One"), true), bytes({0xFF, 0xFE, 0x4F, 0x6E, 0x65}));
    EXPECT_EQ(encodeStoredText(utf8ToUtf16("One"), false), bytes({0x4F, 0x00, 0x6E, 0x00, 0x65, 0x00}));
    // Two characters take four bytes either way: plain wins the tie.
    EXPECT_EQ(encodeStoredText(utf8ToUtf16("ab"), true), bytes({0x61, 0x00, 0x62, 0x00}));
    EXPECT_EQ(encodeStoredText(utf8ToUtf16("αβγδ"), true).size(), 8u);
    EXPECT_TRUE(encodeStoredText(u"", true).empty());
}

TEST(StoredTextCodec, NeverCompressesACharacterWhoseLowByteIsZero) {
    // U+0100 and U+2000 would put a 00 byte in the data, which reads as a mode switch.
    for (const char* text : {"aaaaaaaaĀ", "aaaaaaaa\u2000", "aaaaaaaa\U0001F600"}) {
        const std::u16string units = utf8ToUtf16(text);
        const std::vector<std::uint8_t> stored = encodeStoredText(units, true);
        EXPECT_EQ(stored.size(), units.size() * 2) << text;
        EXPECT_EQ(decode(stored), text);
    }
}

TEST(StoredTextCodec, EncodedTextDecodesToTheSameText) {
    for (const char* text :
         {"", "a", "PercorsoArchivio", "C:\\Programmi\\Lotto\\Dbarcomax.mdb", "città è più", "5€ e 6€",
          "€€€ ascii €", "Ωmega ω e omega", "ÀÈÌÒÙ àèìòù", "emoji 😀 fine"}) {
        for (const bool compression : {false, true}) {
            EXPECT_EQ(decode(encodeStoredText(utf8ToUtf16(text), compression)), text) << text;
        }
    }
}

TEST(StoredTextCodec, InvalidUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("a\xC3")), "a\uFFFD");
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("\xFF"
                                      "b")),
              "\uFFFD"
              "b");
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("\xE2\x82")), "\uFFFD\uFFFD");
    EXPECT_EQ(utf16ToUtf8(u"\xD800x"), "\uFFFDx");
}

TEST(StoredTextCodec, EqualityIgnoresCaseButNotAccents) {
    EXPECT_TRUE(equalsIgnoringCase("PercorsoArchivio", "percorsoarchivio"));
    EXPECT_TRUE(equalsIgnoringCase("CITTÀ", "città"));
    EXPECT_TRUE(equalsIgnoringCase("ΑΒΓ", "αβγ"));
    EXPECT_TRUE(equalsIgnoringCase("ŁÓDŹ", "łódź"));
    EXPECT_TRUE(equalsIgnoringCase("", ""));
    EXPECT_FALSE(equalsIgnoringCase("citta", "città"));
    EXPECT_FALSE(equalsIgnoringCase("Percorso", "PercorsoArchivio"));
    EXPECT_FALSE(equalsIgnoringCase("a", "b"));
    EXPECT_FALSE(equalsIgnoringCase("[", "{")); // 0x5B and 0x7B differ by 0x20 but are not letters
}
