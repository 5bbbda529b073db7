#include "ArchiveBuilder.h"
#include "ScriptedServices.h"
#include "WheelCodes.h"
#include "WindowDriving.h"
#include "core/DrawArchive.h"
#include "gui/kit/ChartPanel.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/ItemTableView.h"
#include "gui/spia/SpiaFrm.h"
#include "gui/spia/SpiaPresentation.h"
#include "gui/spia/SpyHeatMap.h"
#include "gui/spia/SpyTableModel.h"

#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QScatterSeries>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace spiawindow {

using N = ArchiveBuilder::Numbers;

class MiniListFrame : public FrameServices {
public:
    void setProgressMaximum(int) override {}
    void showDraw(int drawIndex) override { draws.push_back(drawIndex); }
    void tryScript(const QString& path) override { scripts.push_back(path); }
    std::vector<int> draws;
    std::vector<QString> scripts;
};

// Thirty draws of one number a wheel. The 90 comes out on Bari in draws 1, 11 and 21; the 81 follows on
// Bari two draws after each; every other draw d holds d on both wheels.
void buildDraws(DrawArchive& archive) {
    ArchiveBuilder build(archive);
    for (int d = 1; d <= 30; ++d) {
        const auto n = static_cast<std::int16_t>(d);
        ArchiveBuilder::Wheels wheels{{BA, N{n, 0, 0, 0, 0}}, {CA, N{n, 0, 0, 0, 0}}};
        if (d % 10 == 1)
            wheels[BA] = N{90, 0, 0, 0, 0};
        if (d % 10 == 3)
            wheels[BA] = N{81, 0, 0, 0, 0};
        build.draw(wheels);
    }
    build.finish();
}

class SpiaWindow : public ::testing::Test {
protected:
    SpiaWindow() : archive(std::make_unique<DrawArchive>()) {
        buildDraws(*archive);
        window = std::make_unique<SpiaFrm>(*archive, prompts, help, frame, methods.path());
        window->resize(1250, 760);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
    }

    template <typename T> T* control(const char* name) const { return findControl<T>(*window, name); }
    SpyTableModel& table() const { return *window->tableModel(); }
    QString cell(int row, int column) const { return table().index(row, column).data().toString(); }

    std::unique_ptr<DrawArchive> archive;
    QTemporaryDir methods;
    ScriptedPrompts prompts;
    RecordingHelp help;
    MiniListFrame frame;
    std::unique_ptr<SpiaFrm> window;
};

// The window opens on the spy 90 at Bari with 9 colpi: three events, the 81 present in each, first in
// the table and named in the sentence beside its chance.
TEST_F(SpiaWindow, OpensOnTheSpyAndItsRarestFollower) {
    EXPECT_EQ(table().rowCount(), 90);
    EXPECT_EQ(cell(0, SpyTableModel::Numero), QStringLiteral("81"));
    EXPECT_EQ(cell(0, SpyTableModel::Presenze), QStringLiteral("3"));
    const QString sentence = control<QLabel>("LblFrase")->text();
    EXPECT_TRUE(sentence.startsWith(QStringLiteral("Su 3 uscite del 90 a Bari, ciascuna seguita da 9 estrazioni, "
                                                   "l'81 è uscito a Bari in 3; per puro caso se ne attendevano")))
        << sentence.toStdString();
    EXPECT_TRUE(sentence.contains(QStringLiteral("tenendo conto dei 90 numeri, p corretto")));
    const auto* chart = control<ChartPanel>("GrPresenze")->chart();
    ASSERT_NE(chart, nullptr);
    const auto* points = qobject_cast<QScatterSeries*>(chart->series().last());
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points->at(80).y(), 3.0);
}

// A changed choice greys the results until CALCOLA; CALCOLA shows the new choice's figures.
TEST_F(SpiaWindow, ChangedChoiceGreysTheResultsUntilCalcola) {
    control<QComboBox>("CmbColpi")->setCurrentIndex(0); // 1 colpo: the 81 comes two draws later
    EXPECT_TRUE(window->stale());
    EXPECT_TRUE(control<QLabel>("LblAggiorna")->isVisible());
    EXPECT_FALSE(control<ItemTableView>("FgSeguenti")->isEnabled());
    EXPECT_EQ(cell(0, SpyTableModel::Numero), QStringLiteral("81"));
    clickButton(*window, "CmdCalcola");
    EXPECT_FALSE(window->stale());
    EXPECT_TRUE(control<ItemTableView>("FgSeguenti")->isEnabled());
    for (int r = 0; r < table().rowCount(); ++r) {
        if (table().follower(r).numero == 81) {
            EXPECT_EQ(table().follower(r).presenze, 0);
        }
    }
    control<QComboBox>("CmbColpi")->setCurrentIndex(2);
    control<QComboBox>("CmbColpi")->setCurrentIndex(0); // back to what is shown
    EXPECT_FALSE(window->stale());
}

// Every spy at once: 8,100 rows, the map in place of the chart, its tooltip naming the cell's figures.
TEST_F(SpiaWindow, WholeMapShowsEveryCellWithItsTooltip) {
    clickCheckBoxTo(*window, "ChTutteLeSpie", true);
    EXPECT_FALSE(control<QComboBox>("CmbSpia")->isEnabled());
    clickButton(*window, "CmdCalcola");
    EXPECT_EQ(table().rowCount(), 8100);
    auto* map = control<SpyHeatMap>("GrMappaSpie");
    EXPECT_EQ(control<QStackedWidget>("Grafici")->currentWidget(), map);
    EXPECT_TRUE(control<QLabel>("LblFrase")->text().contains(QStringLiteral("delle 8.100 coppie")));
    EXPECT_TRUE(map->cellText(90, 81).startsWith(QStringLiteral("Spia 90, segue 81: presenze 3")))
        << map->cellText(90, 81).toStdString();
    // The cell under the middle of the map's last row, and a point off the map.
    const auto [spia, numero] = map->cellAt(QPoint(map->width() / 2, map->height() - 30));
    EXPECT_GE(spia, 80);
    EXPECT_GE(numero, 40);
    EXPECT_EQ(map->cellAt(QPoint(1, 1)), (std::pair<int, int>{0, 0}));
}

// Double click: the mini list on the spy's exit that opened the last event with a presence; a follower
// never present says so.
TEST_F(SpiaWindow, DoubleClickOpensTheMiniListAtTheLastPresence) {
    auto* view = control<ItemTableView>("FgSeguenti");
    const QRect first = view->visualRect(table().index(0, SpyTableModel::Numero));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
    EXPECT_EQ(frame.draws, (std::vector<int>{21}));
    view->scrollTo(table().index(89, 0));
    const QPoint last = view->visualRect(table().index(89, SpyTableModel::Numero)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, last);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, last);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("non ha mai seguito la spia 90")));
}

// COLLAUDA on a follower writes the method that plays it where the player's methods are, and hands it to
// the Collaudo window; without a row chosen it says what to do.
TEST_F(SpiaWindow, CollaudaWritesTheFollowersMethodAndTriesIt) {
    clickButton(*window, "CmdCollauda");
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(frame.scripts.empty());
    auto* view = control<ItemTableView>("FgSeguenti");
    view->setCurrentIndex(table().index(0, 0));
    clickButton(*window, "CmdCollauda");
    ASSERT_EQ(frame.scripts.size(), 1u);
    EXPECT_EQ(frame.scripts[0], methods.filePath(QStringLiteral("spia-90-BA-81-BA-9.lua")));
    QFile script(frame.scripts[0]);
    ASSERT_TRUE(script.open(QIODevice::ReadOnly));
    EXPECT_TRUE(script.readAll().contains("gioca{numeri = {seguente}, sorte = \"estratto\""));
}

// A p too small to show in figures reads "p < 0,0001" in the sentence, never "p = < 0,0001".
TEST(SpiaPresentation, SentenceReadsATinyPAsAPlayerDoes) {
    SpyTable t;
    t.spia = 8;
    t.eventi = t.eventiCompleti = 40;
    for (int n = 1; n <= 90; ++n)
        t.seguenti.push_back({8, n, 5, 0, 4.0, 1.9, 0.5, 0.8, 1.0, 0, 0});
    t.seguenti[10] = {8, 11, 30, 0, 4.0, 1.9, 13.7, 2.0e-7, 1.8e-5, 0, 0};
    const QString text = spiaPresentation::sentence({t}, {.spia = 8, .ruota = 0, .ruotaSeguenti = TutteWheel, .colpi = 3},
                                                    false);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Su 40 uscite dell'8 a Bari, ciascuna seguita da 3 estrazioni, l'11 è "
                                               "uscito su una delle dieci ruote in 30; per puro caso se ne attendevano "
                                               "4,0 ± 1,9 (p < 0,0001; tenendo conto dei 90 numeri, p corretto < 0,0001): "
                                               "difficilmente dovuto al caso.")))
        << text.toStdString();
}

TEST(SpiaPresentation, ArticlesAndPlaces) {
    struct Case {
        int n;
        const char* article;
        const char* of;
    } cases[] = {{1, "l'1", "dell'1"}, {8, "l'8", "dell'8"}, {11, "l'11", "dell'11"}, {18, "il 18", "del 18"},
                 {80, "l'80", "dell'80"}, {89, "l'89", "dell'89"}, {90, "il 90", "del 90"}, {23, "il 23", "del 23"}};
    for (const Case& c : cases) {
        EXPECT_EQ(spiaPresentation::withArticle(c.n), QString::fromUtf8(c.article));
        EXPECT_EQ(spiaPresentation::ofNumber(c.n), QString::fromUtf8(c.of));
    }
    EXPECT_EQ(spiaPresentation::wheelPlace(7), QStringLiteral("a Roma"));
    EXPECT_EQ(spiaPresentation::wheelPlace(10), QStringLiteral("sulla Nazionale"));
    EXPECT_EQ(spiaPresentation::wheelPlace(TutteWheel), QStringLiteral("su una delle dieci ruote"));
}

} // namespace spiawindow
