#include "core/SpyTable.h"

#include "ArchiveBuilder.h"
#include "ArchiveFixtures.h"
#include "WheelCodes.h"
#include "core/DrawArchive.h"
#include "core/PoissonBinomial.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>

namespace spytable {

using N = ArchiveBuilder::Numbers;

const double Q = 5.0 / 90.0;

// The spy 10 on Bari, followers on Cagliari, two colpi. Events: draw 1 (window 2, 3); draw 2 lies inside
// that window and neither counts nor extends it; draw 4 (window 5, 6, Cagliari not drawn in 5); draw 7
// (window 8, 9: past the archive's end, incomplete). Draw 8 holds a 7 on Cagliari, in no complete window.
void handWorked(DrawArchive& archive) {
    ArchiveBuilder build(archive);
    build.draw({{BA, N{10, 1, 2, 3, 4}}, {CA, N{1, 2, 3, 4, 5}}});
    build.draw({{BA, N{10, 20, 21, 22, 23}}, {CA, N{7, 8, 9, 11, 12}}});
    build.draw({{BA, N{20, 21, 22, 23, 24}}, {CA, N{7, 40, 41, 42, 43}}});
    build.draw({{BA, N{10, 30, 31, 32, 33}}, {CA, N{50, 51, 52, 53, 54}}});
    build.draw({{BA, N{1, 2, 3, 4, 5}}});
    build.draw({{BA, N{1, 2, 3, 4, 5}}, {CA, N{7, 8, 60, 95, 0}}});
    build.draw({{BA, N{10, 2, 3, 4, 5}}, {CA, N{1, 2, 3, 4, 5}}});
    build.draw({{CA, N{7, 1, 2, 3, 4}}});
    build.finish();
}

struct FollowerCase {
    const char* what;
    int numero;
    int presenze, uscite, ultimaPresenza, ritardoPresenza;
};

TEST(SpyTable, FollowersOfHandWorkedEvents) {
    DrawArchive archive;
    handWorked(archive);
    const SpyTable t = computeSpyTable({.spia = 10, .ruota = BA, .ruotaSeguenti = CA, .colpi = 2}, archive);

    EXPECT_EQ(t.eventi, 3);
    EXPECT_EQ(t.eventiCompleti, 2);
    EXPECT_EQ(t.eventDraws, (std::vector<int>{1, 4, 7}));
    const double first = 1.0 - (1.0 - Q) * (1.0 - Q); // Cagliari drawn in both draws of the window
    const double second = Q;                           // drawn in one
    ASSERT_EQ(t.chances.size(), 2u);
    EXPECT_DOUBLE_EQ(t.chances[0], first);
    EXPECT_DOUBLE_EQ(t.chances[1], second);

    const FollowerCase cases[] = {
        {"present in both windows, twice in the first; not in an incomplete one", 7, 2, 3, 4, 0},
        {"present in both windows", 8, 2, 2, 4, 0},
        {"present in the first window only", 40, 1, 1, 1, 1},
        {"out in a draw inside the first window, which was no event", 9, 1, 1, 1, 1},
        {"out in the second window besides a damaged field", 60, 1, 1, 4, 0},
        {"out only in the spy's own draws, never in a window", 5, 0, 0, 0, 2},
        {"never out", 90, 0, 0, 0, 2},
        {"the spy itself, never out on the followers' wheel", 10, 0, 0, 0, 2},
    };
    const double tails[] = {1.0, 1.0 - (1.0 - first) * (1.0 - second), first * second};
    for (const FollowerCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SpyFollower& f = t.seguenti.at(static_cast<std::size_t>(c.numero - 1));
        EXPECT_EQ(f.spia, 10);
        EXPECT_EQ(f.numero, c.numero);
        EXPECT_EQ(f.presenze, c.presenze);
        EXPECT_EQ(f.uscite, c.uscite);
        EXPECT_EQ(f.ultimaPresenza, c.ultimaPresenza);
        EXPECT_EQ(f.ritardoPresenza, c.ritardoPresenza);
        EXPECT_DOUBLE_EQ(f.attese, first + second);
        EXPECT_DOUBLE_EQ(f.deviazione, std::sqrt(first * (1 - first) + second * (1 - second)));
        ASSERT_TRUE(f.z.has_value());
        EXPECT_DOUBLE_EQ(*f.z, (c.presenze - first - second) / f.deviazione);
        EXPECT_NEAR(f.p, tails[c.presenze], 1e-15);
    }
    // Holm over the 90 rows: the two smallest p are the followers present twice.
    EXPECT_DOUBLE_EQ(t.seguenti[6].pHolm, 90 * first * second);
    EXPECT_DOUBLE_EQ(t.seguenti[7].pHolm, 90 * first * second);
    EXPECT_DOUBLE_EQ(t.seguenti[89].pHolm, 1.0);
}

TEST(SpyTable, ItsOwnFollowerAndARangeThatEndsBeforeTheWindows) {
    DrawArchive archive;
    handWorked(archive);
    // The spy follows itself on Bari: 10 comes out in draw 2, inside the first window; the range ends with
    // draw 1, yet the window runs on past it.
    const SpyTable t =
        computeSpyTable({.spia = 10, .ruota = BA, .ruotaSeguenti = BA, .colpi = 2, .first = 1, .last = 1}, archive);
    EXPECT_EQ(t.eventi, 1);
    EXPECT_EQ(t.eventiCompleti, 1);
    EXPECT_EQ(t.seguenti[9].presenze, 1);
    EXPECT_EQ(t.seguenti[9].uscite, 1);
    EXPECT_EQ(t.seguenti[19].uscite, 2); // 20 in draws 2 and 3
}

// Tutte on both sides, one colpo. Draw 1: 5 on Bari and Cagliari, one event; draw 2: 30 on two of the
// ten, 31 only on Nazionale; draw 3: 5 on Nazionale only, no event; draw 4: 5 on Genova, an event whose
// window (draw 5) has no wheel drawn; draw 6 closes the archive.
TEST(SpyTable, TutteOnBothSides) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.draw({{BA, N{5, 1, 2, 3, 4}}, {CA, N{5, 6, 7, 8, 9}}});
    build.draw({{BA, N{30, 11, 12, 13, 14}}, {CA, N{30, 15, 16, 17, 18}}, {NZ, N{31, 32, 33, 34, 35}}});
    build.draw({{NZ, N{5, 40, 41, 42, 43}}});
    build.draw({{GE, N{5, 44, 45, 46, 47}}});
    build.emptyDraws(1);
    build.draw({{BA, N{1, 2, 3, 4, 6}}});
    build.finish();

    const SpyTable t = computeSpyTable({.spia = 5, .ruota = TU, .ruotaSeguenti = TU, .colpi = 1}, archive);
    EXPECT_EQ(t.eventDraws, (std::vector<int>{1, 4}));
    EXPECT_EQ(t.eventiCompleti, 2);
    const double two = 1.0 - (1.0 - Q) * (1.0 - Q);
    ASSERT_EQ(t.chances.size(), 2u);
    EXPECT_DOUBLE_EQ(t.chances[0], two);
    EXPECT_DOUBLE_EQ(t.chances[1], 0.0);
    const SpyFollower& thirty = t.seguenti[29];
    EXPECT_EQ(thirty.presenze, 1);
    EXPECT_EQ(thirty.uscite, 2); // once per wheel
    EXPECT_EQ(thirty.ultimaPresenza, 1);
    EXPECT_EQ(thirty.ritardoPresenza, 1);
    EXPECT_DOUBLE_EQ(thirty.p, two);
    EXPECT_EQ(t.seguenti[30].presenze, 0); // Nazionale is not one of the ten
}

TEST(SpyTable, NoEventAtAll) {
    DrawArchive archive;
    handWorked(archive);
    const SpyTable t = computeSpyTable({.spia = 89, .ruota = BA, .ruotaSeguenti = CA, .colpi = 2}, archive);
    EXPECT_EQ(t.eventi, 0);
    for (const SpyFollower& f : t.seguenti) {
        EXPECT_EQ(f.presenze, 0);
        EXPECT_EQ(f.ritardoPresenza, 0);
        EXPECT_FALSE(f.z.has_value());
        EXPECT_EQ(f.p, 1.0);
        EXPECT_EQ(f.pHolm, 1.0);
    }
}

// The whole map is 90 tables with Holm over all their cells; each table's own figures are the single
// spy's, and the ranking runs by p, then spy, then follower.
TEST(SpyTable, MapAgreesWithEachTableAndRanksByP) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.randomDraws(400, 7);
    build.finish();
    const SpySettings settings{.ruota = BA, .ruotaSeguenti = TU, .colpi = 3};
    const std::vector<SpyTable> map = computeSpyMap(settings, archive);
    ASSERT_EQ(map.size(), 90u);
    for (const int spia : {1, 45, 90}) {
        SpySettings one = settings;
        one.spia = spia;
        const SpyTable t = computeSpyTable(one, archive);
        const SpyTable& m = map[static_cast<std::size_t>(spia - 1)];
        EXPECT_EQ(m.eventDraws, t.eventDraws);
        for (std::size_t n = 0; n < 90; ++n) {
            EXPECT_EQ(m.seguenti[n].presenze, t.seguenti[n].presenze);
            EXPECT_EQ(m.seguenti[n].p, t.seguenti[n].p);
            EXPECT_GE(m.seguenti[n].pHolm, t.seguenti[n].pHolm);
            // The exact tail of the shared computation.
            EXPECT_NEAR(t.seguenti[n].p, poissonBinomialUpperTail(t.chances, t.seguenti[n].presenze),
                        1e-9 * t.seguenti[n].p);
        }
    }
    const std::vector<const SpyFollower*> ranked = rankSpyFollowers(map);
    ASSERT_EQ(ranked.size(), 8100u);
    for (std::size_t i = 1; i < ranked.size(); ++i) {
        const SpyFollower& a = *ranked[i - 1];
        const SpyFollower& b = *ranked[i];
        ASSERT_TRUE(a.p < b.p || (a.p == b.p && (a.spia < b.spia || (a.spia == b.spia && a.numero < b.numero))));
    }
}

// On the real history every cell of a wheel's map is one trial of chance: their z's spread as a standard
// normal would.
TEST(SpyTable, RealHistoryMapLooksLikeChance) {
    QString error;
    const std::unique_ptr<DrawArchive> archive = fixtures::loadRealHistory(error);
    if (!archive)
        GTEST_SKIP() << error.toStdString();
    const std::vector<SpyTable> map =
        computeSpyMap({.ruota = BA, .ruotaSeguenti = BA, .colpi = 9}, *archive);
    std::vector<double> z;
    for (const SpyTable& t : map)
        for (const SpyFollower& f : t.seguenti)
            z.push_back(f.z.value());
    const double mean = std::accumulate(z.begin(), z.end(), 0.0) / static_cast<double>(z.size());
    double squares = 0.0;
    for (const double v : z)
        squares += (v - mean) * (v - mean);
    const double spread = std::sqrt(squares / static_cast<double>(z.size() - 1));
    EXPECT_NEAR(mean, 0.0, 0.1);
    EXPECT_NEAR(spread, 1.0, 0.1);
    RecordProperty("mean", std::to_string(mean));
    RecordProperty("spread", std::to_string(spread));
}

} // namespace spytable
