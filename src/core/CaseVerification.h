#pragma once

#include "core/CaseOutcome.h"
#include "core/EqualAmboCase.h"
#include "core/OutcomeBoxes.h"

class DrawArchive;
class DrawnNumbers;

// "VERIFICA" for one case: follows it over the next colpi draws that lie in the archive and stops at the
// first one where a checked outcome box hits. A case that is not positive is in play while fewer than
// colpi draws follow it in the archive.
CaseOutcome verifyCase(const EqualAmboCase& c, int colpi, const OutcomeBoxes& boxes,
                       const DrawArchive& archive);

// The colpo at which verifyCase would find the case positive, 0 when none, read from the draws' number
// sets: the back-test needs no more than that for each of its many cases.
int firstPositiveColpo(const EqualAmboCase& c, int colpi, const OutcomeBoxes& boxes,
                       const DrawArchive& archive, const DrawnNumbers& drawn);
