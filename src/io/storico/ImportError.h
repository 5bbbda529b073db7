#pragma once

#include "io/storico/ShownText.h"

#include <string>

namespace storico {

// Where a row came from, for messages that send the user to the offending line.
struct SourcePlace {
    std::string file;
    int line = 0; // 1-based

    std::string text() const { return shownText(file) + ":" + std::to_string(line); }
    bool operator==(const SourcePlace&) const = default;
};

struct ImportError {
    SourcePlace place;
    std::string message;

    std::string text() const { return place.text() + ": " + message; }
};

} // namespace storico
