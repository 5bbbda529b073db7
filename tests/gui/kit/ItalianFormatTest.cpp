#include "gui/kit/ItalianFormat.h"

#include <QString>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct Case {
    const char* what;
    QString shown;
    const char* expected;
};

// Every figure a person reads in the Collaudo window goes through these: thousands with ".", decimals
// with ",", a real minus sign, no "-0", and "-" where there is no number.
TEST(ItalianFormat, NumbersReadAsAnItalianReaderExpects) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"thousands", italian::integer(3475), "3.475"},
        {"millions", italian::integer(1234567), "1.234.567"},
        {"negative whole", italian::integer(-12000), "\u221212.000"},
        {"two decimals", italian::decimal(0.61, 2), "0,61"},
        {"rounded", italian::decimal(3480.4, 0), "3.480"},
        {"deviation", italian::decimal(21.26, 0), "21"},
        {"negative zero", italian::decimal(-0.004, 2), "0,00"},
        {"not a number", italian::decimal(nan, 2), "-"},
        {"yield", italian::percent(-0.124), "\u221212,4 %"},
        {"zero yield", italian::percent(0.0), "0,0 %"},
        {"p large", italian::pValue(0.61), "0,61"},
        {"p one", italian::pValue(1.0), "1"},
        {"p small", italian::pValue(0.0032), "0,0032"},
        {"p tiny", italian::pValue(2.1e-7), "< 0,0001"},
        {"p smallest shown", italian::pValue(1e-4), "0,0001"},
        {"p just below", italian::pValue(9.96e-5), "< 0,0001"},
        {"p zero", italian::pValue(0.0), "< 0,0001"},
        {"p in a sentence", italian::pIs(0.61), "p = 0,61"},
        {"p tiny in a sentence", italian::pIs(2.1e-7), "p < 0,0001"},
        {"p exact tiny", italian::pExact(2.1e-7), "p = 2,1 \u00D7 10\u207B\u2077"},
        {"p exact rounds up", italian::pExact(9.96e-5), "p = 1,0 \u00D7 10\u207B\u2074"},
        {"p exact far", italian::pExact(1.5e-12), "p = 1,5 \u00D7 10\u207B\u00B9\u00B2"},
        {"p exact not needed", italian::pExact(0.0032), ""},
        {"p missing", italian::pValue(nan), "-"},
        {"no value", italian::orDash(std::nullopt, 2), "-"},
        {"some value", italian::orDash(1.5, 2), "1,50"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shown, QString::fromUtf8(c.expected)) << c.what;
}

// What a CSV export writes for each text the screen shows: every number as an Italian spreadsheet reads a
// number (decimal comma, no thousands points, ASCII minus, no exponent, a percentage as its share), every
// other text untouched. The shown side is produced by the formatting functions above wherever one
// exists, so that a change of screen form that the export does not follow fails here.
TEST(ItalianFormat, ExportedCellsReadAsNumbersInAnItalianSpreadsheet) {
    const Case cases[] = {
        {"small whole", italian::integer(37), "37"},
        {"thousands", italian::integer(5205), "5205"},
        {"millions", italian::integer(1234567), "1234567"},
        {"negative thousands", italian::integer(-44305), "-44305"},
        {"decimal", italian::decimal(565.5, 1), "565,5"},
        {"decimal with thousands", italian::decimal(1574.8819, 2), "1574,88"},
        {"negative decimal", italian::decimal(-7664.75, 2), "-7664,75"},
        {"shown zeros kept", italian::decimal(2.5, 2), "2,50"},
        {"negative zero", italian::decimal(-0.004, 2), "0,00"},
        {"percentage", italian::percent(-0.5487), "-0,549"},
        {"small percentage", italian::percent(0.004), "0,004"},
        {"p", italian::pValue(0.61), "0,61"},
        {"p one", italian::pValue(1.0), "1"},
        {"p small", italian::pValue(0.0032), "0,0032"},
        {"p tiny, shown in short: an export writes the exact value instead", italian::pValue(2.2e-6), "< 0,0001"},
        {"exponent with a plain minus", QStringLiteral("2,2e-06"), "0,0000022"},
        {"positive exponent", QStringLiteral("1,25E+3"), "1250"},
        {"exact p", italian::spreadsheetNumber(0.00016858358063048603), "0,00016858358063048603"},
        {"exact tiny p", italian::spreadsheetNumber(2.2e-6), "0,0000022"},
        {"exact whole", italian::spreadsheetNumber(48060.0), "48060"},
        {"exact negative", italian::spreadsheetNumber(-0.25), "-0,25"},
        {"exact large", italian::spreadsheetNumber(1.5e20), "150000000000000000000"},
        {"date", QStringLiteral("28/11/2025"), "28/11/2025"},
        {"ambo", QStringLiteral("16-42"), "16-42"},
        {"positions", QStringLiteral("1, 4"), "1, 4"},
        {"no figure", italian::decimal(std::numeric_limits<double>::quiet_NaN(), 2), "-"},
        {"word", QStringLiteral("mai"), "mai"},
        {"count with its word", italian::counted(3475, "caso", "casi"), "3.475 casi"},
        {"wheel", QStringLiteral("BA"), "BA"},
        {"points not in threes", QStringLiteral("1.2345"), "1.2345"},
        {"empty", QString(), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(italian::spreadsheetText(c.shown), QString::fromUtf8(c.expected)) << c.what;
}

} // namespace
