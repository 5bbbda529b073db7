#pragma once

#include "io/storico/Draw.h"

#include <string>
#include <vector>

namespace storico {

constexpr int ProgramDrawLimit = 9999; // the program refuses archives with more draws

// Writes the draw archive the program reads: an Access database without password holding the one
// table EstrazioniLotto (DataEstrazione, then Ba .. Nz as TEXT(14)), one row per draw in the given
// order, a wheel not drawn as NULL. creationDate is a Jet date for the file header, so that the same
// draws always give the same bytes. markAsSample adds the sample archive's one-row mark table (see
// ArchiveDraws.h). The file appears whole or not at all; throws jet::JetError.
void writeDrawArchiveFile(const std::string& path, const std::vector<Draw>& draws, double creationDate,
                          bool markAsSample = false);

} // namespace storico
