#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace storico {

// One text of the history, with the name its rows are reported under ("storico.zip:storico.txt").
struct HistoryText {
    std::string name;
    std::string text;
};

// The whole real history is a few megabytes in lines of a few dozen bytes: these bounds leave it ample
// room and keep a damaged or hostile input from filling the memory. A file or zip entry, and all the
// texts of one reading together, hold at most MaxHistoryBytes; a line at most MaxHistoryLineBytes.
constexpr std::uint64_t MaxHistoryBytes = std::uint64_t{64} << 20;
constexpr std::size_t MaxHistoryLineBytes = 4096;

// Reads what the user named: text files, folders (their *.txt files, sorted by name) and zips, whose
// text files are read together, sorted by name, as if they had been named one by one. Zip entries are
// read in memory and never extracted. Only regular files are read, within the bounds above, each
// checked before a byte is read or inflated and again while reading. Throws StoricoError saying which
// input failed and why (which bound it passes).
std::vector<HistoryText> readHistoryInputs(const std::vector<std::string>& inputs);

// A zip by its name or by its first bytes, so that a renamed download is still read as one.
bool looksLikeZip(const std::string& path);

} // namespace storico
