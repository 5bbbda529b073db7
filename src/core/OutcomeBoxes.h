#pragma once

#include <array>

// The outcome boxes of the verification: "Ambata", "3 ambi", "Quartina" and, for the quartina, "Tutte"
// (all ten wheels instead of the case's two).
struct OutcomeBoxes {
    bool ambata = true;
    bool treAmbi = true;
    bool quartina = true;
    bool tutte = true;

    // The boxes in the order above, as the controls and the options list them.
    std::array<bool, 4> flags() const { return {ambata, treAmbi, quartina, tutte}; }
    static OutcomeBoxes fromFlags(const std::array<bool, 4>& f) { return {f[0], f[1], f[2], f[3]}; }

    bool operator==(const OutcomeBoxes&) const = default;
};
