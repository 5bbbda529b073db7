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

} // namespace
