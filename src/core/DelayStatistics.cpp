#include "core/DelayStatistics.h"

#include "core/DelayWalker.h"
#include "core/DrawArchive.h"
#include "core/Holm.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Below this a run length's chance adds nothing a chart or a count could show.
constexpr double NegligibleChance = 1e-12;

// Runs of each length over one sequence whose draws all have the same chance q: the run before the first
// exit, the F - 1 between exits and the current one. A run of g < N draws is one that starts the sequence
// or follows an exit, and ends with an exit or the sequence: (1 - q)^g (2q + (N - g - 1) q^2); the whole
// sequence without an exit is one run of N, (1 - q)^N.
void addSteadyRuns(std::vector<double>& out, int n, double q, double items) {
    double stay = 1.0; // (1 - q)^g
    for (int g = 0; g < n; ++g) {
        out[static_cast<std::size_t>(g)] += items * stay * (2.0 * q + (n - g - 1) * q * q);
        stay *= 1.0 - q;
        if (stay < NegligibleChance)
            return;
    }
    out[static_cast<std::size_t>(n)] += items * stay;
}

// The same when the chance changes from draw to draw (Tutte, when fewer wheels were drawn): a run starts at
// the sequence's start or after an exit at s and lasts g draws, then ends with an exit or the sequence.
void addChangingRuns(std::vector<double>& out, const std::vector<double>& q, double items) {
    const auto n = q.size();
    for (std::size_t s = 0; s <= n; ++s) {
        double chance = items * (s == 0 ? 1.0 : q[s - 1]); // q[t - 1] is the chance of draw t (from 1)
        for (std::size_t g = 0;; ++g) {
            const std::size_t t = s + g + 1; // the draw that would end the run
            if (t > n) {
                out[g] += chance;
                break;
            }
            out[g] += chance * q[t - 1];
            chance *= 1.0 - q[t - 1];
            if (chance < NegligibleChance * items)
                break;
        }
    }
}

template <typename Key> std::vector<int> rankBy(const std::vector<DelayItem>& items, Key key) {
    std::vector<int> order(items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return key(items[static_cast<std::size_t>(a)]) < key(items[static_cast<std::size_t>(b)]);
    });
    return order;
}

} // namespace

int DelaySettings::lastDraw(const DrawArchive& archive) const {
    return last > 0 ? last : archive.drawCount();
}

double nextDrawChance(Sorte sorte, int wheel, int drawnWheels) {
    const double q = wheelChance(sorte);
    return wheel == TutteWheel ? 1.0 - std::pow(1.0 - q, drawnWheels) : q;
}

DelayStatistics computeDelayStatistics(const DelaySettings& settings, const DrawArchive& archive) {
    DelayStatistics out;
    out.sorte = settings.sorte;
    out.first = std::max(settings.first, 1);
    out.last = std::min(settings.lastDraw(archive), static_cast<int>(archive.drawCount()));
    const int items = itemCount(settings.sorte);
    const double q = wheelChance(settings.sorte);
    const auto chosen =
        static_cast<std::size_t>(std::count(settings.wheels.begin(), settings.wheels.end(), true));
    out.items.reserve(chosen * static_cast<std::size_t>(items));
    out.runs.assign(static_cast<std::size_t>(std::max(out.last - out.first + 1, 0)) + 1, 0);

    std::vector<int> frequenza(static_cast<std::size_t>(items));
    std::vector<int> longest(static_cast<std::size_t>(items));
    std::vector<int> wheelDraws; // drawn wheels up to each draw of the sequence: the K of p ritardo
    // (1 - q)^K for each K met: many items share a delay, and pow is the slow part of an item.
    std::vector<double> stays;
    for (int wheel = 0; wheel <= TutteWheel; ++wheel) {
        if (!settings.wheels[static_cast<std::size_t>(wheel)])
            continue;
        DelayWheel sequence;
        sequence.wheel = wheel;
        std::fill(frequenza.begin(), frequenza.end(), 0);
        std::fill(longest.begin(), longest.end(), 0);
        wheelDraws.assign(1, 0);
        std::array<int, TutteWheels + 1> drawsWith{}; // draws of the sequence by the wheels drawn in them
        DelayWalker walker(archive, settings.sorte, wheel, out.first, out.last);
        auto exit = [&](int item, int run) {
            const auto i = static_cast<std::size_t>(item);
            ++frequenza[i];
            longest[i] = std::max(longest[i], run);
            ++out.runs[static_cast<std::size_t>(run)];
        };
        while (walker.step(exit)) {
            const int k = walker.drawnWheels();
            ++drawsWith[static_cast<std::size_t>(k)];
            sequence.drawnWheels.push_back(static_cast<std::uint8_t>(k));
            wheelDraws.push_back(wheelDraws.back() + k);
        }
        const int n = walker.length();
        // Summed by the number of wheels drawn rather than draw by draw: N q exactly on one wheel.
        double mean = 0.0;
        double variance = 0.0;
        for (int k = 1; k <= TutteWheels; ++k) {
            const double chance = nextDrawChance(settings.sorte, wheel, k);
            mean += drawsWith[static_cast<std::size_t>(k)] * chance;
            variance += drawsWith[static_cast<std::size_t>(k)] * chance * (1.0 - chance);
        }
        const std::optional<double> deviation =
            variance > 0.0 ? std::optional<double>(std::sqrt(variance)) : std::nullopt;
        for (int item = 0; item < items; ++item) {
            const auto i = static_cast<std::size_t>(item);
            DelayItem d;
            d.wheel = static_cast<std::int8_t>(wheel);
            d.item = static_cast<std::int16_t>(item);
            d.frequenza = frequenza[i];
            d.frequenzaAttesa = mean;
            if (deviation)
                d.z = (d.frequenza - mean) / *deviation;
            d.ritardo = walker.delay(item);
            d.ritardoMassimo = std::max(longest[i], d.ritardo);
            d.ritardoMedio = static_cast<double>(n - d.frequenza) / (d.frequenza + 1.0);
            d.ultimaUscita = static_cast<std::int16_t>(walker.lastExit(item));
            // On Tutte 1 - q_t = (1 - q)^k_t: the product over the last draws is a power of 1 - q, whose
            // exponent counts the wheels drawn in them; equal delays get exactly equal chances.
            const int k =
                wheelDraws[static_cast<std::size_t>(n)] - wheelDraws[static_cast<std::size_t>(n - d.ritardo)];
            if (static_cast<std::size_t>(k) >= stays.size())
                stays.resize(static_cast<std::size_t>(k) + 1, -1.0);
            double& stay = stays[static_cast<std::size_t>(k)];
            if (stay < 0.0)
                stay = std::pow(1.0 - q, k);
            d.pRitardo = stay;
            ++out.runs[static_cast<std::size_t>(d.ritardo)];
            out.items.push_back(d);
        }
        out.wheels.push_back(std::move(sequence));
    }

    std::vector<double> p(out.items.size());
    std::transform(out.items.begin(), out.items.end(), p.begin(),
                   [](const DelayItem& d) { return d.pRitardo; });
    const std::vector<double> holm = holmAdjusted(p);
    for (std::size_t i = 0; i < out.items.size(); ++i)
        out.items[i].pRitardoHolm = holm[i];
    return out;
}

std::vector<double> expectedRuns(const DelayStatistics& statistics) {
    std::vector<double> out(statistics.runs.size(), 0.0);
    const auto items = static_cast<double>(itemCount(statistics.sorte));
    for (const DelayWheel& wheel : statistics.wheels) {
        const std::vector<std::uint8_t>& drawn = wheel.drawnWheels;
        if (drawn.size() + 1 > out.size())
            out.resize(drawn.size() + 1, 0.0);
        const bool steady =
            std::adjacent_find(drawn.begin(), drawn.end(), std::not_equal_to<>()) == drawn.end();
        if (steady) {
            const int k = drawn.empty() ? 1 : drawn.front();
            addSteadyRuns(out, wheel.estrazioni(), nextDrawChance(statistics.sorte, wheel.wheel, k), items);
            continue;
        }
        std::vector<double> q(drawn.size());
        std::transform(drawn.begin(), drawn.end(), q.begin(),
                       [&](std::uint8_t k) { return nextDrawChance(statistics.sorte, wheel.wheel, k); });
        addChangingRuns(out, q, items);
    }
    return out;
}

std::vector<int> rankDelayItems(const std::vector<DelayItem>& items, DelayOrder order) {
    switch (order) {
    case DelayOrder::Ritardo:
        return rankBy(items, [](const DelayItem& d) { return -d.ritardo; });
    case DelayOrder::RitardoMassimo:
        return rankBy(items, [](const DelayItem& d) { return -d.ritardoMassimo; });
    case DelayOrder::Frequenza:
        return rankBy(items, [](const DelayItem& d) { return -d.frequenza; });
    case DelayOrder::P:
        break;
    }
    return rankBy(items, [](const DelayItem& d) { return d.pRitardo; });
}
