#include "CollaudoWindowFixture.h"
#include "core/Collaudo.h"
#include "core/Sweep.h"
#include "gui/collaudo/CollaudoPresentation.h"
#include "gui/collaudo/SweepRunner.h"
#include "gui/kit/ItalianFormat.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>

namespace {

class CollaudoWindowSweep : public CollaudoWindowTest {
protected:
    void openRandom(int draws) {
        build.randomDraws(draws, 20261207);
        open();
    }

    // ESPLORA clicked and its worker waited for, as the user waits for the bar to fill.
    bool esplora() {
        QSignalSpy finished(&window->sweepRunner(), &SweepRunner::finished);
        press("CmdEsplora");
        return finished.wait(60000);
    }

    // The engine's sweep for the window's own settings.
    SweepResult engineSweep() const {
        return runSweep(sweepSettings(*window->Parametri, *m_archive, 100), *m_archive);
    }
};

// The sweep table shows the engine's rows, p beside Holm's p; a double-click puts a row's settings into
// the controls and its back-test then shows the same figures as the row.
TEST_F(CollaudoWindowSweep, TableShowsTheEngineRowsAndADoubleClickRunsTheRowsBackTest) {
    openRandom(300);
    ASSERT_TRUE(esplora());
    EXPECT_FALSE(window->CmdAnnulla->isEnabled());
    EXPECT_TRUE(window->CmdEsplora->isEnabled());
    EXPECT_EQ(frame.maximum, 100);
    ASSERT_FALSE(frame.values.empty());
    EXPECT_EQ(frame.values.back(), 0) << "the bar empties at the end";

    const SweepResult engine = engineSweep();
    const GridModel& table = grid("FgEsplora");
    ASSERT_EQ(table.rows() - 1, static_cast<int>(engine.rows.size()));
    ASSERT_GE(engine.rows.size(), 3u);
    EXPECT_EQ(table.text(0, 8), "p");
    EXPECT_EQ(table.text(0, 9), "p Holm");
    for (int r = 0; r < 3; ++r) {
        const SweepRow& row = engine.rows[static_cast<std::size_t>(r)];
        EXPECT_EQ(table.text(r + 1, 3), QString::number(row.colpi));
        EXPECT_EQ(table.text(r + 1, 4), italian::integer(row.figures.casiCompleti));
        EXPECT_EQ(table.text(r + 1, 5), italian::integer(row.figures.positivi));
        EXPECT_EQ(table.text(r + 1, 8), italian::pValue(row.figures.p));
        EXPECT_EQ(table.text(r + 1, 9), italian::pValue(row.pHolm));
    }

    // Sorted by Colpi, then the first row opened.
    window->Schede->setCurrentIndex(2);
    QCoreApplication::processEvents();
    window->FgEsplora->sortByColumn(3);
    const int source = window->FgEsplora->sourceRow(1);
    const SweepRow& chosen = engine.rows[static_cast<std::size_t>(source)];
    doubleClickCell("FgEsplora", 1, 1);
    EXPECT_EQ(window->Parametri->colpi(), chosen.colpi);
    EXPECT_EQ(window->Parametri->positions(), chosen.positions);
    EXPECT_EQ(window->Parametri->wheelTypes(), chosen.types);
    EXPECT_EQ(window->Parametri->adjacentPositions(), chosen.adjacentPositions);
    EXPECT_EQ(summaryValue("Casi completi"), italian::integer(chosen.figures.casiCompleti));
    EXPECT_EQ(summaryValue("Positivi completi"), italian::integer(chosen.figures.positivi));
    EXPECT_EQ(summaryValue("Attesi per caso"), italian::decimal(chosen.figures.attesi, 2));
    EXPECT_EQ(summaryValue("Saldo"), italian::decimal(chosen.figures.saldo, 2));

    // The back-test of a chosen row says it was chosen among many, with the row's corrected p.
    const QString combinations = italian::integer(static_cast<long long>(engine.combinations));
    EXPECT_EQ(summaryValue("Combinazioni provate"), combinations);
    EXPECT_EQ(summaryValue("p corretto (Holm)"), italian::pValue(chosen.pHolm));
    // The sentence leads with the corrected verdict; the back-test's own p comes after, named for what it
    // is, and its verdict (which the choice among many flatters) is not given at all.
    const QString sentence = control<QLabel>("LblRiepilogo")->text();
    const QString lead = QStringLiteral("Impostazioni scelte nell'esplorazione fra %1 combinazioni provate sui "
                                        "casi degli anni ")
                             .arg(combinations);
    EXPECT_TRUE(sentence.startsWith(lead)) << sentence.toStdString();
    const QString corrected = QStringLiteral("Tenendo conto di tutte, %1: %2")
                                  .arg(italian::pIs(chosen.pHolm).replace(QStringLiteral("p "),
                                                                         QStringLiteral("p corretto (Holm) ")),
                                       chanceVerdict(std::min(chosen.pHolm, 0.5)));
    const QString uncorrected = QStringLiteral("un p non corretto, che la scelta della migliore fra tante");
    EXPECT_TRUE(sentence.contains(corrected)) << sentence.toStdString();
    EXPECT_GT(sentence.indexOf(uncorrected), sentence.indexOf(corrected)) << sentence.toStdString();
    const CollaudoSummary backTest = runCollaudo(collaudoSettings(*window->Parametri, archive()), archive()).riepilogo;
    EXPECT_TRUE(sentence.contains(comparisonWithChance(backTest))) << sentence.toStdString();
    EXPECT_FALSE(sentence.mid(sentence.indexOf(uncorrected)).contains(QStringLiteral("risultato")))
        << sentence.toStdString();
    // The corrected p is the summary's first row, where the eye starts.
    EXPECT_EQ(grid("FgRiepilogo").text(1, 0), QStringLiteral("p corretto (Holm)"));

    // COLLAUDA again with the same settings keeps the note; a setting changed by hand drops it.
    collauda();
    EXPECT_EQ(summaryValue("Combinazioni provate"), combinations);
    window->Parametri->setColpi(chosen.colpi == 1 ? 2 : 1);
    collauda();
    const GridModel& summary = grid("FgRiepilogo");
    EXPECT_FALSE(column(summary, 0).contains(QStringLiteral("Combinazioni provate")));
    EXPECT_FALSE(control<QLabel>("LblRiepilogo")->text().contains(QStringLiteral("esplorazione")));
}

// With "Fuori campione dal" the rows carry the later cases' figures beside them.
TEST_F(CollaudoWindowSweep, OutOfSampleColumnsSitBesideTheRankedOnes) {
    openRandom(300);
    setBox("ChFuori", true);
    window->Parametri->DtFuori->setDate(window->Parametri->DtFuori->minimumDate().addDays(150));
    ASSERT_TRUE(esplora());
    const SweepResult engine = engineSweep();
    const GridModel& table = grid("FgEsplora");
    EXPECT_EQ(table.text(0, 13), "Fuori\ncasi");
    EXPECT_EQ(table.text(0, 17), "Fuori\nresa");
    ASSERT_FALSE(engine.rows.empty());
    ASSERT_TRUE(engine.rows[0].fuori.has_value());
    EXPECT_EQ(table.text(1, 13), italian::integer(engine.rows[0].fuori->casiCompleti));
    EXPECT_EQ(table.text(1, 14), italian::integer(engine.rows[0].fuori->positivi));
    EXPECT_TRUE(
        control<QLabel>("LblEsplora")->text().contains(QStringLiteral("Misurate sui casi prima del")));

    // The chosen row's back-test shows its out-of-sample figures beside the rest.
    window->Schede->setCurrentIndex(2);
    QCoreApplication::processEvents();
    doubleClickCell("FgEsplora", 1, 1);
    const SweepFigures& fuori = *engine.rows[static_cast<std::size_t>(window->FgEsplora->sourceRow(1))].fuori;
    EXPECT_EQ(summaryValue("Fuori: casi completi"), italian::integer(fuori.casiCompleti));
    EXPECT_EQ(summaryValue("Fuori: positivi"), italian::integer(fuori.positivi));
    // The out-of-sample figures come before the back-test's own p, which covers the out-of-sample years too.
    const QString sentence = control<QLabel>("LblRiepilogo")->text();
    const qsizetype outside = sentence.indexOf(QStringLiteral("Fuori campione, sui casi dal "));
    const qsizetype whole = sentence.indexOf(QStringLiteral("Su tutti i casi del periodo scelto ("));
    EXPECT_GT(outside, 0) << sentence.toStdString();
    if (fuori.casiCompleti > 0) {
        EXPECT_GT(whole, outside) << sentence.toStdString();
    }
    if (whole > 0) {
        EXPECT_TRUE(sentence.mid(whole).contains(QStringLiteral(", fuori campione compreso)")))
            << sentence.toStdString();
    }
}

// ANNULLA leaves the table of the previous sweep as it was.
TEST_F(CollaudoWindowSweep, CancelledSweepLeavesThePreviousResults) {
    openRandom(300);
    ASSERT_TRUE(esplora());
    const QStringList before = column(grid("FgEsplora"), 8);
    ASSERT_FALSE(before.isEmpty());
    window->Parametri->setColpi(3); // a different sweep would not change the combinations, only the range
    window->Parametri->DtDal->setDate(window->Parametri->DtDal->date().addDays(200));

    QSignalSpy finished(&window->sweepRunner(), &SweepRunner::finished);
    press("CmdEsplora");
    EXPECT_TRUE(window->CmdAnnulla->isEnabled());
    EXPECT_FALSE(window->CmdEsplora->isEnabled());
    press("CmdAnnulla");
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(column(grid("FgEsplora"), 8), before);
    EXPECT_EQ(control<QLabel>("LblEsplora")->text(),
              "Esplorazione annullata: restano i risultati precedenti.");
    EXPECT_TRUE(window->CmdEsplora->isEnabled());
    EXPECT_FALSE(window->CmdAnnulla->isEnabled());
}

// Closing the window in the middle of a sweep stops the worker: no crash, no wait worth noticing.
TEST_F(CollaudoWindowSweep, ClosingDuringASweepStopsTheWorker) {
    openRandom(2000);
    press("CmdEsplora");
    ASSERT_TRUE(window->sweepRunning());
    QElapsedTimer timer;
    timer.start();
    window->close();
    window.reset();
    EXPECT_LT(timer.elapsed(), 3000);
}

// Closing the window mid-sweep empties the frame's bar for good: reports of the worker already on their
// way when the window closes do not fill it again.
TEST_F(CollaudoWindowSweep, ClosingDuringASweepLeavesTheFramesBarEmpty) {
    openRandom(2000);
    std::atomic<bool> reported{false};
    // Runs on the worker's thread, after the window's own (queued) report of the same step was posted.
    QObject::connect(
        &window->sweepRunner(), &SweepRunner::progress, &window->sweepRunner(),
        [&reported](int done, int total) { reported = total > 0 && 100LL * done / total >= 1; },
        Qt::DirectConnection);
    QSignalSpy finished(&window->sweepRunner(), &SweepRunner::finished);
    press("CmdEsplora");
    QElapsedTimer timer;
    timer.start();
    // No events are processed meanwhile: the report stays queued, as when the user closes the window
    // while the bar moves.
    while (!reported && timer.elapsed() < 60000)
        QThread::msleep(5);
    ASSERT_TRUE(reported);
    ASSERT_TRUE(window->sweepRunning());
    const std::size_t beforeClose = frame.values.size();
    window->close();
    ASSERT_TRUE(finished.wait(60000));
    QCoreApplication::processEvents();
    ASSERT_GT(frame.values.size(), beforeClose);
    for (std::size_t i = beforeClose; i < frame.values.size(); ++i)
        EXPECT_EQ(frame.values[i], 0) << "value " << i << " after the close";
}

// Ending the program mid-sweep ("FINE", the frame's close) leaves the event loop without closing the
// window: the worker is stopped before the loop returns, since the store it reads is about to go.
TEST_F(CollaudoWindowSweep, EndingTheProgramDuringASweepStopsTheWorkerFirst) {
    openRandom(2000);
    press("CmdEsplora");
    ASSERT_TRUE(window->sweepRunning());
    QTimer::singleShot(50, [] { QCoreApplication::exit(0); });
    QElapsedTimer timer;
    timer.start();
    QCoreApplication::exec();
    EXPECT_FALSE(window->sweepRunning());
    EXPECT_LT(timer.elapsed(), 3000);
}

// Ctrl+C copies the selected cells tab-separated with the header row; "Esporta CSV…" writes the table.
TEST_F(CollaudoWindowSweep, CopyAndExportWriteWhatTheGridShows) {
    buildTwoCases();
    open();
    collauda();
    window->Schede->setCurrentIndex(1);
    QCoreApplication::processEvents();
    ItemTableView* cases = window->FgCasi;
    cases->setFocus();
    clickCaseHeader(1); // N° Estr ascending: draw 1 first
    QTest::keyClick(cases, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(cases, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("N° Estr\tData\tR1\tR2"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("1\t02/01/2020\tBA\tCA"))) << lines[1].toStdString();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("casi.csv"));
    prompts.answerFile(path);
    ASSERT_TRUE(cases->exportCsv());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList csv = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(csv.size(), 3);
    EXPECT_TRUE(csv[1].contains(QStringLiteral("1;02/01/2020;BA;CA;1-2;37"))) << csv[1].toStdString();
    EXPECT_TRUE(csv[2].contains(QStringLiteral("3;04/01/2020;GE;TO;4-5;2"))) << csv[2].toStdString();
}

// A setting changed after COLLAUDA greys the back-test's results under a line that says to press COLLAUDA;
// the sweep's table greys only for what the sweep itself reads (not Colpi or the types, which it tries
// all). Putting the setting back, or running again, brings them back.
TEST_F(CollaudoWindowSweep, ResultsGreyOnceTheSettingsNoLongerMatchThem) {
    openRandom(300);
    ASSERT_TRUE(esplora());
    collauda();
    auto* backTest = control<QLabel>("LblAggiorna");
    auto* sweep = control<QLabel>("LblAggiornaEsplora");
    ASSERT_FALSE(backTest->isVisibleTo(window.get()));
    ASSERT_FALSE(sweep->isVisibleTo(window.get()));
    CollaudoParameters& p = *window->Parametri;
    const QDate firstDay = p.DtDal->date();
    struct Change {
        const char* what;
        std::function<void()> change;
        std::function<void()> undo;
        bool sweepToo;
    };
    const Change changes[] = {
        {"colpi", [&] { p.setColpi(4); }, [&] { p.setColpi(MethodSettings().colpi); }, false},
        {"colpi typed wrong", [&] { p.ComboC->setCurrentText(QStringLiteral("abc")); },
         [&] { p.setColpi(MethodSettings().colpi); }, false},
        {"type", [this] { setBox("Ch_RuoteTipo_4", true); }, [this] { setBox("Ch_RuoteTipo_4", false); }, false},
        {"outcome", [this] { setBox("Ch_1", false); }, [this] { setBox("Ch_1", true); }, true},
        {"stake", [&] { p.SpPosta[1]->setValue(2.0); }, [&] { p.SpPosta[1]->setValue(Stakes().ambo); }, true},
        {"period", [&] { p.DtDal->setDate(firstDay.addDays(30)); }, [&] { p.DtDal->setDate(firstDay); }, true},
        {"wheel", [this] { press("Label9"); }, [this] { press("Label6"); }, true},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.what);
        c.change();
        EXPECT_TRUE(backTest->isVisibleTo(window.get()));
        EXPECT_EQ(backTest->text(), QStringLiteral("Le scelte sono cambiate: premere COLLAUDA per aggiornare i risultati."));
        EXPECT_FALSE(control<QWidget>("FgRiepilogo")->isEnabled());
        EXPECT_FALSE(control<QWidget>("FgCasi")->isEnabled());
        EXPECT_EQ(sweep->isVisibleTo(window.get()), c.sweepToo);
        EXPECT_EQ(control<QWidget>("FgEsplora")->isEnabled(), !c.sweepToo);
        c.undo();
        EXPECT_FALSE(backTest->isVisibleTo(window.get()));
        EXPECT_FALSE(sweep->isVisibleTo(window.get()));
        EXPECT_TRUE(control<QWidget>("FgRiepilogo")->isEnabled());
    }
    p.setColpi(4);
    collauda();
    EXPECT_FALSE(backTest->isVisibleTo(window.get()));
    EXPECT_EQ(summaryValue("Casi completi"),
              italian::integer(runCollaudo(collaudoSettings(p, archive()), archive()).riepilogo.casiCompleti));
}

// On a 1280x800 screen (the window fills the frame's child area, about 1278x705 under a window manager)
// the sweep's table with its out-of-sample columns needs no horizontal scrolling, and the summary of a
// chosen row shows every row, the corrected p first.
TEST_F(CollaudoWindowSweep, SweepAndChosenRowFitA1280By800Screen) {
    openRandom(300);
    window->resize(1278, 705);
    setBox("ChFuori", true);
    window->Parametri->DtFuori->setDate(window->Parametri->DtFuori->minimumDate().addDays(150));
    ASSERT_TRUE(esplora());
    QCoreApplication::processEvents();
    EXPECT_EQ(window->FgEsplora->horizontalScrollBar()->maximum(), 0);
    doubleClickCell("FgEsplora", 1, 1);
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->FgRiepilogo->isVisible());
    EXPECT_EQ(grid("FgRiepilogo").text(1, 0), QStringLiteral("p corretto (Holm)"));
    EXPECT_EQ(window->FgRiepilogo->verticalScrollBar()->maximum(), 0);
}

} // namespace
