#include "AmboFixture.h"

namespace {

class Parameters : public AmboFixture {
protected:
    void SetUp() override {
        build.emptyDraws(700);
        open();
    }
    void configure() {
        ConfiguraParametri(controls, grids, state, archive(),
                           [this](int max) { progressMaxima.push_back(max); });
    }
    std::vector<int> progressMaxima;
};

TEST_F(Parameters, AfterLoadingTheSnapshotHoldsTheDesignDefaults) {
    configure();
    for (int w = 0; w < 11; ++w)
        EXPECT_TRUE(state.RuoteSelezionate[w]) << w;
    for (int p = 1; p <= 5; ++p)
        EXPECT_TRUE(state.PosizioniSelezionate[p]) << p;
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(state.TipiRuote[i], i == 1 || i == 2) << i;
    EXPECT_FALSE(state.PosizioniAdiacenti);
    EXPECT_EQ(state.Colpi, 9);
    EXPECT_EQ(state.LimiteCasi, 10);
    EXPECT_EQ(state.EstrazioneMinima, 1);
    EXPECT_EQ(state.CasiTrovati, 0);
    EXPECT_EQ(state.IndiceInizio, 200);
    EXPECT_EQ(state.IndiceFine, 700);
    EXPECT_EQ(progressMaxima, std::vector<int>{700});
}

TEST_F(Parameters, IntervalSearchesTheRangeWithoutCaseLimit) {
    setRange(state, 321, 650);
    controls.Ch_Intervallo = 1;
    controls.ComboNC = "3";
    configure();
    EXPECT_EQ(state.LimiteCasi, 30000);
    EXPECT_EQ(state.EstrazioneMinima, 321);
}

TEST_F(Parameters, SelectionsAreReadFromExactCellColours) {
    FgR.setBackColour(0, 4, 65534);
    FgR.setBackColour(0, 7, AmboState::Bianco);
    Fgp.setBackColour(0, 0, 65281);
    Fgp.setBackColour(0, 4, AmboState::Bianco);
    controls.ChPosAdi = 1;
    configure();
    for (int w = 0; w < 11; ++w)
        EXPECT_EQ(state.RuoteSelezionate[w], w != 4 && w != 7) << w;
    EXPECT_FALSE(state.PosizioniSelezionate[1]);
    EXPECT_TRUE(state.PosizioniSelezionate[2]);
    EXPECT_TRUE(state.PosizioniSelezionate[4]);
    EXPECT_FALSE(state.PosizioniSelezionate[5]);
    EXPECT_TRUE(state.PosizioniAdiacenti);
}

TEST_F(Parameters, GreyBoxesCountAsUnchecked) {
    controls.Ch_RuoteTipo = {2, 1, 2, 1, 0, 2, 1};
    controls.ChPosAdi = 2;
    controls.Ch_Intervallo = 2;
    configure();
    const AmboState::WheelFlags expected{false, true,  false, true,  false, false,
                                         true,  false, false, false, false};
    EXPECT_EQ(state.TipiRuote, expected);
    EXPECT_FALSE(state.PosizioniAdiacenti);
    EXPECT_EQ(state.LimiteCasi, 10);
}

TEST_F(Parameters, EmptiesTheCaseGridAndTheCounter) {
    addCase(5, BA, CA, 1, 2, 3, 4);
    addCase(4, BA, CA, 1, 2, 3, 4);
    state.CasiTrovati = 2;
    configure();
    EXPECT_EQ(Fg1.rows(), 1);
    EXPECT_EQ(Fg1.text(0, 28), "Ambata");
    EXPECT_EQ(state.CasiTrovati, 0);
}

TEST(ComboNumber, ReadsTheLeadingNumberRoundedAndZeroOtherwise) {
    EXPECT_EQ(readComboNumber("12"), 12);
    EXPECT_EQ(readComboNumber(" 7 colpi"), 7);
    EXPECT_EQ(readComboNumber("18x"), 18);
    EXPECT_EQ(readComboNumber("9.4"), 9);
    EXPECT_EQ(readComboNumber("9.5"), 10);
    EXPECT_EQ(readComboNumber("10.5"), 10);
    EXPECT_EQ(readComboNumber("abc"), 0);
    EXPECT_EQ(readComboNumber(""), 0);
    EXPECT_EQ(readComboNumber("-3"), -3);
    EXPECT_EQ(readComboNumber("32767"), 32767);
}

TEST(ComboNumber, TextBeyondSixteenBitsReadsAsZero) {
    EXPECT_EQ(readComboNumber("32768"), 0);
    EXPECT_EQ(readComboNumber("-32769"), 0);
    EXPECT_EQ(readComboNumber("99999999999999999999999"), 0);
    EXPECT_EQ(readComboNumber("1e300"), 0);
}

TEST_F(Parameters, OversizedColpiAndCasiDoNotOverflow) {
    controls.ComboC = "40000";
    controls.ComboNC = "70000";
    configure();
    EXPECT_EQ(state.Colpi, 0);
    EXPECT_EQ(state.LimiteCasi, 0);
}

} // namespace
