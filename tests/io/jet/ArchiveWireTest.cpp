#include "io/jet/ArchiveWire.h"

#include "DoubleBits.h"
#include "io/jet/JetError.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

using jet::QueryField;
using jet::wire::decodeLine;
using jet::wire::LineKind;

QueryField textField(const std::string& text) {
    QueryField field;
    field.text = text;
    return field;
}

QueryField dateField(double days) {
    QueryField field;
    field.isDate = true;
    field.date = days;
    return field;
}

QueryField nullField() {
    QueryField field;
    field.isNull = true;
    return field;
}

// Encodes a row as the reader does and decodes it as the program does.
std::vector<QueryField> roundTrip(const std::vector<QueryField>& fields) {
    std::string line = jet::wire::rowLine(fields);
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(line.find('\n'), line.size() - 1) << "a row must stay on one line";
    line.pop_back();
    const jet::wire::Line decoded = decodeLine(line);
    EXPECT_EQ(decoded.kind, LineKind::Row);
    return decoded.fields;
}

TEST(ArchiveWireRoundTrip, TextWithEveryCharacterThatNeedsEscapingSurvives) {
    const std::vector<std::string> texts = {
        "",
        "05 12 33 47 90",
        "tab\there",
        "line\nfeed and\r\nreturn",
        "back\\slash\\t not a tab",
        std::string("nul\0inside", 10),
        "\\",
        "trailing backslash\\",
        "Perché è così? àèìòù ÀÉ € ß 漢字",
        "N",
        "D0000000000000000",
    };
    for (const std::string& text : texts) {
        const std::vector<QueryField> back = roundTrip({textField(text)});
        ASSERT_EQ(back.size(), 1u);
        EXPECT_FALSE(back[0].isNull) << text;
        EXPECT_FALSE(back[0].isDate) << text;
        EXPECT_EQ(back[0].text, text);
    }
}

TEST(ArchiveWireRoundTrip, NullAndEmptyTextStayDistinct) {
    const std::vector<QueryField> back = roundTrip({nullField(), textField(""), nullField()});
    ASSERT_EQ(back.size(), 3u);
    EXPECT_TRUE(back[0].isNull);
    EXPECT_FALSE(back[1].isNull);
    EXPECT_EQ(back[1].text, "");
    EXPECT_TRUE(back[2].isNull);
}

TEST(ArchiveWireRoundTrip, DatesCrossBitForBit) {
    const std::vector<double> dates = {
        0.0,
        -0.0,
        -10528.0,          // 1871-03-04
        -10527.75,         // a negative date with a time of day
        45426.0,           // 2024-05-14
        2958465.999988426, // 9999-12-31 23:59:59
        1.0 / 3.0,
        std::nextafter(45426.0, 1e9), // one ulp away must not collapse
        std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::infinity(),
    };
    std::vector<QueryField> fields;
    for (const double date : dates)
        fields.push_back(dateField(date));
    const std::vector<QueryField> back = roundTrip(fields);
    ASSERT_EQ(back.size(), dates.size());
    for (std::size_t i = 0; i < dates.size(); ++i) {
        EXPECT_TRUE(back[i].isDate);
        EXPECT_EQ(bitsOf(back[i].date), bitsOf(dates[i])) << "date #" << i;
    }
    const std::vector<QueryField> nan = roundTrip({dateField(std::nan(""))});
    EXPECT_TRUE(std::isnan(nan[0].date));
}

TEST(ArchiveWireRoundTrip, MixedRowKeepsFieldOrderAndKinds) {
    const std::vector<QueryField> back =
        roundTrip({dateField(-1.25), textField("a\tb"), nullField(), textField("")});
    ASSERT_EQ(back.size(), 4u);
    EXPECT_TRUE(back[0].isDate);
    EXPECT_EQ(back[0].date, -1.25);
    EXPECT_EQ(back[1].text, "a\tb");
    EXPECT_TRUE(back[2].isNull);
    EXPECT_EQ(back[3].text, "");
    EXPECT_TRUE(roundTrip({}).empty());
}

TEST(ArchiveWireRecords, ProgressCountEndAndErrorDecode) {
    std::string progress = jet::wire::progressLine(250, 9999);
    progress.pop_back();
    const jet::wire::Line reading = decodeLine(progress);
    EXPECT_EQ(reading.kind, LineKind::Progress);
    EXPECT_EQ(reading.rowsRead, 250);
    EXPECT_EQ(reading.rowsExpected, 9999);

    std::string count = jet::wire::countLine(9999, 12);
    count.pop_back();
    const jet::wire::Line decoded = decodeLine(count);
    EXPECT_EQ(decoded.kind, LineKind::Count);
    EXPECT_EQ(decoded.rowCount, 9999);
    EXPECT_EQ(decoded.columnCount, 12);

    std::string end = jet::wire::endLine();
    end.pop_back();
    EXPECT_EQ(decodeLine(end).kind, LineKind::End);

    std::string error = jet::wire::errorLine("la tabella X\tnon esiste\n(riga 2)");
    error.pop_back();
    const jet::wire::Line failure = decodeLine(error);
    EXPECT_EQ(failure.kind, LineKind::Error);
    EXPECT_EQ(failure.message, "la tabella X\tnon esiste\n(riga 2)");

    std::string damage = jet::wire::damageLine("la pagina 7\tè tutta a zero");
    damage.pop_back();
    const jet::wire::Line damaged = decodeLine(damage);
    EXPECT_EQ(damaged.kind, LineKind::Damage);
    EXPECT_EQ(damaged.message, "la pagina 7\tè tutta a zero");
}

TEST(ArchiveWireRecords, MalformedLinesAreRejected) {
    const std::vector<std::string> bad = {
        "",
        "HELLO",
        "COUNT",
        "COUNT 5",
        "COUNT x 3",
        "COUNT 5 3x",
        "COUNT -1 3",
        "PROGRESS",
        "PROGRESS 5",
        "PROGRESS 5 x",
        "PROGRESS -1 10",
        "PROGRESS 5 10 1",
        "ROW\t",                    // empty field
        "ROW\tX12",                 // unknown field kind
        "ROW\tNx",                  // NULL with data
        "ROW\tD40dd3b00000000",     // 15 hex digits
        "ROW\tD40dd3b000000000000", // 18
        "ROW\tD40dd3b000000000g",   // not hex
        "ROW\tTbad\\q",             // unknown escape
        "ROW\tTbad\\",              // dangling escape
        "ROWS\tTx",
        "END ",
        "ERROR\tbroken\\",
    };
    for (const std::string& line : bad)
        EXPECT_THROW(decodeLine(line), jet::JetError) << "line: " << line;
}

} // namespace
