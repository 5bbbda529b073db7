#pragma once

#include "core/DelayItems.h"

#include <span>
#include <vector>

class DrawArchive;

// The one way delays are counted. A wheel's sequence is the draws of a range in which the wheel was drawn
// (its cell holds a number from 1 to 90); the sequence of Tutte is the draws in which at least one of the
// ten was. An item exits in a draw of the sequence when it is among the wheel's numbers (for Tutte: an
// estratto on any of the ten, an ambo with both its numbers on the same one). The walker goes through the
// sequence oldest first and keeps each item's delay: the draws of the sequence walked since its last exit,
// or since the start when it has not exited.
//
// A back-test reads the delays before a step (what was known before the draw) and the exits after it.
class DelayWalker {
public:
    // wheel 0..10 or TutteWheel; the range first..last of DrawIndex, inclusive, cut to the archive's draws.
    DelayWalker(const DrawArchive& archive, Sorte sorte, int wheel, int first, int last);

    // Moves to the next draw of the sequence; false, with nothing changed, when the sequence is over.
    // onExit(item, run) is called for each item out in that draw, with the run of draws without exit the
    // draw ends (the item's delay before it).
    template <typename OnExit> bool step(OnExit&& onExit) {
        if (!advance())
            return false;
        for (const int item : m_exits) {
            if (item == m_oldest)
                m_oldest = -1;
            const auto i = static_cast<std::size_t>(item);
            onExit(item, m_length - 1 - m_lastStep[i]);
            m_lastStep[i] = m_length;
            m_lastDraw[i] = m_draw;
        }
        return true;
    }
    bool step() {
        return step([](int, int) {});
    }

    Sorte sorte() const { return m_sorte; }
    int wheel() const { return m_wheel; }
    // Draws of the sequence walked so far.
    int length() const { return m_length; }
    // The draw reached: its DrawIndex (0 before the first step), how many wheels were drawn in it (1, or
    // how many of the ten for Tutte) and the items out in it, each once.
    int draw() const { return m_draw; }
    int drawnWheels() const { return m_drawnWheels; }
    std::span<const int> exits() const { return m_exits; }

    int delay(int item) const { return m_length - m_lastStep.at(static_cast<std::size_t>(item)); }
    // DrawIndex of the item's last exit so far, 0 when it has not exited.
    int lastExit(int item) const { return m_lastDraw.at(static_cast<std::size_t>(item)); }

    // The longest current delay and the first item, in item order, that has it.
    struct Longest {
        int delay = 0;
        int item = 0;
    };
    Longest longest() const;

private:
    // Finds the next draw of the sequence and the items out in it.
    bool advance();
    void collectExits(const std::int16_t* numbers, bool dedupe);

    const DrawArchive& m_archive;
    Sorte m_sorte;
    int m_wheel;
    int m_next;
    int m_last;
    int m_length = 0;
    int m_draw = 0;
    int m_drawnWheels = 0;
    std::vector<int> m_exits;
    std::vector<int> m_lastStep; // position in the sequence (from 1) of the last exit, 0 for none
    std::vector<int> m_lastDraw;
    std::vector<int> m_seenIn; // DrawIndex in which the item was last collected: Tutte counts it once
    // The item longest() found, until it exits: only its exit can shorten the longest delay, since every
    // other exit moves an item that was not behind it. -1 when it has to be looked for again.
    mutable int m_oldest = -1;
};
