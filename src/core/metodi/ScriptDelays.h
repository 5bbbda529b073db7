#pragma once

#include "core/DrawArchive.h"
#include "core/DrawnNumbers.h"

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

// The delays and frequencies a method reads, answered fast for a run that goes oldest first.
//
// A wheel is 0..10, or TutteWheels for the ten BA..VE together. A set of numbers exits in a draw where at
// least `sorte` of them are among the numbers of one of the wheel's wheels. A delay counts the draws where
// the wheel was drawn (for the ten: any of them) since the last exit, from the archive's first draw; a
// frequency counts the exits in a span of draws.
//
// Each set, wheel and sorte keeps the list of its exits, found once by walking forward as far as it has
// been asked: a run asks about later and later draws, so the archive is walked once per set. The most
// delayed numbers of a wheel come from a table of last exits that is moved forward with the draws.
class ScriptDelays {
public:
    static constexpr int TutteWheels = WheelCount; // the index standing for BA..VE together

    ScriptDelays(const DrawArchive& archive, const DrawnNumbers& drawn);

    // Whether the wheel (or one of the ten) was drawn in the draw.
    bool drawn(int draw, int wheel) const;
    // numbers: 1..90, different; sorte 1..their count.
    int delay(int draw, int wheel, const std::vector<int>& numbers, int sorte);
    int frequency(int draw, int wheel, const std::vector<int>& numbers, int sorte, int from);

    struct Delay {
        int number = 0;
        int delay = 0;
    };
    // The k numbers with the longest estratto delay, longest first, ties by smaller number.
    std::vector<Delay> longest(int draw, int wheel, int k);

private:
    struct Key {
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        int wheel = 0;
        int sorte = 0;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const;
    };
    struct Exits {
        NumberSet set;
        int through = 0;        // the draws up to this one are walked
        std::vector<int> draws; // the exits found, in order
    };
    struct LastExits {
        int through = 0;
        std::array<int, 91> draw{}; // by number; 0 when it has not come out
    };

    // The exits of the set up to `draw`.
    const Exits& exitsThrough(int draw, int wheel, const std::vector<int>& numbers, int sorte);
    bool exitsIn(int draw, int wheel, const NumberSet& set, int sorte) const;
    int drawnUpTo(int wheel, int draw) const;

    const DrawArchive& m_archive;
    const DrawnNumbers& m_drawn;
    std::vector<int> m_drawnUpTo; // [wheel * (draws + 1) + draw]: drawn draws of the wheel in 1..draw
    std::unordered_map<Key, Exits, KeyHash> m_exits;
    std::size_t m_exitsHeld = 0;
    std::array<LastExits, TutteWheels + 1> m_lastExits{};
};
