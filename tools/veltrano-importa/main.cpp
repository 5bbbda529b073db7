#include "cli/ImportCommand.h"
#include "core/ProgramVersion.h"

#include <iostream>

int main(int argc, char** argv) {
    if (answerVersion(argc, argv, "veltrano-importa"))
        return 0;
    return storico::runImport(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
