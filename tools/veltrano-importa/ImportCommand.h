#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace storico {

// The whole of veltrano-importa, callable in-process: arguments without the program name.
// Returns the exit code: 0 archive written, 1 failure (nothing written), 2 bad command line.
int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string importHelpText();

constexpr int MaxListedErrors = 20;

} // namespace storico
