#pragma once

#include "core/EqualAmboCase.h"
#include "core/Giocata.h"
#include "core/OutcomeBoxes.h"
#include "core/OverdueCase.h"
#include "core/Stakes.h"

// The built-in methods' cases as the giocate they play, with the same bets, outcome and chance:
//   the equal ambo, by its outcome boxes: "Ambata" the ambata as estratto on R1 and R2; "3 ambi" each
//   distinct ambo ambata-Ai (an Ai equal to the ambata gives none) on R1 and R2; "Quartina" ambo, terno
//   and quaterna (as far as its n distinct numbers allow) on R1 and R2 without Nazionale, or on TU with
//   "Tutte". Stakes as Stakes gives them; a stake of 0 still plays for the outcome.
//   the overdue number: its number as estratto on its wheel, at the ambata's stake.
// A forecast's damaged field (0, above 90) stays in the numbers: it is never drawn.
Giocata giocataOf(const EqualAmboCase& c, int colpi, const OutcomeBoxes& boxes, const Stakes& stakes);
Giocata giocataOf(const OverdueCase& c, int colpi, const Stakes& stakes);
