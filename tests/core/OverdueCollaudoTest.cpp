#include "ArchiveBuilder.h"
#include "ArchiveFixtures.h"
#include "WheelCodes.h"
#include "core/Collaudo.h"
#include "core/DelayWalker.h"
#include "core/DrawArchive.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace overdue {

using N = ArchiveBuilder::Numbers;
using Esito = CaseOutcome::Esito;

// Numbers 1..5: drawn again and again, they keep every other number's delay growing.
const N Low{1, 2, 3, 4, 5};

struct ExpectedCase {
    int draw;
    int wheel;
    int number;
    int delay;
    Esito esito;
    int colpo;
    int drawnColpi; // the case's Colpi draws in the archive where its wheel is drawn
    double spent;   // at stake 1
};

struct Archive {
    const char* name;
    std::vector<ArchiveBuilder::Wheels> draws;
    std::array<bool, WheelCount> wheels;
    int soglia;
    int colpi;
    int first;
    int last; // 0 for the archive's last
    std::vector<ExpectedCase> cases;
};

std::array<bool, WheelCount> only(std::initializer_list<int> chosen) {
    std::array<bool, WheelCount> wheels{};
    for (int w : chosen)
        wheels[static_cast<std::size_t>(w)] = true;
    return wheels;
}

// 18 draws on Bari that bring out every number once: first 40 12 77 3 88, then 1..90 without them in
// order. Until draw 17 the numbers not yet out are the most delayed; after draw 18 those five are, tied
// at 17.
std::vector<ArchiveBuilder::Wheels> everyNumberOnce() {
    std::vector<ArchiveBuilder::Wheels> draws{{{BA, N{40, 12, 77, 3, 88}}}};
    N cell{};
    int filled = 0;
    for (int n = 1; n <= 90; ++n) {
        if (n == 40 || n == 12 || n == 77 || n == 3 || n == 88)
            continue;
        cell[static_cast<std::size_t>(filled++)] = static_cast<std::int16_t>(n);
        if (filled == PositionCount) {
            draws.push_back({{BA, cell}});
            filled = 0;
        }
    }
    return draws;
}

std::vector<ArchiveBuilder::Wheels> tiedAfterEveryNumber() {
    std::vector<ArchiveBuilder::Wheels> draws = everyNumberOnce();
    const N quiet{50, 51, 52, 53, 54};
    draws.push_back({{BA, quiet}});                // 19: the five tied at 18
    draws.push_back({{BA, N{3, 50, 51, 52, 53}}}); // 20: the 3 comes out at colpo 1
    draws.push_back({{BA, quiet}});
    draws.push_back({{BA, quiet}});
    return draws;
}

// Worked by hand: which case opens after which draw, on which number, and how it ends.
const std::vector<Archive> HandWorked{
    // After draw 3 every number but 1..5 has waited 3 draws: the threshold is reached there, not before.
    // Bari's 6 comes out at colpo 1 (draw 4), so Bari is busy through draw 4 and opens again after 5 on
    // 7, the smallest number with the longest delay. Cagliari's case misses in draws 4 and 5 and blocks it
    // through 5; its next opens after 6 and is in play when the archive ends. Draw 3 lists Bari first.
    {"ThresholdReachedAtOneDraw",
     {{{BA, Low}, {CA, Low}},
      {{BA, Low}, {CA, Low}},
      {{BA, Low}, {CA, Low}},
      {{BA, N{6, 1, 2, 3, 4}}, {CA, Low}},
      {{BA, Low}, {CA, Low}},
      {{BA, Low}, {CA, Low}},
      {{BA, Low}, {CA, Low}}},
     only({BA, CA}),
     3,
     2,
     1,
     0,
     {{6, CA, 6, 6, Esito::InGioco, 0, 1, 1.0},
      {5, BA, 7, 5, Esito::Negativo, 0, 2, 2.0},
      {3, BA, 6, 3, Esito::Positivo, 1, 2, 1.0},
      {3, CA, 6, 3, Esito::Negativo, 0, 2, 2.0}}},
    // The case after draw 2 plays draws 3, 4 and 5: none can open after them, though the delays keep
    // growing. The next opens after 6 and is still in play when the archive ends after its first colpo.
    {"ACaseInPlayBlocksTheNextAndOneIsInPlayAtTheEnd",
     {{{BA, Low}}, {{BA, Low}}, {{BA, Low}}, {{BA, Low}}, {{BA, Low}}, {{BA, Low}}, {{BA, Low}}},
     only({BA}),
     2,
     3,
     1,
     0,
     {{6, BA, 6, 6, Esito::InGioco, 0, 1, 1.0}, {2, BA, 6, 2, Esito::Negativo, 0, 3, 3.0}}},
    // Cagliari exists from draw 3 and misses draw 5: delays count its drawn draws only (2 after draw 4).
    // Colpo 1 of the case falls on draw 5, where nothing is played; the 6 comes out at colpo 2 (draw 6).
    // After draw 7 the 7 has waited 4 of Cagliari's draws, and that case has no draw left to play.
    {"TheWheelIsMissingBeforeItExistsAndInAGap",
     {{{BA, Low}},
      {{BA, Low}},
      {{BA, Low}, {CA, Low}},
      {{BA, Low}, {CA, Low}},
      {{BA, Low}},
      {{BA, Low}, {CA, N{6, 1, 2, 3, 4}}},
      {{BA, Low}, {CA, Low}}},
     only({CA}),
     2,
     3,
     1,
     0,
     {{7, CA, 7, 4, Esito::InGioco, 0, 0, 0.0}, {4, CA, 6, 2, Esito::Positivo, 2, 2, 1.0}}},
    // Five numbers tied at the longest delay after draw 19: the smallest, 3, is played and comes out at
    // once. After draw 21 the 12, 40, 77 and 88 are tied, and the 12 is played.
    {"TiesGoToTheSmallestNumber",
     tiedAfterEveryNumber(),
     only({BA}),
     18,
     1,
     1,
     0,
     {{21, BA, 12, 20, Esito::Negativo, 0, 1, 1.0}, {19, BA, 3, 18, Esito::Positivo, 1, 1, 1.0}}},
    // The range starts at draw 4: nothing opens before it, yet the delays count from the archive's first
    // draw (7 has waited 4 draws after draw 4). It ends at draw 5, and the case's colpi run past it.
    {"TheRangeBoundsTheOpeningDrawNotTheDelaysOrTheColpi",
     {{{BA, Low}}, {{BA, Low}}, {{BA, Low}}, {{BA, N{6, 1, 2, 3, 4}}}, {{BA, Low}}, {{BA, Low}}, {{BA, Low}}},
     only({BA}),
     3,
     3,
     4,
     5,
     {{4, BA, 7, 4, Esito::Negativo, 0, 3, 3.0}}},
};

void PrintTo(const Archive& a, std::ostream* os) {
    *os << a.name;
}

// The archive's draws into `archive`; returns how many.
int buildArchive(const Archive& a, DrawArchive& archive) {
    ArchiveBuilder build(archive);
    for (const ArchiveBuilder::Wheels& draw : a.draws)
        build.draw(draw);
    build.finish();
    return build.count();
}

CollaudoSettings overdueSettings(const Archive& a) {
    CollaudoSettings s;
    s.metodo = MethodSettings::Metodo::Ritardatario;
    s.wheels = a.wheels;
    s.soglia = a.soglia;
    s.colpi = a.colpi;
    return s;
}

class OverdueCases : public ::testing::TestWithParam<Archive> {};

TEST_P(OverdueCases, OpenWhereTheHandWorkedDelaysSay) {
    const Archive& a = GetParam();
    DrawArchive archive;
    const int draws = buildArchive(a, archive);
    CollaudoSettings s = overdueSettings(a);
    s.first = a.first;
    s.last = a.last;
    s.stakes.ambata = 2.0;
    s.stakes.ambo = 5.0; // the overdue number plays no ambo
    const CollaudoResult r = runCollaudo(s, archive);

    ASSERT_EQ(r.casi.size(), a.cases.size());
    for (std::size_t i = 0; i < a.cases.size(); ++i) {
        const ExpectedCase& e = a.cases[i];
        const CollaudoCase& c = r.casi[i];
        SCOPED_TRACE(testing::Message() << "case " << i << " after draw " << e.draw);
        EXPECT_EQ(c.draw, e.draw);
        EXPECT_EQ(c.date, archive.drawDate(e.draw));
        EXPECT_EQ(c.overdue(), (OverdueCase{e.draw, e.wheel, e.number, e.delay}));
        EXPECT_EQ(c.esito, e.esito);
        EXPECT_EQ(c.colpo, e.colpo);
        EXPECT_EQ(c.complete, e.draw + a.colpi <= draws);
        EXPECT_DOUBLE_EQ(c.probability, 1.0 - std::pow(1.0 - 5.0 / 90.0, e.drawnColpi));
        EXPECT_DOUBLE_EQ(c.spent, 2.0 * e.spent);
        EXPECT_DOUBLE_EQ(c.won, e.esito == Esito::Positivo ? 2.0 * 11.23 : 0.0);
    }
}

INSTANTIATE_TEST_SUITE_P(HandWorked, OverdueCases, ::testing::ValuesIn(HandWorked),
                         [](const auto& param) { return std::string(param.param.name); });

// The summary and the balance are the back-test's own: over these cases they add up as for any method.
TEST(OverdueSummary, ComparesCompleteCasesAndBalancesEveryCase) {
    const Archive& a = HandWorked.front();
    DrawArchive archive;
    buildArchive(a, archive);
    const CollaudoResult r = runCollaudo(overdueSettings(a), archive);
    const CollaudoSummary& m = r.riepilogo;
    const double p2 = 1.0 - std::pow(85.0 / 90.0, 2);
    EXPECT_EQ(m.casi, 4);
    EXPECT_EQ(m.positivi, 1);
    EXPECT_EQ(m.negativi, 2);
    EXPECT_EQ(m.inGioco, 1);
    EXPECT_EQ(m.casiCompleti, 3);
    EXPECT_EQ(m.positiviCompleti, 1);
    EXPECT_NEAR(m.attesi, 3.0 * p2, 1e-12);
    EXPECT_NEAR(m.deviazione, std::sqrt(3.0 * p2 * (1.0 - p2)), 1e-12);
    // At least one positive of three cases of chance p2 each.
    EXPECT_NEAR(m.p, 1.0 - std::pow(1.0 - p2, 3), 1e-12);
    EXPECT_DOUBLE_EQ(m.spesa, 6.0);
    EXPECT_DOUBLE_EQ(m.vincite, 11.23);
    EXPECT_DOUBLE_EQ(m.saldo, 11.23 * 0.92 - 6.0);
    ASSERT_EQ(r.colpi.size(), 2u);
    EXPECT_EQ(r.colpi[0].positivi, 1);
    EXPECT_NEAR(r.colpi[0].attesi, 3.0 * 5.0 / 90.0, 1e-12);
    EXPECT_EQ(r.colpi[1].positivi, 1);
    EXPECT_NEAR(r.colpi[1].attesi, m.attesi, 1e-12);
}

// The longest delay the walker keeps between exits must be the longest of the delays it reports, on the
// smallest item that has it, at every step: on a wheel with gaps, for numbers and for pairs.
TEST(DelayWalkerLongest, IsTheLongestOfTheDelaysAtEveryStep) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.randomDraws(400, 23);
    std::mt19937 rng(7);
    for (int d = 1; d <= 400; ++d)
        if (rng() % 4 == 0)
            for (int p = 1; p <= PositionCount; ++p)
                archive.storeNumber(static_cast<std::int16_t>(d), CA, p, 0);
    build.finish();
    for (const Sorte sorte : {Sorte::Estratto, Sorte::Ambo}) {
        for (const int wheel : {static_cast<int>(CA), TutteWheel}) {
            DelayWalker walker(archive, sorte, wheel, 1, archive.drawCount());
            int steps = 0;
            while (walker.step()) {
                ++steps;
                int longest = -1;
                int first = -1;
                for (int item = 0; item < itemCount(sorte); ++item)
                    if (walker.delay(item) > longest) {
                        longest = walker.delay(item);
                        first = item;
                    }
                const DelayWalker::Longest l = walker.longest();
                ASSERT_EQ(l.delay, longest) << "at draw " << walker.draw();
                ASSERT_EQ(l.item, first) << "at draw " << walker.draw();
            }
            EXPECT_GT(steps, 250);
        }
    }
}

// The figures an independent computation gave for threshold 100 and 18 colpi on every wheel, and the
// whole history with the default settings close to chance.
TEST(OverdueOnTheRealHistory, GivesTheIndependentFiguresAndStaysCloseToChance) {
    if (fixtures::realHistoryFolder().isEmpty())
        GTEST_SKIP() << "no real history beside the project";
    QString error;
    const std::unique_ptr<DrawArchive> archive = fixtures::loadRealHistory(error);
    ASSERT_TRUE(archive) << error.toStdString();

    CollaudoSettings s;
    s.metodo = MethodSettings::Metodo::Ritardatario;
    s.soglia = 100;
    s.colpi = 18;
    const CollaudoSummary m = runCollaudo(s, *archive).riepilogo;
    EXPECT_EQ(m.casi, 1572);
    EXPECT_EQ(m.casiCompleti, 1570);
    EXPECT_EQ(m.positiviCompleti, 1011);
    EXPECT_NEAR(m.attesi, 1008.57, 0.005);
    ASSERT_TRUE(m.z.has_value());
    EXPECT_NEAR(*m.z, 0.13, 0.005);
    EXPECT_DOUBLE_EQ(m.spesa, 18110.0);
    EXPECT_NEAR(m.saldo, -7664.75, 0.005);

    CollaudoSettings defaults;
    defaults.metodo = MethodSettings::Metodo::Ritardatario;
    const CollaudoSummary d = runCollaudo(defaults, *archive).riepilogo;
    ASSERT_GT(d.casiCompleti, 1000);
    ASSERT_TRUE(d.z.has_value());
    RecordProperty("z", std::to_string(*d.z));
    EXPECT_LT(std::abs(*d.z), 4.0) << "positives " << d.positiviCompleti << " expected " << d.attesi;
}

} // namespace overdue
