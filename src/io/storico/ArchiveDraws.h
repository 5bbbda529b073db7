#pragma once

#include "io/storico/Draw.h"

#include <functional>
#include <string>
#include <vector>

namespace storico {

// The table and columns of the draw archive, in the order the program writes them.
extern const char* const DrawTableName;
std::vector<std::string> drawTableColumns();

// The bundled sample archive carries this extra one-row table: the program tells invented draws from
// real ones by the file itself, and readers that look only at the draw table never see it.
extern const char* const SampleMarkTable;
extern const char* const SampleMarkColumn;
extern const char* const SampleMarkText;

struct ArchiveReadProgress {
    std::function<void(int rowCount)> started;
    std::function<void(int row)> rowRead;
};

// What every reader of an archive says of a damaged one: "Archivio illeggibile: <path>: <reason>".
std::string unreadableArchiveText(const std::string& path, const std::string& reason);

// Every draw of an archive, in date order, read by the reader helper program (libmdb stays out of our
// process). Throws StoricoError when the file cannot be read or a wheel cell is not five numbers 1-90,
// its DamagedArchiveError when the file's pages do not add up.
std::vector<Draw> readArchiveDraws(const std::string& readerProgram, const std::string& path,
                                   const ArchiveReadProgress& progress = {});

// Refuses, with a StoricoError saying why, an archive that holds anything a rewrite would lose: a table
// other than the draws, a column other than the draw table's own, or the sample archive's mark.
void checkArchiveHoldsOnlyDraws(const std::string& path);

// True when the archive carries the sample mark. Any failure to read it counts as "not the sample".
bool isSampleArchive(const std::string& readerProgram, const std::string& path);

} // namespace storico
