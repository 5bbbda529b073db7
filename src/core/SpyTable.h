#pragma once

#include "core/DelayItems.h"

#include <optional>
#include <vector>

class DrawArchive;

// "Numeri spia": which numbers follow the exit of a spy number within a few draws, beside what chance gives.
//
// Walking the range oldest first, draw d is an event when the spy comes out on its wheel in d (on Tutte: on
// any of the ten, once per draw) and d lies past the window of the previous event: an exit inside a window
// neither counts nor extends it. The window is the next `colpi` draws of the archive, which may run past the
// range; an event is complete when its whole window lies in the archive, and only complete events count.
// A follower is present in an event when it comes out on the followers' wheel (Tutte: any of the ten) in at
// least one draw of the window. Chance of a presence: 1 - prod over the window of (1 - q(d)), with q(d) = 5/90
// when the followers' wheel is drawn in d (Tutte: 1 - (85/90)^m with m of the ten drawn), 0 when it is not.
struct SpySettings {
    int spia = 1;                  // 1..90
    int ruota = 0;                 // 0..10 or TutteWheel
    int ruotaSeguenti = 0;         // 0..10 or TutteWheel
    int colpi = 9;                 // 1..18
    int first = 1;                 // DrawIndex range of the events, inclusive
    int last = 0;                  // 0 for the archive's last draw
};

struct SpyFollower {
    int spia = 0;
    int numero = 0;
    int presenze = 0;           // complete events with a presence
    int uscite = 0;             // (draw, wheel) exits in the complete events' windows
    double attese = 0.0;        // expected presences: the same for every follower of one spy
    double deviazione = 0.0;
    std::optional<double> z;    // none when the deviation is 0
    double p = 1.0;             // exact P[presences >= presenze] by chance alone
    double pHolm = 1.0;         // Holm over every row of the table (or of the whole map)
    int ultimaPresenza = 0;     // DrawIndex of the spy's exit opening the last event with a presence, 0 when none
    int ritardoPresenza = 0;    // complete events after it (all of them when never present)
};

// One spy: its events and its 90 followers (numero 1..90 in order).
struct SpyTable {
    int spia = 0;
    int eventi = 0;
    int eventiCompleti = 0;
    std::vector<int> eventDraws;  // DrawIndex of every event, oldest first
    std::vector<double> chances;  // chance of a presence in each complete event, oldest first
    std::vector<SpyFollower> seguenti;
};

// One spy against its 90 followers, Holm over the 90.
SpyTable computeSpyTable(const SpySettings& settings, const DrawArchive& archive);

// Every spy 1..90 on the wheel against every follower on the followers' wheel (settings.spia is ignored):
// 90 tables, Holm over all 8,100 cells.
std::vector<SpyTable> computeSpyMap(const SpySettings& settings, const DrawArchive& archive);

// Rows ranked as the tools print them: ascending p, then spy, then follower.
std::vector<const SpyFollower*> rankSpyFollowers(const std::vector<SpyTable>& tables);
