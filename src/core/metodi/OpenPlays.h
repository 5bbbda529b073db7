#pragma once

#include "core/Giocata.h"
#include "core/NumberSet.h"

#include <vector>

class DrawnNumbers;

// The giocate a run has opened, for in_gioco: whether one still plays at the draw being examined. A
// giocata opened after e0 plays from e0 through its last played draw: the draw of its first win (a
// puntata with at least its sorte of numbers on one of its wheels), or e0 + colpi; one the archive ends
// first still plays. Finding a win at draw e or later is not needed to know it plays at e, so nothing
// after e is read.
class OpenPlays {
public:
    explicit OpenPlays(const DrawnNumbers& drawn);

    void add(const Giocata& giocata);
    // Whether a giocata plays at draw e; wheel -1 for any, 0..10 for those with a puntata on that wheel,
    // 11 for those with a puntata on any of the ten (a TU puntata plays on each of them). e never goes
    // back from one call to the next.
    bool inPlay(int e, int wheel);

private:
    struct Bet {
        NumberSet numbers;
        int sorte = 1;
        WheelMask wheels = 0;
    };
    struct Open {
        int draw = 0;
        int last = 0;    // its last played draw, once known; else draw + colpi
        int scanned = 0; // the draws up to this one are checked for a win
        bool won = false;
        WheelMask wheels = 0;
        std::vector<Bet> bets;
    };

    const DrawnNumbers& m_drawn;
    std::vector<Open> m_open; // those that may still play, in the order opened
};
