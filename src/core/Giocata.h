#pragma once

#include "core/DrawnWheels.h"

#include <QString>
#include <optional>
#include <vector>

// What a method plays: every method (the built-in ones, a player's script, a spy pair) is a source of
// giocate, and the back-test alone decides their outcome, chance and money.

// One bet: numbers, a sorte, the wheels it is played on, a stake.
struct Puntata {
    // How many of its numbers must come out on one wheel.
    enum class Sorte { Estratto = 1, Ambo = 2, Terno = 3, Quaterna = 4, Cinquina = 5 };

    // 1 to 10 distinct numbers, in the order the method gave them. A method's own numbers are 1..90; a
    // built-in case whose forecast holds a damaged field (0, above 90) keeps it: it is never drawn.
    std::vector<int> numeri;
    Sorte sorte = Sorte::Estratto; // never more than numeri.size()
    WheelMask ruote = 0;           // the wheels it is played on, one bit per wheel (0..10)
    bool tutte = false;            // TU: the ten wheels BA..VE together (ruote is then 0)
    double posta = 1.0;            // >= 0; a bet with stake 0 still counts for outcome and chance

    // The ten wheels of TU, Bari..Venezia: Nazionale is never one of them.
    static constexpr WheelMask TenWheels = (1u << 10) - 1;

    int count() const { return static_cast<int>(numeri.size()); }
    int sorteCount() const { return static_cast<int>(sorte); }
    // Every wheel it plays on: its list, or the ten of TU.
    WheelMask wheels() const { return tutte ? TenWheels : ruote; }

    bool operator==(const Puntata&) const = default;
};

// One play: its bets opened after the draw `draw`, played in each of the next `colpi` draws of the archive
// (draw + 1 .. draw + colpi) until the first win.
struct Giocata {
    int draw = 0;   // DrawIndex of the opening draw
    int colpi = 1;  // 1..99
    std::vector<Puntata> puntate;
    std::optional<QString> nota; // a text the method attached, shown with the case

    bool operator==(const Giocata&) const = default;
};
