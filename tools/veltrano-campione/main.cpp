#include "SampleCommand.h"
#include "core/ProgramVersion.h"

#include <iostream>

int main(int argc, char** argv) {
    if (answerVersion(argc, argv, "veltrano-campione"))
        return 0;
    return runSample(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
