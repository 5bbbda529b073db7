#include "io/storico/HistoryReading.h"
#include "io/storico/ShownText.h"
#include "io/storico/StoricoParser.h"

#include <QString>
#include <QUtf8StringView>
#include <gtest/gtest.h>
#include <string>

using storico::StoricoParser;

namespace {

using namespace std::string_literals;

bool isCleanText(const std::string& text) {
    if (!QUtf8StringView(text).isValidUtf8())
        return false;
    for (const QChar c : QString::fromStdString(text))
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return false;
    return true;
}

// What a message shows of a bad line: the text as it is where it is text, every control character and
// every byte that is not UTF-8 escaped, 80 characters at most, always valid UTF-8 without controls.
TEST(BadInputMessages, QuotedInputIsEscapedBoundedAndValidUtf8) {
    const struct {
        const char* name;
        std::string line;
        std::string expected;
    } cases[] = {
        {"escape", "\x1b[2J\x1b[H\tBA\t1\t2\t3\t4\t5", "data non valida '\\x1b[2J\\x1b[H'"},
        {"latin1", "2020/01/02\tCIT\xe0\t1\t2\t3\t4\t5", "ruota sconosciuta 'CIT\\xe0'"},
        {"utf8", "2020/01/02\tCITT\xc3\xa0\t1\t2\t3\t4\t5", "ruota sconosciuta 'CITT\xc3\xa0'"},
        {"nul",
         "2020/01/02\tBA\t1\t2\t3\t4\t\x00"
         "5"s,
         "'\\x005' non è un numero"},
        {"bell", "2020/01/02\tBA\t1\x07\t2\t3\t4\t5", "'1\\x07' non è un numero"},
        {"c1",
         "2020/01/02\tB\xc2\x9b"
         "A\t1\t2\t3\t4\t5",
         "ruota sconosciuta 'B\\u009bA'"},
        {"bidi",
         "2020/01/02\tB\xe2\x80\xae"
         "A\t1\t2\t3\t4\t5",
         "ruota sconosciuta 'B\\u202eA'"},
        {"overlong", "2020/01/02\t\xc0\xaf\t1\t2\t3\t4\t5", "ruota sconosciuta '\\xc0\\xaf'"},
        {"truncated", "2020/01/02\tBA\xe2\x82\t1\t2\t3\t4\t5", "ruota sconosciuta 'BA\\xe2\\x82'"},
        {"long", std::string(1'000'000, 'x'), "data non valida '" + std::string(80, 'x') + "…'"},
        {"longAccents", "2020/01/02\t" + std::string(200, 'a') + std::string("\xc3\xa8") + "\t1\t2\t3\t4\t5",
         "ruota sconosciuta '" + std::string(80, 'a') + "…'"},
        {"eightyExactly", std::string(80, '9'), "data non valida '" + std::string(80, '9') + "'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = StoricoParser::parseText(c.line, "storico.txt");
        ASSERT_EQ(result.errors.size(), 1u);
        EXPECT_TRUE(result.rows.empty());
        const std::string text = result.errors[0].text();
        EXPECT_EQ(text, "storico.txt:1: " + c.expected);
        EXPECT_TRUE(isCleanText(text));
        EXPECT_LT(text.size(), 120u + 80u * 4u);
    }
}

// The file's name is shown the same way: a Latin-1 name reaches the message as \xHH.
TEST(BadInputMessages, FileNamesAreEscapedToo) {
    const auto result = StoricoParser::parseText("2020/01/02\tXX\t1\t2\t3\t4\t5\n", "archivio\xe9\x1b.txt");
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(result.errors[0].text(), "archivio\\xe9\\x1b.txt:1: ruota sconosciuta 'XX'");
}

// A text saved as UTF-16, with its byte order mark or without, is one error that names it, not a line
// of NULs for every line of the file.
TEST(BadInputMessages, Utf16FileIsNamedAsSuch) {
    const std::string line = "2020/01/02\tBA\t1\t2\t3\t4\t5\r\n2020/01/04\tBA\t6\t7\t8\t9\t10\r\n";
    std::string little, big;
    for (const char c : line) {
        little += c;
        little += '\0';
        big += '\0';
        big += c;
    }
    for (const auto& [name, text] :
         {std::pair{"LE con BOM", "\xff\xfe"s + little}, std::pair{"BE con BOM", "\xfe\xff"s + big},
          std::pair{"LE", little}, std::pair{"BE", big}}) {
        SCOPED_TRACE(name);
        const auto result = StoricoParser::parseText(text, "BARI.txt");
        ASSERT_EQ(result.errors.size(), 1u);
        EXPECT_TRUE(result.rows.empty());
        EXPECT_EQ(result.errors[0].text(),
                  "BARI.txt:1: il file è in UTF-16: salvarlo come testo semplice (UTF-8) e rileggerlo");
    }
    // A short file, or one with a NUL here and there, is read as text: its lines are what is wrong.
    EXPECT_EQ(StoricoParser::parseText("2020/01/02\tBA\t1\t2\t3\t4\t5\n", "a.txt").rows.size(), 1u);
    const auto stray = StoricoParser::parseText("2020/01/02\tBA\t1\t2\t3\t4\t5\n\0\n"s, "a.txt");
    EXPECT_EQ(stray.rows.size(), 1u);
    ASSERT_EQ(stray.errors.size(), 1u);
    EXPECT_EQ(stray.errors[0].text(), "a.txt:2: data non valida '\\x00'");
}

// After the listed errors one line says how many more lines were refused.
TEST(BadInputMessages, ListStopsWithHowManyMoreLinesAreBad) {
    for (const auto& [bad, last] :
         {std::pair{storico::MaxListedErrors, std::string()},
          std::pair{storico::MaxListedErrors + 1, "… e un'altra riga non valida"s},
          std::pair{storico::MaxListedErrors + 1000, "… e altre 1000 righe non valide"s},
          // Past the kept ones, the lines are only counted: memory does not grow with them.
          std::pair{100000, "… e altre 99980 righe non valide"s}}) {
        SCOPED_TRACE(bad);
        std::string text;
        for (int i = 0; i < bad; ++i)
            text += "\x1b[31m\n";
        const auto reading = storico::readHistory({{"BARI.txt", text}});
        ASSERT_EQ(reading.errorCount, static_cast<std::size_t>(bad));
        ASSERT_EQ(reading.errors.size(), std::min<std::size_t>(static_cast<std::size_t>(bad),
                                                               storico::StoricoParser::MaxKeptErrors));
        const auto lines = storico::errorReportLines(reading.errors, reading.errorCount);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(storico::MaxListedErrors) + (last.empty() ? 0 : 1));
        EXPECT_EQ(lines.front(), "BARI.txt:1: data non valida '\\x1b[31m'");
        if (!last.empty()) {
            EXPECT_EQ(lines.back(), last);
        }
        for (const auto& line : lines)
            EXPECT_TRUE(isCleanText(line)) << line;
    }
}

} // namespace
