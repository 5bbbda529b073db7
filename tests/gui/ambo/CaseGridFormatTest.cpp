#include "gui/ambo/CaseGridFormat.h"

#include "AmboFixture.h"

#include <QSignalSpy>

namespace {

class CaseGridFormat : public AmboFixture {};

TEST_F(CaseGridFormat, RenumbersWhitensAndColoursTheCaseRows) {
    build.emptyDraws(10);
    open();
    addCase(9, BA, CA, 1, 2, 3, 4);
    addCase(8, FI, GE, 1, 2, 3, 4);
    addCase(2, MI, NA, 1, 2, 3, 4);
    Fg1.setText(1, 0, "7");
    Fg1.setText(3, 0, "x");
    Fg1.setBackColour(1, 0, EsitoPositivo);
    Fg1.setBackColour(2, 0, palette.PaletteOrange);
    Fg1.setTopRow(3);
    QSignalSpy sized(&Fg1, &GridModel::autoSizeRequested);

    formatCaseGrid(Fg1, palette);

    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(Fg1.text(r, 0), QString::number(r));
        EXPECT_EQ(Fg1.backColour(r, 0), AmboState::Bianco);
        for (int c : {8, 17}) {
            EXPECT_EQ(Fg1.backColour(r, c), AmboState::ColoreRuota);
            EXPECT_TRUE(Fg1.bold(r, c));
        }
        for (int c : {1, 2})
            EXPECT_EQ(Fg1.backColour(r, c), palette.PalettePaleOrange);
        EXPECT_EQ(Fg1.backColour(r, 3), AmboState::Bianco);
        EXPECT_FALSE(Fg1.bold(r, 9));
    }
    EXPECT_NE(Fg1.backColour(0, 8), AmboState::ColoreRuota);
    EXPECT_FALSE(Fg1.bold(0, 8));
    EXPECT_EQ(Fg1.topRow(), 1);
    EXPECT_EQ(sized.count(), 1);
}

TEST_F(CaseGridFormat, LeavesOutcomeColumnsAsTheyAre) {
    build.emptyDraws(10);
    open();
    addCase(9, BA, CA, 1, 2, 3, 4);
    Fg1.setText(1, 35, "BA 1 2");
    Fg1.setBackColour(1, 35, 65535);
    formatCaseGrid(Fg1, palette);
    EXPECT_EQ(Fg1.text(1, 35), "BA 1 2");
    EXPECT_EQ(Fg1.backColour(1, 35), 65535u);
}

TEST_F(CaseGridFormat, DoesNothingWithoutCases) {
    build.emptyDraws(3);
    open();
    QSignalSpy sized(&Fg1, &GridModel::autoSizeRequested);
    QSignalSpy changed(&Fg1, &GridModel::dataChanged);
    QSignalSpy reset(&Fg1, &GridModel::modelReset);
    formatCaseGrid(Fg1, palette);
    EXPECT_EQ(sized.count(), 0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(Fg1.rows(), 1);
}

} // namespace
