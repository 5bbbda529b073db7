#pragma once

#include <string>

// The program's version: the one number in the top CMakeLists.txt (the package shows it too).
const char* programVersion();

// What every tool prints for --version: its name and the program's version.
std::string versionText(const std::string& tool);

// When the arguments (argv[1] up to a "--") ask for --version, writes versionText(tool) on stdout and
// returns true: each tool's main answers it before reading its own options.
bool answerVersion(int argc, char** argv, const std::string& tool);
