#pragma once

#include "io/storico/Draw.h"

#include <ctime>
#include <string>
#include <vector>

namespace storico {

constexpr int KeptBackups = 5;

struct ArchiveReplacement {
    std::string backup; // the copy of the old archive; empty when there was none
    std::vector<std::string> removedBackups;
};

// Writes the draws as the archive at path, whole or nothing: the new file is written beside it, read
// back through the reader helper and compared with the draws, flushed, and only then renamed over the
// archive. The old archive, if any, is kept beside it as NAME.AAAAMMGG-hhmmss.bak (now, local time);
// only the newest KeptBackups copies stay. Throws StoricoError with the old archive untouched.
ArchiveReplacement replaceDrawArchive(const std::string& path, const std::vector<Draw>& draws,
                                      const std::string& readerProgram, std::time_t now);

// "Dbarcomax.20261207-104000.bak" for "Dbarcomax.mdb".
std::string backupFileName(const std::string& archiveFileName, std::time_t now);

} // namespace storico
