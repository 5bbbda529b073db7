#include "AmboFixture.h"

#include <vector>

namespace {

class Verification : public AmboFixture {
protected:
    // Case rows written by hand; the verification reads draw, wheels and forecast from them.
    void prepare(int colpi) {
        open();
        state.Colpi = static_cast<std::int16_t>(colpi);
    }

    int rowOfDraw(int draw) const {
        for (int r = 1; r < Fg1.rows(); ++r)
            if (Fg1.text(r, ColEstrazione) == QString::number(draw))
                return r;
        return -1;
    }
};

TEST_F(Verification, CaseInTheLastDrawIsInPlay) {
    build.emptyDraws(5);
    prepare(9);
    addCase(5, BA, CA, 1, 2, 3, 4);
    const VerificationTotals t = verificaClick();
    EXPECT_EQ(Fg1.backColour(1, 0), palette.PaletteOrange);
    EXPECT_EQ(t.inGioco, 1);
    EXPECT_EQ(summary(1), "1");
    EXPECT_EQ(summary(2), "0");
    EXPECT_EQ(summary(3), "0");
    EXPECT_EQ(summary(4), "1");
    EXPECT_DOUBLE_EQ(FgS.floodPercent(4, 1), 100.0);
    EXPECT_DOUBLE_EQ(FgS.floodPercent(3, 1), 0.0);
}

TEST_F(Verification, CaseColpiDrawsBeforeTheLastIsNegativeOneLaterIsInPlay) {
    build.emptyDraws(12);
    prepare(9);
    addCase(3, BA, CA, 1, 2, 3, 4); // 12 - 3 = 9 draws followed: negative
    addCase(4, BA, CA, 1, 2, 3, 4); // 8 draws so far: in play
    verificaClick();
    EXPECT_EQ(Fg1.backColour(rowOfDraw(3), 0), AmboState::Bianco);
    EXPECT_EQ(Fg1.backColour(rowOfDraw(4), 0), palette.PaletteOrange);
    EXPECT_EQ(summary(2), "0");
    EXPECT_EQ(summary(3), "1");
    EXPECT_EQ(summary(4), "1");
    EXPECT_DOUBLE_EQ(FgS.floodPercent(3, 1), 50.0);
}

TEST_F(Verification, AmbataOnBothWheelsFillsBothColumnsAndCountsTwice) {
    build.emptyDraws(1);
    build.emptyDraws(1);
    build.draw({{BA, {37, 10, 11, 12, 13}}, {NA, {20, 21, 22, 23, 37}}});
    build.emptyDraws(10);
    prepare(9);
    addCase(1, BA, NA, 37, 42, 48, 3);
    const VerificationTotals t = verificaClick();
    EXPECT_EQ(Fg1.text(1, 32), "2");
    EXPECT_EQ(Fg1.text(1, 33), "BA");
    EXPECT_EQ(Fg1.text(1, 34), "NA");
    EXPECT_EQ(Fg1.backColour(1, 0), EsitoPositivo);
    EXPECT_EQ(t.ambate, 2);
    EXPECT_EQ(summary(2), "1");
    EXPECT_EQ(summary(5), "2");
    // Several wheels can push a percentage past 100; "N° casi" and "Quaterne" have no bar.
    EXPECT_DOUBLE_EQ(FgS.floodPercent(5, 1), 200.0);
    EXPECT_DOUBLE_EQ(FgS.floodPercent(2, 1), 100.0);
    EXPECT_EQ(FgS.floodPercent(1, 1), GridModel::NoFlood);
    EXPECT_EQ(FgS.floodPercent(8, 1), GridModel::NoFlood);
}

TEST_F(Verification, QuartinaOnTwoWheelsWithTutteJoinsAmboAndTerno) {
    build.emptyDraws(1);
    build.draw({{BA, {12, 50, 40, 60, 70}}, {RO, {7, 12, 80, 33, 81}}});
    build.emptyDraws(10);
    prepare(9);
    addCase(1, CA, FI, 12, 40, 7, 33);
    const VerificationTotals t = verificaClick();
    EXPECT_EQ(Fg1.text(1, 35), "BA 12 40/RO 7 12 33");
    EXPECT_EQ(Fg1.backColour(1, 35), 65535u);
    EXPECT_EQ(Fg1.text(1, 32), "1");
    EXPECT_EQ(t.ambi, 1);
    EXPECT_EQ(t.terni, 1);
    EXPECT_EQ(summary(6), "1");
    EXPECT_EQ(summary(7), "1");
    EXPECT_EQ(summary(2), "1");
}

TEST_F(Verification, QuartinaWithoutTutteLooksOnlyAtTheCaseWheels) {
    build.emptyDraws(1);
    build.draw({{BA, {12, 50, 40, 60, 70}}, {RO, {7, 12, 80, 33, 81}}, {FI, {1, 2, 3, 40, 7}}});
    build.emptyDraws(10);
    prepare(9);
    outcomeBoxes(1, 1, 1, 0);
    addCase(1, CA, FI, 12, 40, 7, 33);
    verificaClick();
    EXPECT_EQ(Fg1.text(1, 35), "FI 40 7");
    EXPECT_EQ(Fg1.backColour(1, 35), AmboState::Bianco);
}

TEST_F(Verification, LastWheelExaminedGivesTheQuartinaColour) {
    build.emptyDraws(1);
    // Terno on Bari, then quaterna on Genova: light orange.
    build.draw({{BA, {12, 40, 7, 1, 2}}, {GE, {12, 40, 7, 33, 5}}});
    build.emptyDraws(1);
    // Quaterna on Bari, then terno on Roma: yellow again.
    build.draw({{BA, {33, 7, 40, 12, 2}}, {RO, {1, 12, 40, 7, 2}}});
    build.emptyDraws(10);
    prepare(1);
    addCase(1, CA, FI, 12, 40, 7, 33);
    addCase(3, CA, FI, 12, 40, 7, 33);
    const VerificationTotals t = verificaClick();
    const int first = rowOfDraw(1);
    const int second = rowOfDraw(3);
    EXPECT_EQ(Fg1.text(first, 35), "BA 12 40 7/GE 12 40 7 33");
    EXPECT_EQ(Fg1.backColour(first, 35), palette.PaletteLightOrange);
    EXPECT_EQ(Fg1.text(second, 35), "BA 33 7 40 12/RO 12 40 7");
    EXPECT_EQ(Fg1.backColour(second, 35), 65535u);
    EXPECT_EQ(t.quaterne, 2);
    EXPECT_EQ(t.terni, 2);
    EXPECT_EQ(summary(8), "2");
}

TEST_F(Verification, NazionaleIsIgnoredByTheQuartinaButNotByAmbataAndAmbi) {
    build.emptyDraws(1);
    build.draw({{NZ, {20, 70, 25, 1, 2}}}); // three quartina numbers, not the ambata
    build.emptyDraws(1);
    build.draw({{NZ, {10, 20, 3, 4, 5}}}); // ambata and A1
    build.emptyDraws(5);
    for (int tutte : {1, 0}) {
        SCOPED_TRACE(tutte);
        Fg1.setRows(1);
        prepare(1);
        outcomeBoxes(1, 1, 1, tutte);
        addCase(1, BA, NZ, 10, 20, 70, 25);
        addCase(3, BA, NZ, 10, 20, 70, 25);
        const VerificationTotals t = verificaClick();
        const int quiet = rowOfDraw(1);
        const int found = rowOfDraw(3);
        EXPECT_TRUE(Fg1.text(quiet, 35).isEmpty());
        EXPECT_EQ(Fg1.backColour(quiet, 0), AmboState::Bianco);
        EXPECT_EQ(Fg1.text(found, 34), "NZ");
        EXPECT_EQ(Fg1.text(found, 36), "NZ");
        EXPECT_TRUE(Fg1.text(found, 35).isEmpty());
        EXPECT_EQ(t.ambate, 1);
        EXPECT_EQ(t.ambi, 1);
        EXPECT_EQ(t.positivi, 1);
        EXPECT_EQ(t.negativi(), 1);
    }
}

TEST_F(Verification, AmboOfAmbataWithAnEqualA1CannotComeOut) {
    build.emptyDraws(1);
    build.draw({{BA, {20, 70, 1, 2, 3}}});
    build.emptyDraws(10);
    prepare(9);
    outcomeBoxes(0, 1, 0, 0);
    addCase(1, BA, CA, 20, 20, 70, 25);
    const VerificationTotals t = verificaClick();
    EXPECT_TRUE(Fg1.text(1, 36).isEmpty());
    EXPECT_EQ(Fg1.text(1, 37), "BA");
    EXPECT_TRUE(Fg1.text(1, 38).isEmpty());
    EXPECT_EQ(t.ambi, 1);
}

TEST_F(Verification, AmboOnBothCaseWheelsJoinsTheirCodes) {
    build.emptyDraws(1);
    build.draw({{BA, {12, 40, 1, 2, 3}}, {RO, {4, 40, 6, 12, 8}}});
    build.emptyDraws(10);
    prepare(9);
    outcomeBoxes(0, 1, 0, 0);
    addCase(1, BA, RO, 12, 40, 50, 5);
    const VerificationTotals t = verificaClick();
    EXPECT_EQ(Fg1.text(1, 36), "BA-RO");
    EXPECT_EQ(t.ambi, 2);
    EXPECT_EQ(t.positivi, 1);
}

TEST_F(Verification, OnlyTheFirstDrawWithAnOutcomeIsRecorded) {
    build.emptyDraws(2);
    build.draw({{BA, {5, 6, 7, 8, 37}}}); // colpo 2: ambata
    build.emptyDraws(1);
    build.draw({{BA, {37, 42, 48, 3, 9}}}); // colpo 4: quaterna, never reached
    build.emptyDraws(10);
    prepare(9);
    addCase(1, BA, CA, 37, 42, 48, 3);
    const VerificationTotals t = verificaClick();
    EXPECT_EQ(Fg1.text(1, 32), "2");
    EXPECT_EQ(Fg1.text(1, 33), "BA");
    EXPECT_TRUE(Fg1.text(1, 35).isEmpty());
    EXPECT_EQ(t.quaterne, 0);
    EXPECT_EQ(t.ambate, 1);
}

TEST_F(Verification, PositiveCaseInsideItsColpiIsNotInPlay) {
    build.emptyDraws(4);
    build.draw({{CA, {1, 2, 3, 4, 9}}});
    prepare(9);
    addCase(4, BA, CA, 9, 40, 50, 5);
    const VerificationTotals t = verificaClick();
    EXPECT_EQ(Fg1.backColour(1, 0), EsitoPositivo);
    EXPECT_EQ(Fg1.text(1, 34), "CA");
    EXPECT_EQ(t.inGioco, 0);
    EXPECT_EQ(summary(4), "0");
}

TEST_F(Verification, EveryOutcomeBoxOffLeavesNoPositiveCase) {
    build.randomDraws(400, 11);
    open();
    typesOnly({0});
    controls.ComboNC = "60";
    elaboraClick();
    ASSERT_GT(caseRows(), 50);
    outcomeBoxes(0, 0, 0, 0);
    const VerificationTotals t = verificaClick();
    EXPECT_EQ(t.positivi, 0);
    EXPECT_EQ(summary(2), "0");
    EXPECT_EQ(summary(3).toInt() + summary(4).toInt(), summary(1).toInt());
    for (int r = 1; r < Fg1.rows(); ++r) {
        EXPECT_NE(Fg1.backColour(r, 0), EsitoPositivo) << r;
        for (int c = 32; c <= 38; ++c)
            EXPECT_TRUE(Fg1.text(r, c).isEmpty()) << r << "," << c;
    }
}

TEST_F(Verification, GreyOutcomeBoxCountsAsUnchecked) {
    build.emptyDraws(1);
    build.draw({{BA, {37, 1, 2, 3, 4}}});
    build.emptyDraws(10);
    prepare(9);
    outcomeBoxes(2, 0, 0, 0);
    addCase(1, BA, CA, 37, 42, 48, 3);
    EXPECT_EQ(verificaClick().positivi, 0);
    outcomeBoxes(1, 0, 0, 0);
    EXPECT_EQ(verificaClick().positivi, 1);
}

struct GridSnapshot {
    std::vector<QString> texts;
    std::vector<GridModel::Colour> backs;
    std::vector<double> floods;
    bool operator==(const GridSnapshot&) const = default;
};

GridSnapshot snapshot(const GridModel& g) {
    GridSnapshot s;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) {
            s.texts.push_back(g.text(r, c));
            s.backs.push_back(g.backColour(r, c));
            s.floods.push_back(g.floodPercent(r, c));
        }
    return s;
}

TEST_F(Verification, PressingVerificaTwiceGivesTheSameGridAndSummary) {
    build.randomDraws(400, 5);
    open();
    typesOnly({0});
    controls.ComboNC = "80";
    elaboraClick();
    ASSERT_GT(caseRows(), 50);
    // The fixture is only telling if the first run wrote quartina outcomes, ambi and cases in play.
    int quartine = 0;
    int inPlay = 0;
    int ambi = 0;
    for (int r = 1; r < Fg1.rows(); ++r) {
        quartine += !Fg1.text(r, 35).isEmpty();
        inPlay += Fg1.backColour(r, 0) == palette.PaletteOrange;
        ambi += !Fg1.text(r, 36).isEmpty() || !Fg1.text(r, 37).isEmpty() || !Fg1.text(r, 38).isEmpty();
    }
    ASSERT_GT(quartine, 0);
    ASSERT_GT(inPlay, 0);
    ASSERT_GT(ambi, 0);

    const GridSnapshot cases = snapshot(Fg1);
    const GridSnapshot totals = snapshot(FgS);
    verificaClick();
    EXPECT_TRUE(snapshot(Fg1) == cases);
    EXPECT_TRUE(snapshot(FgS) == totals);
}

TEST_F(Verification, VerificaAfterUncheckingTheOutcomeClearsTheOldMarks) {
    build.emptyDraws(1);
    build.draw({{BA, {37, 1, 2, 4, 5}}});
    build.emptyDraws(10);
    prepare(9);
    addCase(1, BA, CA, 37, 42, 48, 3);
    ASSERT_EQ(verificaClick().positivi, 1);
    outcomeBoxes(0, 1, 1, 1);
    const VerificationTotals t = verificaClick();
    EXPECT_EQ(t.positivi, 0);
    EXPECT_EQ(t.negativi(), 1);
    EXPECT_EQ(Fg1.backColour(1, 0), AmboState::Bianco);
    EXPECT_TRUE(Fg1.text(1, 32).isEmpty());
    EXPECT_TRUE(Fg1.text(1, 33).isEmpty());
    EXPECT_EQ(summary(3), "1");
}

TEST_F(Verification, VerificaWithoutTheQuartinaRemovesItsColour) {
    build.emptyDraws(1);
    build.draw({{RO, {7, 12, 80, 33, 81}}});
    build.emptyDraws(10);
    prepare(9);
    addCase(1, CA, FI, 12, 40, 7, 33);
    verificaClick();
    ASSERT_EQ(Fg1.backColour(1, 35), 65535u);
    outcomeBoxes(1, 1, 1, 0);
    verificaClick();
    EXPECT_TRUE(Fg1.text(1, 35).isEmpty());
    EXPECT_EQ(Fg1.backColour(1, 35), AmboState::Bianco);
    EXPECT_EQ(summary(7), "0");
}

TEST_F(Verification, AmboNeedsExactlyTwoMatchingPositions) {
    // A damaged draw repeating the ambata: three positions match ambata-A1, which is no ambo, while
    // the repeated ambata alone makes two for A2 and A3.
    build.emptyDraws(1);
    build.draw({{BA, {12, 40, 12, 1, 2}}});
    build.emptyDraws(10);
    prepare(9);
    outcomeBoxes(0, 1, 0, 0);
    addCase(1, BA, CA, 12, 40, 50, 5);
    const VerificationTotals t = verificaClick();
    EXPECT_TRUE(Fg1.text(1, 36).isEmpty());
    EXPECT_EQ(Fg1.text(1, 37), "BA");
    EXPECT_EQ(Fg1.text(1, 38), "BA");
    EXPECT_EQ(t.ambi, 2);
}

TEST_F(Verification, StoredNumbersOutside0To99AreNeverMarked) {
    build.emptyDraws(1);
    build.draw({{BA, {-5, 150, 99, 0, 1}}});
    build.emptyDraws(10);
    prepare(9);
    outcomeBoxes(0, 0, 1, 1);
    addCase(1, BA, CA, -5, 150, 99, 1);
    const VerificationTotals t = verificaClick();
    EXPECT_EQ(Fg1.text(1, 35), "BA 99 1");
    EXPECT_EQ(t.ambi, 1);
}

TEST_F(Verification, NoCaseRowsGiveZerosWithoutBars) {
    build.emptyDraws(3);
    prepare(9);
    const VerificationTotals t = verificaClick();
    EXPECT_EQ(t.casi, 0);
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(summary(r), "0") << r;
        EXPECT_EQ(FgS.floodPercent(r, 1), GridModel::NoFlood) << r;
    }
    EXPECT_EQ(Fg1.rows(), 1);
}

TEST_F(Verification, SortsMostRecentFirstKeepingTheOrderOfEqualDraws) {
    build.emptyDraws(20);
    prepare(1);
    addCase(3, BA, CA, 1, 2, 3, 4);
    addCase(7, FI, GE, 1, 2, 3, 4);
    addCase(5, MI, NA, 1, 2, 3, 4);
    addCase(7, PA, RO, 1, 2, 3, 4);
    verificaClick();
    EXPECT_EQ(wheelPairs(), (QStringList{"FI-GE", "PA-RO", "MI-NA", "BA-CA"}));
    EXPECT_EQ(Fg1.currentCol(), 1);
    EXPECT_EQ(Fg1.text(0, 1), "N° Estr");
}

} // namespace
