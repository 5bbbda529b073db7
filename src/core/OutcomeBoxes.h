#pragma once

// The outcome boxes of the verification: "Ambata", "3 ambi", "Quartina" and, for the quartina, "Tutte"
// (all ten wheels instead of the case's two).
struct OutcomeBoxes {
    bool ambata = true;
    bool treAmbi = true;
    bool quartina = true;
    bool tutte = true;
};
