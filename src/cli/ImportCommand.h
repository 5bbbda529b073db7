#pragma once

#include "io/storico/HistoryReading.h"

#include <ctime>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace storico {

// What the command takes from around it: the reader helper that reads archives back, and the clock
// that names the old archive's copy.
struct ImportEnvironment {
    std::string readerProgram; // empty: the running program's veltrano-lettore (io/ProgramFolders.h)
    std::function<std::time_t()> now;
};

// The whole of veltrano-importa, callable in-process: arguments without the program name.
// Returns the exit code: 0 archive written (or nothing to do, or a --prova run), 1 failure or an
// existing --output file without --sostituisci (nothing written), 2 bad command line.
int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const ImportEnvironment& environment = {});

std::string importHelpText();

} // namespace storico
