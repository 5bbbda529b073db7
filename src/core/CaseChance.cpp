#include "core/CaseChance.h"

#include "core/Binomial.h"
#include "core/BitCounts.h"
#include "core/CaseOutcome.h"
#include "core/DelayItems.h"

#include <array>

namespace {
// Bits of ten: the quartina's wheels, or the forecast's numbers.
constexpr const auto& TenBitCounts = BitCounts<CaseOutcome::QuartinaWheels>;
} // namespace

CaseChance::CaseChance(const EqualAmboCase& c, const OutcomeBoxes& boxes)
    : m_wheel1(c.wheel1), m_wheel2(c.wheel2) {
    // The forecast's distinct numbers that a draw can hold; bit i of a subset stands for numbers[i].
    std::array<int, 4> numbers{};
    int m = 0;
    auto indexOf = [&numbers, &m](int n) {
        if (n < 1 || n > 90)
            return -1;
        for (int i = 0; i < m; ++i)
            if (numbers[i] == n)
                return i;
        numbers[m] = n;
        return m++;
    };
    const Forecast& f = c.forecast;
    const int ambata = indexOf(f.Ambata);
    const std::array<int, 3> others{indexOf(f.A1), indexOf(f.A2), indexOf(f.A3)};
    // chance[m][k]: one wheel holds exactly a given k of m numbers.
    static const auto chance = [] {
        std::array<std::array<double, 5>, 5> t{};
        for (int mm = 0; mm <= 4; ++mm)
            for (int k = 0; k <= mm; ++k)
                t[mm][k] = binomial(90 - mm, 5 - k) / binomial(90, 5);
        return t;
    }();

    // The ambata's bit, and the bits of the Ai that make an ambo with it.
    const unsigned ambataBit = ambata >= 0 ? 1u << ambata : 0u;
    unsigned ambiBits = 0;
    for (int o : others)
        if (o >= 0 && o != ambata)
            ambiBits |= 1u << o;
    auto hitsOnCaseWheel = [&](unsigned s) {
        return (s & ambataBit) != 0 && (boxes.ambata || (boxes.treAmbi && (s & ambiBits) != 0));
    };
    auto hitsQuartina = [&](unsigned s) { return boxes.quartina && TenBitCounts[s] >= 2; };

    const bool r1Quartina = CaseOutcome::quartinaWheel(m_wheel1);
    const bool r2Quartina = CaseOutcome::quartinaWheel(m_wheel2);
    // Summing the chances of the positive subsets keeps a small chance exact, and none at all exactly 0.
    double hitR1 = 0.0;
    double hitR2 = 0.0;
    double hitOther = 0.0;
    for (unsigned s = 0; s < (1u << m); ++s) {
        const double exactly = chance[m][TenBitCounts[s]];
        const bool caseHit = hitsOnCaseWheel(s);
        const bool quartinaHit = hitsQuartina(s);
        if (caseHit || (r1Quartina && quartinaHit))
            hitR1 += exactly;
        if (caseHit || (r2Quartina && quartinaHit))
            hitR2 += exactly;
        if (boxes.tutte && quartinaHit)
            hitOther += exactly;
    }
    m_noHitR1 = 1.0 - hitR1;
    m_noHitR2 = 1.0 - hitR2;
    m_noHitOther = 1.0 - hitOther;
    if (boxes.quartina && boxes.tutte)
        for (int w = 0; w < CaseOutcome::QuartinaWheels; ++w)
            if (w != m_wheel1 && w != m_wheel2)
                m_others |= static_cast<WheelMask>(1u << w);
    m_noHitOthers[0] = 1.0;
    for (std::size_t n = 1; n < m_noHitOthers.size(); ++n)
        m_noHitOthers[n] = m_noHitOthers[n - 1] * m_noHitOther;
}

CaseChance::CaseChance(const OverdueCase& c)
    : m_wheel1(c.wheel), m_wheel2(-1), m_noHitR1(1.0 - wheelChance(Sorte::Estratto)) {
    m_noHitOthers[0] = 1.0;
}

double CaseChance::noOutcome(WheelMask drawn) const {
    double q = 1.0;
    if (inMask(drawn, m_wheel1))
        q *= m_noHitR1;
    if (inMask(drawn, m_wheel2))
        q *= m_noHitR2;
    return q * m_noHitOthers[TenBitCounts[static_cast<unsigned>(drawn & m_others)]];
}
