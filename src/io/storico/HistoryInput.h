#pragma once

#include <string>
#include <vector>

namespace storico {

// One text of the history, with the name its rows are reported under ("storico.zip:storico.txt").
struct HistoryText {
    std::string name;
    std::string text;
};

// Reads what the user named: text files, folders (their *.txt files, sorted by name) and the operator's
// zip, which must hold exactly one text file. Throws StoricoError saying which input failed and why.
std::vector<HistoryText> readHistoryInputs(const std::vector<std::string>& inputs);

// A zip by its name or by its first bytes, so that a renamed download is still read as one.
bool looksLikeZip(const std::string& path);

} // namespace storico
