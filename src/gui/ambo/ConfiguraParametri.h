#pragma once

#include "gui/ambo/AmboControls.h"
#include "gui/ambo/AmboGrids.h"
#include "gui/ambo/AmboState.h"

#include <QString>
#include <cstdint>
#include <functional>

class DrawArchive;

// The number a drop-down text stands for: the number at its start, rounded to an integer; 0 when the
// text does not start with a number or when the number does not fit 16 bits.
std::int16_t readComboNumber(const QString& text);

// Snapshot of the controls into the state before a search; empties the case grid. The frame's progress
// bar gets DrawCount as its maximum through setProgressMaximum (may be empty).
void ConfiguraParametri(const AmboControls& controls, AmboGrids& grids, AmboState& state,
                        const DrawArchive& archive, const std::function<void(int)>& setProgressMaximum);
