#include "cli/ImportCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    return storico::runImport(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
