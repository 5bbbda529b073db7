#include "core/GiocataChance.h"

#include "core/BitCounts.h"

#include <algorithm>

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


// The winning draws of a wheel, counted over how many numbers of each class come out. The numbers the
// puntate name (m in all) fall into classes: numbers named by exactly the same puntate. A draw holds c_j
// numbers of class j (C(size_j, c_j) ways each) and 5 - sum c_j numbers named by none (C(90 - m, ...)
// ways). Once some puntata wins, every way to complete the draw wins too: C(90 - m + R, 5 - k) of them,
// R the numbers of the classes not yet chosen, k the numbers chosen so far. The walk visits at most the
// ways to spread five numbers over the classes, and stops early wherever a puntata wins.
class WinCounter {
public:
    // Adds a puntata that can win: `numbers` its drawable numbers, each once, at least `sorte` of them.
    void add(const std::vector<int>& numbers, int sorte) {
        const std::size_t index = m_needs.size();
        m_needs.push_back(sorte);
        const std::size_t words = index / 64 + 1;
        if (words > m_words) {
            // One more word for every number's signature.
            std::vector<std::uint64_t> wider(91 * words, 0);
            for (std::size_t n = 0; n < 91; ++n)
                for (std::size_t w = 0; w < m_words; ++w)
                    wider[n * words + w] = m_signatures[n * m_words + w];
            m_signatures = std::move(wider);
            m_words = words;
        }
        for (int n : numbers) {
            std::uint64_t* sig = &m_signatures[static_cast<std::size_t>(n) * m_words];
            if (std::all_of(sig, sig + m_words, [](std::uint64_t w) { return w == 0; }))
                m_named.push_back(n);
            sig[index / 64] |= std::uint64_t{1} << (index % 64);
        }
    }

    std::int64_t count() {
        if (m_needs.empty())
            return 0;
        classify();
        m_hits.assign(m_needs.size(), 0);
        m_after.assign(m_sizes.size() + 1, 0);
        for (std::size_t j = m_sizes.size(); j-- > 0;)
            m_after[j] = m_after[j + 1] + m_sizes[j];
        m_total = 0;
        walk(0, 0, 1);
        return m_total;
    }

private:
    const std::uint64_t* signature(int n) const { return &m_signatures[static_cast<std::size_t>(n) * m_words]; }

    void classify() {
        std::vector<int> representative; // a number of each class
        for (int n : m_named) {
            const std::uint64_t* sig = signature(n);
            std::size_t j = 0;
            while (j < representative.size() && !std::equal(sig, sig + m_words, signature(representative[j])))
                ++j;
            if (j < representative.size()) {
                ++m_sizes[j];
                continue;
            }
            representative.push_back(n);
            m_sizes.push_back(1);
            m_memberStart.push_back(static_cast<int>(m_members.size()));
            for (std::size_t p = 0; p < m_needs.size(); ++p)
                if ((sig[p / 64] >> (p % 64)) & 1u)
                    m_members.push_back(static_cast<int>(p));
        }
        m_memberStart.push_back(static_cast<int>(m_members.size()));
        m_unnamed = 90 - static_cast<int>(m_named.size());
    }

    void walk(std::size_t j, int k, std::int64_t ways) {
        if (j == m_sizes.size() || k == 5)
            return;
        const int most = std::min(m_sizes[j], 5 - k);
        walk(j + 1, k, ways); // none of class j
        const int* first = m_members.data() + m_memberStart[j];
        const int* last = m_members.data() + m_memberStart[j + 1];
        int c = 1;
        for (; c <= most; ++c) {
            bool wins = false;
            for (const int* p = first; p != last; ++p)
                wins = ++m_hits[static_cast<std::size_t>(*p)] >= m_needs[static_cast<std::size_t>(*p)] || wins;
            if (wins) {
                // This many of class j wins, and so does every larger count.
                for (int more = c; more <= most; ++more)
                    m_total += ways * choose(m_sizes[j], more) * choose(m_unnamed + m_after[j + 1], 5 - k - more);
                break;
            }
            walk(j + 1, k + c, ways * choose(m_sizes[j], c));
        }
        const int added = std::min(c, most);
        for (const int* p = first; p != last; ++p)
            m_hits[static_cast<std::size_t>(*p)] -= added;
    }

    std::vector<int> m_needs;                 // each puntata's sorte
    std::vector<int> m_named;                 // every number some puntata names
    std::size_t m_words = 0;                  // of a signature: one bit per puntata
    std::vector<std::uint64_t> m_signatures;  // [number * m_words + word]: the puntate naming the number
    std::vector<int> m_sizes;                 // numbers in each class
    std::vector<int> m_memberStart;           // class j's puntate: m_members[start[j] .. start[j + 1])
    std::vector<int> m_members;
    std::vector<int> m_hits;
    std::vector<int> m_after; // numbers in classes j.. onwards
    int m_unnamed = 90;
    std::int64_t m_total = 0;
};

// Adds a puntata to the count when it can win: a sorte of 1..5 and at least that many drawable numbers.
void addTo(WinCounter& counter, const Puntata& p) {
    std::vector<int> numbers;
    numbers.reserve(p.numeri.size());
    for (int n : p.numeri)
        if (n >= 1 && n <= 90 && std::find(numbers.begin(), numbers.end(), n) == numbers.end())
            numbers.push_back(n);
    const int sorte = p.sorteCount();
    if (sorte >= 1 && sorte <= 5 && static_cast<int>(numbers.size()) >= sorte)
        counter.add(numbers, sorte);
}
} // namespace

std::int64_t GiocataChance::winningDraws(std::span<const Puntata* const> puntate) {
    WinCounter counter;
    for (const Puntata* p : puntate)
        addTo(counter, *p);
    return counter.count();
}

GiocataChance::GiocataChance(const Giocata& g) {
    // Wheels on which exactly the same puntate play form a group, named by its first wheel.
    auto samePuntate = [&g](int a, int b) {
        return std::all_of(g.puntate.begin(), g.puntate.end(),
                           [a, b](const Puntata& p) { return inMask(p.wheels(), a) == inMask(p.wheels(), b); });
    };
    std::array<int, WheelCount> firsts{};
    std::array<WheelMask, WheelCount> wheels{};
    std::size_t groups = 0;
    for (int w = 0; w < WheelCount; ++w) {
        std::size_t i = 0;
        while (i < groups && !samePuntate(firsts[i], w))
            ++i;
        if (i == groups)
            firsts[groups++] = w;
        wheels[i] = static_cast<WheelMask>(wheels[i] | (1u << w));
    }
    for (std::size_t i = 0; i < groups; ++i) {
        WinCounter counter;
        for (const Puntata& p : g.puntate)
            if (inMask(p.wheels(), firsts[i]))
                addTo(counter, p);
        const std::int64_t wins = counter.count();
        if (wins == 0)
            continue; // no puntata can win there: nothing to multiply
        Group group;
        group.wheels = wheels[i];
        group.noOutcome[0] = 1.0;
        const double none = static_cast<double>(AllDraws - wins) / static_cast<double>(AllDraws);
        for (std::size_t n = 1; n < group.noOutcome.size(); ++n)
            group.noOutcome[n] = group.noOutcome[n - 1] * none;
        m_groups.push_back(group);
        const double chance = static_cast<double>(wins) / static_cast<double>(AllDraws);
        for (int w = 0; w < WheelCount; ++w)
            if (inMask(wheels[i], w))
                m_chance[static_cast<std::size_t>(w)] = chance;
    }
}

double GiocataChance::noOutcome(WheelMask drawn) const {
    double q = 1.0;
    for (const Group& g : m_groups)
        q *= g.noOutcome[BitCounts<WheelCount>[static_cast<unsigned>(drawn & g.wheels)]];
    return q;
}
