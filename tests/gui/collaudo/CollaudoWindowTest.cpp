#include "CollaudoWindowFixture.h"
#include "core/Collaudo.h"
#include "core/DrawRange.h"
#include "core/MethodSettings.h"
#include "gui/kit/ItalianFormat.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>
#include <functional>

namespace {

QList<QPointF> points(QChart* chart, int series) {
    return static_cast<QLineSeries*>(chart->series().at(series))->points();
}

QDate dateOf(const QPointF& point) {
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(point.x())).date();
}

class CollaudoWindowBackTest : public CollaudoWindowTest {};

// The figures on screen are the engine's for the same settings, and the hand-made cases show as built.
TEST_F(CollaudoWindowBackTest, SummarySentenceChartsAndCasesShowTheEngineResult) {
    buildTwoCases();
    open();
    collauda();

    CollaudoSettings
        settings; // the window's defaults: every wheel and position, Adiacenti + Diametrali, 9 colpi
    const CollaudoResult engine = runCollaudo(settings, archive());
    const CollaudoSummary& s = engine.riepilogo;
    ASSERT_EQ(s.casi, 2);
    ASSERT_EQ(s.positiviCompleti, 2);

    EXPECT_EQ(summaryValue("Casi"), "2");
    EXPECT_EQ(summaryValue("Positivi completi"), "2");
    EXPECT_EQ(summaryValue("Attesi per caso"), italian::decimal(s.attesi, 2));
    EXPECT_EQ(summaryValue("Deviazione"), italian::decimal(s.deviazione, 2));
    EXPECT_EQ(summaryValue("p"), italian::pValue(s.p));
    EXPECT_EQ(summaryValue("Spesa"), italian::decimal(s.spesa, 2));
    EXPECT_EQ(summaryValue("Saldo"), italian::decimal(s.saldo, 2));
    ASSERT_TRUE(s.resa.has_value());
    EXPECT_EQ(summaryValue("Resa"), italian::percent(*s.resa));
    const QString sentence = control<QLabel>("LblRiepilogo")->text();
    EXPECT_TRUE(sentence.startsWith(
        QStringLiteral("2 positivi su 2 casi completi; per puro caso se ne attendevano %1 ± %2 (p = %3): ")
            .arg(italian::decimal(s.attesi, 0), italian::decimal(s.deviazione, 0), italian::pValue(s.p))))
        << sentence.toStdString();

    // Cases, most recent first: the Genova-Torino case positive at colpo 2, the Bari-Cagliari one at 1.
    EXPECT_EQ(caseColumn(1), QStringList({"3", "1"}));
    EXPECT_EQ(caseColumn(2), QStringList({"04/01/2020", "02/01/2020"}));
    EXPECT_EQ(caseColumn(3), QStringList({"GE", "BA"}));
    EXPECT_EQ(caseColumn(6), QStringList({"2", "37"}));
    // Positions and the further numbers, each as the case has them.
    for (int r = 0; r < 2; ++r) {
        const EqualAmboCase e = engine.casi[static_cast<std::size_t>(r)].equalAmbo();
        EXPECT_EQ(caseText(r, 5), QStringLiteral("%1-%2").arg(e.position1).arg(e.position2)) << r;
        EXPECT_EQ(caseText(r, 7), QString::number(e.forecast.A1)) << r;
        EXPECT_EQ(caseText(r, 8), QString::number(e.forecast.A2)) << r;
        EXPECT_EQ(caseText(r, 9), QString::number(e.forecast.A3)) << r;
    }
    EXPECT_EQ(caseColumn(10), QStringList({"positivo", "positivo"}));
    EXPECT_EQ(caseColumn(11), QStringList({"2", "1"}));
    EXPECT_EQ(caseColumn(12), QStringList({italian::decimal(engine.casi[0].probability, 4),
                                           italian::decimal(engine.casi[1].probability, 4)}));
    EXPECT_EQ(caseMarker(0), QColor(0, 255, 0));
    EXPECT_EQ(caseMarker(1), QColor(0, 255, 0));

    // Positives by colpo: half the cases by colpo 1, all of them from colpo 2; chance beside them.
    QChart* byColpo = control<ChartPanel>("GrColpi")->chart();
    ASSERT_NE(byColpo, nullptr);
    const QList<QPointF> observed = points(byColpo, 0);
    const QList<QPointF> expected = points(byColpo, 1);
    ASSERT_EQ(observed.size(), 9);
    ASSERT_EQ(expected.size(), 9);
    EXPECT_DOUBLE_EQ(observed[0].y(), 50.0);
    for (int k = 1; k < 9; ++k)
        EXPECT_DOUBLE_EQ(observed[k].y(), 100.0) << "colpo " << k + 1;
    for (int k = 0; k < 9; ++k)
        EXPECT_NEAR(expected[k].y(), engine.colpi[k].attesi / 2 * 100.0, 1e-9) << "colpo " << k + 1;

    // The balance after each case, oldest first, at the case's date; the yield in the title.
    QChart* balance = control<ChartPanel>("GrSaldo")->chart();
    const QList<QPointF> steps = points(balance, 0);
    ASSERT_EQ(steps.size(), 2);
    EXPECT_EQ(dateOf(steps[0]), QDate(2020, 1, 2));
    EXPECT_EQ(dateOf(steps[1]), QDate(2020, 1, 4));
    const CollaudoCase& older = engine.casi[1];
    const CollaudoCase& newer = engine.casi[0];
    EXPECT_NEAR(steps[0].y(), older.won - older.withheld - older.spent, 1e-9);
    EXPECT_NEAR(steps[1].y(), s.saldo, 1e-9);
    EXPECT_EQ(balance->title(), QStringLiteral("Saldo nel tempo (resa %1)").arg(italian::percent(*s.resa)));
    EXPECT_GT(newer.won, 0.0);

    // Positives per year against the number chance expects.
    QChart* perYear = control<ChartPanel>("GrAnni")->chart();
    auto* bars = static_cast<QBarSeries*>(perYear->series().at(0));
    ASSERT_EQ(bars->count(), 1);
    ASSERT_EQ(bars->barSets().at(0)->count(), 1);
    EXPECT_EQ(bars->barSets().at(0)->at(0), 2.0);
    const QList<QPointF> chance = points(perYear, 1);
    ASSERT_EQ(chance.size(), 1);
    EXPECT_NEAR(chance[0].y(), s.attesi, 1e-9);
}

// Bad ranges never reach the engine's divisions: a start after the end is refused, a range with
// nothing complete shows zeros and says why.
TEST_F(CollaudoWindowBackTest, BadRangesAreRefusedOrExplainedWithoutNaN) {
    buildTwoCases();
    open();
    auto* dal = control<QDateEdit>("DtDal");
    auto* al = control<QDateEdit>("DtAl");
    EXPECT_EQ(dal->minimumDate(), QDate(2020, 1, 2));
    EXPECT_EQ(dal->maximumDate(), QDate(2020, 1, 21));
    EXPECT_EQ(al->maximumDate(), QDate(2020, 1, 21));

    // Typed dates outside the archive do not get in.
    typeDate("DtDal", "01/01/1990");
    EXPECT_GE(dal->date(), QDate(2020, 1, 2));

    struct Step {
        const char* what;
        QString dal;
        QString al;
        const char* colpi;
        QString sentenceStart;
    };
    const Step steps[] = {
        {"start after end", "10/01/2020", "05/01/2020", "9", QString()},
        {"no case at all", "06/01/2020", "21/01/2020", "9", QStringLiteral("Nessun caso nel periodo scelto")},
        {"only a case still in play", "04/01/2020", "05/01/2020", "18",
         QStringLiteral("Un caso, non ancora completo")},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        prompts.clear();
        control<QLabel>("LblRiepilogo")->setText(QStringLiteral("prima"));
        dal->setDate(QDate::fromString(step.dal, QStringLiteral("dd/MM/yyyy")));
        al->setDate(QDate::fromString(step.al, QStringLiteral("dd/MM/yyyy")));
        window->Parametri->setColpi(QString::fromLatin1(step.colpi).toInt());
        collauda();
        const QString sentence = control<QLabel>("LblRiepilogo")->text();
        if (step.sentenceStart.isEmpty()) {
            ASSERT_EQ(prompts.messages().size(), 1u);
            EXPECT_EQ(prompts.messages()[0].text,
                      "La data d'inizio (10/01/2020) è successiva alla data di fine (05/01/2020).");
            EXPECT_EQ(prompts.messages()[0].icon, MessageIcon::Exclamation);
            EXPECT_EQ(sentence, "prima");
            continue;
        }
        EXPECT_TRUE(prompts.messages().empty());
        EXPECT_TRUE(sentence.startsWith(step.sentenceStart)) << sentence.toStdString();
        EXPECT_EQ(summaryValue("Casi completi"), "0");
        EXPECT_EQ(summaryValue("Attesi per caso"), "0,00");
        EXPECT_EQ(summaryValue("p"), "-");
        QStringList shown{sentence, control<ChartPanel>("GrSaldo")->chart()->title()};
        const GridModel& summary = grid("FgRiepilogo");
        for (int r = 1; r < summary.rows(); ++r)
            shown << summary.text(r, 1);
        for (const QPointF& p : points(control<ChartPanel>("GrColpi")->chart(), 0))
            EXPECT_TRUE(std::isfinite(p.y()));
        for (const QString& text : shown) {
            EXPECT_FALSE(text.contains(QStringLiteral("nan"), Qt::CaseInsensitive)) << text.toStdString();
            EXPECT_FALSE(text.contains(QStringLiteral("inf"), Qt::CaseInsensitive)) << text.toStdString();
        }
    }
}

// Settings that can find no case are refused in a box before anything runs, and what was shown stays;
// Enter, from a control that hands it on, presses COLLAUDA as the default button it is drawn as.
TEST_F(CollaudoWindowBackTest, SettingsThatCanFindNoCaseAreRefusedThroughTheButtonOrEnter) {
    buildTwoCases();
    open();
    EXPECT_TRUE(window->CmdCollauda->isDefault());
    const QString twoWheels =
        QStringLiteral("Selezionare almeno due ruote: l'ambo uguale si cerca su una coppia di ruote.");
    const QString outOfSample = QStringLiteral(
        "La data fuori campione (%1) deve cadere dopo il primo giorno del periodo (02/01/2020) e non dopo "
        "l'ultimo (%2): solo così restano casi su cui misurare e casi su cui verificare.");
    struct Refusal {
        const char* what;
        std::function<void()> choose;
        std::function<void()> start;
        QString message;
    };
    const auto button = [this](const char* name) { return [this, name] { press(name); }; };
    const auto enterIn = [this](const char* name) {
        return [this, name] {
            control<QWidget>(name)->setFocus();
            QTest::keyClick(control<QWidget>(name), Qt::Key_Return);
        };
    };
    const auto noWheel = [this] { press("Label9"); };
    const auto noType = [this] { window->Parametri->setWheelTypes({}); };
    const auto fuori = [this](const QDate& al, const QDate& from) {
        return [this, al, from] {
            window->Parametri->DtAl->setDate(al);
            setBox("ChFuori", true);
            window->Parametri->DtFuori->setDate(from);
        };
    };
    const std::vector<Refusal> refusals{
        {"no wheel, COLLAUDA", noWheel, button("CmdCollauda"), twoWheels},
        {"no wheel, Enter in a date field", noWheel, enterIn("DtDal"), twoWheels},
        {"no wheel, ESPLORA", noWheel, button("CmdEsplora"), twoWheels},
        {"no type, COLLAUDA", noType, button("CmdCollauda"),
         QStringLiteral("Selezionare almeno un tipo di ruote.")},
        {"out of sample on the first day", fuori(QDate(2020, 1, 21), QDate(2020, 1, 2)), button("CmdEsplora"),
         outOfSample.arg("02/01/2020", "21/01/2020")},
        {"out of sample after the last day", fuori(QDate(2020, 1, 9), QDate(2020, 1, 10)),
         button("CmdEsplora"),
         outOfSample.arg("10/01/2020", archive().drawDate(lastDrawUntil(archive(), QDate(2020, 1, 9))))},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.what);
        window->Parametri->Form_Load();
        window->Parametri->setWheelTypes(MethodSettings().types);
        prompts.clear();
        control<QLabel>("LblRiepilogo")->setText(QStringLiteral("prima"));
        control<QLabel>("LblEsplora")->setText(QStringLiteral("prima"));
        r.choose();
        r.start();
        ASSERT_EQ(prompts.messages().size(), 1u);
        EXPECT_EQ(prompts.messages()[0].text, r.message);
        EXPECT_EQ(prompts.messages()[0].title, QStringLiteral("Collaudo"));
        EXPECT_EQ(prompts.messages()[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(control<QLabel>("LblRiepilogo")->text(), "prima");
        EXPECT_EQ(control<QLabel>("LblEsplora")->text(), "prima");
        EXPECT_FALSE(window->sweepRunning());
    }

    // With the window's defaults Enter runs the back-test itself.
    window->Parametri->Form_Load();
    window->Parametri->setWheelTypes(MethodSettings().types);
    prompts.clear();
    enterIn("DtAl")();
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_TRUE(
        control<QLabel>("LblRiepilogo")->text().startsWith(QStringLiteral("2 positivi su 2 casi completi")));
}

// The case grid sorts by any column and a double-click opens the mini list at the case's draw.
TEST_F(CollaudoWindowBackTest, DoubleClickOnACaseShowsItsDrawInTheMiniList) {
    buildTwoCases();
    open();
    collauda();
    window->Schede->setCurrentIndex(1);
    QCoreApplication::processEvents();
    doubleClickCase(0, 2);
    clickCaseHeader(1); // N° Estr ascending
    EXPECT_EQ(caseColumn(1), QStringList({"1", "3"}));
    doubleClickCase(0, 5);
    EXPECT_EQ(frame.draws, std::vector<int>({3, 1}));
}

// The choices a window gives the one the frame opens after an archive update come back whole; a period that
// ran to the last draw runs to the new last one.
TEST_F(CollaudoWindowBackTest, KeepsItsChoicesForTheNewDraws) {
    buildTwoCases();
    open();
    CollaudoParameters& p = *window->Parametri;
    p.setColpi(5);
    p.setPositions({true, true, false, false, true});
    p.setWheelTypes({false, false, true, true, false, false, false});
    setBox("Ch_2", false);
    setBox("ChPosAdi", true);
    p.SpPosta[1]->setValue(2.5);
    p.setWheels({true, false, true, false, true, false, true, false, true, false, true});
    p.DtDal->setDate(QDate(2020, 1, 3));
    setBox("ChFuori", true);
    window->Schede->setCurrentIndex(1);
    const QVariantMap kept = window->keptSettings();

    CollaudoFrm again(archive(), palette, prompts, help, frame);
    again.restoreSettings(kept);
    const CollaudoParameters& q = *again.Parametri;
    EXPECT_EQ(q.colpi(), 5);
    EXPECT_EQ(q.positions(), p.positions());
    EXPECT_EQ(q.wheelTypes(), p.wheelTypes());
    EXPECT_EQ(q.outcomeBoxes().flags(), (std::array<bool, 4>{true, false, true, true}));
    EXPECT_TRUE(q.adjacentPositions());
    EXPECT_EQ(q.stakes(), p.stakes());
    EXPECT_EQ(q.wheels(), p.wheels());
    EXPECT_EQ(q.rangeStart(), QDate(2020, 1, 3));
    EXPECT_EQ(q.rangeEnd(), q.DtAl->maximumDate());
    EXPECT_EQ(q.outOfSampleFrom(), p.outOfSampleFrom());
    EXPECT_EQ(again.Schede->currentIndex(), 1);
}

// "Salva immagine…" writes the chart as PNG or SVG by the name the user gives.
TEST_F(CollaudoWindowBackTest, ChartsAreSavedAsPngAndSvg) {
    buildTwoCases();
    open();
    collauda();
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("colpi.png"));
    const QString svg = dir.filePath(QStringLiteral("saldo.svg"));
    prompts.answerFile(png);
    QTest::mouseClick(control<ChartPanel>("GrColpi")->CmdSalva, Qt::LeftButton);
    prompts.answerFile(svg);
    QTest::mouseClick(control<ChartPanel>("GrSaldo")->CmdSalva, Qt::LeftButton);

    const QImage image(png);
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), control<ChartPanel>("GrColpi")->view()->size());
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("Saldo nel tempo")) << "the title is drawn as text";
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].kind, ShownBox::SaveFile);
    EXPECT_EQ(prompts.shown()[0].file.filter, "Immagine PNG (*.png);;Immagine SVG (*.svg)");
}

TEST_F(CollaudoWindowBackTest, F1OpensTheWindowsOwnTopic) {
    buildTwoCases();
    open();
    control<QWidget>("ComboC")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(help.contexts, std::vector<int>({CollaudoFrm::HelpContext}));
    EXPECT_EQ(CollaudoFrm::HelpContext, 230);
}

} // namespace
