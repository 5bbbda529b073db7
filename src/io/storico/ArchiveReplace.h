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

// Whether a write may replace an archive that is already there: one the user agreed to replace, or
// only a name that is free (and stays free until the write's last step).
enum class ExistingArchive { Replace, Keep };

// Writes the draws as the archive at path, whole or nothing: the new file is written beside it, read
// back through the reader helper and compared with the draws, flushed, and only then renamed over the
// archive. The old archive, if any, is kept beside it as NAME.AAAAMMGG-hhmmss.bak (now, local time);
// only the newest KeptBackups copies stay. With ExistingArchive::Keep nothing that is at path, or
// appears there during the write, is replaced. A symbolic link at path is refused, never followed:
// the archive and its copies are plain files in the folder named. Throws StoricoError with the old
// archive untouched.
ArchiveReplacement replaceDrawArchive(const std::string& path, const std::vector<Draw>& draws,
                                      const std::string& readerProgram, std::time_t now,
                                      ExistingArchive existing = ExistingArchive::Replace);

// Writes the draws as a new archive at path, which must be free: whatever is there, or appears there
// while the file is written, is left as it is and the write refused. Throws StoricoError.
void writeNewDrawArchive(const std::string& path, const std::vector<Draw>& draws);

// "Dbarcomax.20261207-104000.bak" for "Dbarcomax.mdb".
std::string backupFileName(const std::string& archiveFileName, std::time_t now);

} // namespace storico
