#include "cli/TableWriter.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(TableWriter, TsvJoinsWithTabsAndCsvQuotesWhereNeeded) {
    const QStringList fields{"N° casi", "a,b", "say \"hi\"", "two\nlines", "cr\r", ""};
    EXPECT_EQ(tableLine(fields, TableFormat::Tsv), "N° casi\ta,b\tsay \"hi\"\ttwo\nlines\tcr\r\t\n");
    EXPECT_EQ(tableLine(fields, TableFormat::Csv),
              "N° casi,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\",\n");
}

TEST(TableWriter, FormatOptionOffersTheToolsFormatsWithTheirMessage) {
    TableFormat f = TableFormat::Tsv;
    EXPECT_TRUE(readFormatOption(" CSV ", {TableFormat::Tsv, TableFormat::Csv}, f).isEmpty());
    EXPECT_EQ(f, TableFormat::Csv);
    EXPECT_EQ(readFormatOption("json", {TableFormat::Tsv, TableFormat::Csv}, f),
              "--formato vuole tsv o csv: \"json\"");
    EXPECT_EQ(f, TableFormat::Csv);
    EXPECT_EQ(readFormatOption("xml", {TableFormat::Tsv, TableFormat::Csv, TableFormat::Json}, f),
              "--formato vuole tsv, csv o json: \"xml\"");
    EXPECT_TRUE(
        readFormatOption("json", {TableFormat::Tsv, TableFormat::Csv, TableFormat::Json}, f).isEmpty());
    EXPECT_EQ(f, TableFormat::Json);
}

TEST(TableWriter, JsonValues) {
    EXPECT_EQ(jsonString("a\"b\\c\n"), "\"a\\\"b\\\\c\\u000a\"");
    EXPECT_EQ(jsonNumber(0.1), "0.1");
    EXPECT_EQ(jsonNumber(std::optional<double>()), "null");
    EXPECT_EQ(jsonObject({{"casi", "3"}, {"esito", jsonString("in gioco")}}),
              "{\"casi\": 3, \"esito\": \"in gioco\"}");
}

// Json has no infinity and no NaN: a figure that is neither a number is written null, so that what the
// tools print always parses; every finite figure is written as it is.
TEST(TableWriter, JsonNeverHoldsInfinityOrNaN) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (const double v : {inf, -inf, std::numeric_limits<double>::quiet_NaN(), inf - inf}) {
        EXPECT_EQ(jsonNumber(v), "null");
        EXPECT_EQ(jsonNumber(std::optional<double>(v)), "null");
    }
    EXPECT_EQ(jsonNumber(std::numeric_limits<double>::max()), "1.7976931348623157e+308");
    EXPECT_EQ(jsonNumber(-0.5), "-0.5");
}

} // namespace
