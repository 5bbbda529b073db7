#pragma once

#include "core/Sweep.h"
#include "gui/collaudo/CollaudoShown.h"

#include <QDate>

class CollaudoParameters;
class DrawArchive;
struct CollaudoResult;
struct CollaudoSummary;
struct CollaudoSettings;

// A sweep as the window keeps it: what was asked and what came back.
struct SweepOutcome {
    SweepSettings settings;
    SweepResult result;
};

// Between the Collaudo window's controls and the method's back-test engine, both ways: the settings the
// controls stand for, and the engine's result in the words and number forms a person reads.

// The back-test settings of the controls. The range is the draws between the two dates; a range with
// no draw at all gives first > last, which the engine searches as empty.
CollaudoSettings collaudoSettings(const CollaudoParameters& parameters, const DrawArchive& archive);

// "3.475 positivi su 3.931 casi completi; per puro caso se ne attendevano 3.480 ± 21 (p = 0,61):
// risultato compatibile con il caso." and the balance; an explanation instead when nothing compares.
QString summarySentence(const CollaudoResult& result);
// Its parts: "3.475 positivi su 3.931 casi completi; per puro caso se ne attendevano 3.480 ± 21 (p = 0,61)"
// for complete cases, and " Giocando ogni caso: spesi …" (or that nothing was played).
QString comparisonWithChance(const CollaudoSummary& summary);
QString balanceSentence(const CollaudoSummary& summary);

// The sweep settings of the controls: their method, wheels, outcome boxes, stakes and range, and the split at
// the out-of-sample date when its box is checked. The best `rows` combinations by p come back.
SweepSettings sweepSettings(const CollaudoParameters& parameters, const DrawArchive& archive, int rows);
bool sameStakes(const Stakes& a, const Stakes& b);
// Whether a sweep's rows still answer the window's settings: the same wheels, outcome boxes, stakes, range
// and split. The rest the sweep tries itself, and a row puts its method back when it is applied.
bool sweepStillApplies(const SweepSettings& current, const SweepSettings& swept);
SweepShown presentSweep(const SweepOutcome& sweep, const DrawArchive& archive);
// Puts a sweep row into the controls: the sweep's method, the row's types, positions and "Adiacenti" or its
// threshold, and its Colpi; false for no such row.
bool applySweepRow(const SweepOutcome& sweep, int row, CollaudoParameters& parameters);

// The plain words for a p-value: "risultato compatibile con il caso." and the like.
QString chanceVerdict(double p);

// The summary, the sentence and the charts' series of a back-test.
CollaudoShown presentCollaudo(const CollaudoResult& result);
