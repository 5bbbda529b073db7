#pragma once

#include "CollaudoShown.h"
#include "SweepRunner.h"

#include <memory>

class CollaudoParameters;
class DrawArchive;
struct Palette;
struct SweepOutcome;

// Between the window's controls and the method's back-test engine: the settings the controls stand for,
// one back-test made ready to show, the sweep as a job for the worker thread, a sweep row put back into
// the controls.
CollaudoShown runCollaudo(const CollaudoParameters& parameters, const DrawArchive& archive,
                          const Palette& palette);
SweepRunner::Job sweepJob(const CollaudoParameters& parameters, const DrawArchive& archive,
                          std::shared_ptr<SweepOutcome> into);
SweepShown presentSweep(const SweepOutcome& sweep);
// False when the row does not exist.
bool applySweepRow(const SweepOutcome& sweep, int row, CollaudoParameters& parameters);
