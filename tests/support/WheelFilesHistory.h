#pragma once

#include <string>
#include <utility>
#include <vector>

// A small hand-made history laid out as the operator's one file per wheel (BARI.txt ... NAZIONALE.txt):
// four dates; Nazionale only from the second; Cagliari drawn a day late once, so that its lone date
// joins the draw before; each wheel's numbers differ from every other's.
inline std::vector<std::pair<std::string, std::string>> wheelFilesHistory() {
    const std::vector<std::pair<std::string, std::string>> wheels{
        {"BARI.txt", "BA"},    {"CAGLIARI.txt", "CA"}, {"FIRENZE.txt", "FI"}, {"GENOVA.txt", "GE"},
        {"MILANO.txt", "MI"},  {"NAPOLI.txt", "NA"},   {"PALERMO.txt", "PA"}, {"ROMA.txt", "RM"},
        {"TORINO.txt", "TO"},  {"VENEZIA.txt", "VE"},  {"NAZIONALE.txt", "RN"}};
    const std::vector<std::string> dates{"2005/05/04", "2005/05/07", "2005/05/11", "2005/05/14"};
    std::vector<std::pair<std::string, std::string>> files;
    for (std::size_t w = 0; w < wheels.size(); ++w) {
        std::string text;
        for (std::size_t d = 0; d < dates.size(); ++d) {
            if (wheels[w].second == "RN" && d == 0)
                continue;
            const std::string date = wheels[w].second == "CA" && d == 2 ? "2005/05/12" : dates[d];
            text += date + "\t" + wheels[w].second;
            for (std::size_t k = 0; k < 5; ++k)
                text += "\t" + std::to_string(1 + (w * 7 + d * 13 + k * 17) % 90);
            text += "\r\n";
        }
        files.emplace_back(wheels[w].first, text);
    }
    return files;
}
