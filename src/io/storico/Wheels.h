#pragma once

#include "core/WheelNames.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace storico {

using ::Nazionale;
using ::WheelCount;
constexpr int NumbersPerWheel = PositionCount;

using WheelNumbers = std::array<int, NumbersPerWheel>; // in order of extraction

// Wheel 0..10 for a code or name of the storico files, without regard to case: the operator's codes
// (BA .. VE, RM for Roma, RN for Nazionale), the archive's (RO, NZ) and the full names (BARI, ...).
std::optional<int> wheelFromCode(std::string_view code);

// Column of the wheel in the archive table: Ba, Ca, ... Ve, Nz.
const std::string& archiveColumn(int wheel);

// The wheel's one code in everything the program writes for a person: BA, ... RO, TO, VE, NZ (the
// operator's RM and RN are read, never written).
const std::string& wheelCode(int wheel);

} // namespace storico
