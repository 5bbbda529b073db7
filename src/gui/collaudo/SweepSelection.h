#pragma once

#include "core/Collaudo.h"
#include "core/Sweep.h"
#include "gui/collaudo/CollaudoShown.h"

#include <QString>
#include <optional>

class DrawArchive;
struct SweepOutcome;

// Settings put into the window by a double-click on a sweep row: the row was picked among many, and its
// back-test alone would read as if it had been the only try. The note goes with the back-test as long
// as the window still asks for exactly those settings.
struct SweepSelection {
    CollaudoSettings settings; // what the window asked for right after the row was applied
    std::size_t combinations = 0;
    double pHolm = 1.0;
    std::optional<SweepFigures> fuori;
    QString fuoriFrom;     // the first out-of-sample draw's date, when there is one
    QString measuredYears; // the years of the cases the sweep chose on: "1990-2009"
    QString backTestYears; // the years of the back-test's own cases: "1990-2026"

    // Whether a back-test of `asked` is still the row's, untouched by hand since.
    bool stillHolds(const CollaudoSettings& asked) const;
};

// Whether two back-tests ask for the same thing: settings, range and stakes.
bool sameBackTest(const CollaudoSettings& a, const CollaudoSettings& b);

// The row's selection as kept beside the settings the window asks for once the row is applied.
SweepSelection sweepSelection(const SweepOutcome& sweep, int row, const CollaudoSettings& applied,
                              const DrawArchive& archive);

// Rewrites the back-test's sentence and adds to its summary how the settings were chosen. The sentence
// leads with what can be trusted: the row's p corrected for every combination tried and the out-of-sample
// figures; the back-test's own p comes after, as the figure that picking the best of many makes small.
void noteSweepSelection(CollaudoShown& shown, const SweepSelection& selection, const CollaudoResult& result);
