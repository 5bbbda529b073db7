#pragma once

#include "SelectQuery.h"
#include "SortKey.h"
#include "io/jet/ArchiveQuery.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Reads the rows of a SelectQuery from an Access file through libmdb and orders them. Throws
// std::runtime_error with a message for the user when the file, the table or a column cannot be read,
// and DamagedFile when the table's pages do not add up (see OwnedPages) or the rows read are not the
// table's own count, or a row comes twice: all of the table, or nothing.
class MdbTableReader {
public:
    struct Row {
        std::vector<jet::QueryField> fields;
        SortKey key;
    };

    // A damaged file can make libmdb walk the same pages again and again; past this many rows the
    // read stops with an error instead of filling the memory.
    static constexpr std::size_t kMaxRows = 2'000'000;

    // Told, before the first row and after each one, how many rows have been read and how many the
    // table's definition announces.
    using Reading = std::function<void(std::size_t rowsRead, std::size_t rowsExpected)>;

    // The rows in query order: stably sorted by the ORDER BY column.
    static std::vector<Row> read(const std::string& path, const SelectQuery& query,
                                 const Reading& reading = {});
};
