#include "core/SpyTable.h"

#include "core/DrawArchive.h"
#include "core/DrawnWheels.h"
#include "core/Holm.h"
#include "core/PoissonBinomial.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace {

// The numbers 1..90 as bits 0..89 of two words.
struct NumberBits {
    std::uint64_t low = 0;
    std::uint64_t high = 0;

    void add(int n) {
        const int bit = n - 1;
        if (bit < 64)
            low |= std::uint64_t{1} << bit;
        else
            high |= std::uint64_t{1} << (bit - 64);
    }
    bool has(int n) const {
        const int bit = n - 1;
        return bit < 64 ? (low >> bit) & 1u : (high >> (bit - 64)) & 1u;
    }
    NumberBits& operator|=(const NumberBits& o) {
        low |= o.low;
        high |= o.high;
        return *this;
    }
    template <typename Each> void forEach(Each&& each) const {
        for (std::uint64_t w = low; w != 0; w &= w - 1)
            each(std::countr_zero(w) + 1);
        for (std::uint64_t w = high; w != 0; w &= w - 1)
            each(std::countr_zero(w) + 65);
    }
};

constexpr double NumberChance = 5.0 / 90.0;

// What the walk reads of each draw of the archive, made once: the spy wheel's numbers, the followers'
// wheel's numbers with how many wheels gave each (Tutte: up to ten), and the chance q(d) of one follower.
class SpyDraws {
public:
    SpyDraws(const DrawArchive& archive, int spyWheel, int followerWheel)
        : m_count(archive.drawCount()), m_spy(static_cast<std::size_t>(m_count) + 1),
          m_followers(static_cast<std::size_t>(m_count) + 1), m_q(static_cast<std::size_t>(m_count) + 1, 0.0) {
        if (followerWheel == TutteWheel)
            m_exits.assign((static_cast<std::size_t>(m_count) + 1) * 91, 0);
        for (int d = 1; d <= m_count; ++d) {
            const auto at = static_cast<std::size_t>(d);
            m_spy[at] = wheelBits(archive, d, spyWheel);
            if (followerWheel != TutteWheel) {
                m_followers[at] = wheelBits(archive, d, followerWheel);
                m_q[at] = wheelDrawn(archive, d, followerWheel) ? NumberChance : 0.0;
                continue;
            }
            int drawn = 0;
            for (int w = 0; w < TutteWheels; ++w) {
                const NumberBits bits = wheelBits(archive, d, w);
                m_followers[at] |= bits;
                bits.forEach([&](int n) { ++m_exits[at * 91 + static_cast<std::size_t>(n)]; });
                drawn += wheelDrawn(archive, d, w) ? 1 : 0;
            }
            m_q[at] = 1.0 - std::pow(1.0 - NumberChance, drawn);
        }
    }

    int count() const { return m_count; }
    bool spyOut(int d, int spy) const { return m_spy[static_cast<std::size_t>(d)].has(spy); }
    const NumberBits& followers(int d) const { return m_followers[static_cast<std::size_t>(d)]; }
    double q(int d) const { return m_q[static_cast<std::size_t>(d)]; }
    // The (draw, wheel) exits of n in d on the followers' wheel.
    int exits(int d, int n) const {
        return m_exits.empty() ? 1 : m_exits[static_cast<std::size_t>(d) * 91 + static_cast<std::size_t>(n)];
    }

private:
    // A wheel's valid numbers in a draw; Tutte: those of any of the ten.
    static NumberBits wheelBits(const DrawArchive& archive, int d, int wheel) {
        NumberBits bits;
        const int from = wheel == TutteWheel ? 0 : wheel;
        const int to = wheel == TutteWheel ? TutteWheels : wheel + 1;
        for (int w = from; w < to; ++w) {
            const std::int16_t* ns = archive.wheelNumbers(d, w);
            for (int p = 0; p < PositionCount; ++p)
                if (ns[p] >= 1 && ns[p] <= 90)
                    bits.add(ns[p]);
        }
        return bits;
    }

    int m_count;
    std::vector<NumberBits> m_spy;
    std::vector<NumberBits> m_followers;
    std::vector<double> m_q;
    std::vector<std::uint8_t> m_exits; // [draw * 91 + n], Tutte only
};

// P[X >= x] for every x, X the number of presences among events with these chances: the law by the usual
// recurrence, whose terms are all positive, then summed from the top. A tail below what a double holds
// with its full precision is taken from the exact banded computation instead.
class PresenceTails {
public:
    explicit PresenceTails(const std::vector<double>& chances) : m_chances(chances) {
        std::vector<double> law(chances.size() + 1, 0.0);
        law[0] = 1.0;
        std::size_t n = 0;
        for (const double p : chances) {
            ++n;
            for (std::size_t k = n; k > 0; --k)
                law[k] = law[k] * (1.0 - p) + law[k - 1] * p;
            law[0] *= 1.0 - p;
        }
        m_tail.assign(law.size() + 1, 0.0);
        for (std::size_t k = law.size(); k > 0; --k)
            m_tail[k - 1] = m_tail[k] + law[k - 1];
    }

    double atLeast(int x) const {
        if (x <= 0)
            return 1.0;
        if (static_cast<std::size_t>(x) >= m_tail.size())
            return 0.0;
        const double tail = std::min(1.0, m_tail[static_cast<std::size_t>(x)]);
        return tail > 1e-280 ? tail : poissonBinomialUpperTail(m_chances, x);
    }

private:
    const std::vector<double>& m_chances;
    std::vector<double> m_tail;
};

SpyTable spyTable(int spia, const SpySettings& s, const SpyDraws& draws) {
    SpyTable t;
    t.spia = spia;
    t.seguenti.resize(90);
    const int last = s.last > 0 ? s.last : draws.count();
    std::array<int, 91> lastPresentEvent{}; // complete-event ordinal (from 1) of the last presence
    int lastEvent = 0;
    for (int d = s.first; d <= last; ++d) {
        if (!draws.spyOut(d, spia) || (lastEvent > 0 && d <= lastEvent + s.colpi))
            continue;
        lastEvent = d;
        t.eventDraws.push_back(d);
        if (d + s.colpi > draws.count())
            continue;
        ++t.eventiCompleti;
        NumberBits present;
        double miss = 1.0;
        for (int k = d + 1; k <= d + s.colpi; ++k) {
            const NumberBits& out = draws.followers(k);
            present |= out;
            out.forEach([&](int n) { t.seguenti[static_cast<std::size_t>(n - 1)].uscite += draws.exits(k, n); });
            miss *= 1.0 - draws.q(k);
        }
        t.chances.push_back(1.0 - miss);
        present.forEach([&](int n) {
            SpyFollower& f = t.seguenti[static_cast<std::size_t>(n - 1)];
            ++f.presenze;
            f.ultimaPresenza = d;
            lastPresentEvent[static_cast<std::size_t>(n)] = t.eventiCompleti;
        });
    }
    t.eventi = static_cast<int>(t.eventDraws.size());

    double attese = 0.0;
    double variance = 0.0;
    for (const double p : t.chances) {
        attese += p;
        variance += p * (1.0 - p);
    }
    const double deviazione = std::sqrt(variance);
    const PresenceTails tails(t.chances);
    for (int n = 1; n <= 90; ++n) {
        SpyFollower& f = t.seguenti[static_cast<std::size_t>(n - 1)];
        f.spia = spia;
        f.numero = n;
        f.attese = attese;
        f.deviazione = deviazione;
        if (deviazione > 0.0)
            f.z = (f.presenze - attese) / deviazione;
        f.p = tails.atLeast(f.presenze);
        f.ritardoPresenza = t.eventiCompleti - lastPresentEvent[static_cast<std::size_t>(n)];
    }
    return t;
}

void adjustForAll(std::vector<SpyTable>& tables) {
    std::vector<double> p;
    for (const SpyTable& t : tables)
        for (const SpyFollower& f : t.seguenti)
            p.push_back(f.p);
    const std::vector<double> adjusted = holmAdjusted(p);
    std::size_t i = 0;
    for (SpyTable& t : tables)
        for (SpyFollower& f : t.seguenti)
            f.pHolm = adjusted[i++];
}

} // namespace

SpyTable computeSpyTable(const SpySettings& settings, const DrawArchive& archive) {
    const SpyDraws draws(archive, settings.ruota, settings.ruotaSeguenti);
    std::vector<SpyTable> one{spyTable(settings.spia, settings, draws)};
    adjustForAll(one);
    return std::move(one.front());
}

std::vector<SpyTable> computeSpyMap(const SpySettings& settings, const DrawArchive& archive) {
    const SpyDraws draws(archive, settings.ruota, settings.ruotaSeguenti);
    std::vector<SpyTable> tables;
    tables.reserve(90);
    for (int spia = 1; spia <= 90; ++spia)
        tables.push_back(spyTable(spia, settings, draws));
    adjustForAll(tables);
    return tables;
}

std::vector<const SpyFollower*> rankSpyFollowers(const std::vector<SpyTable>& tables) {
    std::vector<const SpyFollower*> rows;
    for (const SpyTable& t : tables)
        for (const SpyFollower& f : t.seguenti)
            rows.push_back(&f);
    std::stable_sort(rows.begin(), rows.end(), [](const SpyFollower* a, const SpyFollower* b) {
        if (a->p != b->p)
            return a->p < b->p;
        if (a->spia != b->spia)
            return a->spia < b->spia;
        return a->numero < b->numero;
    });
    return rows;
}
