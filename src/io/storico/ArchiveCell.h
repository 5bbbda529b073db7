#pragma once

#include "io/storico/Wheels.h"

#include <string>

namespace storico {

constexpr int ArchiveCellLength = 14;

// The archive's text for one wheel of one draw: the five numbers in order of extraction as two-digit,
// zero-padded fields at characters 1, 4, 7, 10 and 13, one blank between them ("05 12 33 47 90").
std::string formatArchiveCell(const WheelNumbers& numbers);

} // namespace storico
