#include "gui/kit/Palette.h"

#include <gtest/gtest.h>

TEST(Palette, SettaValoriBaseGivesTheFourSharedColours) {
    Palette p;
    p.SettaValoriBase();
    EXPECT_EQ(p.PaletteGreen, 32768u);
    EXPECT_EQ(p.PalettePaleOrange, 12640511u);
    EXPECT_EQ(p.PaletteLightOrange, 8438015u);
    EXPECT_EQ(p.PaletteOrange, 33023u);
}
