#include "gui/kit/Palette.h"

namespace {
constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r + 256 * g + 65536 * b;
}
} // namespace

void Palette::SettaValoriBase() {
    PaletteGreen = rgb(0, 128, 0);
    PalettePaleOrange = rgb(255, 224, 192);
    PaletteLightOrange = rgb(255, 192, 128);
    PaletteOrange = rgb(255, 128, 0);
}
