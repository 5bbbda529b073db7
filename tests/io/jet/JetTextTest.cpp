#include "io/jet/JetText.h"

#include "io/jet/JetError.h"

#include <gtest/gtest.h>

using jet::Bytes;
using jet::decodeJetText;
using jet::encodeJetText;
using jet::JetError;
using jet::ucs2ToUtf8;
using jet::utf8ToUcs2;

namespace {

std::u16string roundTrip(const std::u16string& text) {
    const Bytes stored = encodeJetText(text, true);
    return decodeJetText(stored.data(), stored.size());
}

bool isCompressed(const Bytes& b) {
    return b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE;
}

} // namespace

TEST(JetTextCompression, MixedTextSwitchesModesAsAccessDoes) {
    const Bytes expected{0xFF, 0xFE, 0x50, 0x72, 0x65, 0x7A, 0x7A, 0x6F, 0x20, 0x35, 0x00,
                         0xAC, 0x20, 0x00, 0x20, 0x70, 0x69, 0xF9, 0x20, 0x49, 0x56, 0x41};
    EXPECT_EQ(encodeJetText(u"Prezzo 5€ più IVA", true), expected);
}

TEST(JetTextCompression, UsedOnlyWhenShorterAndAllowed) {
    EXPECT_TRUE(isCompressed(encodeJetText(u"città", true)));
    EXPECT_EQ(encodeJetText(u"città", true).size(), 7u);
    EXPECT_FALSE(isCompressed(encodeJetText(u"città", false)));
    EXPECT_EQ(encodeJetText(u"città", false).size(), 10u);
    // Two characters cost four bytes either way: plain wins the tie.
    EXPECT_FALSE(isCompressed(encodeJetText(u"ab", true)));
    EXPECT_FALSE(isCompressed(encodeJetText(u"€€€", true)));
    EXPECT_TRUE(encodeJetText(u"", true).empty());
}

TEST(JetTextCompression, NeverLongerThanPlainAndShortRunsStayWide) {
    for (const std::u16string& s :
         {std::u16string(u"€a€a€a€"), std::u16string(u"€€ab€€"), std::u16string(u"a€b"),
          std::u16string(u"αβγ lotto δεζ"), std::u16string(u"Lotto 2024")}) {
        const Bytes stored = encodeJetText(s, true);
        EXPECT_LE(stored.size(), 2 * s.size());
        EXPECT_EQ(decodeJetText(stored.data(), stored.size()), s);
    }
    // A single narrow character between wide ones costs more as a mode switch than it saves.
    EXPECT_FALSE(isCompressed(encodeJetText(u"€a€a€a€", true)));
}

TEST(JetTextCompression, CharacterWithZeroLowByteForcesPlainText) {
    const std::u16string s = u"abc\u0100def";
    const Bytes stored = encodeJetText(s, true);
    EXPECT_FALSE(isCompressed(stored));
    EXPECT_EQ(decodeJetText(stored.data(), stored.size()), s);
}

TEST(JetTextCompression, TextStartingWithByteOrderMarkIsStillReadBackRight) {
    for (const std::u16string& s : {std::u16string(u"\uFEFFabc"), std::u16string(u"\uFEFF")})
        EXPECT_EQ(roundTrip(s), s);
    EXPECT_THROW(encodeJetText(u"\uFEFF\u0100", true), JetError);
}

TEST(JetTextRoundTrip, AssortedTextsComeBack) {
    for (const std::u16string& s :
         {std::u16string(u"PercorsoArchivio"), std::u16string(u"C:\\dati\\Dbarcomax.mdb"),
          std::u16string(u"à è é ì ò ù À È É Ì Ò Ù"), std::u16string(u"€"), std::u16string(u"x")})
        EXPECT_EQ(roundTrip(s), s);
}

TEST(JetTextRoundTrip, DecodingStopsAtTheEndOfMalformedInput) {
    const Bytes odd{0x41, 0x00, 0x42};
    EXPECT_EQ(decodeJetText(odd.data(), odd.size()), u"A");
    const Bytes cutWide{0xFF, 0xFE, 0x41, 0x00, 0xAC};
    EXPECT_EQ(decodeJetText(cutWide.data(), cutWide.size()), u"A");
}

TEST(JetTextUtf8, ConvertsBothWays) {
    EXPECT_EQ(utf8ToUcs2("Città €"), u"Città €");
    EXPECT_EQ(ucs2ToUtf8(u"Città €"), "Città €");
    EXPECT_EQ(ucs2ToUtf8(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
}

TEST(JetTextUtf8, MalformedOrUnstorableTextIsRefused) {
    EXPECT_THROW(utf8ToUcs2("\xC3"), JetError);             // cut short
    EXPECT_THROW(utf8ToUcs2("\xC0\xAF"), JetError);         // overlong
    EXPECT_THROW(utf8ToUcs2("\xED\xA0\x80"), JetError);     // surrogate
    EXPECT_THROW(utf8ToUcs2("a\x80"), JetError);            // stray continuation
    EXPECT_THROW(utf8ToUcs2("\xF0\x9F\x98\x80"), JetError); // beyond UCS-2
}
