#pragma once

#include "gui/kit/GridModel.h"

struct Palette;

// The case grid's formatting ("Command2"): renumbers the cases, whitens column 0, colours the wheel codes,
// the draw and the date, sizes the columns and scrolls back to the first case. Nothing on an empty grid.
void formatCaseGrid(GridModel& Fg1, const Palette& palette);

// The same without sizing the columns, for callers that size once at the end of a longer job.
// Returns whether there was anything to format.
bool formatCaseGridCells(GridModel& Fg1, const Palette& palette);
