#pragma once

#include "core/CaseOutcome.h"
#include "core/DrawnWheels.h"
#include "core/EqualAmboCase.h"
#include "core/OutcomeBoxes.h"
#include "core/OverdueCase.h"

#include <array>

// The chance side of a case: the probability that a draw of random numbers gives no outcome, wheel by
// wheel. Each wheel's five numbers are 5 distinct of 90 drawn uniformly, wheels independent, so a wheel
// holds exactly the subset S of the forecast's m distinct numbers with probability
// C(90-m, 5-|S|) / C(90, 5), and the outcome boxes say which subsets are positive there.
class CaseChance {
public:
    CaseChance(const EqualAmboCase& c, const OutcomeBoxes& boxes);
    // The overdue number: one number on one wheel, out with probability 5/90 in each draw of the wheel.
    explicit CaseChance(const OverdueCase& c);

    // Probability that a draw with these wheels drawn gives the case no outcome.
    double noOutcome(WheelMask drawn) const;

private:
    int m_wheel1;
    int m_wheel2; // -1 when the case plays one wheel
    double m_noHitR1 = 1.0;
    double m_noHitR2 = 1.0;
    double m_noHitOther = 1.0; // any other of the ten quartina wheels, with "Tutte"
    WheelMask m_others = 0;
    std::array<double, CaseOutcome::QuartinaWheels + 1> m_noHitOthers{}; // by how many are drawn
};
