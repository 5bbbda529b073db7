#pragma once

#include "core/DelayItems.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class DrawArchive;

// Delays and frequencies of every item on the chosen wheels over a range of draws, each beside what
// chance gives. The sequences and exits are the delay walker's (core/DelayWalker.h); on a sequence of N
// draws an item has:
// - frequenza F: the draws with an exit; frequenza attesa E: the sum of q over the sequence, where q is
//   wheelChance on one wheel and 1 - (1 - wheelChance)^k on Tutte in a draw where k of the ten were drawn;
//   z = (F - E) / sqrt(sum of q(1 - q)), none when that sum is 0;
// - ritardo: the draws after its last exit (N when none); ritardo massimo: the longest run of draws without
//   an exit (before the first, between two, or the current one); ritardo medio: (N - F) / (F + 1), the
//   mean of those F + 1 runs; ultima uscita: the draw of its last exit;
// - p ritardo: the chance of a current delay at least this long, the product of 1 - q over the last
//   `ritardo` draws; p ritardo Holm: Holm's adjustment over every item of every chosen wheel.
struct DelaySettings {
    Sorte sorte = Sorte::Estratto;
    std::array<bool, WheelCount + 1> wheels{true, true, true, true, true, true,
                                            true, true, true, true, true, true}; // BA..NZ, then Tutte
    int first = 1;                                                               // DrawIndex range, inclusive
    int last = 0; // 0 for the archive's last draw

    int lastDraw(const DrawArchive& archive) const;

    bool operator==(const DelaySettings&) const = default;
};

struct DelayItem {
    std::int8_t wheel = 0; // 0..10 or TutteWheel
    std::int16_t item = 0;
    std::int16_t ultimaUscita = 0; // DrawIndex, 0 when it never exited
    std::int32_t frequenza = 0;
    std::int32_t ritardo = 0;
    std::int32_t ritardoMassimo = 0;
    double frequenzaAttesa = 0.0;
    std::optional<double> z;
    double ritardoMedio = 0.0;
    double pRitardo = 1.0;
    double pRitardoHolm = 1.0;
};

struct DelayWheel {
    int wheel = 0;
    // For each draw of the sequence, how many wheels were drawn in it: 1, or up to ten on Tutte.
    std::vector<std::uint8_t> drawnWheels;
    int estrazioni() const { return static_cast<int>(drawnWheels.size()); }
};

struct DelayStatistics {
    Sorte sorte = Sorte::Estratto;
    int first = 1; // the range, resolved
    int last = 0;
    std::vector<DelayWheel> wheels; // the chosen ones, in the order BA..NZ, Tutte
    std::vector<DelayItem> items;   // wheel by wheel in that order, items ascending within a wheel
    // Every run without exit of every item (F + 1 runs each, zero-length ones included), counted by length.
    std::vector<std::int64_t> runs;
};

DelayStatistics computeDelayStatistics(const DelaySettings& settings, const DrawArchive& archive);

// The chance that an item comes out in the next draw, whatever its delay: on one wheel, and on Tutte when k
// of the ten are drawn.
double nextDrawChance(Sorte sorte, int wheel, int drawnWheels = TutteWheels);

// How many runs of each length chance alone gives on the same sequences, summed over every item: runs of
// independent draws with the chance of each, whose lengths follow the geometric law. Index = length.
std::vector<double> expectedRuns(const DelayStatistics& statistics);

// The tool's orders: ritardo, ritardo massimo and frequenza descending, p ritardo ascending; ties keep
// the table's order (wheels BA..NZ, Tutte, then numbers ascending).
enum class DelayOrder { Ritardo, RitardoMassimo, Frequenza, P };
std::vector<int> rankDelayItems(const std::vector<DelayItem>& items, DelayOrder order);
