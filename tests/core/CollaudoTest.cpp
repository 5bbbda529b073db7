#include "core/Collaudo.h"

#include "ArchiveBuilder.h"
#include "ArchiveFixtures.h"
#include "WheelCodes.h"
#include "core/Binomial.h"
#include "core/DrawArchive.h"
#include "io/ArchiveLoader.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

using N = ArchiveBuilder::Numbers;

// No number of the forecasts below: follow-up draws that give no outcome.
const N Quiet1{1, 2, 3, 4, 6};
const N Quiet2{7, 9, 11, 13, 16};

// The case of every hand-made archive below: 10+20 and 5+25 at positions 1 and 2, both 30. Its forecast
// is ambata 25, A1 (1020 + 525) % 90 = 15, A2 90 - 15 = 75, A3 the diametral 30.
const N CaseFirst{10, 20, 31, 47, 62};
const N CaseSecond{5, 25, 33, 58, 71};

CollaudoSettings onlyTheFirstDraw(int w1, int w2, OutcomeBoxes boxes, int colpi) {
    CollaudoSettings s;
    s.wheels.fill(false);
    s.wheels[w1] = s.wheels[w2] = true;
    s.positions = {true, true, false, false, false};
    s.types = {true, false, false, false, false, false, false};
    s.boxes = boxes;
    s.colpi = colpi;
    s.first = s.last = 1;
    return s;
}

// The chance that one wheel holds two or more of four given numbers.
double twoOfFour() {
    double p = 0.0;
    for (int k = 2; k <= 4; ++k)
        p += binomial(4, k) * binomial(86, 5 - k) / binomial(90, 5);
    return p;
}

struct ChanceCase {
    const char* name;
    int secondWheel;
    OutcomeBoxes boxes;
    bool allWheels;     // follow-up draws hold every wheel, else only the case's two
    int missingAtColpo; // the second wheel is not drawn at this colpo (0: always drawn)
    double expected;    // for 3 colpi
};

const OutcomeBoxes AmbataOnly{true, false, false, false};
const OutcomeBoxes QuartinaOnly{false, false, true, false};
const OutcomeBoxes QuartinaTutte{false, false, true, true};

class ChanceProbability : public ::testing::TestWithParam<ChanceCase> {};

TEST_P(ChanceProbability, MatchesTheFormulaWorkedOutByHand) {
    const ChanceCase& c = GetParam();
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.draw({{BA, CaseFirst}, {c.secondWheel, CaseSecond}});
    for (int colpo = 1; colpo <= 3; ++colpo) {
        ArchiveBuilder::Wheels wheels;
        for (int w = 0; w < WheelCount; ++w)
            if (c.allWheels || w == BA || w == c.secondWheel)
                wheels[w] = w % 2 == 0 ? Quiet1 : Quiet2;
        if (colpo == c.missingAtColpo)
            wheels.erase(c.secondWheel);
        build.draw(wheels);
    }
    build.finish();
    const CollaudoResult r = runCollaudo(onlyTheFirstDraw(BA, c.secondWheel, c.boxes, 3), archive);
    ASSERT_EQ(r.casi.size(), 1u);
    EXPECT_EQ(r.casi[0].esito, CaseOutcome::Esito::Negativo);
    EXPECT_TRUE(r.casi[0].complete);
    EXPECT_NEAR(r.casi[0].probability, c.expected, 1e-14);
    EXPECT_NEAR(r.riepilogo.attesi, c.expected, 1e-14);
    EXPECT_NEAR(r.riepilogo.p, 1.0, 0.0); // no positive case
    // Without any chance of an outcome there is no deviation, hence no z.
    EXPECT_EQ(r.riepilogo.z.has_value(), c.expected > 0.0);
    EXPECT_GE(r.riepilogo.deviazione, 0.0); // a number, never NaN
}

const double Ambata = 85.0 / 90.0;
const double Quartina = 1.0 - twoOfFour();

INSTANTIATE_TEST_SUITE_P(
    HandMadeArchives, ChanceProbability,
    ::testing::Values(
        ChanceCase{"AmbataOnBothWheels", CA, AmbataOnly, false, 0, 1.0 - std::pow(Ambata, 6)},
        ChanceCase{"AmbataWithAWheelMissing", CA, AmbataOnly, false, 2, 1.0 - std::pow(Ambata, 5)},
        ChanceCase{"AmbataOnNazionale", NZ, AmbataOnly, true, 0, 1.0 - std::pow(Ambata, 6)},
        ChanceCase{"QuartinaOnTheTwoWheels", CA, QuartinaOnly, false, 0, 1.0 - std::pow(Quartina, 6)},
        ChanceCase{"QuartinaNeverOnNazionale", NZ, QuartinaOnly, true, 0, 1.0 - std::pow(Quartina, 3)},
        ChanceCase{"QuartinaTutteOnTenWheels", NZ, QuartinaTutte, true, 0, 1.0 - std::pow(Quartina, 30)},
        ChanceCase{"QuartinaTutteWithAWheelMissing", CA, QuartinaTutte, true, 3,
                   1.0 - std::pow(Quartina, 29)},
        ChanceCase{"NoOutcomeBox", CA, {false, false, false, false}, true, 0, 0.0}),
    [](const auto& param) { return std::string(param.param.name); });

// A forecast with an Ai equal to the ambata: that Ai gives no ambo, the others still do.
TEST(ChanceProbability, AnAiEqualToTheAmbataGivesNoAmbo) {
    DrawArchive probe;
    probe.fillWheelCodesAndDiametral();
    int x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    Forecast f;
    for (int a = 1; a <= 90 && x1 == 0; ++a)
        for (int b = a + 1; b <= 90 && x1 == 0; ++b)
            for (int c = 1; c <= 90 && x1 == 0; ++c) {
                const int d = ((a + b - c) % 90 + 90) % 90;
                if (d == 0 || d == a || d == b || c == a || c == b || c == d || !isEqualAmbo(a, b, c, d))
                    continue;
                f = computeForecast(a, b, c, d, probe);
                if (f.A1 == f.Ambata || f.A2 == f.Ambata || f.A3 == f.Ambata) {
                    x1 = a, x2 = b, y1 = c, y2 = d;
                }
            }
    ASSERT_NE(x1, 0);
    std::vector<int> others;
    for (int n : {f.A1, f.A2, f.A3})
        if (n != f.Ambata && std::find(others.begin(), others.end(), n) == others.end())
            others.push_back(n);

    DrawArchive archive;
    ArchiveBuilder build(archive);
    // Fillers for positions 3 to 5 that are none of the forecast's numbers.
    std::vector<std::int16_t> free;
    for (int n = 1; n <= 90 && free.size() < 6; ++n)
        if (n != x1 && n != x2 && n != y1 && n != y2 && n != f.Ambata && n != f.A1 && n != f.A2 && n != f.A3)
            free.push_back(static_cast<std::int16_t>(n));
    const auto s = [](int n) { return static_cast<std::int16_t>(n); };
    build.draw(
        {{BA, {s(x1), s(x2), free[0], free[1], free[2]}}, {CA, {s(y1), s(y2), free[3], free[4], free[5]}}});
    build.draw({{BA, Quiet1}, {CA, Quiet2}});
    build.finish();
    const CollaudoResult r = runCollaudo(onlyTheFirstDraw(BA, CA, {false, true, false, false}, 1), archive);
    ASSERT_EQ(r.casi.size(), 1u);
    const int d = static_cast<int>(others.size());
    const double hit = (binomial(89, 4) - binomial(89 - d, 4)) / binomial(90, 5);
    EXPECT_NEAR(r.casi[0].probability, 1.0 - (1.0 - hit) * (1.0 - hit), 1e-14);
}

// A wheel counts as drawn when its cell holds at least one number from 1 to 90: a damaged cell takes
// its stakes, wins on its valid numbers and has the chance of a drawn wheel, as VERIFICA finds its hits.
struct DamagedCell {
    const char* name;
    N cell; // Cagliari at the one colpo
    bool drawn;
    bool hit; // holds the ambata 25
};

class DamagedWheel : public ::testing::TestWithParam<DamagedCell> {};

TEST_P(DamagedWheel, CountsAsDrawnWhenItHoldsAValidNumber) {
    const DamagedCell& c = GetParam();
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.draw({{BA, CaseFirst}, {CA, CaseSecond}});
    build.draw({{BA, Quiet1}, {CA, c.cell}});
    build.finish();
    const CollaudoResult r = runCollaudo(onlyTheFirstDraw(BA, CA, AmbataOnly, 1), archive);
    ASSERT_EQ(r.casi.size(), 1u);
    const CollaudoCase& k = r.casi[0];
    const double q = 5.0 / 90.0;
    EXPECT_NEAR(k.probability, c.drawn ? 1.0 - (1.0 - q) * (1.0 - q) : q, 1e-14);
    EXPECT_DOUBLE_EQ(k.spent, c.drawn ? 2.0 : 1.0);
    EXPECT_DOUBLE_EQ(k.won, c.hit ? 11.23 : 0.0);
    EXPECT_EQ(k.colpo, c.hit ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    HandMadeArchives, DamagedWheel,
    ::testing::Values(DamagedCell{"ShortCellWithTheAmbata", N{25, 60, 0, 0, 0}, true, true},
                      DamagedCell{"NumberAboveNinety", N{25, 60, 61, 62, 95}, true, true},
                      DamagedCell{"NegativeFieldsAndOneValidNumber", N{-5, -1, 0, 77, 0}, true, false},
                      DamagedCell{"OnlyInvalidFields", N{0, 91, -3, 0, 99}, false, false},
                      DamagedCell{"EmptyCell", N{0, 0, 0, 0, 0}, false, false}),
    [](const auto& param) { return std::string(param.param.name); });

struct BalanceCase {
    const char* name;
    int secondWheel;
    OutcomeBoxes boxes;
    Stakes stakes;
    std::vector<ArchiveBuilder::Wheels> followUps;
    int colpo; // first positive colpo, 0 none
    double spent;
    double won;
};

class Balance : public ::testing::TestWithParam<BalanceCase> {};

TEST_P(Balance, SpendsAndWinsWhatTheBetsSay) {
    const BalanceCase& c = GetParam();
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.draw({{BA, CaseFirst}, {c.secondWheel, CaseSecond}});
    for (const auto& wheels : c.followUps)
        build.draw(wheels);
    build.finish();
    CollaudoSettings settings = onlyTheFirstDraw(BA, c.secondWheel, c.boxes, 5);
    settings.stakes = c.stakes;
    const CollaudoResult r = runCollaudo(settings, archive);
    ASSERT_EQ(r.casi.size(), 1u);
    EXPECT_EQ(r.casi[0].colpo, c.colpo);
    EXPECT_NEAR(r.casi[0].spent, c.spent, 1e-9);
    EXPECT_NEAR(r.casi[0].won, c.won, 1e-9);
    const CollaudoSummary& s = r.riepilogo;
    EXPECT_NEAR(s.spesa, c.spent, 1e-9);
    EXPECT_NEAR(s.vincite, c.won, 1e-9);
    EXPECT_NEAR(s.ritenuta, 0.08 * c.won, 1e-9);
    EXPECT_NEAR(s.saldo, 0.92 * c.won - c.spent, 1e-9);
    ASSERT_TRUE(s.resa.has_value());
    EXPECT_NEAR(*s.resa, (0.92 * c.won - c.spent) / c.spent, 1e-12);
}

const N WithAmbata{25, 2, 3, 4, 6};         // the ambata alone
const N WithAmbo{7, 25, 11, 15, 16};        // ambata and A1
const N WithTwoOfQuartina{75, 30, 3, 4, 6}; // A2 and A3

INSTANTIATE_TEST_SUITE_P(
    HandMadeArchives, Balance,
    ::testing::Values(
        // Two colpi on two wheels at 2 each, then 11.23 x 2 on Bari.
        BalanceCase{"AmbataAtTheSecondColpo",
                    CA,
                    AmbataOnly,
                    {2, 1, 1, 1},
                    {{{BA, Quiet1}, {CA, Quiet2}}, {{BA, WithAmbata}, {CA, Quiet2}}},
                    2,
                    8.0,
                    22.46},
        // One placement of ambo, terno and quaterna for the ten wheels; Firenze pays a tenth of
        // C(2,2)/C(4,2) x 250.
        BalanceCase{"QuartinaTutteAmboOnAnotherWheel",
                    CA,
                    QuartinaTutte,
                    {},
                    {{{BA, Quiet1}, {CA, Quiet2}, {FI, WithTwoOfQuartina}}},
                    1,
                    3.0,
                    250.0 / 6.0 / 10.0},
        // Three ambi on Bari alone (Cagliari not drawn), then on both: ambata-A1 hits on Cagliari.
        BalanceCase{"TreAmbiWithAWheelMissing",
                    CA,
                    {false, true, false, false},
                    {},
                    {{{BA, Quiet1}}, {{BA, Quiet1}, {CA, WithAmbo}}},
                    2,
                    9.0,
                    250.0},
        // The quartina is never played on Nazionale; a terno stake of 0 places no terno.
        BalanceCase{"QuartinaBesideNazionaleWithoutTerno",
                    NZ,
                    QuartinaOnly,
                    {1, 1, 0, 1},
                    {{{BA, Quiet1}, {NZ, WithTwoOfQuartina}}, {{BA, WithTwoOfQuartina}, {NZ, Quiet2}}},
                    2,
                    4.0,
                    250.0 / 6.0}),
    [](const auto& param) { return std::string(param.param.name); });

// The back-test's agreement with the ambo window's grids is checked beside the window, in
// tests/gui/ambo/AmboPipelineAgreementTest.cpp.

// Every case's chance adds up to the expected count, and per colpo both columns grow.
TEST(CollaudoSummary, CountsAddUpAndColpiAreCumulative) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.randomDraws(300, 9);
    build.finish();
    CollaudoSettings s;
    s.colpi = 12;
    const CollaudoResult r = runCollaudo(s, archive);
    const CollaudoSummary& m = r.riepilogo;
    EXPECT_EQ(m.casi, static_cast<int>(r.casi.size()));
    EXPECT_EQ(m.positivi + m.negativi + m.inGioco, m.casi);
    double expected = 0.0, spent = 0.0;
    int complete = 0;
    for (const CollaudoCase& c : r.casi) {
        if (c.complete) {
            ++complete;
            expected += c.probability;
        }
        spent += c.spent;
        EXPECT_EQ(c.complete, c.equalAmbo().draw + 12 <= 300);
    }
    EXPECT_EQ(m.casiCompleti, complete);
    EXPECT_NEAR(m.attesi, expected, 1e-9);
    EXPECT_NEAR(m.spesa, spent, 1e-9);
    ASSERT_EQ(r.colpi.size(), 12u);
    EXPECT_EQ(r.colpi.back().positivi, m.positiviCompleti);
    EXPECT_NEAR(r.colpi.back().attesi, m.attesi, 1e-9);
    for (std::size_t k = 1; k < r.colpi.size(); ++k) {
        EXPECT_GE(r.colpi[k].positivi, r.colpi[k - 1].positivi);
        EXPECT_GT(r.colpi[k].attesi, r.colpi[k - 1].attesi);
    }
}

// The draws are random: with the default settings over the whole real history the positives stay within
// a few deviations of chance. A wrong chance model shows up here.
TEST(CollaudoOnTheRealHistory, DefaultSettingsStayCloseToChance) {
    if (fixtures::realHistoryFolder().isEmpty())
        GTEST_SKIP() << "no real history beside the project";
    QString error;
    const std::unique_ptr<DrawArchive> archive = fixtures::loadRealHistory(error);
    ASSERT_NE(archive, nullptr) << error.toStdString();
    ASSERT_GT(archive->drawCount(), 7000);

    const CollaudoResult r = runCollaudo(CollaudoSettings{}, *archive);
    ASSERT_GT(r.riepilogo.casiCompleti, 5000);
    ASSERT_TRUE(r.riepilogo.z.has_value());
    RecordProperty("z", std::to_string(*r.riepilogo.z));
    EXPECT_LT(std::abs(*r.riepilogo.z), 4.0)
        << "positives " << r.riepilogo.positiviCompleti << " expected " << r.riepilogo.attesi;
}

} // namespace
