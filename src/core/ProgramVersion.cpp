#include "core/ProgramVersion.h"

#include <cstdio>
#include <string_view>

std::string versionText(const std::string& tool) {
    return tool + " (Veltrano) " + programVersion() + "\n";
}

bool answerVersion(int argc, char** argv, const std::string& tool) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            return false;
        if (argument == "--version") {
            const std::string text = versionText(tool);
            std::fwrite(text.data(), 1, text.size(), stdout);
            return true;
        }
    }
    return false;
}
