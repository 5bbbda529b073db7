#include "ArchiveBuilder.h"
#include "core/CaseVerification.h"
#include "core/Collaudo.h"
#include "core/DrawArchive.h"
#include "core/DrawnNumbers.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// Every combination of the four outcome boxes.
std::vector<OutcomeBoxes> everyBoxes() {
    std::vector<OutcomeBoxes> all;
    for (unsigned bits = 0; bits < 16; ++bits)
        all.push_back({(bits & 1u) != 0, (bits & 2u) != 0, (bits & 4u) != 0, (bits & 8u) != 0});
    return all;
}

// The back-test reads the first positive colpo from the draws' number sets; the verification of the
// ambo window reads the numbers position by position. They must agree on every case, also where a
// damaged archive repeats a number on a wheel, holds numbers outside 1..90 or gives such a forecast,
// and for cases read back from a grid with a wheel outside 0..10.
TEST(FirstPositiveColpo, AgreesWithTheVerificationOnCleanAndDamagedArchives) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.randomDraws(200, 11);
    std::mt19937 rng(5);
    auto below = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const std::array<std::int16_t, 5> outside{0, -3, 91, 95, 100};
    for (int d = 2; d <= 200; d += 3) {
        const int w = below(WheelCount);
        const int p = 1 + below(4);
        archive.storeNumber(static_cast<std::int16_t>(d), w, p + 1, archive.number(d, w, p));
    }
    for (int d = 3; d <= 200; d += 5)
        archive.storeNumber(static_cast<std::int16_t>(d), below(WheelCount), 1 + below(5), outside[below(5)]);
    build.finish();
    const DrawnNumbers drawn(archive);

    // Forecasts made of numbers the next draws hold, so that outcomes are frequent, with now and then a
    // repeated number or one outside 1..90.
    std::vector<EqualAmboCase> cases;
    for (int d = 0; d <= 200; ++d) {
        for (int j = 0; j < 8; ++j) {
            EqualAmboCase c;
            c.draw = d;
            c.wheel1 = below(12) - 1;
            c.wheel2 = below(12) - 1;
            auto upcoming = [&] {
                if (below(10) == 0)
                    return outside[below(5)];
                return archive.number(std::min(d + 1 + below(4), 200), below(WheelCount), 1 + below(5));
            };
            c.forecast = {upcoming(), upcoming(), upcoming(), upcoming()};
            if (below(6) == 0)
                c.forecast.A2 = c.forecast.Ambata;
            cases.push_back(c);
        }
    }

    int positives = 0;
    int negatives = 0;
    int damagedPositives = 0;
    for (const OutcomeBoxes& boxes : everyBoxes()) {
        for (const int colpi : {1, 4, 12}) {
            for (const EqualAmboCase& c : cases) {
                const CaseOutcome expected = verifyCase(c, colpi, boxes, archive);
                const int colpo = firstPositiveColpo(c, colpi, boxes, archive, drawn);
                ASSERT_EQ(colpo, expected.positive() ? expected.colpo : 0)
                    << "draw " << c.draw << " wheels " << c.wheel1 << "," << c.wheel2 << " forecast "
                    << c.forecast.Ambata << " " << c.forecast.A1 << " " << c.forecast.A2 << " "
                    << c.forecast.A3 << " boxes " << boxes.ambata << boxes.treAmbi << boxes.quartina
                    << boxes.tutte << " colpi " << colpi;
                if (colpo == 0) {
                    ++negatives;
                    continue;
                }
                ++positives;
                damagedPositives += drawn.setsExact(c.draw + colpo) ? 0 : 1;
            }
        }
    }
    // The comparison means something only if both outcomes, and hits in damaged draws, occurred.
    EXPECT_GT(positives, 1000);
    EXPECT_GT(negatives, 1000);
    EXPECT_GT(damagedPositives, 50);
}

// Following the cases and searching on two threads share the work out; nothing of the result may
// depend on it, whatever the range's length.
struct ThreadsCase {
    const char* name;
    int first;
    int last;
    int colpi;
};

class CollaudoThreads : public ::testing::TestWithParam<ThreadsCase> {};

TEST_P(CollaudoThreads, SameResultOnOneOrTwoThreads) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.randomDraws(400, 3);
    build.finish();
    CollaudoSettings s;
    s.types = {true, false, false, false, false, false, false};
    s.first = GetParam().first;
    s.last = GetParam().last;
    s.colpi = GetParam().colpi;
    s.threads = 1;
    const CollaudoResult one = runCollaudo(s, archive);
    s.threads = 2;
    const CollaudoResult two = runCollaudo(s, archive);

    ASSERT_EQ(one.casi.size(), two.casi.size());
    for (std::size_t i = 0; i < one.casi.size(); ++i) {
        const CollaudoCase& a = one.casi[i];
        const CollaudoCase& b = two.casi[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(a.equalAmbo().draw, b.equalAmbo().draw);
        EXPECT_EQ(a.equalAmbo().wheel1, b.equalAmbo().wheel1);
        EXPECT_EQ(a.equalAmbo().wheel2, b.equalAmbo().wheel2);
        EXPECT_EQ(a.equalAmbo().position1, b.equalAmbo().position1);
        EXPECT_EQ(a.equalAmbo().position2, b.equalAmbo().position2);
        EXPECT_EQ(a.colpo, b.colpo);
        EXPECT_EQ(a.esito, b.esito);
        EXPECT_EQ(a.probability, b.probability);
        EXPECT_EQ(a.spent, b.spent);
        EXPECT_EQ(a.won, b.won);
    }
    EXPECT_EQ(one.riepilogo.positiviCompleti, two.riepilogo.positiviCompleti);
    EXPECT_EQ(one.riepilogo.attesi, two.riepilogo.attesi);
    EXPECT_EQ(one.riepilogo.p, two.riepilogo.p);
    EXPECT_EQ(one.riepilogo.saldo, two.riepilogo.saldo);
    ASSERT_EQ(one.colpi.size(), two.colpi.size());
    for (std::size_t k = 0; k < one.colpi.size(); ++k) {
        EXPECT_EQ(one.colpi[k].positivi, two.colpi[k].positivi);
        EXPECT_EQ(one.colpi[k].attesi, two.colpi[k].attesi);
    }
    // Cases in the most recent draws first, every draw of the range searched.
    ASSERT_FALSE(one.casi.empty());
    EXPECT_EQ(one.casi.front().equalAmbo().draw, s.lastDraw(archive));
    EXPECT_EQ(one.casi.back().equalAmbo().draw, std::max(s.first, 1));
}

INSTANTIATE_TEST_SUITE_P(Ranges, CollaudoThreads,
                         ::testing::Values(ThreadsCase{"WholeArchive", 1, 0, 18},
                                           ThreadsCase{"OddLength", 37, 301, 9},
                                           ThreadsCase{"TwoDraws", 200, 201, 3},
                                           ThreadsCase{"OneDraw", 250, 250, 5},
                                           ThreadsCase{"FromBeforeTheFirstDraw", -5, 60, 4}),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
