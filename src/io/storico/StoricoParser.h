#pragma once

#include "io/storico/ImportError.h"
#include "io/storico/WheelRow.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace storico {

// Reads the operator's storico layout, "YYYY/MM/DD <TAB> CODE <TAB> n1 .. n5", and the variants found
// in files people pass around: fields separated by tabs, blanks, ';' or ',' (a run of them counts as
// one), dates with '/', '-' or '.' and day-first dates, numbers with or without zero padding, Roma as
// RM or RO, Nazionale as RN or NZ, CRLF or LF line ends, a UTF-8 byte order mark, blank lines.
class StoricoParser {
public:
    struct Result {
        std::vector<WheelRow> rows;
        // The first MaxKeptErrors rejected lines: a file of millions of bad lines must not take memory
        // for each; errorCount counts them all.
        std::vector<ImportError> errors;
        std::size_t errorCount = 0;
    };
    static constexpr std::size_t MaxKeptErrors = 1000;

    // One line without its line end: the row, or what is wrong with it. A blank line gives neither.
    using LineResult = std::variant<std::monostate, WheelRow, std::string>;
    static LineResult parseLine(std::string_view line);

    // Every line of a file's contents; fileName goes into the rows' places and the errors.
    static Result parseText(std::string_view text, const std::string& fileName);
};

} // namespace storico
