#pragma once

#include <string>
#include <string_view>

// What every tool prints on a bad command line, on two lines: what is wrong, capitalised after the
// tool's name, and where the help is. The whole usage would bury the one line that matters.
// Plain C++, so that the tools without Qt share it too.
std::string commandLineErrorText(std::string_view tool, std::string_view error);

// The two complaints every tool's parser makes, in the same words: "Opzione sconosciuta: --x" and
// "Manca il valore di --x".
std::string unknownOptionError(std::string_view option);
std::string missingValueError(std::string_view option);
