#pragma once

#include "gui/kit/GridModel.h"

// The four grids of the ambo window, owned by the window (or by the batch tool and the tests).
struct AmboGrids {
    GridModel& Fg1; // cases
    GridModel& FgS; // summary
    GridModel& FgR; // wheel selection
    GridModel& Fgp; // position selection
};
