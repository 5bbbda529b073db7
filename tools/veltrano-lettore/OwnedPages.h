#pragma once

#include <cstdint>
#include <mdbtools.h>
#include <string>
#include <vector>

// The data pages a table lists as its own, checked one by one before a row is read. libmdb skips a
// listed page that is not the table's and stops at the end of the file, so that a zeroed, foreign or
// missing page would quietly make a smaller table: here each of those is a DamagedFile.
class OwnedPages {
public:
    // Throws DamagedFile when the file's length is not a whole number of pages.
    static void checkLength(MdbHandle* mdb, unsigned long long fileSize);

    // Returns the pages; throws DamagedFile when a page of the table's map lies past the end of the
    // file, is not a data page, or belongs to another table (or to none), and when a page of the map
    // itself is missing or of the wrong kind. The file's length is a whole number of pages.
    static std::vector<std::uint32_t> check(MdbHandle* mdb, MdbTableDef* table, unsigned long long fileSize);
};
