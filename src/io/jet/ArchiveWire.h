#pragma once

#include "io/jet/ArchiveQuery.h"

#include <string>
#include <string_view>
#include <vector>

// The line protocol between the archive reader helper program and the program. One record per line:
//   PROGRESS <read> <expected>    any number of times while the table is read, before COUNT: rows read
//                                 so far, and how many the table says it holds (only a hint)
//   COUNT <rows> <columns>        once, after the table has been read
//   ROW \t <field> \t <field> ...  once per row, in query order
//   END                           after the last row
//   ERROR \t <text>               instead of anything else when the reader fails
//   DAMAGE \t <text>              instead of anything else when the file's pages do not add up: a
//                                 damaged file, never to be read in part
// A field is "N" (NULL), "D" followed by the 16 hex digits of the date's IEEE double bits (so the value
// crosses exactly, whatever it is), or "T" followed by the text with backslash, tab, line feed, carriage
// return and NUL escaped as \\ \t \n \r \0.
namespace jet::wire {

enum class LineKind { Progress, Count, Row, End, Error, Damage };

struct Line {
    LineKind kind = LineKind::End;
    long long rowsRead = 0;         // Progress
    long long rowsExpected = 0;     // Progress
    long long rowCount = 0;         // Count
    int columnCount = 0;            // Count
    std::vector<QueryField> fields; // Row
    std::string message;            // Error, Damage
};

std::string escapeText(std::string_view text);
std::string encodeField(const QueryField& field);

// Each returns a whole line, ending in '\n'.
std::string progressLine(long long rowsRead, long long rowsExpected);
std::string countLine(long long rowCount, int columnCount);
std::string rowLine(const std::vector<QueryField>& fields);
std::string endLine();
std::string errorLine(std::string_view message);
std::string damageLine(std::string_view message);

// Decodes one line without its '\n'. Throws JetError naming what is wrong when the line does not follow
// the protocol.
Line decodeLine(std::string_view line);

} // namespace jet::wire
