#pragma once

#include "gui/ambo/AmboControls.h"
#include "gui/ambo/AmboGrids.h"
#include "gui/ambo/AmboState.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/Palette.h"

// What an analysis works on away from the window: the four grids, the window state, the controls'
// values and the palette. The batch tool, the benchmarks and the tests each hold one.
struct AmboWorkbench {
    GridModel Fg1;
    GridModel FgS;
    GridModel FgR;
    GridModel Fgp;
    AmboGrids grids{Fg1, FgS, FgR, Fgp};
    AmboState state;
    AmboControls controls;
    Palette palette;

    AmboWorkbench() { palette.SettaValoriBase(); }
    AmboWorkbench(const AmboWorkbench&) = delete;
    AmboWorkbench& operator=(const AmboWorkbench&) = delete;
};
