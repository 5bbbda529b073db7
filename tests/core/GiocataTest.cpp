#include "ArchiveBuilder.h"
#include "ArchiveFixtures.h"
#include "WheelCodes.h"
#include "core/Binomial.h"
#include "core/BuiltinGiocate.h"
#include "core/CaseTracks.h"
#include "core/Collaudo.h"
#include "core/DrawArchive.h"
#include "core/DrawnNumbers.h"
#include "core/EqualAmbi.h"
#include "core/GiocataChance.h"
#include "core/OverdueCases.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace giocate {

using S = Puntata::Sorte;
using N = ArchiveBuilder::Numbers;

WheelMask on(std::initializer_list<int> wheels) {
    WheelMask m = 0;
    for (int w : wheels)
        m = static_cast<WheelMask>(m | (1u << w));
    return m;
}
Puntata bet(std::vector<int> numeri, S sorte, WheelMask ruote, double posta = 1.0) {
    return {std::move(numeri), sorte, ruote, false, posta};
}
Puntata tu(std::vector<int> numeri, S sorte, double posta = 1.0) {
    return {std::move(numeri), sorte, 0, true, posta};
}

// Of one wheel's C(90, 5) draws, those in which at least `least` of these n numbers (all drawable) come
// out: sum over k of C(n, k) C(90 - n, 5 - k).
double atLeast(int n, int least) {
    double ways = 0.0;
    for (int k = least; k <= std::min(n, 5); ++k)
        ways += binomial(n, k) * binomial(90 - n, 5 - k);
    return ways / binomial(90, 5);
}

// The colpo draw of the hand-worked giocate: Firenze not drawn, Genova with a damaged cell (0 and 95 are
// no numbers: 7, 8, 9 count), nine of the ten TU wheels drawn.
void handWorkedArchive(DrawArchive& archive) {
    ArchiveBuilder build(archive);
    build.draw({{BA, N{40, 41, 42, 43, 44}}}); // the opening draw
    build.draw({{BA, N{1, 2, 3, 4, 5}},
                {CA, N{10, 20, 30, 40, 50}},
                {GE, N{7, 0, 95, 8, 9}},
                {MI, N{21, 22, 23, 24, 25}},
                {NA, N{31, 32, 33, 34, 35}},
                {PA, N{41, 42, 43, 44, 45}},
                {RO, N{51, 52, 53, 54, 55}},
                {TO, N{61, 62, 63, 64, 65}},
                {VE, N{71, 72, 73, 74, 75}},
                {NZ, N{11, 12, 13, 14, 15}}});
    build.finish();
}

struct HandWorked {
    const char* name;
    std::vector<Puntata> puntate;
    bool wins;
    double spent;
    double won; // gross
    double probability;
};

// Each giocata opened after draw 1 and played one colpo, in draw 2.
TEST(GiocataOneColpo, OutcomeMoneyAndChanceOnHandWorkedDraws) {
    DrawArchive archive;
    handWorkedArchive(archive);
    const double e1 = 5.0 / 90.0;        // estratto on one wheel
    const double ambo3 = atLeast(3, 2);  // ambo on three numbers
    const double terno4 = atLeast(4, 3); // terno on four
    const std::vector<HandWorked> table{
        {"estratto on one wheel", {bet({3}, S::Estratto, on({BA}))}, true, 1.0, 11.23, e1},
        {"ambo on three numbers, all out", {bet({1, 2, 3}, S::Ambo, on({BA}))}, true, 1.0, 250.0, ambo3},
        {"terno on four numbers, three out on one of two wheels",
         {bet({1, 2, 3, 80}, S::Terno, on({BA, CA}))},
         true,
         2.0,
         4500.0 / 4.0,
         1.0 - (1.0 - terno4) * (1.0 - terno4)},
        {"a wheel not drawn takes no stake and gives no chance; the damaged cell wins on its valid numbers",
         {bet({7}, S::Estratto, on({FI, GE}))},
         true,
         1.0,
         11.23,
         e1},
        {"a damaged number in the puntata is never drawn but counts in n",
         {bet({95, 7}, S::Estratto, on({GE}))},
         true,
         1.0,
         11.23 / 2.0,
         e1},
        {"only a wheel not drawn", {bet({3}, S::Estratto, on({FI}))}, false, 0.0, 0.0, 0.0},
        {"only numbers no draw holds", {bet({0, 91}, S::Estratto, on({BA}), 3.0)}, false, 3.0, 0.0, 0.0},
        {"Nazionale with a stake of 2", {bet({11}, S::Estratto, on({NZ}), 2.0)}, true, 2.0, 22.46, e1},
        {"TU leaves Nazionale out: nine of the ten drawn, one stake",
         {tu({11}, S::Estratto)},
         false,
         1.0,
         0.0,
         1.0 - std::pow(1.0 - e1, 9)},
        {"TU ambo pays a tenth on the wheel that holds two of three",
         {tu({10, 20, 61}, S::Ambo)},
         true,
         1.0,
         250.0 / 3.0 / 10.0,
         1.0 - std::pow(1.0 - ambo3, 9)},
        {"two puntate on two wheels, both winning",
         {bet({5}, S::Estratto, on({BA})), bet({10, 50}, S::Ambo, on({CA}))},
         true,
         2.0,
         11.23 + 250.0,
         1.0 - (1.0 - e1) * (1.0 - 2.0 / 801.0)},
        {"an ambo inside an estratto on one wheel: their union is the estratto",
         {bet({1}, S::Estratto, on({BA})), bet({1, 2}, S::Ambo, on({BA}))},
         true,
         2.0,
         11.23 + 250.0,
         e1},
        {"two estratti on one wheel: either number",
         {bet({60}, S::Estratto, on({BA})), bet({4}, S::Estratto, on({BA}))},
         true,
         2.0,
         11.23,
         atLeast(2, 1)},
        {"quaterna on five, all out", {bet({21, 22, 23, 24, 25}, S::Quaterna, on({MI}))}, true, 1.0, 120000.0,
         atLeast(5, 4)},
        {"cinquina at half a stake",
         {bet({21, 22, 23, 24, 25}, S::Cinquina, on({MI}), 0.5)},
         true,
         0.5,
         3000000.0,
         1.0 / binomial(90, 5)},
        {"terno on ten numbers with two out loses",
         {bet({31, 32, 1, 2, 3, 4, 5, 6, 7, 8}, S::Terno, on({NA}))},
         false,
         1.0,
         0.0,
         atLeast(10, 3)},
        {"stake 0 still plays for outcome and chance", {bet({31}, S::Estratto, on({NA}), 0.0)}, true, 0.0, 0.0,
         e1},
    };
    for (const HandWorked& row : table) {
        SCOPED_TRACE(row.name);
        const Giocata g{1, 1, row.puntate, std::nullopt};
        const CollaudoResult r = runGiocate({g}, archive);
        ASSERT_EQ(r.casi.size(), 1u);
        const CollaudoCase& c = r.casi[0];
        EXPECT_EQ(c.giocata, g);
        EXPECT_EQ(c.colpo, row.wins ? 1 : 0);
        EXPECT_EQ(c.esito, row.wins ? CaseOutcome::Esito::Positivo : CaseOutcome::Esito::Negativo);
        EXPECT_TRUE(c.complete);
        EXPECT_NEAR(c.spent, row.spent, 1e-9);
        EXPECT_NEAR(c.won, row.won, 1e-9 * std::max(1.0, row.won));
        EXPECT_NEAR(c.withheld, row.won * 0.08, 1e-9 * std::max(1.0, row.won));
        EXPECT_NEAR(c.probability, row.probability, 1e-15 + 1e-12 * row.probability);
        EXPECT_EQ(r.riepilogo.positivi, row.wins ? 1 : 0);
        EXPECT_NEAR(r.riepilogo.saldo, row.won * 0.92 - row.spent, 1e-9 * std::max(1.0, row.won));
    }
}

// An independent count of W: every subset S of the m numbers named, of at most five, is what a draw can
// hold of them, in C(90 - m, 5 - |S|) draws; count those where a puntata wins.
std::int64_t countBySubsets(const std::vector<Puntata>& puntate) {
    std::vector<int> named;
    for (const Puntata& p : puntate)
        for (int n : p.numeri)
            if (n >= 1 && n <= 90 && std::find(named.begin(), named.end(), n) == named.end())
                named.push_back(n);
    const int m = static_cast<int>(named.size());
    std::int64_t wins = 0;
    for (std::uint32_t s = 0; s < (1u << m); ++s) {
        const int size = std::popcount(s);
        if (size > 5)
            continue;
        bool win = false;
        for (const Puntata& p : puntate) {
            int held = 0;
            for (int i = 0; i < m; ++i)
                if ((s >> i) & 1u)
                    held += std::count(p.numeri.begin(), p.numeri.end(), named[static_cast<std::size_t>(i)]) > 0;
            win = win || held >= p.sorteCount();
        }
        if (win)
            wins += static_cast<std::int64_t>(binomial(90 - m, 5 - size));
    }
    return wins;
}

// Random sets of overlapping puntate of every sorte over at most 16 numbers, with damaged numbers among
// them, and some of more than 64 puntate: the class count of GiocataChance against the subset count.
TEST(GiocataChance, WinningDrawsMatchACountOverSubsetsOfTheNumbersNamed) {
    std::mt19937 rng(22);
    auto below = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE(trial);
        const bool many = trial % 10 == 0;
        const int pool = 1 + below(many ? 12 : 16); // numbers 1..pool, plus 0 and 95
        std::vector<Puntata> puntate(static_cast<std::size_t>(many ? 60 + below(20) : 1 + below(5)));
        for (Puntata& p : puntate) {
            const int n = 1 + below(std::min(pool, 10));
            std::vector<int> numbers;
            while (static_cast<int>(numbers.size()) < n) {
                const int draw = below(pool + 2);
                const int number = draw == pool ? 0 : draw == pool + 1 ? 95 : draw + 1;
                if (std::find(numbers.begin(), numbers.end(), number) == numbers.end())
                    numbers.push_back(number);
            }
            p.numeri = numbers;
            p.sorte = static_cast<S>(1 + below(std::min(n, 5)));
        }
        std::vector<const Puntata*> ps;
        for (const Puntata& p : puntate)
            ps.push_back(&p);
        EXPECT_EQ(GiocataChance::winningDraws(ps), countBySubsets(puntate));
    }
    // The single sortes on their own numbers: 5/90, 2/801, and so on down to one draw in C(90, 5).
    const std::array<std::int64_t, 5> single{2441626, 109736, 3741, 86, 1};
    for (int s = 1; s <= 5; ++s) {
        std::vector<int> own;
        for (int i = 1; i <= s; ++i)
            own.push_back(10 * i);
        const Puntata mine{own, static_cast<S>(s), 1, false, 1.0};
        const std::array<const Puntata*, 1> one{&mine};
        EXPECT_EQ(GiocataChance::winningDraws(one), single[static_cast<std::size_t>(s - 1)]) << s;
    }
}

// Over several colpi: a giocata stops spending at its first win, one whose colpi pass is negative, one
// the archive ends first is in play; the rows run to the longest colpi and a shorter giocata carries its
// figures forward.
TEST(GiocataColpi, OutcomesRowsAndCarriedFigures) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.draw({{BA, N{1, 2, 3, 4, 5}}});     // 1: opening
    build.draw({{BA, N{6, 7, 8, 9, 10}}});    // 2
    build.draw({{BA, N{11, 12, 13, 14, 15}}, {CA, N{16, 17, 18, 19, 20}}}); // 3
    build.draw({{BA, N{77, 12, 13, 14, 15}}}); // 4
    build.draw({{CA, N{77, 12, 13, 14, 15}}}); // 5
    build.finish();
    const double e1 = 5.0 / 90.0;
    const std::vector<Giocata> giocate{
        {1, 4, {bet({77}, S::Estratto, on({BA, CA}))}, std::nullopt}, // positive at colpo 3 (draw 4)
        {1, 2, {bet({88}, S::Estratto, on({BA}))}, QStringLiteral("corta")},  // negative after 2 colpi
        {3, 5, {bet({88}, S::Estratto, on({CA}))}, std::nullopt},     // in play: 2 of its 5 colpi
    };
    const CollaudoResult r = runGiocate(giocate, archive, 2);
    ASSERT_EQ(r.casi.size(), 3u);
    ASSERT_EQ(r.colpi.size(), 5u);

    const CollaudoCase& positive = r.casi[0];
    EXPECT_EQ(positive.colpo, 3);
    EXPECT_EQ(positive.esito, CaseOutcome::Esito::Positivo);
    EXPECT_TRUE(positive.complete);
    EXPECT_NEAR(positive.spent, 1.0 + 2.0 + 1.0, 1e-12); // BA; BA and CA; BA: then it stops
    EXPECT_NEAR(positive.won, 11.23, 1e-12);
    // Its chance runs over all four colpi: five drawn wheels in all.
    EXPECT_NEAR(positive.probability, 1.0 - std::pow(1.0 - e1, 5), 1e-14);

    const CollaudoCase& shortOne = r.casi[1];
    EXPECT_EQ(shortOne.giocata.nota, QStringLiteral("corta"));
    EXPECT_EQ(shortOne.esito, CaseOutcome::Esito::Negativo);
    EXPECT_TRUE(shortOne.complete);
    EXPECT_NEAR(shortOne.spent, 2.0, 1e-12);
    EXPECT_NEAR(shortOne.probability, 1.0 - std::pow(1.0 - e1, 2), 1e-14);

    const CollaudoCase& open = r.casi[2];
    EXPECT_EQ(open.esito, CaseOutcome::Esito::InGioco);
    EXPECT_FALSE(open.complete);
    EXPECT_NEAR(open.spent, 1.0, 1e-12); // CA drawn in draw 5 only

    const CollaudoSummary& s = r.riepilogo;
    EXPECT_EQ(s.casi, 3);
    EXPECT_EQ(s.positivi, 1);
    EXPECT_EQ(s.negativi, 1);
    EXPECT_EQ(s.inGioco, 1);
    EXPECT_EQ(s.casiCompleti, 2);
    EXPECT_NEAR(s.attesi, positive.probability + shortOne.probability, 1e-14);
    EXPECT_NEAR(s.spesa, 7.0, 1e-12);
    // By colpo: the short giocata's chance stays at its two colpi from colpo 2 on.
    const std::array<double, 5> shortBy{e1, 1.0 - std::pow(1.0 - e1, 2), 1.0 - std::pow(1.0 - e1, 2),
                                        1.0 - std::pow(1.0 - e1, 2), 1.0 - std::pow(1.0 - e1, 2)};
    const std::array<double, 5> positiveBy{e1, 1.0 - std::pow(1.0 - e1, 3), 1.0 - std::pow(1.0 - e1, 4),
                                           1.0 - std::pow(1.0 - e1, 5), 1.0 - std::pow(1.0 - e1, 5)};
    for (std::size_t k = 0; k < 5; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_EQ(r.colpi[k].colpo, static_cast<int>(k + 1));
        EXPECT_EQ(r.colpi[k].positivi, k + 1 >= 3 ? 1 : 0);
        EXPECT_NEAR(r.colpi[k].attesi, shortBy[k] + positiveBy[k], 1e-14);
    }
}

// What the built-in methods' own rules give a case and what its giocata gives on the giocate's rules.
void expectSameTracks(const CaseTracks& builtIn, const CaseTracks& asGiocate) {
    ASSERT_EQ(builtIn.size(), asGiocate.size());
    ASSERT_EQ(builtIn.colpi, asGiocate.colpi);
    for (std::size_t i = 0; i < builtIn.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(builtIn.colpo[i], asGiocate.colpo[i]);
        ASSERT_EQ(builtIn.available[i], asGiocate.available[i]);
        ASSERT_NEAR(builtIn.won[i], asGiocate.won[i], 1e-9 * std::max(1.0, builtIn.won[i]));
        for (int k = 1; k <= builtIn.colpi; ++k) {
            ASSERT_NEAR(builtIn.probabilityWithin(i, k), asGiocate.probabilityWithin(i, k), 1e-13) << k;
            ASSERT_NEAR(builtIn.spentWithin(i, k), asGiocate.spentWithin(i, k), 1e-9) << k;
        }
    }
}

std::vector<OutcomeBoxes> boxCombinations() {
    std::vector<OutcomeBoxes> all;
    for (unsigned bits = 0; bits < 16; ++bits)
        all.push_back({(bits & 1u) != 0, (bits & 2u) != 0, (bits & 4u) != 0, (bits & 8u) != 0});
    return all;
}

// Every equal ambo case of an archive, under every combination of outcome boxes and with uneven stakes,
// and every overdue case: their giocate have the same outcome, chance and money. Forecasts with damaged
// fields and repeated numbers are among the cases. (A field of 0 is left out: VERIFICA, reading cells,
// finds it in the empty cells of a wheel not drawn, which no giocata does.)
void expectBuiltInsAsGiocate(const DrawArchive& archive, int colpi, const WheelRelations::Types& types,
                             const std::vector<OutcomeBoxes>& everyBoxes) {
    const DrawnNumbers drawn(archive);
    CollaudoSettings settings;
    settings.types = types;
    std::vector<EqualAmboCase> cases = findEqualAmbi(settings.search(), archive, archive.drawCount(), 1);
    ASSERT_FALSE(cases.empty());
    // Damaged and repeated forecast numbers, as a grid read back can give.
    for (std::size_t i = 0; i < cases.size(); i += 7) {
        Forecast& f = cases[i].forecast;
        switch (i % 4) {
        case 0: f.A2 = 91; break;
        case 1: f.A1 = f.Ambata; break;
        case 2: f.Ambata = 95; break;
        default: f.A3 = f.A1; break;
        }
    }
    const Stakes stakes{0.5, 2.0, 0.0, 1.5};
    for (const OutcomeBoxes& boxes : everyBoxes) {
        SCOPED_TRACE(testing::Message() << boxes.ambata << boxes.treAmbi << boxes.quartina << boxes.tutte);
        std::vector<Giocata> giocate;
        for (const EqualAmboCase& c : cases)
            giocate.push_back(giocataOf(c, colpi, boxes, stakes));
        expectSameTracks(trackCases(cases, colpi, boxes, stakes, archive, 2), trackGiocate(giocate, drawn, 2));
    }
    std::array<bool, WheelCount> wheels{};
    wheels.fill(true);
    const std::vector<OverdueCase> overdue = findOverdueCases(wheels, 20, colpi, 1, archive.drawCount(), archive, drawn);
    ASSERT_FALSE(overdue.empty());
    std::vector<Giocata> giocate;
    for (const OverdueCase& c : overdue)
        giocate.push_back(giocataOf(c, colpi, stakes));
    expectSameTracks(trackCases(overdue, colpi, stakes, drawn, 2), trackGiocate(giocate, drawn, 2));
}

TEST(BuiltInsAsGiocate, SameFiguresOnRandomDraws) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.randomDraws(120, 7);
    build.emptyDraws(2); // wheels not drawn, also in the last colpi
    build.randomDraws(30, 8);
    build.finish();
    expectBuiltInsAsGiocate(archive, 9, {true, false, false, false, false, false, false}, boxCombinations());

    // The whole back-test of each method against its cases' giocate run as any method's.
    for (const auto metodo : {MethodSettings::Metodo::AmboUguale, MethodSettings::Metodo::Ritardatario}) {
        CollaudoSettings settings;
        settings.metodo = metodo;
        settings.soglia = 30;
        settings.colpi = 7;
        settings.stakes = {0.5, 2.0, 3.0, 1.5};
        const CollaudoResult builtIn = runCollaudo(settings, archive);
        std::vector<Giocata> giocate;
        for (const CollaudoCase& c : builtIn.casi)
            giocate.push_back(playedGiocata(c, settings));
        ASSERT_FALSE(giocate.empty());
        const CollaudoResult asGiocate = runGiocate(giocate, archive, 2);
        ASSERT_EQ(asGiocate.casi.size(), builtIn.casi.size());
        for (std::size_t i = 0; i < giocate.size(); ++i) {
            EXPECT_EQ(asGiocate.casi[i].giocata, giocate[i]);
            EXPECT_EQ(asGiocate.casi[i].draw, builtIn.casi[i].draw);
            EXPECT_EQ(asGiocate.casi[i].date, builtIn.casi[i].date);
            EXPECT_EQ(asGiocate.casi[i].esito, builtIn.casi[i].esito);
        }
        const CollaudoSummary& a = asGiocate.riepilogo;
        const CollaudoSummary& b = builtIn.riepilogo;
        EXPECT_EQ(a.positivi, b.positivi);
        EXPECT_EQ(a.inGioco, b.inGioco);
        EXPECT_EQ(a.casiCompleti, b.casiCompleti);
        EXPECT_NEAR(a.attesi, b.attesi, 1e-9);
        EXPECT_NEAR(a.p, b.p, 1e-9);
        EXPECT_NEAR(a.saldo, b.saldo, 1e-6);
        ASSERT_EQ(asGiocate.colpi.size(), builtIn.colpi.size());
        for (std::size_t k = 0; k < builtIn.colpi.size(); ++k) {
            EXPECT_EQ(asGiocate.colpi[k].positivi, builtIn.colpi[k].positivi);
            EXPECT_NEAR(asGiocate.colpi[k].attesi, builtIn.colpi[k].attesi, 1e-9);
        }
    }
}

TEST(BuiltInsAsGiocate, SameFiguresOnTheRealHistory) {
    if (fixtures::realHistoryFolder().isEmpty())
        GTEST_SKIP() << "no real history beside the project";
    QString error;
    const std::unique_ptr<DrawArchive> archive = fixtures::loadRealHistory(error);
    ASSERT_NE(archive, nullptr) << error.toStdString();
    // The default types, with every box and with each box alone.
    expectBuiltInsAsGiocate(*archive, 18, MethodSettings().types,
                            {{true, true, true, true},
                             {true, false, false, false},
                             {false, true, false, false},
                             {false, false, true, false}});
}

} // namespace giocate
