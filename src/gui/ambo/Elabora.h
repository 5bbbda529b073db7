#pragma once

#include "gui/ambo/AmboControls.h"
#include "gui/ambo/AmboGrids.h"
#include "gui/ambo/AmboState.h"
#include "gui/ambo/OutcomeVerification.h"

#include <functional>

class DrawArchive;
struct Palette;

// What "ELABORA" does apart from the mouse pointer: snapshot of the controls, search, formatting of the
// cases, column "DEP ", grid formatting and verification. searchFinished (may be empty) is called when
// the search proper is over, for the window to restore its pointer. With no case the summary is cleared
// to zeros. Returns the verification's counters (all 0 without cases).
VerificationTotals elabora(const AmboControls& controls, AmboGrids& grids, AmboState& state,
                           const DrawArchive& archive, const Palette& palette,
                           const std::function<void(int)>& setProgressMaximum,
                           const std::function<void()>& searchFinished = {});
