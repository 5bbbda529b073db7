#pragma once

#include <cstdint>

// The background of a case that was positive (green), in every window that lists cases.
inline constexpr std::uint32_t PositiveCaseColour = 65280;

// The four colours the windows share (24-bit, red in the low byte), filled once by the main window.
struct Palette {
    std::uint32_t PaletteGreen = 0;
    std::uint32_t PalettePaleOrange = 0;
    std::uint32_t PaletteLightOrange = 0;
    std::uint32_t PaletteOrange = 0;

    void SettaValoriBase();
};
