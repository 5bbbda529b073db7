#include "core/metodi/OpenPlays.h"

#include "core/DrawnNumbers.h"

#include <algorithm>
#include <bit>

namespace {
constexpr WheelMask TenWheelMask = (1u << 10) - 1;
}

OpenPlays::OpenPlays(const DrawnNumbers& drawn) : m_drawn(drawn) {}

void OpenPlays::add(const Giocata& giocata) {
    Open open;
    open.draw = giocata.draw;
    open.last = giocata.draw + giocata.colpi;
    open.scanned = giocata.draw;
    for (const Puntata& p : giocata.puntate) {
        Bet bet;
        for (int n : p.numeri)
            bet.numbers.add(n);
        bet.sorte = static_cast<int>(p.sorte);
        bet.wheels = p.tutte ? TenWheelMask : p.ruote;
        open.wheels |= bet.wheels;
        open.bets.push_back(bet);
    }
    m_open.push_back(std::move(open));
}

bool OpenPlays::inPlay(int e, int wheel) {
    bool playing = false;
    for (Open& open : m_open) {
        const int through = std::min({e - 1, open.last, m_drawn.drawCount()});
        for (int d = open.scanned + 1; d <= through && !open.won; ++d) {
            for (const Bet& bet : open.bets) {
                for (WheelMask ws = bet.wheels; ws != 0 && !open.won; ws &= static_cast<WheelMask>(ws - 1)) {
                    const int w = std::countr_zero(static_cast<unsigned>(ws));
                    open.won = (m_drawn.numbers(d, w) & bet.numbers).count() >= bet.sorte;
                }
                if (open.won) {
                    open.last = d;
                    break;
                }
            }
            open.scanned = d;
        }
        open.scanned = std::max(open.scanned, through);
        if (e > open.last)
            continue;
        const bool onWheel = wheel < 0 || (wheel == 11 ? (open.wheels & TenWheelMask) != 0 : inMask(open.wheels, wheel));
        playing = playing || onWheel;
    }
    // What no longer plays at e plays at no later draw either.
    std::erase_if(m_open, [e](const Open& open) { return e > open.last; });
    return playing;
}
