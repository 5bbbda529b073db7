#include "CaseChance.h"

#include "Binomial.h"
#include "CaseOutcome.h"

#include <array>
#include <bit>
#include <vector>

CaseChance::CaseChance(const EqualAmboCase& c, const OutcomeBoxes& boxes)
    : m_wheel1(c.wheel1), m_wheel2(c.wheel2) {
    // The forecast's distinct numbers that a draw can hold; bit i of a subset stands for numbers[i].
    std::vector<int> numbers;
    auto indexOf = [&numbers](int n) {
        if (n < 1 || n > 90)
            return -1;
        for (int i = 0; i < static_cast<int>(numbers.size()); ++i)
            if (numbers[i] == n)
                return i;
        numbers.push_back(n);
        return static_cast<int>(numbers.size()) - 1;
    };
    const Forecast& f = c.forecast;
    const int ambata = indexOf(f.Ambata);
    const std::array<int, 3> others{indexOf(f.A1), indexOf(f.A2), indexOf(f.A3)};
    const int m = static_cast<int>(numbers.size());
    const double all = binomial(90, 5);

    auto hitsOnCaseWheel = [&](unsigned s) {
        const bool hasAmbata = ambata >= 0 && (s >> ambata) & 1u;
        if (boxes.ambata && hasAmbata)
            return true;
        if (boxes.treAmbi && hasAmbata)
            for (int o : others)
                if (o >= 0 && o != ambata && (s >> o) & 1u)
                    return true;
        return false;
    };
    auto hitsQuartina = [&](unsigned s) { return boxes.quartina && std::popcount(s) >= 2; };

    const bool r1Quartina = CaseOutcome::quartinaWheel(m_wheel1);
    const bool r2Quartina = CaseOutcome::quartinaWheel(m_wheel2);
    m_noHitR1 = m_noHitR2 = m_noHitOther = 0.0;
    for (unsigned s = 0; s < (1u << m); ++s) {
        const int k = std::popcount(s);
        const double chance = binomial(90 - m, 5 - k) / all;
        const bool caseHit = hitsOnCaseWheel(s);
        const bool quartinaHit = hitsQuartina(s);
        if (!caseHit && !(r1Quartina && quartinaHit))
            m_noHitR1 += chance;
        if (!caseHit && !(r2Quartina && quartinaHit))
            m_noHitR2 += chance;
        if (!(boxes.tutte && quartinaHit))
            m_noHitOther += chance;
    }
    if (boxes.quartina && boxes.tutte)
        for (int w = 0; w < CaseOutcome::QuartinaWheels; ++w)
            if (w != m_wheel1 && w != m_wheel2)
                m_others |= static_cast<WheelMask>(1u << w);
}

double CaseChance::noOutcome(WheelMask drawn) const {
    double q = 1.0;
    if (inMask(drawn, m_wheel1))
        q *= m_noHitR1;
    if (inMask(drawn, m_wheel2))
        q *= m_noHitR2;
    for (int n = std::popcount(static_cast<unsigned>(drawn & m_others)); n > 0; --n)
        q *= m_noHitOther;
    return q;
}
