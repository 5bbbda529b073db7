#pragma once

#include "io/jet/JetBytes.h"

#include <string>
#include <vector>

namespace jet {

// Writes `chunks`, one after the other, as the file `path`: first into a new file beside it, flushed
// to disk, then renamed over `path`. On any failure the new file is removed and `path` is untouched;
// JetError says what went wrong.
void writeFileAtomically(const std::string& path, const std::vector<Bytes>& chunks);

} // namespace jet
