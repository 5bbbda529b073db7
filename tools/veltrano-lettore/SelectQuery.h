#pragma once

#include <string>
#include <vector>

// The one query form the reader understands:
//   SELECT T.c1, T.c2, ... From T ORDER BY T.ck
// Keywords in any case, column names qualified by the table or not, names optionally in [brackets].
struct SelectQuery {
    std::string table;
    std::vector<std::string> columns;
    std::string orderBy;

    // Throws std::invalid_argument with an explanation when the text is not of that form.
    static SelectQuery parse(const std::string& sql);
};
