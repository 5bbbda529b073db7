#include "core/metodi/ScriptDelays.h"

#include <algorithm>
#include <functional>

namespace {
// Past this many exits held the lists are dropped and found again on demand: a method that asks about
// ever new sets should not grow without end.
constexpr std::size_t ExitsHeldCap = std::size_t{1} << 24;
constexpr int TheTen = 10;
} // namespace

std::size_t ScriptDelays::KeyHash::operator()(const Key& k) const {
    std::size_t h = std::hash<std::uint64_t>()(k.low);
    h = h * 31 + std::hash<std::uint64_t>()(k.high);
    return h * 31 + static_cast<std::size_t>(k.wheel * 8 + k.sorte);
}

ScriptDelays::ScriptDelays(const DrawArchive& archive, const DrawnNumbers& drawn)
    : m_archive(archive), m_drawn(drawn),
      m_drawnUpTo(static_cast<std::size_t>(TutteWheels + 1) * static_cast<std::size_t>(drawn.drawCount() + 1), 0) {
    const int draws = drawn.drawCount();
    for (int w = 0; w <= TutteWheels; ++w) {
        int* counts = &m_drawnUpTo[static_cast<std::size_t>(w) * static_cast<std::size_t>(draws + 1)];
        for (int d = 1; d <= draws; ++d)
            counts[d] = counts[d - 1] + (this->drawn(d, w) ? 1 : 0);
    }
}

bool ScriptDelays::drawn(int draw, int wheel) const {
    const WheelMask mask = m_drawn.drawn(draw);
    if (wheel == TutteWheels)
        return (mask & ((1u << TheTen) - 1)) != 0;
    return inMask(mask, wheel);
}

int ScriptDelays::drawnUpTo(int wheel, int draw) const {
    return m_drawnUpTo[static_cast<std::size_t>(wheel) * static_cast<std::size_t>(m_drawn.drawCount() + 1) +
                       static_cast<std::size_t>(draw)];
}

bool ScriptDelays::exitsIn(int draw, int wheel, const NumberSet& set, int sorte) const {
    if (wheel != TutteWheels)
        return (m_drawn.numbers(draw, wheel) & set).count() >= sorte;
    for (int w = 0; w < TheTen; ++w)
        if ((m_drawn.numbers(draw, w) & set).count() >= sorte)
            return true;
    return false;
}

const ScriptDelays::Exits& ScriptDelays::exitsThrough(int draw, int wheel, const std::vector<int>& numbers,
                                                      int sorte) {
    Key key;
    key.wheel = wheel;
    key.sorte = sorte;
    NumberSet set;
    for (int n : numbers) {
        set.add(n);
        if (n <= 64)
            key.low |= std::uint64_t{1} << (n - 1);
        else
            key.high |= std::uint64_t{1} << (n - 65);
    }
    if (m_exitsHeld > ExitsHeldCap) {
        m_exits.clear();
        m_exitsHeld = 0;
    }
    Exits& exits = m_exits[key];
    if (exits.through == 0)
        exits.set = set;
    for (int d = exits.through + 1; d <= draw; ++d)
        if (exitsIn(d, wheel, exits.set, sorte)) {
            exits.draws.push_back(d);
            ++m_exitsHeld;
        }
    exits.through = std::max(exits.through, draw);
    return exits;
}

int ScriptDelays::delay(int draw, int wheel, const std::vector<int>& numbers, int sorte) {
    const Exits& exits = exitsThrough(draw, wheel, numbers, sorte);
    const auto after = std::upper_bound(exits.draws.begin(), exits.draws.end(), draw);
    const int last = after == exits.draws.begin() ? 0 : *(after - 1);
    return drawnUpTo(wheel, draw) - drawnUpTo(wheel, last);
}

int ScriptDelays::frequency(int draw, int wheel, const std::vector<int>& numbers, int sorte, int from) {
    const Exits& exits = exitsThrough(draw, wheel, numbers, sorte);
    const auto begin = std::lower_bound(exits.draws.begin(), exits.draws.end(), from);
    const auto end = std::upper_bound(begin, exits.draws.end(), draw);
    return static_cast<int>(end - begin);
}

std::vector<ScriptDelays::Delay> ScriptDelays::longest(int draw, int wheel, int k) {
    std::array<int, 91> lastExit{};
    LastExits& state = m_lastExits[static_cast<std::size_t>(wheel)];
    if (draw >= state.through) {
        for (int d = state.through + 1; d <= draw; ++d) {
            const int from = wheel == TutteWheels ? 0 : wheel;
            const int to = wheel == TutteWheels ? TheTen : wheel + 1;
            for (int w = from; w < to; ++w) {
                const std::int16_t* ns = m_archive.wheelNumbers(d, w);
                for (int p = 0; p < PositionCount; ++p)
                    if (ns[p] >= 1 && ns[p] <= 90)
                        state.draw[static_cast<std::size_t>(ns[p])] = d;
            }
        }
        state.through = draw;
        lastExit = state.draw;
    } else {
        // A look back at an earlier draw: each number's own list of exits.
        for (int n = 1; n <= 90; ++n) {
            const Exits& exits = exitsThrough(draw, wheel, {n}, 1);
            const auto after = std::upper_bound(exits.draws.begin(), exits.draws.end(), draw);
            lastExit[static_cast<std::size_t>(n)] = after == exits.draws.begin() ? 0 : *(after - 1);
        }
    }
    std::array<Delay, 90> all;
    for (int n = 1; n <= 90; ++n)
        all[static_cast<std::size_t>(n - 1)] = {n, lastExit[static_cast<std::size_t>(n)]};
    // Ordered by last exit, oldest first: the delay falls as the last exit is later.
    auto older = [](const Delay& a, const Delay& b) {
        return a.delay != b.delay ? a.delay < b.delay : a.number < b.number;
    };
    const auto kk = static_cast<std::ptrdiff_t>(k);
    if (k == 1)
        std::iter_swap(all.begin(), std::min_element(all.begin(), all.end(), older));
    else
        std::partial_sort(all.begin(), all.begin() + kk, all.end(), older);
    std::vector<Delay> result(all.begin(), all.begin() + kk);
    const int upTo = drawnUpTo(wheel, draw);
    for (Delay& d : result)
        d.delay = upTo - drawnUpTo(wheel, d.delay);
    return result;
}
