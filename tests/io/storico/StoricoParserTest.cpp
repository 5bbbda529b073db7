#include "io/storico/StoricoParser.h"

#include <gtest/gtest.h>
#include <string>

using storico::StoricoParser;
using storico::WheelNumbers;
using storico::WheelRow;

namespace {

WheelRow rowOf(std::string_view line) {
    const auto result = StoricoParser::parseLine(line);
    const auto* row = std::get_if<WheelRow>(&result);
    if (!row) {
        ADD_FAILURE() << "not a row: " << line;
        return {};
    }
    return *row;
}

std::string errorOf(std::string_view line) {
    const auto result = StoricoParser::parseLine(line);
    const auto* message = std::get_if<std::string>(&result);
    if (!message) {
        ADD_FAILURE() << "accepted: " << line;
        return {};
    }
    return *message;
}

} // namespace

TEST(StoricoLineVariants, OperatorLayoutGivesDateWheelAndNumbersInExtractionOrder) {
    const WheelRow row = rowOf("1939/01/07\tBA\t58\t22\t47\t49\t69");
    EXPECT_EQ(row.date, (storico::CalendarDate{1939, 1, 7}));
    EXPECT_EQ(row.wheel, 0);
    EXPECT_EQ(row.numbers, (WheelNumbers{58, 22, 47, 49, 69}));
}

TEST(StoricoLineVariants, SeparatorsDateFormsAndPaddingGiveTheSameRow) {
    const WheelRow reference = rowOf("2010/12/23\tVE\t5\t12\t33\t47\t90");
    for (const char* line :
         {"2010/12/23 VE 5 12 33 47 90", "2010-12-23;VE;05;12;33;47;90", "2010.12.23,VE,5,12,33,47,90",
          "23/12/2010\tVE\t05\t12\t33\t47\t90", "  2010/12/23 \t VE ; 5 , 12  33\t\t47 90  ",
          "2010/12/23\tve\t5\t12\t33\t47\t90", "2010/12/23\tVENEZIA\t5\t12\t33\t47\t90",
          "2010/12/23\tVE\t5\t12\t33\t47\t90\r"}) {
        const WheelRow row = rowOf(line);
        EXPECT_EQ(row.date, reference.date) << line;
        EXPECT_EQ(row.wheel, reference.wheel) << line;
        EXPECT_EQ(row.numbers, reference.numbers) << line;
    }
}

TEST(StoricoLineVariants, EveryWheelCodeAndItsAliases) {
    const std::pair<const char*, int> codes[] = {
        {"BA", 0}, {"CA", 1}, {"FI", 2}, {"GE", 3},  {"MI", 4},  {"NA", 5},   {"PA", 6},        {"RM", 7},
        {"RO", 7}, {"TO", 8}, {"VE", 9}, {"RN", 10}, {"NZ", 10}, {"ROMA", 7}, {"NAZIONALE", 10}};
    for (const auto& [code, wheel] : codes)
        EXPECT_EQ(rowOf(std::string("2020/01/02 ") + code + " 1 2 3 4 5").wheel, wheel) << code;
}

TEST(StoricoLineVariants, BlankLinesAreNeitherRowsNorErrors) {
    for (const char* line : {"", " ", "\t\t", "\r"})
        EXPECT_TRUE(std::holds_alternative<std::monostate>(StoricoParser::parseLine(line)));
}

TEST(StoricoLineErrors, BadDate) {
    EXPECT_EQ(errorOf("1939/02/30\tBA\t1\t2\t3\t4\t5"), "data non valida '1939/02/30'");
    EXPECT_EQ(errorOf("Data\tRuota\tN1\tN2\tN3\tN4\tN5"), "data non valida 'Data'");
}

TEST(StoricoLineErrors, UnknownWheel) {
    EXPECT_EQ(errorOf("1939/01/07\tXX\t1\t2\t3\t4\t5"), "ruota sconosciuta 'XX'");
    EXPECT_EQ(errorOf("1939/01/07\tTU\t1\t2\t3\t4\t5"), "ruota sconosciuta 'TU'");
    EXPECT_EQ(errorOf("1939/01/07\t12\t1\t2\t3\t4\t5\t6"), "ruota sconosciuta '12'");
}

TEST(StoricoLineErrors, WrongCountOfNumbers) {
    EXPECT_EQ(errorOf("1939/01/07\tBA\t1\t2\t3\t4"), "attesi 5 numeri, trovati 4");
    EXPECT_EQ(errorOf("1939/01/07\tBA\t1\t2\t3\t4\t5\t6"), "attesi 5 numeri, trovati 6");
    EXPECT_EQ(errorOf("1939/01/07\tBA\t1"), "attesi 5 numeri, trovato 1");
    EXPECT_EQ(errorOf("1939/01/07\tBA"), "attesi 5 numeri, trovati 0");
    EXPECT_EQ(errorOf("1939/01/07"), "mancano la ruota e i numeri");
}

TEST(StoricoLineErrors, NumberOutsideOneToNinety) {
    EXPECT_EQ(errorOf("1939/01/07\tBA\t0\t2\t3\t4\t5"), "numero 0 fuori da 1-90");
    EXPECT_EQ(errorOf("1939/01/07\tBA\t1\t2\t3\t4\t91"), "numero 91 fuori da 1-90");
    EXPECT_EQ(errorOf("1939/01/07\tBA\t1\t2\t300\t4\t5"), "numero 300 fuori da 1-90");
    EXPECT_EQ(rowOf("1939/01/07\tBA\t1\t2\t3\t4\t90").numbers[4], 90);
}

TEST(StoricoLineErrors, FieldThatIsNotANumber) {
    EXPECT_EQ(errorOf("1939/01/07\tBA\t1\t2\tx3\t4\t5"), "'x3' non è un numero");
    EXPECT_EQ(errorOf("1939/01/07\tBA\t1\t-2\t3\t4\t5"), "'-2' non è un numero");
}

TEST(StoricoLineErrors, NumberRepeatedWithinTheWheel) {
    EXPECT_EQ(errorOf("1939/01/07\tBA\t7\t2\t3\t4\t7"), "numero 7 ripetuto");
    EXPECT_EQ(errorOf("1939/01/07\tBA\t07\t2\t7\t4\t5"), "numero 7 ripetuto");
}

TEST(StoricoFileReading, LfAndCrlfFilesGiveTheSameRows) {
    const std::string lf = "1939/01/07\tBA\t58\t22\t47\t49\t69\n1939/01/14\tBA\t18\t77\t33\t62\t19\n";
    const std::string crlf = "1939/01/07\tBA\t58\t22\t47\t49\t69\r\n1939/01/14\tBA\t18\t77\t33\t62\t19\r\n";
    const auto a = StoricoParser::parseText(lf, "a.txt");
    const auto b = StoricoParser::parseText(crlf, "b.txt");
    ASSERT_EQ(a.rows.size(), 2u);
    ASSERT_EQ(b.rows.size(), 2u);
    EXPECT_TRUE(a.errors.empty());
    EXPECT_TRUE(b.errors.empty());
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(a.rows[i].date, b.rows[i].date);
        EXPECT_EQ(a.rows[i].numbers, b.rows[i].numbers);
    }
    EXPECT_EQ(b.rows[1].numbers, (WheelNumbers{18, 77, 33, 62, 19}));
}

TEST(StoricoFileReading, ByteOrderMarkAndLastLineWithoutLineEnd) {
    const auto result =
        StoricoParser::parseText("\xEF\xBB\xBF"
                                 "1939/01/07\tBA\t58\t22\t47\t49\t69\n1939/01/14\tBA\t18\t77\t33\t62\t19",
                                 "bom.txt");
    EXPECT_TRUE(result.errors.empty());
    ASSERT_EQ(result.rows.size(), 2u);
    EXPECT_EQ(result.rows[0].date, (storico::CalendarDate{1939, 1, 7}));
    EXPECT_EQ(result.rows[1].numbers[4], 19);
}

TEST(StoricoFileReading, ErrorsAndRowsCarryFileAndLineCountingBlankLines) {
    const std::string text = "\n"                                     // 1
                             "1939/01/07\tBA\t58\t22\t47\t49\t69\r\n" // 2
                             "\r\n"                                   // 3
                             "1939/01/07\tQQ\t1\t2\t3\t4\t5\r\n"      // 4
                             "1939/01/14\tBA\t18\t77\t33\t62\t19\r\n" // 5
                             "1939/01/21\tBA\t1\t2\t3\t4\r\n";        // 6
    const auto result = StoricoParser::parseText(text, "dir/BARI.txt");
    ASSERT_EQ(result.rows.size(), 2u);
    EXPECT_EQ(result.rows[0].place.text(), "dir/BARI.txt:2");
    EXPECT_EQ(result.rows[1].place.text(), "dir/BARI.txt:5");
    ASSERT_EQ(result.errors.size(), 2u);
    EXPECT_EQ(result.errors[0].text(), "dir/BARI.txt:4: ruota sconosciuta 'QQ'");
    EXPECT_EQ(result.errors[1].text(), "dir/BARI.txt:6: attesi 5 numeri, trovati 4");
}
