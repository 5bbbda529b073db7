#include "gui/ambo/CellValue.h"

#include <gtest/gtest.h>

namespace {

TEST(CellValue, ReadsEveryTextAsTheGridDoes) {
    const QStringList texts{"12",         "-5",   "",   "0",   "007", "32767",      "-32768", "123456789",
                            "1234567890", "12a",  " 3", "+4",  "1.5", "-",          "--3",    "7 12 33",
                            "BA 12",      "4686", "٣",  "1e3", "-0",  "99999999999"};
    GridModel g(1, texts.size());
    for (int c = 0; c < texts.size(); ++c)
        g.setText(0, c, texts[c]);
    for (int c = 0; c < texts.size(); ++c)
        EXPECT_EQ(cellValue(g, 0, c), g.value(0, c)) << texts[c].toStdString();
}

TEST(CellValue, PlainWholeNumbersAreReadExactly) {
    GridModel g(1, 3);
    g.setText(0, 0, "4686");
    g.setText(0, 1, "-12");
    g.setText(0, 2, "");
    EXPECT_EQ(cellValue(g, 0, 0), 4686);
    EXPECT_EQ(cellValue(g, 0, 1), -12);
    EXPECT_EQ(cellValue(g, 0, 2), 0);
}

} // namespace
