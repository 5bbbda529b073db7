#pragma once

#include "core/Collaudo.h"
#include "core/Sweep.h"
#include "gui/collaudo/CollaudoShown.h"

#include <QString>
#include <optional>

struct SweepOutcome;

// Settings put into the window by a double-click on a sweep row: the row was picked among many, and its
// back-test alone would read as if it had been the only try. The note goes with the back-test as long
// as the window still asks for exactly those settings.
struct SweepSelection {
    CollaudoSettings settings; // what the window asked for right after the row was applied
    std::size_t combinations = 0;
    double pHolm = 1.0;
    std::optional<SweepFigures> fuori;
    QString fuoriFrom; // the first out-of-sample draw's date, when there is one

    // Whether a back-test of `asked` is still the row's, untouched by hand since.
    bool stillHolds(const CollaudoSettings& asked) const;
};

// The row's selection as kept beside the settings the window asks for once the row is applied.
SweepSelection sweepSelection(const SweepOutcome& sweep, int row, const CollaudoSettings& applied,
                              const QString& fuoriFrom);

// Adds to the back-test's sentence and summary how the settings were chosen: the combinations tried, the
// row's p corrected for all of them, and the out-of-sample figures when there are any.
void noteSweepSelection(CollaudoShown& shown, const SweepSelection& selection);
