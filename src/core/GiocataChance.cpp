#include "core/GiocataChance.h"

#include <algorithm>
#include <bit>
#include <map>

namespace {
// C(n, k) as an exact integer, for the n <= 90, k <= 5 of one wheel's draw.
constexpr std::int64_t choose(int n, int k) {
    if (k < 0 || n < 0 || k > n)
        return 0;
    std::int64_t r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}

constexpr auto BitCounts = [] {
    std::array<std::uint8_t, 1u << WheelCount> counts{};
    for (unsigned m = 0; m < counts.size(); ++m)
        counts[m] = static_cast<std::uint8_t>(std::popcount(m));
    return counts;
}();

// The winning draws of a wheel, counted over how many numbers of each class come out. The numbers the
// puntate name (m in all) fall into classes: numbers named by exactly the same puntate. A draw holds c_j
// numbers of class j (C(size_j, c_j) ways each) and 5 - sum c_j numbers named by none (C(90 - m, ...)
// ways). Once some puntata wins, every way to complete the draw wins too: C(90 - m + R, 5 - k) of them,
// R the numbers of the classes not yet chosen, k the numbers chosen so far.
class WinCounter {
public:
    WinCounter(std::vector<int> sizes, std::vector<std::vector<int>> members, std::vector<int> needs, int m)
        : m_sizes(std::move(sizes)), m_members(std::move(members)), m_needs(std::move(needs)),
          m_hits(m_needs.size(), 0), m_unnamed(90 - m) {
        m_after.assign(m_sizes.size() + 1, 0);
        for (std::size_t j = m_sizes.size(); j-- > 0;)
            m_after[j] = m_after[j + 1] + m_sizes[j];
    }

    std::int64_t count() {
        m_total = 0;
        walk(0, 0, 1);
        return m_total;
    }

private:
    void walk(std::size_t j, int k, std::int64_t ways) {
        if (j == m_sizes.size() || k == 5)
            return;
        const int most = std::min(m_sizes[j], 5 - k);
        walk(j + 1, k, ways); // none of class j
        for (int c = 1; c <= most; ++c) {
            bool wins = false;
            for (int p : m_members[j]) {
                ++m_hits[static_cast<std::size_t>(p)];
                wins = wins || m_hits[static_cast<std::size_t>(p)] >= m_needs[static_cast<std::size_t>(p)];
            }
            const std::int64_t w = ways * choose(m_sizes[j], c);
            if (wins)
                m_total += w * choose(m_unnamed + m_after[j + 1], 5 - k - c);
            else
                walk(j + 1, k + c, w);
            if (wins) {
                // Every larger c wins as well.
                for (int more = c + 1; more <= most; ++more)
                    m_total += ways * choose(m_sizes[j], more) * choose(m_unnamed + m_after[j + 1], 5 - k - more);
                for (int p : m_members[j])
                    m_hits[static_cast<std::size_t>(p)] -= c;
                return;
            }
        }
        for (int p : m_members[j])
            m_hits[static_cast<std::size_t>(p)] -= most;
    }

    std::vector<int> m_sizes;
    std::vector<std::vector<int>> m_members; // the puntate naming each class
    std::vector<int> m_needs;                // each puntata's sorte
    std::vector<int> m_hits;
    int m_unnamed;
    std::vector<int> m_after; // numbers in classes j.. onwards
    std::int64_t m_total = 0;
};
} // namespace

std::int64_t GiocataChance::winningDraws(std::span<const Puntata* const> puntate) {
    // For each number 1..90, the puntate naming it; a puntata with fewer drawable numbers than its sorte
    // never wins and is left out.
    std::array<std::vector<int>, 91> namedBy;
    std::vector<int> needs;
    for (const Puntata* p : puntate) {
        std::vector<int> numbers;
        for (int n : p->numeri)
            if (n >= 1 && n <= 90 && std::find(numbers.begin(), numbers.end(), n) == numbers.end())
                numbers.push_back(n);
        const int sorte = p->sorteCount();
        if (sorte < 1 || static_cast<int>(numbers.size()) < sorte)
            continue;
        const int index = static_cast<int>(needs.size());
        needs.push_back(sorte);
        for (int n : numbers)
            namedBy[static_cast<std::size_t>(n)].push_back(index);
    }
    std::map<std::vector<int>, int> classes;
    int m = 0;
    for (int n = 1; n <= 90; ++n)
        if (!namedBy[static_cast<std::size_t>(n)].empty()) {
            ++classes[namedBy[static_cast<std::size_t>(n)]];
            ++m;
        }
    std::vector<int> sizes;
    std::vector<std::vector<int>> members;
    for (auto& [named, size] : classes) {
        members.push_back(named);
        sizes.push_back(size);
    }
    return WinCounter(std::move(sizes), std::move(members), std::move(needs), m).count();
}

GiocataChance::GiocataChance(const Giocata& g) {
    // Wheels grouped by the puntate playing on them.
    std::map<std::vector<int>, WheelMask> byPuntate;
    for (int w = 0; w < WheelCount; ++w) {
        std::vector<int> playing;
        for (std::size_t i = 0; i < g.puntate.size(); ++i)
            if (inMask(g.puntate[i].wheels(), w))
                playing.push_back(static_cast<int>(i));
        if (!playing.empty())
            byPuntate[playing] |= static_cast<WheelMask>(1u << w);
    }
    for (const auto& [playing, wheels] : byPuntate) {
        std::vector<const Puntata*> ps;
        for (int i : playing)
            ps.push_back(&g.puntate[static_cast<std::size_t>(i)]);
        const std::int64_t wins = winningDraws(ps);
        const double chance = static_cast<double>(wins) / static_cast<double>(AllDraws);
        Group group;
        group.wheels = wheels;
        group.noOutcome[0] = 1.0;
        const double none = static_cast<double>(AllDraws - wins) / static_cast<double>(AllDraws);
        for (std::size_t n = 1; n < group.noOutcome.size(); ++n)
            group.noOutcome[n] = group.noOutcome[n - 1] * none;
        m_groups.push_back(group);
        for (int w = 0; w < WheelCount; ++w)
            if (inMask(wheels, w))
                m_chance[static_cast<std::size_t>(w)] = chance;
    }
}

double GiocataChance::noOutcome(WheelMask drawn) const {
    double q = 1.0;
    for (const Group& g : m_groups)
        q *= g.noOutcome[BitCounts[static_cast<unsigned>(drawn & g.wheels)]];
    return q;
}
