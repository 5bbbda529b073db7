#pragma once

#include "core/DrawnWheels.h"
#include "core/EqualAmboCase.h"
#include "core/NumberSet.h"
#include "core/OutcomeBoxes.h"
#include "core/OverdueCase.h"
#include "core/Stakes.h"

#include <array>

class DrawnNumbers;

// The bets that playing a case places at each colpo, as its outcome boxes stand for them, and what they
// pay. No bet goes on a wheel not drawn.
//   "Ambata": the ambata as estratto on R1 and on R2.
//   "3 ambi": the distinct ambi ambata-Ai (an Ai equal to the ambata gives none) on R1 and on R2.
//   "Quartina": ambo, terno and quaterna on the quartina's n distinct numbers (a sorte only when n reaches
//   its size) on R1 and on R2 except Nazionale; with "Tutte" one bet per sorte on the ten wheels together,
//   placed when one of them is drawn, each wheel paying a tenth.
class CaseBets {
public:
    CaseBets(const EqualAmboCase& c, const OutcomeBoxes& boxes, const Stakes& stakes);
    // The overdue number: its number as estratto on its wheel, the ambata's stake.
    CaseBets(const OverdueCase& c, const Stakes& stakes);

    double spent(WheelMask drawn) const;
    // The gross win in draw d, before withholding.
    double won(const DrawnNumbers& drawn, int d) const;

private:
    double quartinaWin(const NumberSet& numbers) const;

    OutcomeBoxes m_boxes;
    Stakes m_stakes;
    std::array<int, 2> m_wheels; // -1 for none
    int m_ambata;
    int m_ambiCount = 0;
    std::array<int, 3> m_ambi{}; // the other number of each distinct ambo
    int m_quartinaCount = 0;
    NumberSet m_quartinaSet;                // those of its numbers a wheel can hold
    double m_quartinaStake = 0.0;           // one placement of every sorte the quartina allows
    std::array<double, 5> m_quartinaPays{}; // by how many of its numbers a wheel holds
};
