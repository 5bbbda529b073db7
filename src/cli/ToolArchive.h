#pragma once

#include <QString>
#include <cstdio>

class DrawArchive;

// What the command-line tools share around the method: UTF-8 output and loading the archive named on
// the command line through the executable's reader helper (io/ProgramFolders.h).

void writeText(std::FILE* stream, const QString& text);

// Loads the archive (the model archive and the sample mark play no part in the tools). On failure writes
// "<tool>: Archivio illeggibile: ..." on stderr and returns false.
bool loadToolArchive(DrawArchive& archive, const QString& path, const QString& tool);
