#include "AmboFixture.h"

namespace {

// One draw in which every pair of the given wheels is an equal ambo on positions 1 and 2 and on no other
// pair: wheel w holds 10 + w and 50 - w (sum 60), then zeros, whose pairs sum to 0 and never match.
ArchiveBuilder::Wheels allPairsMatch(std::initializer_list<int> wheels) {
    ArchiveBuilder::Wheels out;
    for (int w : wheels)
        out[w] = {static_cast<std::int16_t>(10 + w), static_cast<std::int16_t>(50 - w), 0, 0, 0};
    return out;
}

ArchiveBuilder::Wheels allElevenMatch() {
    return allPairsMatch({BA, CA, FI, GE, MI, NA, PA, RO, TO, VE, NZ});
}

class EqualAmboSearch : public AmboFixture {};

TEST_F(EqualAmboSearch, FirstWorkedExampleGivesTheCaseRowWithItsForecast) {
    build.emptyDraws(3);
    // Bari 12 45 and Cagliari 20 37 on positions 1 and 2 (sums 57); no other position pair agrees.
    const int d = build.draw({{BA, {12, 45, 1, 2, 3}}, {CA, {20, 37, 80, 81, 83}}});
    build.emptyDraws(2);
    open();
    controls.Ch_Intervallo = 1;
    search();

    ASSERT_EQ(caseRows(), 1);
    EXPECT_EQ(state.CasiTrovati, 1);
    EXPECT_EQ(Fg1.text(1, 0), "1");
    EXPECT_EQ(Fg1.text(1, 1), QString::number(d));
    EXPECT_EQ(Fg1.text(1, 2), archive().drawDate(d));
    EXPECT_EQ(Fg1.text(1, 4), QString::number(d + 1));
    EXPECT_EQ(Fg1.text(1, 5), QString::number(d + 9));
    EXPECT_EQ(Fg1.text(1, 7), "0");
    EXPECT_EQ(Fg1.text(1, 8), "BA");
    EXPECT_EQ(Fg1.text(1, 14), QString::number(d));
    EXPECT_EQ(Fg1.text(1, 15), archive().drawDate(d));
    EXPECT_EQ(Fg1.text(1, 16), "1");
    EXPECT_EQ(Fg1.text(1, 17), "CA");
    const QStringList first{"12", "45", "1", "2", "3"};
    const QStringList second{"20", "37", "80", "81", "83"};
    for (int p = 0; p < 5; ++p) {
        EXPECT_EQ(Fg1.text(1, 9 + p), first[p]);
        EXPECT_EQ(Fg1.text(1, 18 + p), second[p]);
        const GridModel::Colour expected = p < 2 ? AmboState::ColorePosizione : AmboState::Bianco;
        EXPECT_EQ(Fg1.backColour(1, 9 + p), expected) << p;
        EXPECT_EQ(Fg1.backColour(1, 18 + p), expected) << p;
    }
    // Ambata 37; 1245 + 2037 = 3282, mod 90 = 42; 90 - 42 = 48; diametral of 48 is 3.
    EXPECT_EQ(Fg1.text(1, 28), "37");
    EXPECT_EQ(Fg1.text(1, 29), "42");
    EXPECT_EQ(Fg1.text(1, 30), "48");
    EXPECT_EQ(Fg1.text(1, 31), "3");
    for (int c : {3, 6, 23, 24, 25, 26, 27, 32, 33, 34, 35, 36, 37, 38, 39, 47})
        EXPECT_TRUE(Fg1.text(1, c).isEmpty()) << c;
}

TEST_F(EqualAmboSearch, SecondWorkedExampleTurnsRemainderZeroInto90AndA2Into1) {
    // 1 8 against 7 2: sums 9; 18 + 72 = 90, remainder 0, so A1 = 90, A2 = 1, A3 = 46; ambata 2.
    build.draw({{FI, {1, 8, 0, 0, 0}}, {RO, {7, 2, 0, 0, 0}}});
    open();
    search();
    ASSERT_EQ(caseRows(), 1);
    EXPECT_EQ(wheelPairs(), QStringList{"FI-RO"});
    EXPECT_EQ(Fg1.text(1, 28), "2");
    EXPECT_EQ(Fg1.text(1, 29), "90");
    EXPECT_EQ(Fg1.text(1, 30), "1");
    EXPECT_EQ(Fg1.text(1, 31), "46");
}

TEST(EqualAmboForecast, DigitsOfOneDigitNumbersAreJoinedWithoutPadding) {
    DrawArchive archive;
    archive.fillWheelCodesAndDiametral();
    // 5 23 gives 523 and 6 22 gives 622: 1145 mod 90 = 65, A2 = 25, A3 = 70.
    const Forecast f = computeForecast(5, 23, 6, 22, archive);
    EXPECT_EQ(f.Ambata, 22);
    EXPECT_EQ(f.A1, 65);
    EXPECT_EQ(f.A2, 25);
    EXPECT_EQ(f.A3, 70);
}

TEST(EqualAmboForecast, SumsAreComparedModulo90AndZeroNeverMatches) {
    EXPECT_TRUE(isEqualAmbo(80, 70, 30, 30));  // 150 and 60: both 60
    EXPECT_FALSE(isEqualAmbo(30, 60, 10, 80)); // both 90
    EXPECT_FALSE(isEqualAmbo(90, 90, 30, 60)); // 180 and 90
    EXPECT_FALSE(isEqualAmbo(0, 0, 0, 0));     // wheel without numbers
    EXPECT_FALSE(isEqualAmbo(12, 45, 20, 38));
}

TEST_F(EqualAmboSearch, AmbiSumming90Or180AreNoCaseWhileSum91Is) {
    build.draw({{BA, {30, 60, 0, 0, 0}}, {CA, {10, 80, 0, 0, 0}}});
    build.draw({{BA, {90, 90, 0, 0, 0}}, {CA, {30, 60, 0, 0, 0}}});
    const int d = build.draw({{BA, {31, 60, 0, 0, 0}}, {CA, {11, 80, 0, 0, 0}}});
    open();
    controls.Ch_Intervallo = 1;
    search();
    ASSERT_EQ(caseRows(), 1);
    EXPECT_EQ(Fg1.text(1, 1), QString::number(d));
}

TEST_F(EqualAmboSearch, IdenticalAmbiAreCases) {
    build.draw({{BA, {12, 45, 3, 4, 5}}, {CA, {12, 45, 70, 71, 72}}});
    open();
    search();
    ASSERT_EQ(caseRows(), 1);
    // 1245 + 1245 = 2490, mod 90 = 60; A2 = 30; A3 = 75.
    EXPECT_EQ(Fg1.text(1, 28), "45");
    EXPECT_EQ(Fg1.text(1, 29), "60");
    EXPECT_EQ(Fg1.text(1, 30), "30");
    EXPECT_EQ(Fg1.text(1, 31), "75");
}

struct TypeCase {
    const char* name;
    std::vector<int> types;
    QStringList pairs; // in the order the search lists them
};

class WheelTypes : public AmboFixture, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(WheelTypes, AdmitExactlyTheirPairs) {
    build.draw(allElevenMatch());
    open();
    controls.Ch_RuoteTipo.fill(0);
    for (int t : GetParam().types)
        controls.Ch_RuoteTipo.at(t) = 1;
    search();
    EXPECT_EQ(wheelPairs(), GetParam().pairs);
}

QStringList everyPair() {
    static const char* const codes[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE", "NZ"};
    QStringList pairs;
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 11; ++b)
            pairs << QString::fromLatin1(codes[a]) + "-" + QString::fromLatin1(codes[b]);
    return pairs;
}

INSTANTIATE_TEST_SUITE_P(
    AloneAndCombined, WheelTypes,
    ::testing::Values(
        TypeCase{"None", {}, {}}, TypeCase{"Tutte", {0}, everyPair()},
        TypeCase{"Adiacenti",
                 {1},
                 {"BA-CA", "BA-VE", "CA-FI", "FI-GE", "GE-MI", "MI-NA", "NA-PA", "PA-RO", "RO-TO", "TO-VE"}},
        TypeCase{"Diametrali", {2}, {"BA-NA", "CA-PA", "FI-RO", "GE-TO", "MI-VE"}},
        TypeCase{"Gemelle", {3}, {"BA-VE", "CA-TO", "FI-RO", "GE-PA", "MI-NA"}},
        TypeCase{"GMTV", {4}, {"GE-MI", "GE-TO", "GE-VE", "MI-TO", "MI-VE", "TO-VE"}},
        TypeCase{"CFRZ", {5}, {"CA-FI", "CA-RO", "CA-NZ", "FI-RO", "FI-NZ", "RO-NZ"}},
        TypeCase{"BNP", {6}, {"BA-NA", "BA-PA", "NA-PA"}},
        TypeCase{"AdiacentiDiametrali",
                 {1, 2},
                 {"BA-CA", "BA-NA", "BA-VE", "CA-FI", "CA-PA", "FI-GE", "FI-RO", "GE-MI", "GE-TO", "MI-NA",
                  "MI-VE", "NA-PA", "PA-RO", "RO-TO", "TO-VE"}},
        // Firenze-Roma is both diametral and twin: listed once.
        TypeCase{"DiametraliGemelle",
                 {2, 3},
                 {"BA-NA", "BA-VE", "CA-PA", "CA-TO", "FI-RO", "GE-PA", "GE-TO", "MI-NA", "MI-VE"}},
        TypeCase{"GruppiInsieme",
                 {4, 5, 6},
                 {"BA-NA", "BA-PA", "CA-FI", "CA-RO", "CA-NZ", "FI-RO", "FI-NZ", "GE-MI", "GE-TO", "GE-VE",
                  "MI-TO", "MI-VE", "NA-PA", "RO-NZ", "TO-VE"}},
        TypeCase{"TutteWithOthers", {0, 3, 6}, everyPair()}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(EqualAmboSearch, GreyWheelTypeBoxCountsAsUnchecked) {
    build.draw(allElevenMatch());
    open();
    typesOnly({});
    controls.Ch_RuoteTipo[0] = 2;
    search();
    EXPECT_EQ(caseRows(), 0);
}

TEST_F(EqualAmboSearch, NazionaleTakesPartOnlyAsSecondWheel) {
    build.draw(allPairsMatch({BA, NZ}));
    open();
    typesOnly({0});
    search();
    ASSERT_EQ(caseRows(), 1);
    EXPECT_EQ(Fg1.text(1, 7), "0");
    EXPECT_EQ(Fg1.text(1, 16), "10");
    EXPECT_EQ(wheelPairs(), QStringList{"BA-NZ"});
}

TEST_F(EqualAmboSearch, OnlySelectedWheelsArePaired) {
    build.draw(allElevenMatch());
    open();
    typesOnly({0});
    deselectAllWheels(FgR);
    FgR.setBackColour(0, CA, AmboState::ColoreRuota);
    FgR.setBackColour(0, RO, AmboState::ColoreRuota);
    FgR.setBackColour(0, NZ, AmboState::ColoreRuota);
    FgR.setBackColour(0, GE, 65534); // almost yellow is not selected
    search();
    EXPECT_EQ(wheelPairs(), (QStringList{"CA-RO", "CA-NZ", "RO-NZ"}));
}

TEST_F(EqualAmboSearch, FewerThanTwoWheelsOrPositionsGiveNoCase) {
    build.draw(allElevenMatch());
    open();
    typesOnly({0});
    deselectAllWheels(FgR);
    FgR.setBackColour(0, BA, AmboState::ColoreRuota);
    search();
    EXPECT_EQ(caseRows(), 0);

    selectAllWheels(FgR);
    deselectAllPositions(Fgp);
    Fgp.setBackColour(0, 0, AmboState::ColorePosizione);
    search();
    EXPECT_EQ(caseRows(), 0);

    Fgp.setBackColour(0, 1, AmboState::ColorePosizione);
    search();
    EXPECT_EQ(caseRows(), 55);
}

TEST_F(EqualAmboSearch, UnselectedPositionHidesItsPairs) {
    // Match on positions 1 and 3 only.
    build.draw({{BA, {10, 20, 30, 0, 0}}, {CA, {15, 1, 25, 0, 0}}});
    open();
    Fgp.setBackColour(0, 2, AmboState::Bianco);
    search();
    EXPECT_EQ(caseRows(), 0);
    Fgp.setBackColour(0, 2, AmboState::ColorePosizione);
    Fgp.setBackColour(0, 1, AmboState::Bianco);
    search();
    EXPECT_EQ(caseRows(), 1);
}

class PositionAdjacency : public AmboFixture {
protected:
    void SetUp() override {
        // Diametral pairs only, each matching on one position pair:
        // Bari-Napoli on 1-2, Cagliari-Palermo on 1-3, Firenze-Roma on 2-3, Genova-Torino on 1-5.
        build.draw({{BA, {10, 20, 0, 0, 0}},
                    {NA, {5, 25, 0, 0, 0}},
                    {CA, {10, 20, 30, 0, 0}},
                    {PA, {15, 1, 25, 0, 0}},
                    {FI, {5, 10, 30, 0, 0}},
                    {RO, {7, 15, 25, 0, 0}},
                    {GE, {10, 0, 0, 0, 30}},
                    {TO, {15, 0, 0, 0, 25}}});
        open();
        typesOnly({2});
    }
};

TEST_F(PositionAdjacency, WithoutItEveryPositionPairCounts) {
    search();
    EXPECT_EQ(wheelPairs(), (QStringList{"BA-NA", "CA-PA", "FI-RO", "GE-TO"}));
    EXPECT_EQ(Fg1.backColour(2, 9), AmboState::ColorePosizione);  // Cagliari position 1
    EXPECT_EQ(Fg1.backColour(2, 11), AmboState::ColorePosizione); // Cagliari position 3
    EXPECT_EQ(Fg1.backColour(2, 10), AmboState::Bianco);
    EXPECT_EQ(Fg1.backColour(4, 13), AmboState::ColorePosizione); // Genova position 5
}

TEST_F(PositionAdjacency, KeepsOnlyConsecutivePositionsAndNumbersStayConsecutive) {
    controls.ChPosAdi = 1;
    search();
    EXPECT_EQ(wheelPairs(), (QStringList{"BA-NA", "FI-RO"}));
    EXPECT_EQ(state.CasiTrovati, 2);
    EXPECT_EQ(Fg1.text(1, 0), "1");
    EXPECT_EQ(Fg1.text(2, 0), "2");
}

TEST_F(EqualAmboSearch, CasesOfADrawFollowFirstWheelThenPositionPairThenSecondWheel) {
    // Bari-Cagliari agree on 1-2 and 2-3, Bari-Firenze and Cagliari-Firenze on 1-2, nothing else.
    build.draw({{BA, {10, 20, 40, 0, 0}}, {CA, {12, 18, 42, 0, 0}}, {FI, {14, 16, 0, 0, 0}}});
    open();
    typesOnly({0});
    search();
    // Bari-Cagliari: 1-2 (30 = 30), 2-3 (60 = 60), 1-3 (50 vs 54: no). Bari-Firenze: 1-2 (30 = 30).
    // Cagliari-Firenze: 1-2 (30 = 30). Order: Bari 1-2 with CA then FI, Bari 2-3 with CA, then Cagliari.
    EXPECT_EQ(wheelPairs(), (QStringList{"BA-CA", "BA-FI", "BA-CA", "CA-FI"}));
    EXPECT_EQ(Fg1.backColour(3, 10), AmboState::ColorePosizione);
    EXPECT_EQ(Fg1.backColour(3, 11), AmboState::ColorePosizione);
    EXPECT_EQ(Fg1.backColour(3, 9), AmboState::Bianco);
}

TEST_F(EqualAmboSearch, FirstNumberAbove90SkipsTheCandidateButSecondDoesNot) {
    build.draw({{BA, {95, 5, 0, 0, 0}}, {CA, {3, 7, 0, 0, 0}}}); // 100 and 10: skipped (x1 > 90)
    build.draw({{BA, {3, 7, 0, 0, 0}}, {CA, {95, 5, 0, 0, 0}}}); // skipped (y1 > 90)
    const int d = build.draw({{BA, {5, 95, 0, 0, 0}}, {CA, {3, 7, 0, 0, 0}}});
    open();
    controls.Ch_Intervallo = 1;
    search();
    ASSERT_EQ(caseRows(), 1);
    EXPECT_EQ(Fg1.text(1, 1), QString::number(d));
}

TEST_F(EqualAmboSearch, NegativeNumbersOfADamagedArchiveDoNotBreakTheForecast) {
    // -5 + -3 = -8 on both wheels: a match, and a forecast whose remainder is negative.
    build.draw({{BA, {-5, -3, 0, 0, 0}}, {CA, {-4, -4, 0, 0, 0}}});
    open();
    search();
    ASSERT_EQ(caseRows(), 1);
    EXPECT_EQ(Fg1.text(1, 28), "-4");
}

class StopRule : public AmboFixture {};

TEST_F(StopRule, WalksBackPastTheRangeStartUntilEnoughCasesAndKeepsTheWholeLastDraw) {
    build.draw(allPairsMatch({BA, CA}));                        // 1 case, never reached
    const int middle = build.draw(allPairsMatch({BA, CA, FI})); // 3 cases
    build.emptyDraws(3);
    const int newest = build.draw(allPairsMatch({BA, CA})); // 1 case
    open();
    typesOnly({0});
    setRange(state, static_cast<std::int16_t>(newest), static_cast<std::int16_t>(newest));
    controls.ComboNC = "2";
    search();
    ASSERT_EQ(caseRows(), 4);
    EXPECT_EQ(state.CasiTrovati, 4);
    EXPECT_EQ(Fg1.text(1, 1), QString::number(newest));
    for (int r = 2; r <= 4; ++r)
        EXPECT_EQ(Fg1.text(r, 1), QString::number(middle));
}

TEST_F(StopRule, IntervalCoversExactlyTheRange) {
    build.draw(allPairsMatch({BA, CA}));
    const int start = build.draw(allPairsMatch({BA, CA}));
    build.draw(allPairsMatch({BA, CA}));
    const int end = build.draw(allPairsMatch({BA, CA}));
    build.draw(allPairsMatch({BA, CA}));
    open();
    typesOnly({0});
    setRange(state, static_cast<std::int16_t>(start), static_cast<std::int16_t>(end));
    controls.Ch_Intervallo = 1;
    controls.ComboNC = "1"; // ignored with "Intervallo"
    search();
    ASSERT_EQ(caseRows(), 3);
    EXPECT_EQ(Fg1.text(1, 1), QString::number(end));
    EXPECT_EQ(Fg1.text(3, 1), QString::number(start));
}

TEST_F(StopRule, NoNumberInNCasiStopsAfterTheFirstDrawVisited) {
    build.draw(allPairsMatch({BA, CA}));
    build.emptyDraws(2);
    open();
    typesOnly({0});
    controls.ComboNC = "tutti";
    search();
    EXPECT_EQ(caseRows(), 0);
    controls.ComboNC = "1";
    search();
    EXPECT_EQ(caseRows(), 1);
}

TEST_F(StopRule, CapStopsAfterTheDrawThatPassesAThousandCases) {
    // 10 cases per draw (every pair of five wheels): 1000 after 100 draws is not yet more than 1000.
    for (int i = 0; i < 105; ++i)
        build.draw(allPairsMatch({BA, CA, FI, GE, MI}));
    open();
    typesOnly({0});
    controls.Ch_Intervallo = 1;
    setRange(state, 1, archive().drawCount());
    search();
    EXPECT_EQ(caseRows(), 1010);
    EXPECT_EQ(state.CasiTrovati, 1010);
    EXPECT_EQ(Fg1.text(1010, 1), QString::number(archive().drawCount() - 100));
}

TEST_F(StopRule, CapKeepsEveryCaseOfTheDrawThatPassesIt) {
    // 55 cases per draw: 990 after 18 draws, 1045 after the 19th.
    for (int i = 0; i < 25; ++i)
        build.draw(allElevenMatch());
    open();
    typesOnly({0});
    controls.Ch_Intervallo = 1;
    setRange(state, 1, archive().drawCount());
    search();
    EXPECT_EQ(caseRows(), 1045);
    EXPECT_EQ(Fg1.text(caseRows(), 0), "1045");
}

TEST_F(StopRule, CapNoticeSaysWhereTheSearchStoppedOnlyWhenTheCapCutTheRangeShort) {
    // 10 cases in each of 105 draws: the cap stops the search after draw 5 (1010 cases).
    build.equalAmboDraws(105, 5);
    open();
    typesOnly({0});
    struct Case {
        const char* what;
        bool intervallo;
        std::int16_t start;
        std::int16_t end;
        const char* casi;
        int rows;
        std::int16_t stopped;
    };
    const std::vector<Case> cases = {
        {"cap inside the range", true, 1, 105, "10", 1010, 5},
        {"cap in a range ending lower", true, 1, 104, "10", 1010, 4},
        {"cap on the range's first draw: nothing left out", true, 5, 105, "10", 1010, 0},
        {"range ends before the cap", true, 20, 105, "10", 860, 0},
        {"the case limit stops first", false, 1, 105, "200", 200, 0},
        {"a typed limit the cap overrides", false, 1, 105, "5000", 1010, 5},
    };
    for (const Case& c : cases) {
        setRange(state, c.start, c.end);
        controls.Ch_Intervallo = c.intervallo ? 1 : 0;
        controls.ComboNC = c.casi;
        search();
        EXPECT_EQ(caseRows(), c.rows) << c.what;
        EXPECT_EQ(state.EstrazioneFermata, c.stopped) << c.what;
        const QString expected =
            c.stopped == 0 ? QString()
                           : QStringLiteral("Ricerca fermata a 1000 casi: estrazioni dalla %1 alla %2")
                                 .arg(c.stopped)
                                 .arg(c.end);
        EXPECT_EQ(caseCapNotice(state), expected) << c.what;
    }
}

TEST_F(EqualAmboSearch, ColpiBeyond16BitsAfterTheDrawAreWrittenWithoutOverflow) {
    build.emptyDraws(2);
    const int d = build.draw(allPairsMatch({BA, CA}));
    open();
    typesOnly({0});
    controls.ComboC = "32767";
    search();
    ASSERT_EQ(caseRows(), 1);
    EXPECT_EQ(Fg1.text(1, 5), QString::number(d + 32767));
}

class ElaboraClick : public AmboFixture {};

TEST_F(ElaboraClick, FormatsTheCasesAndFillsDep) {
    const int a = build.draw(allPairsMatch({BA, CA}));
    build.emptyDraws(2);
    const int b = build.draw(allPairsMatch({BA, CA, FI}));
    open();
    typesOnly({0});
    controls.ComboNC = "4";
    elaboraClick();
    ASSERT_EQ(caseRows(), 4);
    EXPECT_TRUE(Fg1.text(1, 3).isEmpty());
    EXPECT_EQ(Fg1.text(2, 3), "0");
    EXPECT_EQ(Fg1.text(3, 3), "0");
    EXPECT_EQ(Fg1.text(4, 3), QString::number(a - b));
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(Fg1.foreColour(r, 28), 255u);
        EXPECT_TRUE(Fg1.bold(r, 28));
        for (int c = 29; c <= 31; ++c) {
            EXPECT_EQ(Fg1.foreColour(r, c), 16711680u) << c;
            EXPECT_TRUE(Fg1.bold(r, c));
        }
        EXPECT_EQ(Fg1.foreColour(r, 33), 255u);
        EXPECT_EQ(Fg1.foreColour(r, 34), 255u);
        EXPECT_EQ(Fg1.foreColour(r, 35), 16711680u);
        EXPECT_EQ(Fg1.foreColour(r, 32), GridModel::Black);
        EXPECT_FALSE(Fg1.bold(r, 32));
        for (int c = 33; c < 48; ++c)
            EXPECT_TRUE(Fg1.bold(r, c)) << c;
        EXPECT_EQ(Fg1.backColour(r, 8), AmboState::ColoreRuota);
        EXPECT_EQ(Fg1.backColour(r, 1), palette.PalettePaleOrange);
    }
    // The header keeps its look.
    EXPECT_FALSE(Fg1.bold(0, 28));
}

TEST_F(ElaboraClick, NothingFoundClearsTheOldSummary) {
    build.draw(allPairsMatch({BA, CA}));
    build.draw(allPairsMatch({BA, CA}));
    open();
    typesOnly({0});
    elaboraClick();
    ASSERT_EQ(summary(1), "2");
    ASSERT_GE(FgS.floodPercent(4, 1), 0.0);

    typesOnly({});
    const VerificationTotals totals = elaboraClick();
    EXPECT_EQ(caseRows(), 0);
    EXPECT_EQ(totals.casi, 0);
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(summary(r), "0") << r;
        EXPECT_EQ(FgS.floodPercent(r, 1), GridModel::NoFlood) << r;
    }
}

TEST_F(ElaboraClick, EachClickStartsFromAnEmptyGrid) {
    build.draw(allPairsMatch({BA, CA}));
    open();
    typesOnly({0});
    elaboraClick();
    elaboraClick();
    EXPECT_EQ(caseRows(), 1);
    EXPECT_EQ(state.CasiTrovati, 1);
}

} // namespace
