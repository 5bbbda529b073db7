#pragma once

#include "gui/kit/GridModel.h"

// A cell's numeric value exactly as GridModel::value reads it, without its general text-to-number
// conversion for the plain whole numbers the search writes (the verification reads thousands of them).
double cellValue(const GridModel& grid, int row, int col);
