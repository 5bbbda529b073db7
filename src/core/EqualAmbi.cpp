#include "core/EqualAmbi.h"

#include "core/DrawArchive.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace {
std::int64_t joinNonNegative(std::int64_t a, std::int64_t b) {
    std::int64_t scale = 10;
    while (scale <= b)
        scale *= 10;
    return a * scale + b;
}

// The number written with the digits of a followed by those of b (12, 45 -> 1245; 5, 23 -> 523), read
// back as a number: only a damaged archive holds negative numbers, and then the text "-5-3" reads -5.
std::int64_t joinDigits(int a, int b) {
    if (b < 0)
        return a;
    if (a < 0)
        return -joinNonNegative(-static_cast<std::int64_t>(a), b);
    return joinNonNegative(a, b);
}

bool consecutive(int p1, int p2) {
    return p2 == p1 + 1;
}
} // namespace

void SearchSettings::admitTypes(const WheelRelations::Types& types, const WheelRelations& relations) {
    for (int w1 = 0; w1 < WheelCount; ++w1)
        for (int w2 = 0; w2 < WheelCount; ++w2)
            admitted[w1][w2] = relations.admits(types, w1, w2);
}

bool isEqualAmbo(int x1, int x2, int y1, int y2) {
    const int sx = amboSumClass(x1, x2);
    const int sy = amboSumClass(y1, y2);
    return sx == sy && sx != 0;
}

Forecast computeForecast(int x1, int x2, int y1, int y2, const DrawArchive& archive) {
    Forecast f;
    f.Ambata = static_cast<std::int16_t>(y2);
    std::int64_t a1 = (joinDigits(x1, x2) + joinDigits(y1, y2)) % 90;
    if (a1 == 0)
        a1 = 90;
    std::int64_t a2 = 90 - a1;
    if (a2 == 0)
        a2 = 1;
    f.A1 = static_cast<std::int16_t>(a1);
    f.A2 = static_cast<std::int16_t>(a2);
    // A2 lies in 1..89 for every real draw; a damaged archive can push it out of the diametral table.
    f.A3 = a2 >= 0 && a2 <= 90 ? archive.diametral(static_cast<int>(a2)) : std::int16_t{0};
    return f;
}

std::vector<EqualAmboCase> findEqualAmbi(const SearchSettings& settings, const DrawArchive& archive, int from,
                                         int to, std::int64_t stopAt) {
    std::vector<EqualAmboCase> cases;
    // Slots outside the tables hold no numbers, so they could never give a case.
    const int first = std::min(from, DrawCapacity - 1);
    const int last = std::max(to, 0);
    // The wheels a first wheel may pair with: selected, after it and admitted by the checked types.
    std::array<unsigned, WheelCount> partners{};
    for (int w1 = 0; w1 < WheelCount; ++w1)
        for (int w2 = w1 + 1; w2 < WheelCount; ++w2)
            if (settings.wheels[w2] && settings.admitted[w1][w2])
                partners[w1] |= 1u << w2;
    std::array<const std::int16_t*, WheelCount> wheels{};
    // The sum class of every ambo of the draw, and by position pair the wheels whose ambo falls in each
    // class, so that a first wheel finds its equal ambi without trying every second wheel. A damaged
    // archive's negative numbers give classes down to -89.
    constexpr int ClassOffset = 89;
    std::array<std::array<int, 6 * 6>, WheelCount> sums{};
    std::array<std::array<unsigned, 2 * ClassOffset + 1>, 6 * 6> wheelsByClass{};
    for (int d = first; d >= last; --d) {
        for (int w = 0; w < WheelCount; ++w) {
            wheels[w] = archive.wheelNumbers(d, w);
            for (int p1 = 1; p1 <= 4; ++p1)
                for (int p2 = p1 + 1; p2 <= 5; ++p2) {
                    const int sum = amboSumClass(wheels[w][p1 - 1], wheels[w][p2 - 1]);
                    sums[w][p1 * 6 + p2] = sum;
                    wheelsByClass[p1 * 6 + p2][sum + ClassOffset] |= 1u << w;
                }
        }
        for (int w1 = 0; w1 <= 9; ++w1) {
            if (!settings.wheels[w1])
                continue;
            const std::int16_t* xs = wheels[w1];
            for (int p1 = 1; p1 <= 4; ++p1) {
                for (int p2 = p1 + 1; p2 <= 5; ++p2) {
                    // With "Adiacenti" a case on positions that are not next to each other is dropped at
                    // once, so the case numbers stay consecutive.
                    if (!settings.positions[p1] || !settings.positions[p2] || xs[p1 - 1] > 90 ||
                        (settings.adjacentPositions && !consecutive(p1, p2)))
                        continue;
                    const int sx = sums[w1][p1 * 6 + p2];
                    if (sx == 0)
                        continue; // no equal ambo: a sum of 90 (or a wheel without numbers) never matches
                    const int x1 = xs[p1 - 1];
                    const int x2 = xs[p2 - 1];
                    for (unsigned match = wheelsByClass[p1 * 6 + p2][sx + ClassOffset] & partners[w1];
                         match != 0; match &= match - 1) {
                        const int w2 = std::countr_zero(match);
                        const std::int16_t* ys = wheels[w2];
                        const int y1 = ys[p1 - 1];
                        const int y2 = ys[p2 - 1];
                        if (y1 > 90)
                            continue;
                        EqualAmboCase& c = cases.emplace_back();
                        c.draw = d;
                        c.wheel1 = w1;
                        c.wheel2 = w2;
                        c.position1 = p1;
                        c.position2 = p2;
                        std::copy(xs, xs + PositionCount, c.numbers1.begin());
                        std::copy(ys, ys + PositionCount, c.numbers2.begin());
                        c.forecast = computeForecast(x1, x2, y1, y2, archive);
                    }
                }
            }
        }
        for (int w = 0; w < WheelCount; ++w)
            for (int p1 = 1; p1 <= 4; ++p1)
                for (int p2 = p1 + 1; p2 <= 5; ++p2)
                    wheelsByClass[p1 * 6 + p2][sums[w][p1 * 6 + p2] + ClassOffset] = 0;
        if (static_cast<std::int64_t>(cases.size()) >= stopAt)
            break;
    }
    return cases;
}
