#include "cli/CommandLineError.h"

std::string commandLineErrorText(std::string_view tool, std::string_view error) {
    std::string first(error);
    if (!first.empty() && first.front() >= 'a' && first.front() <= 'z')
        first.front() = static_cast<char>(first.front() - 'a' + 'A');
    std::string text(tool);
    text += ": ";
    text += first;
    text += "\nUsare ";
    text += tool;
    text += " --help per l'aiuto.\n";
    return text;
}

std::string unknownOptionError(std::string_view option) {
    return "Opzione sconosciuta: " + std::string(option);
}

std::string missingValueError(std::string_view option) {
    return "Manca il valore di " + std::string(option);
}
