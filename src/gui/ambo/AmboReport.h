#pragma once

#include "gui/ambo/AmboControls.h"
#include "gui/ambo/AmboState.h"
#include "gui/kit/GridReport.h"
#include "gui/kit/Prompts.h"

#include <QDateTime>

class DrawArchive;
class GridModel;
class QPrinter;

// The case grid and the summary on paper, under a header that says what produced them: the archive,
// the range and the parameters of the search (`searched`, the window state right after it), the
// outcomes the last verification looked for, and where the case cap stopped the search if it did.
GridReport amboReport(const AmboState& searched, const AmboControls& verified, const DrawArchive& archive,
                      const GridModel& Fg1, const GridModel& FgS, const QDateTime& printedAt);

// The save dialog of "Esporta PDF…".
FileDialogRequest pdfExportRequest();
