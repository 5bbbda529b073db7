#pragma once

#include "core/DrawnWheels.h"
#include "core/Giocata.h"
#include "core/NumberSet.h"

#include <array>
#include <vector>

class DrawnNumbers;

// The puntate of a giocata in one colpo draw: whether one wins, what they cost and what they pay. A
// puntata wins on a drawn wheel of its list when at least `sorte` of its numbers are among the wheel's
// numbers from 1 to 90. It costs its posta once per drawn wheel of its list (TU: once, when one of the ten
// is drawn). With k of its n numbers on a wheel it pays posta x payout x C(k, sorte) / C(n, sorte); on TU
// a tenth of that on each of the ten. Wins are gross: the withholding is the summary's.
class GiocataBets {
public:
    explicit GiocataBets(const Giocata& g);

    bool wins(const DrawnNumbers& drawn, int d) const;
    double spent(WheelMask drawn) const;
    double won(const DrawnNumbers& drawn, int d) const;

private:
    struct Bet {
        NumberSet numbers; // those of its numbers a wheel can hold
        int sorte = 1;
        WheelMask wheels = 0;
        bool tutte = false;
        double posta = 0.0;
        std::array<double, 6> pays{}; // on one wheel, by how many of its numbers the wheel holds
    };
    std::vector<Bet> m_bets;
};
