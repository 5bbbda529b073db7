#pragma once

#include <array>
#include <optional>
#include <string_view>

// Plain C++ on purpose: the history reader, which has no Qt, takes its codes from here too.

constexpr int WheelCount = 11;   // Bari .. Venezia, Nazionale
constexpr int PositionCount = 5; // order of extraction 1..5
constexpr int Nazionale = 10;    // the last wheel of every table

// The names of a wheel: the program's code, the operator's code in the history files (Roma and
// Nazionale differ), the column of the archive table and the full name.
struct WheelNaming {
    std::string_view code;
    std::string_view storicoCode;
    std::string_view column;
    std::string_view name;
};

inline constexpr std::array<WheelNaming, WheelCount> WheelNames{{
    {"BA", "BA", "Ba", "BARI"},
    {"CA", "CA", "Ca", "CAGLIARI"},
    {"FI", "FI", "Fi", "FIRENZE"},
    {"GE", "GE", "Ge", "GENOVA"},
    {"MI", "MI", "Mi", "MILANO"},
    {"NA", "NA", "Na", "NAPOLI"},
    {"PA", "PA", "Pa", "PALERMO"},
    {"RO", "RM", "Ro", "ROMA"},
    {"TO", "TO", "To", "TORINO"},
    {"VE", "VE", "Ve", "VENEZIA"},
    {"NZ", "RN", "Nz", "NAZIONALE"},
}};

// The code of the column that stands for every wheel, after the eleven.
inline constexpr std::string_view AllWheelsCode = "TU";

// Wheel 0..10 for any of its codes or its full name, without regard to case.
std::optional<int> wheelFromName(std::string_view text);
