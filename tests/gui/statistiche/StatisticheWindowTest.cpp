#include "ArchiveBuilder.h"
#include "PdfText.h"
#include "QtPrinting.h"
#include "ScriptedServices.h"
#include "WheelCodes.h"
#include "WindowDriving.h"
#include "core/DrawArchive.h"
#include "gui/kit/ChartPanel.h"
#include "gui/kit/DateField.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/GridView.h"
#include "gui/kit/ItemTableView.h"
#include "gui/kit/SelectionGrids.h"
#include "gui/statistiche/DelayTableModel.h"
#include "gui/statistiche/StatisticheFrm.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QHelpEvent>
#include <QToolTip>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace statistichewindow {

using N = ArchiveBuilder::Numbers;

// The frame as the window sees it: records the draws asked of the mini list.
class MiniListFrame : public FrameServices {
public:
    void setProgressMaximum(int) override {}
    void showDraw(int drawIndex) override { draws.push_back(drawIndex); }
    std::vector<int> draws;
};

// `count` draws, every wheel drawn: 1 2 3 4 5 on every wheel but Bari, which holds 6 7 8 9 10; in draw 20
// Cagliari holds 11 12 13 14 15 instead. So in 25 draws on Bari 1..5 never come out (delay 25, the
// longest, tied with every number never out anywhere), and on Cagliari 11..15 came out once, in draw 20.
void buildDraws(DrawArchive& archive, int count) {
    ArchiveBuilder build(archive);
    for (int d = 1; d <= count; ++d) {
        ArchiveBuilder::Wheels wheels;
        for (int w = 0; w < WheelCount; ++w)
            wheels[w] = N{1, 2, 3, 4, 5};
        wheels[BA] = N{6, 7, 8, 9, 10};
        if (d == 20)
            wheels[CA] = N{11, 12, 13, 14, 15};
        build.draw(wheels);
    }
    build.finish();
}

class StatisticheWindow : public ::testing::Test {
protected:
    StatisticheWindow() : archive(std::make_unique<DrawArchive>()) {
        buildDraws(*archive, 25);
        window = std::make_unique<StatisticheFrm>(*archive, prompts, help, frame);
        window->resize(1250, 760);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
    }

    template <typename T> T* control(const char* name) const { return findControl<T>(*window, name); }

    DelayTableModel& table() const { return *window->tableModel(); }
    QString cell(int row, int column) const { return table().index(row, column).data().toString(); }

    void clickWheel(int wheel) {
        const GridView* chooser = control<GridView>("FgR");
        const GridView::CellSpot spot = chooser->cellSpot(0, wheel);
        QTest::mouseClick(spot.widget, Qt::LeftButton, Qt::NoModifier, spot.centre());
    }

    void clickHeader(int column) {
        QHeaderView* header = control<ItemTableView>("FgElementi")->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                                 header->height() / 2));
    }

    void doubleClickRow(int row) {
        auto* view = control<ItemTableView>("FgElementi");
        view->scrollTo(table().index(row, 0));
        const QRect rect = view->visualRect(table().index(row, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }

    // Picks an entry of a drop-down from the keyboard, as a user does.
    void choose(const char* name, const QString& text) {
        auto* combo = control<QComboBox>(name);
        combo->setFocus();
        const int target = combo->findText(text);
        ASSERT_GE(target, 0) << text.toStdString();
        while (combo->currentIndex() < target)
            QTest::keyClick(combo, Qt::Key_Down);
        while (combo->currentIndex() > target)
            QTest::keyClick(combo, Qt::Key_Up);
    }

    std::unique_ptr<DrawArchive> archive;
    ScriptedPrompts prompts;
    RecordingHelp help;
    MiniListFrame frame;
    std::unique_ptr<StatisticheFrm> window;
};

TEST_F(StatisticheWindow, OpensOnEveryNumberOfEveryWheelAndTutte) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ritardi e frequenze"));
    EXPECT_EQ(
        control<QLabel>("LblFrase")->text(),
        QStringLiteral("Il ritardo più alto è 25 (BA 1): su 1.080 numeri un ritardo così capita per caso "
                       "(p corretto 1). Ogni numero esce alla prossima estrazione con probabilità 1/18 su "
                       "una ruota e 0,44 su Tutte, qualunque sia il suo ritardo."));
    EXPECT_EQ(control<QLabel>("LblRighe")->text(), QStringLiteral("1.080 numeri"));
    ASSERT_EQ(table().rowCount(), 1080);
    const QStringList headers{"Ruota",      "Numeri",       "Ritardo",    "p ritardo",
                              "p corretto", "Rit. massimo", "Rit. medio", "Ultima uscita",
                              "Frequenza",  "Attesa",       "z"};
    for (int c = 0; c < headers.size(); ++c)
        EXPECT_EQ(table().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headers[c]);
    // Bari 1: never out in 25 draws; Cagliari 12: out in draw 20 only; Tutte 90: never out.
    EXPECT_EQ((QStringList{cell(0, 0), cell(0, 1), cell(0, 2), cell(0, 3), cell(0, 4), cell(0, 5), cell(0, 6),
                           cell(0, 7), cell(0, 8), cell(0, 9), cell(0, 10)}),
              (QStringList{"BA", "1", "25", "0,24", "1", "25", "25,0", "mai", "0", "1,4", "−1,21"}));
    EXPECT_EQ(
        (QStringList{cell(101, 0), cell(101, 1), cell(101, 2), cell(101, 5), cell(101, 7), cell(101, 8)}),
        (QStringList{"CA", "12", "5", "19", archive->drawDate(20), "1"}));
    EXPECT_EQ((QStringList{cell(1079, 0), cell(1079, 1), cell(1079, 2), cell(1079, 3)}),
              (QStringList{"TU", "90", "25", "< 0,0001"}));
    // The exact figure is in the cell's tool tip.
    EXPECT_EQ(table().index(1079, 3).data(Qt::ToolTipRole).toString(), QStringLiteral("p = 6,2 × 10⁻⁷"));
    EXPECT_FALSE(table().index(101, 3).data(Qt::ToolTipRole).isValid());
    // The chance columns sit in the map's colours: Tutte 90's delay is rare for chance, Cagliari 12's common.
    EXPECT_TRUE(table().index(1079, 3).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(table().index(101, 3).data(Qt::BackgroundRole).isValid());

    const QChart* runs = control<ChartPanel>("GrSerie")->chart();
    ASSERT_NE(runs, nullptr);
    EXPECT_EQ(runs->series().size(), 2);
    const QChart* map = control<ChartPanel>("GrMappa")->chart();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->series().size(), 5);
    for (const QAbstractSeries* s : map->series())
        EXPECT_NE(qobject_cast<const QAreaSeries*>(s), nullptr);
}

// The wheel filter keeps the header's order; a header click sorts the whole table, ties in table order.
TEST_F(StatisticheWindow, FilterAndSortByAnyColumn) {
    clickHeader(DelayTableModel::Frequenza); // most frequent first: Bari 6..10, then Firenze 1..5
    EXPECT_EQ((QStringList{cell(0, 0), cell(0, 1), cell(0, 8)}), (QStringList{"BA", "6", "25"}));
    EXPECT_EQ((QStringList{cell(5, 0), cell(5, 1), cell(5, 8)}), (QStringList{"FI", "1", "25"}));
    choose("CmbRuota", QStringLiteral("NZ"));
    EXPECT_EQ(table().rowCount(), 90);
    EXPECT_EQ(control<QLabel>("LblRighe")->text(), QStringLiteral("90 numeri"));
    EXPECT_EQ((QStringList{cell(0, 0), cell(0, 1), cell(0, 8)}), (QStringList{"NZ", "1", "25"}));
    EXPECT_EQ((QStringList{cell(89, 0), cell(89, 1), cell(89, 8)}), (QStringList{"NZ", "90", "0"}));
    clickHeader(DelayTableModel::Frequenza); // ascending now
    EXPECT_EQ((QStringList{cell(0, 1), cell(0, 8)}), (QStringList{"6", "0"}));
    choose("CmbRuota", QStringLiteral("TU (Tutte)"));
    EXPECT_EQ(table().rowCount(), 90);
    EXPECT_EQ(cell(0, 0), QStringLiteral("TU"));
    clickHeader(DelayTableModel::UltimaUscita); // oldest first, "mai" last
    EXPECT_EQ(cell(89, DelayTableModel::UltimaUscita), QStringLiteral("mai"));
}

TEST_F(StatisticheWindow, AmboOnOneWheel) {
    clickButton(*window, "Label9");
    clickWheel(CA);
    clickCheckBoxTo(*window, "ChTutte", false);
    choose("CmbSorte", QStringLiteral("Ambo"));
    clickButton(*window, "CmdCalcola");
    EXPECT_EQ(table().rowCount(), 4005);
    EXPECT_EQ(control<QLabel>("LblRighe")->text(), QStringLiteral("4.005 ambi"));
    EXPECT_EQ(control<QComboBox>("CmbRuota")->count(), 2);
    const QString sentence = control<QLabel>("LblFrase")->text();
    EXPECT_TRUE(sentence.startsWith(QStringLiteral("Il ritardo più alto è 25 (CA 1-6): su 4.005 ambi")));
    EXPECT_TRUE(
        sentence.contains(QStringLiteral("Ogni ambo esce alla prossima estrazione con probabilità 2/801 "
                                         "(circa 1 su 400) su una ruota, qualunque")));
    EXPECT_EQ((QStringList{cell(0, 0), cell(0, 1), cell(0, 2), cell(0, 8)}),
              (QStringList{"CA", "1-2", "0", "24"}));
    // The map shows the numbers of the chosen wheels whatever the sorte.
    EXPECT_EQ(control<ChartPanel>("GrMappa")->chart()->series().size(), 5);
}

// A double click opens the mini list at the item's last exit, or says it never came out.
TEST_F(StatisticheWindow, DoubleClickShowsTheLastExit) {
    doubleClickRow(101); // Cagliari 12, out in draw 20
    EXPECT_EQ(frame.draws, std::vector<int>{20});
    doubleClickRow(0); // Bari 1
    EXPECT_EQ(frame.draws, std::vector<int>{20});
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages().front().text, QStringLiteral("BA 1 non è mai uscito nel periodo scelto."));
    EXPECT_EQ(prompts.messages().front().icon, MessageIcon::Information);
}

// After the "none" square, a click on the wheel that was current chooses it, and each click after
// flips it again; what CALCOLA reads is what the chooser shows.
TEST_F(StatisticheWindow, EveryClickOnAWheelFlipsIt) {
    const GridModel& wheels = *control<GridView>("FgR")->gridModel();
    clickWheel(BA); // the current cell from the start
    EXPECT_EQ(wheels.backColour(0, BA), NotChosenColour);
    clickButton(*window, "Label9");
    clickCheckBoxTo(*window, "ChTutte", false);
    for (const GridModel::Colour expected : {ChosenWheelColour, NotChosenColour, ChosenWheelColour}) {
        clickWheel(BA);
        EXPECT_EQ(wheels.backColour(0, BA), expected);
    }
    clickButton(*window, "CmdCalcola");
    EXPECT_EQ(table().rowCount(), 90);
    EXPECT_EQ(cell(0, 0), QStringLiteral("BA"));
}

TEST_F(StatisticheWindow, RefusesNoWheelAndAReversedPeriod) {
    clickButton(*window, "Label9");
    clickCheckBoxTo(*window, "ChTutte", false);
    clickButton(*window, "CmdCalcola");
    clickButton(*window, "Label6");
    control<QDateEdit>("DtDal")->setDate(
        QDate::fromString(archive->drawDate(20), QStringLiteral("dd/MM/yyyy")));
    control<QDateEdit>("DtAl")->setDate(
        QDate::fromString(archive->drawDate(10), QStringLiteral("dd/MM/yyyy")));
    clickButton(*window, "CmdCalcola");
    const std::vector<ShownBox> shown = prompts.messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Scegliere almeno una ruota, o Tutte."));
    EXPECT_EQ(shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(shown[1].text, QStringLiteral("La data d'inizio (%1) è successiva alla data di fine (%2).")
                                 .arg(archive->drawDate(20), archive->drawDate(10)));
    EXPECT_EQ(shown[1].title, QStringLiteral("Ritardi e frequenze"));
    // The table still shows the last figures.
    EXPECT_EQ(table().rowCount(), 1080);

    // A period of the last five draws: Cagliari 12 came out in the first of them.
    control<QDateEdit>("DtDal")->setDate(
        QDate::fromString(archive->drawDate(21), QStringLiteral("dd/MM/yyyy")));
    control<QDateEdit>("DtAl")->setDate(
        QDate::fromString(archive->drawDate(25), QStringLiteral("dd/MM/yyyy")));
    clickButton(*window, "CmdCalcola");
    EXPECT_EQ((QStringList{cell(101, 0), cell(101, 1), cell(101, 2), cell(101, 7)}),
              (QStringList{"CA", "12", "5", "mai"}));
}

TEST_F(StatisticheWindow, PrintsTheTableAsShown) {
    if (!pdf::toolsPresent())
        GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) is not installed";
    choose("CmbRuota", QStringLiteral("GE"));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("ritardi.pdf"));
    prompts.answerPrinter(path);
    clickButton(*window, "CmdStampa");
    const QString text = pdf::text(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Ritardi e frequenze")));
    EXPECT_TRUE(text.contains(QStringLiteral("Ruota: GE")));
    EXPECT_TRUE(text.contains(QStringLiteral("Rit. massimo")));
    EXPECT_TRUE(text.contains(QStringLiteral("Righe: 90")));
    EXPECT_GE(text.count(QStringLiteral("GE")), 90);
}

// A table of many pages is printed only after asking, with the number of pages, and the first rows in the
// order shown are offered instead; Annulla prints nothing. The two charts are on the first page.
TEST_F(StatisticheWindow, AsksBeforePrintingManyPagesAndOffersTheFirstRows) {
    if (!pdf::toolsPresent())
        GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) is not installed";
    ASSERT_EQ(table().rowCount(), 1080); // eleven wheels and Tutte
    clickButton(*window, "CmdStampa");
    ASSERT_EQ(prompts.shown().size(), 1u);
    const ShownBox question = prompts.shown().front();
    EXPECT_EQ(question.kind, ShownBox::Choice);
    EXPECT_EQ(question.title, QStringLiteral("Ritardi e frequenze"));
    const QRegularExpression pagesSaid(QStringLiteral("1\\.080 righe: stamparla tutta richiede (\\d+) pagine.*"
                                                      "le prime 200 righe, nell'ordine mostrato \\((\\d+) pagine\\)"),
                                       QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch said = pagesSaid.match(question.text);
    ASSERT_TRUE(said.hasMatch()) << question.text.toStdString();
    ASSERT_EQ(question.choices.size(), 2);
    EXPECT_EQ(question.choices[0], QStringLiteral("Le prime 200 righe"));
    EXPECT_EQ(question.choices[1], QStringLiteral("Tutte (%1 pagine)").arg(said.captured(1)));

    QTemporaryDir folder;
    const std::pair<int, const char*> answers[] = {{0, "Righe: le prime 200 di 1.080"}, {1, "Righe: 1.080"}};
    for (const auto& [choice, rowsLine] : answers) {
        SCOPED_TRACE(choice);
        prompts.clear();
        const QString path = folder.filePath(QStringLiteral("ritardi%1.pdf").arg(choice));
        prompts.answerChoice(choice);
        prompts.answerPrinter(path);
        clickButton(*window, "CmdStampa");
        ASSERT_EQ(prompts.shown().size(), 2u);
        EXPECT_EQ(prompts.shown()[1].kind, ShownBox::Printer);
        EXPECT_EQ(pdf::pages(path), said.captured(choice == 0 ? 2 : 1).toInt());
        const QString firstPage = pdf::text(path).section(QLatin1Char('\f'), 0, 0);
        EXPECT_TRUE(firstPage.contains(QString::fromUtf8(rowsLine)));
        EXPECT_TRUE(firstPage.contains(QStringLiteral("Serie di estrazioni senza uscita")));
        EXPECT_TRUE(firstPage.contains(QStringLiteral("Ritardi attuali")));
    }

    // Annulla: no printer, nothing printed.
    prompts.clear();
    prompts.answerChoice(-1);
    clickButton(*window, "CmdStampa");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown().front().kind, ShownBox::Choice);
}

// Resting the mouse on a cell of the map gives that cell's tip; the next cell of the same colour its own,
// and outside the cells none.
TEST_F(StatisticheWindow, MapCellsTellTheirDelayAndP) {
    QChartView* view = window->GrMappa->view();
    QChart* chart = view->chart();
    const auto tipAt = [&](double number, double row) {
        QToolTip::hideText();
        const QPoint at = view->mapFromScene(chart->mapToScene(chart->mapToPosition(QPointF(number, row))));
        QHelpEvent event(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &event);
        // Outside the cells the event is left to others, and the tip shown before goes.
        return event.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    const QString first = tipAt(1, 0);
    EXPECT_TRUE(first.startsWith(QStringLiteral("BA 1: ritardo 25, p ritardo "))) << first.toStdString();
    EXPECT_TRUE(tipAt(2, 0).startsWith(QStringLiteral("BA 2: ritardo 25, p ritardo ")));
    EXPECT_TRUE(tipAt(12, 1).startsWith(QStringLiteral("CA 12: ritardo 5, p ritardo ")));
    EXPECT_EQ(tipAt(95, 0), QString());
    QToolTip::hideText();
}

TEST_F(StatisticheWindow, F1OpensTheWindowsOwnTopic) {
    control<QWidget>("CmbSorte")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(help.contexts, std::vector<int>({StatisticheFrm::HelpContext}));
    EXPECT_EQ(StatisticheFrm::HelpContext, 240);
}

} // namespace statistichewindow

namespace statistichewindow {

// After an archive update the window comes back with its choices: sorte, wheels, period (up to the new
// last draw when it ran to the last one), wheel filter and order.
TEST_F(StatisticheWindow, KeepsItsChoicesOnTheNewDraws) {
    choose("CmbSorte", QStringLiteral("Ambo"));
    clickWheel(NZ);
    clickCheckBoxTo(*window, "ChTutte", false);
    control<QDateEdit>("DtDal")->setDate(
        QDate::fromString(archive->drawDate(3), QStringLiteral("dd/MM/yyyy")));
    clickButton(*window, "CmdCalcola");
    choose("CmbRuota", QStringLiteral("CA"));
    clickHeader(DelayTableModel::Ritardo);
    const QVariantMap kept = window->keptSettings();

    // Five more draws, and a new window on them.
    DrawArchive longer;
    buildDraws(longer, 30);
    StatisticheFrm again(longer, prompts, help, frame);
    again.restoreSettings(kept);
    EXPECT_EQ(again.CmbSorte->currentText(), QStringLiteral("Ambo"));
    EXPECT_FALSE(again.ChTutte->isChecked());
    const DelaySettings s = again.settings();
    EXPECT_EQ(s.sorte, Sorte::Ambo);
    EXPECT_FALSE(s.wheels[NZ]);
    EXPECT_TRUE(s.wheels[BA]);
    EXPECT_EQ(s.first, 3);
    EXPECT_EQ(s.last, 30);
    EXPECT_EQ(again.CmbRuota->currentText(), QStringLiteral("CA"));
    EXPECT_EQ(again.tableModel()->rowCount(), 4005);
    EXPECT_EQ(again.FgElementi->horizontalHeader()->sortIndicatorSection(), DelayTableModel::Ritardo);
    // Cagliari's longest delay now: the pairs of 11..15, out in draw 20 only, 10 draws ago.
    EXPECT_EQ(again.tableModel()->index(0, DelayTableModel::Ritardo).data().toString(), QStringLiteral("28"));
}

} // namespace statistichewindow

namespace statistichewindow {

// A choice changed after CALCOLA greys the table, the sentence and the charts under a line that says to
// press CALCOLA; the choice put back, or CALCOLA, brings them back.
TEST_F(StatisticheWindow, ResultsGreyOnceTheChoicesNoLongerMatchThem) {
    auto* notice = control<QLabel>("LblAggiorna");
    auto* tableView = control<ItemTableView>("FgElementi");
    const QString sentence = control<QLabel>("LblFrase")->text();
    ASSERT_FALSE(notice->isVisible());
    ASSERT_TRUE(tableView->isEnabled());
    const QDate firstDay = window->DtDal->date();
    struct Change {
        const char* what;
        std::function<void()> change;
        std::function<void()> undo;
    };
    const Change changes[] = {
        {"sorte", [this] { choose("CmbSorte", "Ambo"); }, [this] { choose("CmbSorte", "Estratto"); }},
        {"wheel", [this] { clickWheel(CA); }, [this] { clickButton(*window, "Label6"); }},
        {"tutte", [this] { clickCheckBoxTo(*window, "ChTutte", false); },
         [this] { clickCheckBoxTo(*window, "ChTutte", true); }},
        {"period", [&] { window->DtDal->setDate(firstDay.addDays(7)); }, [&] { window->DtDal->setDate(firstDay); }},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.what);
        c.change();
        EXPECT_TRUE(notice->isVisible());
        EXPECT_EQ(notice->text(), QStringLiteral("Le scelte sono cambiate: premere CALCOLA per aggiornare i risultati."));
        EXPECT_FALSE(tableView->isEnabled());
        EXPECT_FALSE(control<QLabel>("LblFrase")->isEnabled());
        EXPECT_EQ(control<QLabel>("LblFrase")->text(), sentence);
        c.undo();
        EXPECT_FALSE(notice->isVisible());
        EXPECT_TRUE(tableView->isEnabled());
    }
    choose("CmbSorte", "Ambo");
    ASSERT_TRUE(notice->isVisible());
    clickButton(*window, "CmdCalcola");
    EXPECT_FALSE(notice->isVisible());
    EXPECT_TRUE(tableView->isEnabled());
    EXPECT_NE(control<QLabel>("LblFrase")->text(), sentence);
}

} // namespace statistichewindow
