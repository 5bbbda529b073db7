#pragma once

#include <stdexcept>

namespace storico {

// A failure of reading the history or merging it into an archive; the message is shown as it is.
class StoricoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The archive's pages do not add up (see jet::DamagedArchiveError): nothing was read from it. The
// message is the whole "Archivio illeggibile: …" text.
class DamagedArchiveError : public StoricoError {
public:
    using StoricoError::StoricoError;
};

} // namespace storico
