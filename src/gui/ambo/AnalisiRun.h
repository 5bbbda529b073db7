#pragma once

#include "gui/ambo/AmboControls.h"
#include "gui/ambo/AmboGrids.h"
#include "gui/ambo/AmboState.h"
#include "gui/ambo/AnalisiOptions.h"

#include <QString>

class DrawArchive;
struct Palette;

// Sets up grids, state and controls as the ambo window after its load, then as a user who chose the
// options. Returns an error text when the range does not fit the archive.
QString prepareAnalisi(const AnalisiOptions& options, const DrawArchive& archive, AmboGrids& grids,
                       AmboState& state, AmboControls& controls);

// The printed result: the visible columns of the cases with their outcome, an empty line, the summary.
QString analisiReport(const GridModel& Fg1, const GridModel& FgS, const Palette& palette,
                      AnalisiOptions::Format format);

// The whole run on a loaded archive: preparation, "ELABORA", report. Returns an error text (bad range)
// or empty, with the report in output and, when given, the window's line about the case cap in notice
// (empty when the cap did not stop the search).
QString runAnalisi(const AnalisiOptions& options, const DrawArchive& archive, QString& output,
                   QString* notice = nullptr);
