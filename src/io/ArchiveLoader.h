#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

class DrawArchive;

// The query the draw archive is read with, exactly as the program has always sent it.
extern const char* const ArchiveQueryText;

// Any failure of the load: unreadable file, unknown table or column, too many draws, no draws,
// a date that is not a date.
class ArchiveLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's pages do not add up: no draw of it was stored. The message is the whole
// "Archivio illeggibile: <path>: <reason>" text.
class ArchiveDamagedError : public ArchiveLoadError {
public:
    using ArchiveLoadError::ArchiveLoadError;
};

struct LoadProgress {
    // While the reader helper reads the file, before the rows come: rows read so far, and how many the
    // file says it holds (a hint: at least rowsRead).
    std::function<void(int rowsRead, int rowsExpected)> reading;
    std::function<void(int rowCount)> started; // before the first row
    std::function<void(int k)> rowStored;      // after the k-th row became DrawIndex k
};

// Whether a load also asks the file whether it is the bundled sample archive: a second, short run of the
// reader helper. The windows say so on screen; the command-line tools have no use for it.
enum class SampleMark { Read, Ignore };

// Loads every draw of the archive at path into the store: numbers, dates, DrawCount, progressive
// numbers and model archive (from the store's ModelStart). The file is read by the reader helper
// program, so that a damaged file cannot take the program down. Throws ArchiveLoadError (its
// ArchiveDamagedError for a file whose pages do not add up, before any draw is stored); the store
// then holds whatever had been stored so far. A load also records whether the file is the sample archive
// (unless told to ignore the mark: then the store says it is not).
void loadDrawArchive(DrawArchive& archive, const QString& path, const QString& readerProgram,
                     const LoadProgress& progress = {}, SampleMark sampleMark = SampleMark::Read);

// The number in a two-character field of a wheel cell ("05" -> 5, " 7" -> 7, "-5" -> -5, "xx" -> 0).
std::int16_t cellFieldNumber(const QString& field);

// The five numbers of a wheel cell as UTF-8 text: field p is the two characters from 3p-3
// ("05 12 33 47 90"), each read as cellFieldNumber reads it.
std::array<std::int16_t, 5> cellNumbers(const std::string& text);
