#include "core/CaseBets.h"

#include "core/Binomial.h"
#include "core/CaseOutcome.h"
#include "core/DrawnNumbers.h"
#include "core/Payouts.h"

#include <algorithm>
#include <array>

CaseBets::CaseBets(const EqualAmboCase& c, const OutcomeBoxes& boxes, const Stakes& stakes)
    : m_boxes(boxes), m_stakes(stakes), m_wheels{c.wheel1, c.wheel2}, m_ambata(c.forecast.Ambata) {
    const Forecast& f = c.forecast;
    for (int a : {f.A1, f.A2, f.A3}) {
        if (a == m_ambata ||
            std::find(m_ambi.begin(), m_ambi.begin() + m_ambiCount, a) != m_ambi.begin() + m_ambiCount)
            continue;
        m_ambi[m_ambiCount++] = a;
    }
    std::array<int, 4> quartina{};
    for (int n : {f.Ambata, f.A1, f.A2, f.A3}) {
        if (std::find(quartina.begin(), quartina.begin() + m_quartinaCount, n) ==
            quartina.begin() + m_quartinaCount)
            quartina[m_quartinaCount++] = n;
        m_quartinaSet.add(n);
    }
    if (m_quartinaCount >= 2)
        m_quartinaStake += m_stakes.ambo;
    if (m_quartinaCount >= 3)
        m_quartinaStake += m_stakes.terno;
    if (m_quartinaCount >= 4)
        m_quartinaStake += m_stakes.quaterna;
    // share[n][k][j]: the part of the j-sorte bets on n numbers that a wheel holding k of them wins.
    static constexpr auto share = [] {
        std::array<std::array<std::array<double, 5>, 5>, 5> t{};
        for (int nn = 0; nn <= 4; ++nn)
            for (int k = 0; k <= nn; ++k)
                for (int j = 2; j <= nn; ++j)
                    t[nn][k][j] = binomial(k, j) / binomial(nn, j);
        return t;
    }();
    const int n = m_quartinaCount;
    for (int k = 0; k <= n; ++k) {
        double win = 0.0;
        if (n >= 2)
            win += share[n][k][2] * Payouts::Ambo * m_stakes.ambo;
        if (n >= 3)
            win += share[n][k][3] * Payouts::Terno * m_stakes.terno;
        if (n >= 4)
            win += share[n][k][4] * Payouts::Quaterna * m_stakes.quaterna;
        m_quartinaPays[k] = win;
    }
}

CaseBets::CaseBets(const OverdueCase& c, const Stakes& stakes)
    : m_boxes{true, false, false, false}, m_stakes(stakes), m_wheels{c.wheel, -1}, m_ambata(c.number) {}

double CaseBets::spent(WheelMask drawn) const {
    double total = 0.0;
    for (int w : m_wheels) {
        if (!inMask(drawn, w))
            continue;
        if (m_boxes.ambata)
            total += m_stakes.ambata;
        if (m_boxes.treAmbi)
            total += m_stakes.ambo * m_ambiCount;
        if (m_boxes.quartina && !m_boxes.tutte && CaseOutcome::quartinaWheel(w))
            total += m_quartinaStake;
    }
    if (m_boxes.quartina && m_boxes.tutte && (drawn & ((1u << CaseOutcome::QuartinaWheels) - 1)) != 0)
        total += m_quartinaStake;
    return total;
}

// A wheel's set holds its valid numbers only, so a damaged wheel wins on those.
double CaseBets::quartinaWin(const NumberSet& numbers) const {
    return m_quartinaPays[static_cast<std::size_t>((numbers & m_quartinaSet).count())];
}

double CaseBets::won(const DrawnNumbers& drawn, int d) const {
    const WheelMask mask = drawn.drawn(d);
    double total = 0.0;
    for (int w : m_wheels) {
        if (!inMask(mask, w))
            continue;
        const NumberSet& ns = drawn.numbers(d, w);
        if (m_boxes.ambata && ns.holds(m_ambata))
            total += Payouts::Estratto * m_stakes.ambata;
        if (m_boxes.treAmbi && ns.holds(m_ambata))
            for (int i = 0; i < m_ambiCount; ++i)
                if (ns.holds(m_ambi[i]))
                    total += Payouts::Ambo * m_stakes.ambo;
        if (m_boxes.quartina && !m_boxes.tutte && CaseOutcome::quartinaWheel(w))
            total += quartinaWin(ns);
    }
    if (m_boxes.quartina && m_boxes.tutte)
        for (int w = 0; w < CaseOutcome::QuartinaWheels; ++w)
            if (inMask(mask, w))
                total += quartinaWin(drawn.numbers(d, w)) / CaseOutcome::QuartinaWheels;
    return total;
}
