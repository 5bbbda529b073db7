#pragma once

#include <ostream>
#include <string>
#include <vector>

// The whole of veltrano-campione, callable in-process: arguments without the program name.
// Returns the exit code: 0 archive written, 1 failure (nothing written), 2 bad command line.
int runSample(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string sampleHelpText();
