#pragma once

#include "core/DrawnWheels.h"
#include "core/Giocata.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The chance side of a giocata. On a drawn wheel w its puntate on w win for a random draw (5 distinct of
// 90, uniform) with probability P_w = W / C(90, 5), W the number of the C(90, 5) draws in which at least
// one of them has `sorte` of its numbers: counted exactly, so P_w is the exact fraction rounded once.
// Wheels independent: a draw gives no outcome with probability the product of (1 - P_w) over its drawn
// wheels. A TU puntata plays on each of the ten; numbers outside 1..90 are never drawn.
class GiocataChance {
public:
    explicit GiocataChance(const Giocata& g);

    // Probability that a draw with these wheels drawn makes none of the puntate win.
    double noOutcome(WheelMask drawn) const;
    // P_w for wheel 0..10 when it is drawn; 0 for a wheel none of the puntate plays on.
    double wheelChance(int wheel) const { return m_chance[static_cast<std::size_t>(wheel)]; }

    // W: of the C(90, 5) draws of one wheel, how many make at least one of these puntate win there (their
    // wheels are not looked at).
    static std::int64_t winningDraws(std::span<const Puntata* const> puntate);
    static constexpr std::int64_t AllDraws = 43949268; // C(90, 5)

private:
    // Wheels on which the same puntate play share their chance; a draw's product is a power per group.
    struct Group {
        WheelMask wheels = 0;
        std::array<double, WheelCount + 1> noOutcome{}; // by how many of its wheels are drawn
    };
    std::vector<Group> m_groups;
    std::array<double, WheelCount> m_chance{};
};
