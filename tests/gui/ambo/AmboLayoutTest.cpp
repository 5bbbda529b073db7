#include "AmboFixture.h"

#include <set>

namespace {

class AmboLayout : public AmboFixture {
protected:
    void SetUp() override {
        build.emptyDraws(3);
        open();
    }
};

TEST_F(AmboLayout, CaseGridHasTheExactHeadersAndShape) {
    EXPECT_EQ(Fg1.rows(), 1);
    EXPECT_EQ(Fg1.cols(), 48);
    EXPECT_EQ(Fg1.fixedRows(), 1);
    EXPECT_EQ(Fg1.fixedCols(), 1);
    const QStringList headers{"     ",
                              "N° Estr",
                              "Data Estraz  ",
                              "DEP ",
                              "Inizio ",
                              "Fine  ",
                              "Fine A",
                              "r1",
                              "R1 ",
                              "N1 ",
                              "N2 ",
                              "N3 ",
                              "N4 ",
                              "N5 ",
                              "N° Estr",
                              "Data Estraz  ",
                              "R2",
                              "R2 ",
                              "N1 ",
                              "N2 ",
                              "N3 ",
                              "N4 ",
                              "N5 ",
                              "1",
                              "2",
                              "3",
                              "4",
                              "5",
                              "Ambata",
                              "A1",
                              "A2",
                              "A3",
                              "Colpo",
                              "R1",
                              "R2",
                              "Quartina",
                              "A1",
                              "A2",
                              "A3"};
    ASSERT_EQ(headers.size(), 39);
    for (int c = 0; c < 48; ++c)
        EXPECT_EQ(Fg1.text(0, c), c < 39 ? headers[c] : QString()) << c;
}

TEST_F(AmboLayout, CaseGridHidesItsWorkingColumnsAndCentresAll) {
    std::set<int> hidden{3, 4, 5, 6, 7, 14, 15, 16, 23, 24, 25, 26, 27};
    for (int c = 39; c < 48; ++c)
        hidden.insert(c);
    for (int c = 0; c < 48; ++c) {
        EXPECT_EQ(Fg1.isColHidden(c), hidden.count(c) == 1) << c;
        EXPECT_TRUE(Fg1.isColCentred(c)) << c;
    }
}

TEST_F(AmboLayout, SummaryGridHasItsLabelsAndHidesRowZero) {
    EXPECT_EQ(FgS.rows(), 9);
    EXPECT_EQ(FgS.cols(), 2);
    EXPECT_EQ(FgS.fixedRows(), 0);
    EXPECT_EQ(FgS.fixedCols(), 1);
    EXPECT_TRUE(FgS.isRowHidden(0));
    const QStringList labels{"N° casi", "Positivi", "Negativi", "In gioco",
                             "Ambate",  "Ambi",     "Terni",    "Quaterne"};
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(FgS.text(r, 0), labels[r - 1]);
        EXPECT_TRUE(FgS.text(r, 1).isEmpty());
        EXPECT_FALSE(FgS.isRowHidden(r));
    }
    EXPECT_EQ(FgS.colWidth(0), 64); // 960 twips
    EXPECT_EQ(FgS.colWidth(1), 64);
    EXPECT_EQ(FgS.floodColour(), 33023u);
}

TEST_F(AmboLayout, SelectionGridsShowCodesAndPositionsAllSelected) {
    const QStringList codes{"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE", "NZ"};
    ASSERT_EQ(FgR.rows(), 1);
    ASSERT_EQ(FgR.cols(), 11);
    EXPECT_EQ(FgR.fixedRows() + FgR.fixedCols(), 0);
    for (int w = 0; w < 11; ++w) {
        EXPECT_EQ(FgR.text(0, w), codes[w]);
        EXPECT_EQ(FgR.backColour(0, w), AmboState::ColoreRuota);
        EXPECT_EQ(FgR.colWidth(w), 21); // 320 twips
    }
    ASSERT_EQ(Fgp.rows(), 1);
    ASSERT_EQ(Fgp.cols(), 5);
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(Fgp.text(0, c), QString::number(c + 1));
        EXPECT_EQ(Fgp.backColour(0, c), AmboState::ColorePosizione);
        EXPECT_TRUE(Fgp.isColCentred(c));
        EXPECT_EQ(Fgp.colWidth(c), 20); // 300 twips
    }
}

TEST_F(AmboLayout, SquaresSelectAndDeselectWholeRows) {
    deselectAllWheels(FgR);
    deselectAllPositions(Fgp);
    for (int w = 0; w < 11; ++w)
        EXPECT_EQ(FgR.backColour(0, w), AmboState::Bianco);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(Fgp.backColour(0, c), AmboState::Bianco);
    FgR.setBackColour(0, 3, 255);
    selectAllWheels(FgR);
    selectAllPositions(Fgp);
    for (int w = 0; w < 11; ++w)
        EXPECT_EQ(FgR.backColour(0, w), AmboState::ColoreRuota);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(Fgp.backColour(0, c), AmboState::ColorePosizione);
}

TEST_F(AmboLayout, MovingOntoACellTogglesOnlyThatCell) {
    Fgp.setCurrentCell(0, 2);
    toggleCurrentPosition(Fgp);
    EXPECT_EQ(Fgp.backColour(0, 2), AmboState::Bianco);
    EXPECT_EQ(Fgp.backColour(0, 1), AmboState::ColorePosizione);
    toggleCurrentPosition(Fgp);
    EXPECT_EQ(Fgp.backColour(0, 2), AmboState::ColorePosizione);

    FgR.setCurrentCell(0, 10);
    toggleCurrentWheel(FgR);
    EXPECT_EQ(FgR.backColour(0, 10), AmboState::Bianco);
    // Any colour other than exactly the selection colour turns into it.
    FgR.setBackColour(0, 10, 65534);
    toggleCurrentWheel(FgR);
    EXPECT_EQ(FgR.backColour(0, 10), AmboState::ColoreRuota);
    EXPECT_EQ(FgR.backColour(0, 9), AmboState::ColoreRuota);
}

TEST(AmboWheelTables, HoldTheListedPairsInBothOrdersAndNothingElse) {
    AmboState s;
    s.fillWheelRelationships();
    auto pairs = [](const AmboState::WheelPairs& t) {
        std::set<std::pair<int, int>> out;
        for (int a = 0; a < 11; ++a)
            for (int b = 0; b < 11; ++b)
                if (t[a][b])
                    out.insert({a, b});
        return out;
    };
    auto both = [](std::initializer_list<std::pair<int, int>> list) {
        std::set<std::pair<int, int>> out;
        for (auto [a, b] : list) {
            out.insert({a, b});
            out.insert({b, a});
        }
        return out;
    };
    EXPECT_EQ(pairs(s.adjacentPairs), both({{BA, CA},
                                            {CA, FI},
                                            {FI, GE},
                                            {GE, MI},
                                            {MI, NA},
                                            {NA, PA},
                                            {PA, RO},
                                            {RO, TO},
                                            {TO, VE},
                                            {VE, BA}}));
    EXPECT_EQ(pairs(s.diametralPairs), both({{BA, NA}, {CA, PA}, {FI, RO}, {GE, TO}, {MI, VE}}));
    EXPECT_EQ(pairs(s.twinPairs), both({{BA, VE}, {CA, TO}, {FI, RO}, {GE, PA}, {MI, NA}}));
    const AmboState::WheelFlags gmtv{false, false, false, true, true, false, false, false, true, true, false};
    const AmboState::WheelFlags cfrz{false, true, true, false, false, false, false, true, false, false, true};
    const AmboState::WheelFlags bnp{true, false, false, false, false, true, true, false, false, false, false};
    EXPECT_EQ(s.gmtvGroup, gmtv);
    EXPECT_EQ(s.cfrzGroup, cfrz);
    EXPECT_EQ(s.bnpGroup, bnp);
}

} // namespace
