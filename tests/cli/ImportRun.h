#pragma once

#include "cli/ImportCommand.h"

#include <sstream>
#include <string>
#include <vector>

// One in-process run of veltrano-importa: exit code and what it printed.
struct CommandRun {
    int code = -1;
    std::string out;
    std::string err;
};

inline CommandRun runImport(const std::vector<std::string>& args,
                            const storico::ImportEnvironment& environment = {}) {
    std::ostringstream out, err;
    CommandRun run;
    run.code = storico::runImport(args, out, err, environment);
    run.out = out.str();
    run.err = err.str();
    return run;
}
