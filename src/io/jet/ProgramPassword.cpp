#include "io/jet/ProgramPassword.h"

#include <algorithm>
#include <array>

std::string programDatabasePassword() {
    // Assembled at run time so that the executable holds no readable copy of it.
    std::string word = "onartleV";
    std::reverse(word.begin(), word.end());
    const std::array<char, 4> wheels{'B' + 1, 'M' + 1, 'S' + 1, 'T' + 1};
    std::string pieces(wheels.begin(), wheels.end());
    const int ninety = 9 * 10;
    return word + "#" + pieces + std::to_string(ninety * 11);
}
