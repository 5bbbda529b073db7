#include "CollaudoWindowFixture.h"
#include "core/Collaudo.h"
#include "core/Sweep.h"
#include "gui/collaudo/CollaudoPresentation.h"
#include "gui/collaudo/SweepRunner.h"
#include "gui/kit/ItalianFormat.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QSignalSpy>
#include <QTabWidget>

namespace {

// The Collaudo window with "Metodo" set to "Ritardatario" on 500 random draws, where delays reach the
// low thresholds the tests choose.
class CollaudoWindowOverdue : public CollaudoWindowTest {
protected:
    void openOverdue() {
        build.randomDraws(500, 1939);
        open();
        chooseMethod(1);
    }

    // Picks a method in the drop-down with the keyboard, as a user does.
    void chooseMethod(int index) {
        auto* combo = control<QComboBox>("ComboMetodo");
        combo->setFocus();
        QTest::keyClick(combo, index > combo->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(combo->currentIndex(), index);
    }

    void typeThreshold(int soglia) {
        auto* field = control<QComboBox>("ComboSoglia");
        field->setFocus();
        field->lineEdit()->selectAll();
        QTest::keyClicks(field, QString::number(soglia));
        QTest::keyClick(field, Qt::Key_Tab);
        ASSERT_EQ(window->Parametri->soglia(), soglia);
    }

    bool esplora() {
        QSignalSpy finished(&window->sweepRunner(), &SweepRunner::finished);
        press("CmdEsplora");
        return finished.wait(60000);
    }

    QStringList caseHeaders() const {
        const QAbstractItemModel& cases = *window->FgCasi->model();
        QStringList headers;
        for (int c = 0; c < cases.columnCount(); ++c)
            headers << cases.headerData(c, Qt::Horizontal).toString();
        return headers;
    }
};

// "Ritardatario" enables "Soglia" and disables what only the equal ambo has; "Ambo uguale" turns it back.
TEST_F(CollaudoWindowOverdue, TheMethodEnablesItsOwnControlsOnly) {
    build.randomDraws(30, 5);
    open();
    const std::vector<const char*> equalAmboOnly{
        "Fgp",       "Label32",        "Label30",        "ChPosAdi",      "Ch_1",
        "Ch_2",      "Ch_4",           "Ch_Tutte",       "SpPosta_1",     "SpPosta_2",
        "SpPosta_3", "Ch_RuoteTipo_0", "Ch_RuoteTipo_3", "Ch_RuoteTipo_6"};
    const std::vector<const char*> shared{"FgR", "Label6", "ComboC", "SpPosta_0", "DtDal", "DtAl", "ChFuori"};
    EXPECT_EQ(control<QComboBox>("ComboMetodo")->currentText(), "Ambo uguale");
    EXPECT_FALSE(control<QWidget>("ComboSoglia")->isEnabled());
    EXPECT_EQ(control<QComboBox>("ComboSoglia")->currentText(), QString::number(MethodSettings().soglia));
    for (const int method : {1, 0}) {
        chooseMethod(method);
        const bool overdue = method == 1;
        EXPECT_EQ(control<QWidget>("ComboSoglia")->isEnabled(), overdue);
        for (const char* name : equalAmboOnly)
            EXPECT_EQ(control<QWidget>(name)->isEnabled(), !overdue) << name;
        for (const char* name : shared)
            EXPECT_TRUE(control<QWidget>(name)->isEnabled()) << name;
    }
}

// The positions do not apply to the overdue number: grey on screen, squares too, and deaf to clicks;
// the equal ambo finds them as it left them.
TEST_F(CollaudoWindowOverdue, PositionsTurnGreyAndDeafForTheOverdueNumber) {
    build.randomDraws(30, 5);
    open();
    const GridView& positions = *control<GridView>("Fgp");
    const auto shown = [&positions](int col) {
        const GridView::CellSpot spot = positions.cellSpot(0, col);
        return spot.widget->grab().toImage().pixelColor(spot.rect.topLeft() + QPoint(2, 2));
    };
    const auto square = [this](const char* name) {
        auto* button = control<QWidget>(name);
        return button->grab().toImage().pixelColor(button->width() / 2, button->height() / 2);
    };
    const std::array<bool, 5> before = window->Parametri->positions();
    ASSERT_TRUE(before[0]);
    EXPECT_EQ(shown(0), QColor(0, 255, 0));
    EXPECT_EQ(square("Label32"), QColor(0, 192, 0));

    chooseMethod(1);
    const QColor grey = shown(0);
    EXPECT_TRUE(grey.red() == grey.green() && grey.green() == grey.blue()) << grey.name().toStdString();
    EXPECT_EQ(square("Label32"), QColor(212, 212, 212));
    EXPECT_EQ(square("Label30"), QColor(212, 212, 212));
    clickGridCell(positions, 0, 0);
    clickGridCell(positions, 0, 2);
    clickButton(*window, "Label30");
    EXPECT_EQ(window->Parametri->positions(), before);
    // The wheels still apply, and still flip at every click.
    clickGridCell(*control<GridView>("FgR"), 0, 4);
    clickGridCell(*control<GridView>("FgR"), 0, 4);
    clickGridCell(*control<GridView>("FgR"), 0, 4);
    EXPECT_NE(window->Parametri->wheels()[4], MethodSettings().wheels[4]);

    chooseMethod(0);
    EXPECT_EQ(shown(0), QColor(0, 255, 0));
    EXPECT_EQ(window->Parametri->positions(), before);
}

// COLLAUDA shows the engine's back-test of the overdue number: summary, sentence, charts and its cases.
TEST_F(CollaudoWindowOverdue, CollaudaShowsTheOverdueNumbersBackTest) {
    openOverdue();
    typeThreshold(40);
    window->Parametri->setColpi(6);
    window->Parametri->setWheels({true, true, false, false, false, false, false, false, false, false, true});
    collauda();

    const CollaudoSettings settings = collaudoSettings(*window->Parametri, archive());
    EXPECT_EQ(settings.metodo, MethodSettings::Metodo::Ritardatario);
    EXPECT_EQ(settings.soglia, 40);
    const CollaudoResult engine = runCollaudo(settings, archive());
    const CollaudoSummary& s = engine.riepilogo;
    ASSERT_GT(s.casiCompleti, 20);
    EXPECT_EQ(summaryValue("Casi"), italian::integer(s.casi));
    EXPECT_EQ(summaryValue("Positivi completi"), italian::integer(s.positiviCompleti));
    EXPECT_EQ(summaryValue("Attesi per caso"), italian::decimal(s.attesi, 2));
    EXPECT_EQ(summaryValue("Spesa"), italian::decimal(s.spesa, 2));
    EXPECT_EQ(summaryValue("Saldo"), italian::decimal(s.saldo, 2));
    EXPECT_EQ(control<QLabel>("LblRiepilogo")->text(), summarySentence(engine));

    EXPECT_EQ(caseHeaders(), (QStringList{"", "N° Estr", "Data", "Ruota", "Numero", "Ritardo", "Esito",
                                          "Colpo", "Probabilità"}));
    ASSERT_EQ(window->FgCasi->model()->rowCount(), s.casi);
    for (int r : {0, 1, s.casi - 1}) {
        const CollaudoCase& c = engine.casi[static_cast<std::size_t>(r)];
        EXPECT_EQ(caseText(r, 1), QString::number(c.overdue().draw)) << r;
        EXPECT_EQ(caseText(r, 3), archive().wheelCode(c.overdue().wheel)) << r;
        EXPECT_EQ(caseText(r, 4), QString::number(c.overdue().number)) << r;
        EXPECT_EQ(caseText(r, 5), QString::number(c.overdue().delay)) << r;
        EXPECT_EQ(caseText(r, 6), esitoName(c.esito)) << r;
        EXPECT_EQ(caseText(r, 8), italian::decimal(c.probability, 4)) << r;
    }
    // Sorted by delay, longest last; a double click opens the mini list on that case's draw.
    window->Schede->setCurrentIndex(1);
    QCoreApplication::processEvents();
    clickCaseHeader(5);
    EXPECT_LE(caseText(0, 5).toInt(), caseText(s.casi - 1, 5).toInt());
    const int draw = caseText(0, 1).toInt();
    doubleClickCase(0, 2);
    ASSERT_EQ(frame.draws.size(), 1u);
    EXPECT_EQ(frame.draws.front(), draw);

    // The three charts: six colpi beside chance, a balance that ends at the saldo, a bar a year.
    QChart* byColpo = control<ChartPanel>("GrColpi")->chart();
    ASSERT_NE(byColpo, nullptr);
    EXPECT_EQ(static_cast<QLineSeries*>(byColpo->series().at(0))->points().size(), 6);
    const QList<QPointF> balance =
        static_cast<QLineSeries*>(control<ChartPanel>("GrSaldo")->chart()->series().at(0))->points();
    ASSERT_FALSE(balance.isEmpty());
    EXPECT_NEAR(balance.last().y(), s.saldo, 1e-6);
    auto* bars = static_cast<QBarSeries*>(control<ChartPanel>("GrAnni")->chart()->series().at(0));
    EXPECT_GE(bars->barSets().at(0)->count(), 1);
}

// ESPLORA tries thresholds and Colpi; a double click on a row puts them back and runs its back-test.
TEST_F(CollaudoWindowOverdue, SweepRowsAreThresholdsAndColpiAndOpenTheirBackTest) {
    openOverdue();
    ASSERT_TRUE(esplora());
    const SweepResult engine = runSweep(sweepSettings(*window->Parametri, archive(), 100), archive());
    ASSERT_EQ(engine.combinations, 180u);
    const GridModel& table = grid("FgEsplora");
    EXPECT_EQ(table.text(0, 0), "Soglia");
    EXPECT_EQ(table.text(0, 1), "Colpi");
    EXPECT_EQ(table.text(0, 6), "p");
    EXPECT_EQ(table.text(0, 7), "p Holm");
    ASSERT_EQ(table.rows() - 1, 100);
    for (int r = 0; r < 3; ++r) {
        const SweepRow& row = engine.rows[static_cast<std::size_t>(r)];
        EXPECT_EQ(table.text(r + 1, 0), QString::number(row.soglia));
        EXPECT_EQ(table.text(r + 1, 1), QString::number(row.colpi));
        EXPECT_EQ(table.text(r + 1, 2), italian::integer(row.figures.casiCompleti));
        EXPECT_EQ(table.text(r + 1, 6), italian::pValue(row.figures.p));
    }
    EXPECT_TRUE(control<QLabel>("LblEsplora")->text().contains(QStringLiteral("su 180 provate")));

    // The method switched meanwhile: the row brings its own back.
    chooseMethod(0);
    window->Schede->setCurrentIndex(2);
    QCoreApplication::processEvents();
    const SweepRow& chosen = engine.rows[static_cast<std::size_t>(window->FgEsplora->sourceRow(2))];
    doubleClickCell("FgEsplora", 2, 1);
    EXPECT_EQ(window->Parametri->metodo(), MethodSettings::Metodo::Ritardatario);
    EXPECT_EQ(window->Parametri->soglia(), chosen.soglia);
    EXPECT_EQ(window->Parametri->colpi(), chosen.colpi);
    EXPECT_EQ(summaryValue("Casi completi"), italian::integer(chosen.figures.casiCompleti));
    EXPECT_EQ(summaryValue("Positivi completi"), italian::integer(chosen.figures.positivi));
    EXPECT_EQ(summaryValue("Saldo"), italian::decimal(chosen.figures.saldo, 2));
}

// The method and its threshold stay across an archive update, like the other choices.
TEST_F(CollaudoWindowOverdue, KeepsTheMethodAndItsThreshold) {
    openOverdue();
    typeThreshold(63);
    CollaudoFrm again(archive(), palette, prompts, help, frame);
    again.restoreSettings(window->keptSettings());
    EXPECT_EQ(again.Parametri->metodo(), MethodSettings::Metodo::Ritardatario);
    EXPECT_EQ(again.Parametri->soglia(), 63);
    EXPECT_TRUE(again.Parametri->ComboSoglia->isEnabled());
    EXPECT_FALSE(again.Parametri->Fgp->isEnabled());
}

} // namespace
