#include "core/GiocataBets.h"

#include "core/Binomial.h"
#include "core/DrawnNumbers.h"
#include "core/Payouts.h"

#include <algorithm>
#include <bit>

GiocataBets::GiocataBets(const Giocata& g) {
    m_bets.reserve(g.puntate.size());
    for (const Puntata& p : g.puntate) {
        Bet b;
        for (int n : p.numeri)
            b.numbers.add(n);
        b.sorte = p.sorteCount();
        b.wheels = p.wheels();
        b.tutte = p.tutte;
        b.posta = p.posta;
        const int n = p.count();
        for (int k = b.sorte; k <= std::min(n, 5); ++k) {
            double pay = p.posta * Payouts::forSorte(b.sorte) * binomial(k, b.sorte) / binomial(n, b.sorte);
            if (b.tutte)
                pay /= 10.0;
            b.pays[static_cast<std::size_t>(k)] = pay;
        }
        m_bets.push_back(b);
    }
}

bool GiocataBets::wins(const DrawnNumbers& drawn, int d) const {
    const WheelMask mask = drawn.drawn(d);
    for (const Bet& b : m_bets) {
        const WheelMask on = static_cast<WheelMask>(mask & b.wheels);
        for (int w = 0; w < WheelCount; ++w)
            if (inMask(on, w) && (drawn.numbers(d, w) & b.numbers).count() >= b.sorte)
                return true;
    }
    return false;
}

double GiocataBets::spent(WheelMask drawn) const {
    double total = 0.0;
    for (const Bet& b : m_bets) {
        const WheelMask on = static_cast<WheelMask>(drawn & b.wheels);
        if (b.tutte)
            total += on != 0 ? b.posta : 0.0;
        else
            total += b.posta * std::popcount(static_cast<unsigned>(on));
    }
    return total;
}

double GiocataBets::won(const DrawnNumbers& drawn, int d) const {
    const WheelMask mask = drawn.drawn(d);
    double total = 0.0;
    for (const Bet& b : m_bets) {
        const WheelMask on = static_cast<WheelMask>(mask & b.wheels);
        for (int w = 0; w < WheelCount; ++w)
            if (inMask(on, w))
                total += b.pays[static_cast<std::size_t>(std::min((drawn.numbers(d, w) & b.numbers).count(), 5))];
    }
    return total;
}
