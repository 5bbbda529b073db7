#pragma once

#include "core/MethodSettings.h"
#include "core/Stakes.h"

#include <QString>
#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class DrawArchive;

// The sweep: every combination of the method's own settings, with the user's wheels, stakes and range,
// each a back-test of its own; ranked by how unlikely chance makes its positives, and Holm's adjustment
// for having tried them all.
// - The equal ambo: wheel types (each non-empty set of the six named types, and "Tutte" alone), position
//   sets of two or more positions, "Adiacenti" off (and on where the set holds both an adjacent and a
//   non-adjacent pair) and Colpi 1 to MaxColpi, with the user's outcome boxes. Cases are worked out once for
//   all wheel pairs and positions, and each case followed once over 18 colpi; a combination's figures are
//   sums over the cases it admits.
// - The overdue number: thresholds SogliaStep, 2 SogliaStep, ... and Colpi 1 to MaxColpi over the chosen
//   wheels together. A case that would open at the lowest threshold is followed once over 18 colpi; each
//   combination picks its own cases out of those, as its threshold and its Colpi block the wheel.
struct SweepSettings {
    enum class Order { P, Resa };
    static constexpr int MaxColpi = MethodSettings::MaxColpi;

    MethodSettings::Metodo metodo = MethodSettings::Metodo::AmboUguale;
    std::array<bool, WheelCount> wheels = MethodSettings().wheels;
    OutcomeBoxes boxes; // the equal ambo's
    Stakes stakes;
    int first = 1; // DrawIndex range searched, as for the back-test
    int last = 0;  // 0 for the archive's last draw
    int split = 0; // with a DrawIndex here, combinations are measured on the cases before it and checked
                   // on the cases from it on
    Order order = Order::P;
    int primi = 30; // rows returned, 0 for all
    int threads = 2;
};

// A combination's figures over complete cases (positives, expected, z, p) and over all its cases (the
// balance). p is the saddlepoint approximation, within 1% of the exact value; pEsatto the exact value, on
// returned rows only.
struct SweepFigures {
    int casiCompleti = 0;
    int positivi = 0;
    double attesi = 0.0;
    std::optional<double> z;
    double p = 1.0;
    std::optional<double> pEsatto;
    double saldo = 0.0;
    std::optional<double> resa;
};

// A combination: the equal ambo's types, positions and "Adiacenti", or the overdue number's threshold;
// and Colpi.
struct SweepRow {
    WheelRelations::Types types{};
    std::array<bool, 5> positions{};
    bool adjacentPositions = false;
    int soglia = 0;
    int colpi = 0;
    // A player's method: the value of each of its parameters (name, value as the player writes it).
    std::vector<std::pair<QString, QString>> parametri;
    SweepFigures figures;
    double pHolm = 1.0;                // Holm's adjustment over every combination of the sweep
    std::optional<SweepFigures> fuori; // the same combination on the cases from the split on
};

struct SweepResult {
    MethodSettings::Metodo metodo = MethodSettings::Metodo::AmboUguale;
    std::size_t combinations = 0;
    std::size_t cases = 0;
    std::vector<SweepRow> rows; // ranked; at most primi
    bool cancelled = false;
};

// The sweep's order: ascending p (ties by the larger z), or descending yield (ties by p).
bool rankedBefore(const SweepRow& a, const SweepRow& b, SweepSettings::Order order);

// Runs in the caller's thread and uses settings.threads threads. progress (may be empty) gets the share of
// the work done, 0 to 1; when cancel is raised the sweep stops early and returns no rows.
SweepResult runSweep(const SweepSettings& settings, const DrawArchive& archive,
                     const std::function<void(double)>& progress = {},
                     const std::atomic<bool>* cancel = nullptr);
