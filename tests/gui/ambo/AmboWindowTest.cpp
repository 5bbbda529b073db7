#include "AmboWindowFixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr GridModel::Colour Yellow = 65535;
constexpr GridModel::Colour Green = 65280;
constexpr GridModel::Colour White = 16777215;
constexpr GridModel::Colour Orange = 33023;

class AmboWindowLoad : public AmboWindowTest {};
class AmboWindowSearch : public AmboWindowTest {};
class AmboWindowVerification : public AmboWindowTest {};
class AmboWindowSelections : public AmboWindowTest {};
class AmboWindowColumnDisplay : public AmboWindowTest {};

QStringList comboItems(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList numbersFrom1(int last) {
    QStringList texts;
    for (int i = 1; i <= last; ++i)
        texts << QString::number(i);
    return texts;
}

TEST_F(AmboWindowLoad, ControlsShowTheirCaptionsAndDesignTimeState) {
    build.randomDraws(30, 1);
    open();
    EXPECT_EQ(window->windowTitle(), "Veltrano");
    EXPECT_EQ(control<QPushButton>("Cmd_Ambiuguali")->text(), "ELABORA");
    EXPECT_EQ(control<QPushButton>("Command1")->text(), "VERIFICA");
    EXPECT_EQ(control<QPushButton>("Command2")->text(), "Command2");
    EXPECT_EQ(control<QPushButton>("Command34")->text(), "Command34");

    const char* typeCaptions[] = {"Tutte", "Adiacenti", "Diametrali", "Gemelle", "GMTV", "CFRZ", "BNP"};
    for (int i = 0; i < 7; ++i) {
        const QByteArray name = QStringLiteral("Ch_RuoteTipo_%1").arg(i).toLatin1();
        auto* box = control<QCheckBox>(name.constData());
        EXPECT_EQ(box->text(), QString::fromUtf8(typeCaptions[i]));
        EXPECT_EQ(box->isChecked(), i == 1 || i == 2) << i;
    }
    struct Box {
        const char* name;
        const char* caption;
        bool checked;
    };
    for (const Box& b :
         {Box{"ChPosAdi", "Adiacenti", false}, Box{"ChIso", "Isotopia perfetta", true},
          Box{"Ch_Intervallo", "Intervallo", false}, Box{"Ch_termina1", "Termina al 1° esito", false},
          Box{"Ch_1", "Ambata", true}, Box{"Ch_2", "3 ambi", true}, Box{"Ch_4", "Quartina", true},
          Box{"Ch_Tutte", "Tutte", true}}) {
        auto* box = control<QCheckBox>(b.name);
        EXPECT_EQ(box->text(), QString::fromUtf8(b.caption)) << b.name;
        EXPECT_EQ(box->isChecked(), b.checked) << b.name;
    }
    EXPECT_EQ(control<QRadioButton>("Option1")->text(), "Cadenze");
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(control<QRadioButton>("Option2")->text(), "Figure");
    EXPECT_FALSE(control<QRadioButton>("Option2")->isChecked());

    auto* colpi = control<QComboBox>("ComboC");
    auto* casi = control<QComboBox>("ComboNC");
    EXPECT_TRUE(colpi->isEditable());
    EXPECT_TRUE(casi->isEditable());
    EXPECT_EQ(comboItems(colpi), numbersFrom1(18));
    EXPECT_EQ(comboItems(casi), numbersFrom1(200));
    EXPECT_EQ(colpi->currentText(), "9");
    EXPECT_EQ(casi->currentText(), "10");
}

TEST_F(AmboWindowLoad, IconButtonsAndSquaresTellTheirPurposeInToolTips) {
    build.randomDraws(5, 2);
    open();
    struct Tip {
        const char* name;
        const char* tip;
    };
    for (const Tip& t : {Tip{"Command4", "Prima estrazione"}, Tip{"Command9", "Ultima estrazione"},
                         Tip{"Command62", "Cerca per data"}, Tip{"Command10", "Cerca per data"},
                         Tip{"Command61", "Scelta per indice"}, Tip{"Command8", "Scelta per indice"},
                         Tip{"Label6", "Seleziona tutti"}, Tip{"Label9", "Deseleziona"},
                         Tip{"Label32", "Seleziona"}, Tip{"Label30", "Deseleziona"}}) {
        auto* button = control<QToolButton>(t.name);
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(t.tip)) << t.name;
        EXPECT_TRUE(button->text().isEmpty()) << t.name;
    }
    for (const char* name : {"Command4", "Command9", "Command62", "Command10", "Command61", "Command8"})
        EXPECT_FALSE(control<QToolButton>(name)->icon().isNull()) << name;
}

TEST_F(AmboWindowLoad, SelectionGridsShowEveryWheelAndPositionSelected) {
    build.randomDraws(5, 3);
    open();
    const QStringList codes{"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE", "NZ"};
    ASSERT_EQ(FgR().rows(), 1);
    ASSERT_EQ(FgR().cols(), 11);
    for (int w = 0; w < 11; ++w) {
        EXPECT_EQ(FgR().text(0, w), codes[w]);
        EXPECT_EQ(FgR().backColour(0, w), Yellow) << w;
    }
    ASSERT_EQ(Fgp().cols(), 5);
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(Fgp().text(0, c), QString::number(c + 1));
        EXPECT_EQ(Fgp().backColour(0, c), Green) << c;
    }
    // Every cell can be seen and clicked.
    for (const char* name : {"FgR", "Fgp"}) {
        GridView* view = control<GridView>(name);
        const GridModel& g = *view->gridModel();
        for (int c = 0; c < g.cols(); ++c) {
            const GridView::CellSpot spot = view->cellSpot(0, c);
            EXPECT_TRUE(spot.widget->rect().contains(spot.rect)) << name << " " << c;
            // Wide enough for its text: a cut code would show as "...".
            EXPECT_GE(view->columnWidth(c), static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(c))
                << name << " " << c;
        }
    }
}

TEST_F(AmboWindowLoad, CaseAndSummaryGridsAreLaidOut) {
    build.randomDraws(5, 4);
    open();
    const QStringList headers = fg1FormatString().split(QLatin1Char('|'));
    ASSERT_EQ(headers.size(), 39);
    ASSERT_EQ(Fg1().cols(), 48);
    EXPECT_EQ(Fg1().rows(), 1);
    for (int c = 0; c < 39; ++c)
        EXPECT_EQ(Fg1().text(0, c), headers[c]) << c;
    EXPECT_EQ(Fg1().text(0, 3), "DEP ");
    const std::vector<int> hidden{3, 4, 5, 6, 7, 14, 15, 16, 23, 24, 25, 26, 27};
    GridView* view = control<GridView>("Fg1");
    for (int c = 1; c < 48; ++c) {
        const bool shouldHide = c >= 39 || std::find(hidden.begin(), hidden.end(), c) != hidden.end();
        EXPECT_EQ(Fg1().isColHidden(c), shouldHide) << c;
        EXPECT_EQ(view->isColumnHidden(c - 1), shouldHide) << c;
    }

    const QStringList labels{"N° casi", "Positivi", "Negativi", "In gioco",
                             "Ambate",  "Ambi",     "Terni",    "Quaterne"};
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(FgS().text(r, 0), labels[r - 1]);
        EXPECT_TRUE(FgS().text(r, 1).isEmpty());
    }
    EXPECT_TRUE(FgS().isRowHidden(0));
    EXPECT_TRUE(control<GridView>("FgS")->isRowHidden(0));
}

TEST_F(AmboWindowSearch, WorkedExamplesGiveTheirForecastsAndOutcomes) {
    buildTwoCases();
    open();
    elabora();
    ASSERT_EQ(Fg1().rows(), 3);
    // Most recent case first.
    EXPECT_EQ(caseColumn(ColCaso), (QStringList{"1", "2"}));
    EXPECT_EQ(caseColumn(ColEstrazione), (QStringList{"3", "1"}));
    EXPECT_EQ(caseColumn(ColData), (QStringList{"04/01/2020", "02/01/2020"}));
    EXPECT_EQ(caseColumn(ColCodice1), (QStringList{"GE", "BA"}));
    EXPECT_EQ(caseColumn(ColCodice2), (QStringList{"TO", "CA"}));
    EXPECT_EQ(caseColumn(ColAmbata), (QStringList{"2", "37"}));
    EXPECT_EQ(caseColumn(ColA1), (QStringList{"90", "42"}));
    EXPECT_EQ(caseColumn(ColA2), (QStringList{"1", "48"}));
    EXPECT_EQ(caseColumn(ColA3), (QStringList{"46", "3"}));
    EXPECT_EQ(caseColumn(ColDep), (QStringList{"", "-2"}));

    // The ambo's positions are green on both wheels: 4-5 for the first case, 1-2 for the second.
    for (int p = 0; p < 5; ++p) {
        EXPECT_EQ(Fg1().backColour(1, ColNumeri1 + p), p >= 3 ? Green : White) << p;
        EXPECT_EQ(Fg1().backColour(1, ColNumeri2 + p), p >= 3 ? Green : White) << p;
        EXPECT_EQ(Fg1().backColour(2, ColNumeri1 + p), p <= 1 ? Green : White) << p;
        EXPECT_EQ(Fg1().backColour(2, ColNumeri2 + p), p <= 1 ? Green : White) << p;
    }
    EXPECT_EQ(Fg1().backColour(1, ColCodice1), Yellow);
    EXPECT_EQ(Fg1().backColour(2, ColCodice2), Yellow);
    EXPECT_EQ(Fg1().backColour(1, ColEstrazione), palette.PalettePaleOrange);
    EXPECT_EQ(Fg1().foreColour(1, ColAmbata), 255u);
    EXPECT_TRUE(Fg1().bold(1, ColAmbata));

    EXPECT_EQ(caseColumn(ColColpo), (QStringList{"2", "1"}));
    EXPECT_EQ(caseColumn(ColEsitoR2), (QStringList{"", "CA"}));
    EXPECT_EQ(caseColumn(ColQuartina), (QStringList{"BA 2 90/RO 1 46 2", ""}));
    EXPECT_EQ(Fg1().backColour(1, ColQuartina), Yellow);
    EXPECT_EQ(Fg1().backColour(1, ColCaso), Green);
    EXPECT_EQ(Fg1().backColour(2, ColCaso), Green);
    EXPECT_EQ(summary(), (QStringList{"2", "2", "0", "0", "1", "1", "1", "0"}));
    EXPECT_DOUBLE_EQ(FgS().floodPercent(2, 1), 100.0);
    EXPECT_DOUBLE_EQ(FgS().floodPercent(5, 1), 50.0);
    EXPECT_EQ(FgS().floodPercent(1, 1), GridModel::NoFlood);
    EXPECT_EQ(FgS().floodPercent(8, 1), GridModel::NoFlood);
}

TEST_F(AmboWindowSearch, HourglassDuringTheSearchAndProgressMaximumThroughTheFrame) {
    buildTwoCases();
    open();
    EXPECT_TRUE(frame.maxima.empty());
    elabora();
    EXPECT_EQ(frame.maxima, std::vector<int>{20});
    ASSERT_EQ(frame.pointers.size(), 1u);
    EXPECT_EQ(frame.pointers[0], Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(AmboWindowSearch, WheelTypeBoxesChooseThePairs) {
    buildTwoCases();
    open();
    setBox("Ch_RuoteTipo_2", false); // no diametral pairs: Genova-Torino goes
    elabora();
    EXPECT_EQ(caseColumn(ColEstrazione), QStringList{"1"});
    setBox("Ch_RuoteTipo_2", true);
    setBox("Ch_RuoteTipo_1", false); // no adjacent pairs: Bari-Cagliari goes
    elabora();
    EXPECT_EQ(caseColumn(ColEstrazione), QStringList{"3"});
    setBox("Ch_RuoteTipo_2", false);
    elabora();
    EXPECT_EQ(Fg1().rows(), 1);
    setBox("Ch_RuoteTipo_0", true); // every pair
    elabora();
    EXPECT_EQ(caseColumn(ColEstrazione), (QStringList{"3", "1"}));
}

TEST_F(AmboWindowSearch, GreyWheelTypeCountsAsUnchecked) {
    buildTwoCases();
    open();
    control<QCheckBox>("Ch_RuoteTipo_2")->setCheckState(Qt::PartiallyChecked);
    elabora();
    EXPECT_EQ(caseColumn(ColEstrazione), QStringList{"1"});
}

TEST_F(AmboWindowSearch, AdjacentPositionsBoxDropsPositionsApart) {
    // Positions 1-3 on Bari-Cagliari: 10 30 against 15 25 (sum 40).
    build.draw({{BA, N{10, 70, 30, 71, 72}}, {CA, N{15, 3, 25, 4, 5}}});
    build.emptyDraws(3);
    open();
    elabora();
    EXPECT_EQ(Fg1().rows(), 2);
    setBox("ChPosAdi", true);
    elabora();
    EXPECT_EQ(Fg1().rows(), 1);
}

TEST_F(AmboWindowSearch, IntervalStopsAtTheRangeStartAndCaseCountAtTheLimit) {
    buildTwoCases();
    open();
    // Range 2..20 with "Intervallo": draw 1 lies outside.
    prompts.answerInput(QStringLiteral("2"));
    press("Command61");
    setBox("Ch_Intervallo", true);
    elabora();
    EXPECT_EQ(caseColumn(ColEstrazione), QStringList{"3"});
    // Without it the search goes on below the start until enough cases are found: one is enough here.
    setBox("Ch_Intervallo", false);
    typeInto("ComboNC", QStringLiteral("1"));
    elabora();
    EXPECT_EQ(caseColumn(ColEstrazione), QStringList{"3"});
    typeInto("ComboNC", QStringLiteral("2"));
    elabora();
    EXPECT_EQ(caseColumn(ColEstrazione), (QStringList{"3", "1"}));
}

TEST_F(AmboWindowSearch, CaseCapIsSaidBesideTheSummaryAndResultsStayTheSame) {
    // Every pair of five wheels agrees in each of 105 draws: 10 cases a draw, 1010 after draw 5.
    build.equalAmboDraws(105, 5);
    open();
    QLabel* notice = control<QLabel>("LabelFermata");
    EXPECT_FALSE(notice->isVisible());
    setBox("Ch_RuoteTipo_0", true);
    setBox("Ch_Intervallo", true);
    press("Command4"); // the range starts at the first draw
    elabora();
    EXPECT_EQ(Fg1().rows() - 1, 1010);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), "Ricerca fermata a 1000 casi: estrazioni dalla 5 alla 105");
    EXPECT_EQ(summary().front(), "1010");

    // A search the cap does not stop takes the line away.
    setBox("Ch_Intervallo", false);
    elabora();
    EXPECT_EQ(Fg1().rows() - 1, 10);
    EXPECT_FALSE(notice->isVisible());
}

TEST_F(AmboWindowSearch, SearchRunsBackFromTheRangeEnd) {
    buildTwoCases();
    open();
    prompts.answerInput(QStringLiteral("2"));
    press("Command8");
    ASSERT_EQ(window->state().IndiceFine, 2);
    elabora();
    EXPECT_EQ(caseColumn(ColEstrazione), QStringList{"1"});
}

// Numbers the search cannot take are refused in a box with the words of veltrano-analisi's options, and the
// previous search stays on screen: Colpi 0 used to verify each case on the draw it was found in and count
// it negative.
TEST_F(AmboWindowSearch, TypedNumbersTooLargeAreRefused) {
    buildTwoCases();
    open();
    elabora();
    const QStringList cases = snapshot(Fg1());
    const QStringList totals = summary();
    ASSERT_EQ(totals.first(), "2");
    typeInto("ComboNC", QStringLiteral("70000"));
    elabora();
    typeInto("ComboNC", QStringLiteral("10"));
    typeInto("ComboC", QStringLiteral("99999"));
    elabora();
    verifica();
    const std::vector<ShownBox> boxes = prompts.messages();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("N° Casi vuole un numero da 1 a 200: \"70000\""));
    EXPECT_EQ(boxes[1].text, QStringLiteral("Colpi vuole un numero da 1 a 18: \"99999\""));
    EXPECT_EQ(boxes[2].text, boxes[1].text);
    EXPECT_EQ(window->state().Colpi, MethodSettings().colpi);
    EXPECT_EQ(snapshot(Fg1()), cases);
    EXPECT_EQ(summary(), totals);
}

TEST_F(AmboWindowSearch, SearchWithoutCasesClearsThePreviousSummary) {
    buildTwoCases();
    open();
    elabora();
    ASSERT_EQ(summary().first(), "2");
    press("Label9"); // no wheel
    elabora();
    EXPECT_EQ(Fg1().rows(), 1);
    EXPECT_EQ(summary(), (QStringList{"0", "0", "0", "0", "0", "0", "0", "0"}));
    for (int r = 1; r <= 8; ++r)
        EXPECT_EQ(FgS().floodPercent(r, 1), GridModel::NoFlood) << r;
}

TEST_F(AmboWindowVerification, PressingTwiceGivesTheSameGridAndSummary) {
    buildTwoCases();
    open();
    elabora();
    const QStringList cases = snapshot(Fg1());
    const QStringList totals = snapshot(FgS());
    verifica();
    EXPECT_EQ(snapshot(Fg1()), cases);
    EXPECT_EQ(snapshot(FgS()), totals);
    verifica();
    EXPECT_EQ(snapshot(Fg1()), cases);
}

TEST_F(AmboWindowVerification, ChangedOutcomeBoxesTakeEffectOnVerifica) {
    buildTwoCases();
    open();
    elabora();
    setBox("Ch_1", false); // the first case won only by its ambata
    verifica();
    EXPECT_EQ(Fg1().backColour(2, ColCaso), White);
    EXPECT_EQ(caseColumn(ColEsitoR2), (QStringList{"", ""}));
    EXPECT_EQ(caseColumn(ColColpo), (QStringList{"2", ""}));
    EXPECT_EQ(summary(), (QStringList{"2", "1", "1", "0", "0", "1", "1", "0"}));

    setBox("Ch_4", false); // and the second only by its quartina
    verifica();
    EXPECT_EQ(Fg1().backColour(1, ColCaso), White);
    EXPECT_EQ(Fg1().backColour(1, ColQuartina), White);
    EXPECT_EQ(caseColumn(ColQuartina), (QStringList{"", ""}));

    setBox("Ch_2", false);
    verifica();
    EXPECT_EQ(summary(), (QStringList{"2", "0", "2", "0", "0", "0", "0", "0"}));

    setBox("Ch_1", true);
    setBox("Ch_4", true);
    setBox("Ch_2", true);
    verifica();
    EXPECT_EQ(summary(), (QStringList{"2", "2", "0", "0", "1", "1", "1", "0"}));
}

TEST_F(AmboWindowVerification, QuartinaOnlyOnTheCaseWheelsWithoutTutte) {
    buildTwoCases();
    open();
    elabora();
    setBox("Ch_Tutte", false); // Bari and Roma are not the second case's wheels
    verifica();
    EXPECT_EQ(caseColumn(ColQuartina), (QStringList{"", ""}));
    EXPECT_EQ(Fg1().backColour(1, ColCaso), White);
}

TEST_F(AmboWindowVerification, ColpiIsTheOneOfTheLastSearch) {
    buildTwoCases();
    open();
    elabora();
    typeInto("ComboC", QStringLiteral("1")); // the second case came out at colpo 2
    verifica();
    EXPECT_EQ(Fg1().backColour(1, ColCaso), Green);
    elabora();
    EXPECT_NE(Fg1().backColour(1, ColCaso), Green);
}

TEST_F(AmboWindowVerification, CaseInTheLastDrawIsInPlay) {
    build.emptyDraws(3);
    build.draw({{BA, N{12, 45, 70, 71, 72}}, {CA, N{20, 37, 3, 4, 5}}});
    open();
    elabora();
    ASSERT_EQ(Fg1().rows(), 2);
    EXPECT_EQ(Fg1().backColour(1, ColCaso), Orange);
    EXPECT_EQ(summary(), (QStringList{"1", "0", "0", "1", "0", "0", "0", "0"}));
    EXPECT_DOUBLE_EQ(FgS().floodPercent(4, 1), 100.0);
}

TEST_F(AmboWindowVerification, VerificaWithoutCasesShowsZeros) {
    build.randomDraws(3, 5);
    open();
    verifica();
    EXPECT_EQ(summary(), (QStringList{"0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST_F(AmboWindowVerification, GridFormattingCommandRenumbersAndWhitens) {
    buildTwoCases();
    open();
    elabora();
    ASSERT_EQ(Fg1().backColour(1, ColCaso), Green);
    Fg1().setText(1, ColCaso, QStringLiteral("x"));
    press("Command2");
    EXPECT_EQ(caseColumn(ColCaso), (QStringList{"1", "2"}));
    EXPECT_EQ(Fg1().backColour(1, ColCaso), White);
    EXPECT_EQ(Fg1().backColour(2, ColCaso), White);
    // Outcomes stay as the verification left them.
    EXPECT_EQ(caseColumn(ColQuartina), (QStringList{"BA 2 90/RO 1 46 2", ""}));
}

TEST_F(AmboWindowVerification, Command34ChangesNothing) {
    buildTwoCases();
    open();
    elabora();
    const QStringList cases = snapshot(Fg1());
    const QStringList totals = snapshot(FgS());
    press("Command34");
    EXPECT_EQ(snapshot(Fg1()), cases);
    EXPECT_EQ(snapshot(FgS()), totals);
    EXPECT_TRUE(prompts.shown().empty());
}

// Every click toggles, on the current cell as on any other.
TEST_F(AmboWindowSelections, ClickingWheelAndPositionCellsTogglesThem) {
    build.randomDraws(5, 6);
    open();
    clickCell("FgR", 0, 0); // the current cell
    EXPECT_EQ(FgR().backColour(0, 0), White);
    clickCell("FgR", 0, 0);
    EXPECT_EQ(FgR().backColour(0, 0), Yellow);
    clickCell("FgR", 0, 3);
    EXPECT_EQ(FgR().backColour(0, 3), White);
    clickCell("FgR", 0, 3);
    EXPECT_EQ(FgR().backColour(0, 3), Yellow);
    clickCell("FgR", 0, 10);
    clickCell("FgR", 0, 3);
    EXPECT_EQ(FgR().backColour(0, 3), White);
    EXPECT_EQ(FgR().backColour(0, 10), White);

    clickCell("Fgp", 0, 0); // the current cell
    EXPECT_EQ(Fgp().backColour(0, 0), White);
    clickCell("Fgp", 0, 4);
    EXPECT_EQ(Fgp().backColour(0, 4), White);
    clickCell("Fgp", 0, 0);
    EXPECT_EQ(Fgp().backColour(0, 0), Green);
    clickCell("Fgp", 0, 4);
    EXPECT_EQ(Fgp().backColour(0, 4), Green);

    // Arrow keys move the current cell too.
    control<GridView>("Fgp")->setFocus();
    QTest::keyClick(control<GridView>("Fgp"), Qt::Key_Left);
    EXPECT_EQ(Fgp().backColour(0, 3), White);
}

TEST_F(AmboWindowSelections, SquaresSelectAndDeselectWholeRows) {
    build.randomDraws(5, 7);
    open();
    press("Label9");
    for (int w = 0; w < 11; ++w)
        EXPECT_EQ(FgR().backColour(0, w), White) << w;
    press("Label6");
    for (int w = 0; w < 11; ++w)
        EXPECT_EQ(FgR().backColour(0, w), Yellow) << w;
    press("Label30");
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(Fgp().backColour(0, c), White) << c;
    press("Label32");
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(Fgp().backColour(0, c), Green) << c;
    // The wheels were not touched by the position squares.
    for (int w = 0; w < 11; ++w)
        EXPECT_EQ(FgR().backColour(0, w), Yellow) << w;
}

TEST_F(AmboWindowSelections, SelectionsAreReadByTheNextSearch) {
    buildTwoCases();
    open();
    clickCell("FgR", 0, CA);
    elabora();
    EXPECT_EQ(caseColumn(ColEstrazione), QStringList{"3"});
    press("Label6");        // Cagliari is the current cell: clicking it again would change nothing
    clickCell("Fgp", 0, 4); // position 5: Genova-Torino matched on 4-5
    elabora();
    EXPECT_EQ(caseColumn(ColEstrazione), QStringList{"1"});
}

TEST_F(AmboWindowSelections, ClicksAfterTheSearchDoNotChangeTheVerification) {
    buildTwoCases();
    open();
    elabora();
    const QStringList cases = snapshot(Fg1());
    const QStringList totals = snapshot(FgS());
    clickCell("Fgp", 0, 3);
    clickCell("Fgp", 0, 4);
    clickCell("FgR", 0, GE);
    press("Label30");
    verifica();
    EXPECT_EQ(snapshot(Fg1()), cases);
    EXPECT_EQ(snapshot(FgS()), totals);
}

TEST_F(AmboWindowColumnDisplay, UserClickShowsTheColumnIndex) {
    buildTwoCases();
    open();
    elabora();
    // The verification's own move to column 1 shows nothing.
    EXPECT_TRUE(prompts.shown().empty());
    clickCell("Fg1", 1, ColAmbata);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, "28");
    EXPECT_TRUE(prompts.messages()[0].title.isEmpty());
    EXPECT_EQ(prompts.messages()[0].icon, MessageIcon::None);
    clickCell("Fg1", 1, ColAmbata); // the current cell: nothing
    EXPECT_EQ(prompts.messages().size(), 1u);
    clickCell("Fg1", 2, ColAmbata);
    ASSERT_EQ(prompts.messages().size(), 2u);
    EXPECT_EQ(prompts.messages()[1].text, "28");
    QTest::keyClick(control<GridView>("Fg1"), Qt::Key_Right);
    ASSERT_EQ(prompts.messages().size(), 3u);
    EXPECT_EQ(prompts.messages()[2].text, "29");
    // A new search moves the current cell again by itself: still nothing shown.
    elabora();
    EXPECT_EQ(prompts.messages().size(), 3u);
}

TEST_F(AmboWindowColumnDisplay, F1OpensTheWindowHelp) {
    build.randomDraws(5, 8);
    open();
    control<GridView>("Fg1")->setFocus();
    QTest::keyClick(control<GridView>("Fg1"), Qt::Key_F1);
    QLineEdit* colpi = control<QComboBox>("ComboC")->lineEdit();
    colpi->setFocus();
    QTest::keyClick(colpi, Qt::Key_F1);
    EXPECT_EQ(help.contexts, (std::vector<int>{210, 210}));
}

} // namespace
