#include "io/jet/JetSortKey.h"

#include "io/jet/JetError.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

using jet::Bytes;
using jet::generalTextKey;
using jet::JetError;
using jet::longKey;

// Keys as Access writes them in its own index pages (without the leading 7F flag).
TEST(GeneralTextKey, MatchesAccessWrittenKeys) {
    EXPECT_EQ(generalTextKey(u"a"), (Bytes{0x4A, 0x01, 0x00}));
    EXPECT_EQ(generalTextKey(u"abcdefg"), (Bytes{0x4A, 0x4C, 0x4D, 0x4F, 0x51, 0x53, 0x55, 0x01, 0x00}));
    EXPECT_EQ(generalTextKey(u"only ascii chars"),
              (Bytes{0x64, 0x62, 0x5E, 0x76, 0x07, 0x4A, 0x6B, 0x4D, 0x59, 0x59, 0x07, 0x4D, 0x57, 0x4A, 0x69,
                     0x6B, 0x01, 0x00}));
    EXPECT_EQ(generalTextKey(u"Table1"), (Bytes{0x6D, 0x4A, 0x4C, 0x5E, 0x51, 0x38, 0x01, 0x00}));
}

TEST(GeneralTextKey, IgnoresCase) {
    EXPECT_EQ(generalTextKey(u"PercorsoArchivio"), generalTextKey(u"percorsoarchivio"));
    EXPECT_EQ(generalTextKey(u"CITTÀ È"), generalTextKey(u"città è"));
}

TEST(GeneralTextKey, AccentsGoToTheExtraSection) {
    EXPECT_EQ(generalTextKey(u"città"),
              (Bytes{0x4D, 0x59, 0x6D, 0x6D, 0x4A, 0x01, 0x02, 0x02, 0x02, 0x02, 0x0F, 0x00}));
    // Trailing characters without an accent add nothing.
    EXPECT_EQ(generalTextKey(u"èra"), (Bytes{0x51, 0x69, 0x4A, 0x01, 0x0F, 0x00}));
    EXPECT_EQ(generalTextKey(u"perché"),
              (Bytes{0x66, 0x51, 0x69, 0x4D, 0x57, 0x51, 0x01, 0x02, 0x02, 0x02, 0x02, 0x02, 0x0E, 0x00}));
    // Accented and plain spellings are different keys that sort next to each other.
    EXPECT_NE(generalTextKey(u"citta"), generalTextKey(u"città"));
    EXPECT_LT(generalTextKey(u"citta"), generalTextKey(u"città"));
    EXPECT_LT(generalTextKey(u"città"), generalTextKey(u"cittb"));
}

TEST(GeneralTextKey, SortsLikeTheAlphabetThenLength) {
    std::vector<std::u16string> words = {u"b", u"a", u"ab", u"Z", u"9", u"0", u"a b", u"aa", u"y"};
    std::vector<std::u16string> byKey = words;
    std::sort(byKey.begin(), byKey.end(),
              [](const auto& l, const auto& r) { return generalTextKey(l) < generalTextKey(r); });
    EXPECT_EQ(byKey, (std::vector<std::u16string>{u"0", u"9", u"a", u"a b", u"aa", u"ab", u"b", u"y", u"Z"}));
}

TEST(GeneralTextKey, CharactersWithoutACertainCodeAreRefused) {
    for (const std::u16string& s :
         {std::u16string(u"l'anno"), std::u16string(u"a-b"), std::u16string(u"über"), std::u16string(u"a_b"),
          std::u16string(u"x.y"), std::u16string(u"ç")}) {
        EXPECT_THROW(generalTextKey(s), JetError);
        EXPECT_FALSE(std::all_of(s.begin(), s.end(), jet::isEncodableKeyCharacter));
    }
    try {
        generalTextKey(u"l'anno");
        FAIL() << "no refusal";
    } catch (const JetError& e) {
        EXPECT_NE(std::string(e.what()).find("\"'\""), std::string::npos) << e.what();
    }
}

TEST(LongKey, FlipsTheSignBitAndIsBigEndian) {
    EXPECT_EQ(longKey(1), (Bytes{0x80, 0x00, 0x00, 0x01}));
    EXPECT_EQ(longKey(0x0F000001), (Bytes{0x8F, 0x00, 0x00, 0x01}));
    EXPECT_EQ(longKey(-1), (Bytes{0x7F, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(longKey(static_cast<std::int32_t>(0x80000000u)), (Bytes{0x00, 0x00, 0x00, 0x00}));
}

TEST(LongKey, BytesSortLikeNumbers) {
    const std::vector<std::int32_t> values = {INT32_MIN, -70000, -1, 0, 1, 255, 256, 70000, INT32_MAX};
    for (std::size_t i = 1; i < values.size(); ++i)
        EXPECT_LT(longKey(values[i - 1]), longKey(values[i])) << values[i];
}
