#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace jet {

// One field of a query row as it crosses from the reader process.
struct QueryField {
    bool isNull = false;
    bool isDate = false;
    double date = 0;  // Jet date, when isDate
    std::string text; // UTF-8 text, decimal for numbers; empty when isNull or isDate
};

struct QueryCallbacks {
    // While the reader reads the table, before the rows come: rows read so far, and how many the table
    // says it holds (only a hint: a damaged table can hold fewer or more).
    std::function<void(long long rowsRead, long long rowsExpected)> reading;
    std::function<void(int rowCount)> started;               // before the first row
    std::function<void(const std::vector<QueryField>&)> row; // once per row, in query order
};

// Runs a query of the form
//   SELECT T.c1, T.c2, ... From T ORDER BY T.ck
// on an Access file in the reader helper program (libmdb lives only there), streaming the rows to the
// callbacks. Rows come ordered by the ORDER BY column; rows with equal keys keep their table order.
// Throws JetError when the file cannot be read, the query names an unknown table or column, the
// reader crashes, or nothing (a row or news of its reading) arrives within silenceLimit; its
// DamagedArchiveError when the file's pages do not add up, and then no row has reached the callbacks.
void runArchiveQuery(const std::string& readerProgram, const std::string& databasePath,
                     const std::string& sql, const QueryCallbacks& callbacks,
                     std::chrono::milliseconds silenceLimit = std::chrono::seconds(10));

} // namespace jet
