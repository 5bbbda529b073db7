#include "BrowserFixture.h"
#include "ItalianLocale.h"
#include "ScriptedServices.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/GridView.h"
#include "gui/minilist/Estrazioni_minielenco.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr GridModel::Colour Green = 65280;
constexpr GridModel::Colour White = 16777215;

// The mini list opened on the fixture archive, shown and driven through its controls.
class MiniList {
public:
    explicit MiniList(std::int16_t modelStart = 1) : data(modelStart) {
        window = std::make_unique<Estrazioni_minielenco>(data.archive, prompts, help);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
        hs1 = control<QScrollBar>("hs1");
        fg3 = control<GridView>("Fg3");
        grid = fg3->gridModel();
    }

    template <typename T> T* control(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QString label(const char* name) const { return control<QLabel>(name)->text(); }
    void press(const char* button) { QTest::mouseClick(control<QToolButton>(button), Qt::LeftButton); }
    void click(int row, int col) {
        const GridView::CellSpot spot = fg3->cellSpot(row, col);
        ASSERT_NE(spot.widget, nullptr);
        QTest::mouseClick(spot.widget, Qt::LeftButton, Qt::NoModifier, spot.centre());
    }
    void searchIndex(const QString& typed) {
        prompts.answerInput(typed);
        press("Command42_0");
    }
    void searchDate(const QString& typed) {
        prompts.answerInput(typed);
        press("Command42_1");
    }

    // Everything the user sees of the draw shown, to tell whether a command changed anything.
    QStringList screen() const {
        QStringList all{label("Label1"), label("Label2"), label("Label3"), QString::number(hs1->value())};
        for (int r = 0; r < grid->rows(); ++r)
            for (int c = 0; c < grid->cols(); ++c)
                all << grid->text(r, c) << QString::number(grid->backColour(r, c));
        return all;
    }

    // The grid shows draw d: every number of every wheel, and the labels.
    void expectShowsDraw(int d) const {
        EXPECT_EQ(hs1->value(), d);
        EXPECT_EQ(label("Label2"), QString::number(d));
        EXPECT_EQ(label("Label1"), data.archive.drawDate(d));
        EXPECT_EQ(label("Label3"), QStringLiteral("PM=%1   PA=%2")
                                       .arg(data.archive.drawNoInMonth(d))
                                       .arg(data.archive.drawNoInYear(d)));
        QStringList expected;
        QStringList shown;
        for (int w = 0; w < WheelCount; ++w)
            for (int p = 1; p <= PositionCount; ++p) {
                expected << QString::number(data.archive.number(d, w, p));
                shown << grid->text(1 + w, p);
            }
        EXPECT_EQ(shown.join(' ').toStdString(), expected.join(' ').toStdString()) << "draw " << d;
    }

    int countColoured(GridModel::Colour colour) const {
        int n = 0;
        for (int r = 1; r < grid->rows(); ++r)
            for (int c = 1; c < grid->cols(); ++c)
                n += grid->backColour(r, c) == colour ? 1 : 0;
        return n;
    }

    BrowserArchive data;
    ScriptedPrompts prompts;
    RecordingHelp help;
    std::unique_ptr<Estrazioni_minielenco> window;
    QScrollBar* hs1 = nullptr;
    GridView* fg3 = nullptr;
    GridModel* grid = nullptr;
};

using MiniListTest = ItalianLocale;
using MiniListOpening = MiniListTest;
using MiniListIndexChoice = MiniListTest;
using MiniListDateSearch = MiniListTest;
using MiniListMarks = MiniListTest;
using MiniListCommands = MiniListTest;

TEST_F(MiniListOpening, ShowsTheLastDrawWithItsLabelsAndNumbers) {
    MiniList m;
    EXPECT_EQ(m.window->windowTitle(), "Mini elenco");
    EXPECT_EQ(m.label("Label2"), "42");
    EXPECT_EQ(m.label("Label1"), "08/03/2022");
    EXPECT_EQ(m.label("Label3"), "PM=3   PA=41"); // third draw of March, 41st of 2022
    const QStringList genova{"12", "7", "90", "45", "1"};
    for (int p = 1; p <= 5; ++p)
        EXPECT_EQ(m.grid->text(1 + BrowserArchive::Genova, p), genova[p - 1]);
    m.expectShowsDraw(BrowserArchive::LastDraw);
}

TEST_F(MiniListOpening, GridHasTheHeaderTheBoldWheelCodesAndNoMarks) {
    MiniList m;
    ASSERT_EQ(m.grid->rows(), 12);
    ASSERT_EQ(m.grid->cols(), 6);
    EXPECT_EQ(m.grid->fixedRows(), 1);
    EXPECT_EQ(m.grid->fixedCols(), 1);
    const QStringList header{"Ruota", " N1 ", " N2 ", " N3 ", " N4 ", " N5 "};
    const QStringList codes{"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE", "NZ"};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(m.grid->text(0, c), header[c]);
        EXPECT_TRUE(m.grid->isColCentred(c)) << c;
    }
    for (int w = 0; w < 11; ++w) {
        EXPECT_EQ(m.grid->text(1 + w, 0), codes[w]);
        EXPECT_TRUE(m.grid->bold(1 + w, 0));
        EXPECT_EQ(m.grid->backColour(1 + w, 0), GridModel::ButtonFace);
    }
    EXPECT_EQ(m.countColoured(White), 55);
    EXPECT_EQ(m.grid->currentRow(), 1);
    EXPECT_EQ(m.grid->currentCol(), 1);
}

TEST_F(MiniListOpening, ScrollBarSpansTheArchiveWithStepsOfOneAndTwentyFive) {
    MiniList m;
    EXPECT_EQ(m.hs1->minimum(), 1);
    EXPECT_EQ(m.hs1->maximum(), BrowserArchive::LastDraw);
    EXPECT_EQ(m.hs1->value(), BrowserArchive::LastDraw);
    EXPECT_EQ(m.hs1->singleStep(), 1);
    EXPECT_EQ(m.hs1->pageStep(), 25);
}

TEST_F(MiniListOpening, ButtonsCarryTheirToolTips) {
    MiniList m;
    EXPECT_EQ(m.control<QToolButton>("Command42_0")->toolTip(), "Ricerca per numero indice");
    EXPECT_EQ(m.control<QToolButton>("Command42_1")->toolTip(), "Cerca estrazione per data");
    EXPECT_EQ(m.control<QToolButton>("Command81")->toolTip(), "Resetta colorazione");
    EXPECT_EQ(m.control<QToolButton>("Command56")->toolTip(), "Ultima estrazione");
}

TEST_F(MiniListOpening, ArchiveWithASingleDrawShowsIt) {
    DrawArchive archive;
    archive.fillWheelCodesAndDiametral();
    std::array<std::array<std::int16_t, PositionCount>, WheelCount> numbers{};
    numbers[0] = {1, 2, 3, 4, 5};
    archive.storeDraw(1, "07/01/1871", numbers);
    archive.setDrawCount(1);
    archive.setModelStart(1);
    archive.buildModelArchive();
    ScriptedPrompts prompts;
    RecordingHelp help;
    Estrazioni_minielenco window(archive, prompts, help);
    EXPECT_EQ(window.Label1->text(), "07/01/1871");
    EXPECT_EQ(window.Label3->text(), "PM=1   PA=1");
    EXPECT_EQ(window.Fg3->gridModel()->text(1, 5), "5");
    EXPECT_EQ(window.Fg3->gridModel()->text(2, 1), "0");
}

TEST_F(MiniListOpening, AWheelWithoutNumbersShowsZeros) {
    MiniList m;
    m.searchIndex("40");
    m.expectShowsDraw(40);
    for (int p = 1; p <= 5; ++p)
        EXPECT_EQ(m.grid->text(1 + BrowserArchive::Nazionale, p), "0");
}

TEST_F(MiniListOpening, ScrollBarMovesThroughTheDraws) {
    MiniList m;
    const int middle = m.hs1->height() / 2;
    QTest::mouseClick(m.hs1, Qt::LeftButton, Qt::NoModifier, QPoint(middle, middle)); // left arrow
    m.expectShowsDraw(41);
    QTest::mouseClick(m.hs1, Qt::LeftButton, Qt::NoModifier, QPoint(m.hs1->width() / 3, middle)); // track
    m.expectShowsDraw(16);
    QTest::keyClick(m.hs1, Qt::Key_Home);
    m.expectShowsDraw(1);
    EXPECT_EQ(m.label("Label3"), "PM=1   PA=1");
}

TEST_F(MiniListIndexChoice, IndexOneShowsTheFirstDraw) {
    MiniList m;
    m.searchIndex("1");
    m.expectShowsDraw(1);
    ASSERT_EQ(m.prompts.shown().size(), 1u);
    EXPECT_EQ(m.prompts.shown()[0].text, "Inserire il n° indice dell'archivio modello.");
    EXPECT_EQ(m.prompts.shown()[0].title, "Scelta estrazione");
    EXPECT_TRUE(m.prompts.messages().empty());
}

TEST_F(MiniListIndexChoice, OutOfRangeOrNonNumbersChangeNothingAndShowNothing) {
    MiniList m;
    m.searchIndex("20");
    const QStringList before = m.screen();
    for (const QString typed : {"0", "-1", "43", "abc", "", "99999"}) {
        m.searchIndex(typed);
        EXPECT_EQ(m.screen(), before) << typed.toStdString();
    }
    EXPECT_TRUE(m.prompts.messages().empty());
    EXPECT_EQ(m.prompts.shown().size(), 7u); // one input box per command, nothing else
}

TEST_F(MiniListIndexChoice, DecimalCommaRoundsHalvesToEven) {
    MiniList m;
    m.searchIndex("2,5");
    m.expectShowsDraw(2);
    m.searchIndex("3,5");
    m.expectShowsDraw(4);
}

TEST_F(MiniListDateSearch, DateOfTheLastDrawAndADateInsideTheArchive) {
    MiniList m;
    m.searchDate("03/03/2022");
    m.expectShowsDraw(40);
    m.searchDate("08/03/2022");
    m.expectShowsDraw(BrowserArchive::LastDraw);
    ASSERT_GE(m.prompts.shown().size(), 1u);
    EXPECT_EQ(m.prompts.shown()[0].text, "Data ?");
    EXPECT_EQ(m.prompts.shown()[0].title, "Ricerca per data GG/MM/AAAA");
    EXPECT_TRUE(m.prompts.messages().empty());
}

TEST_F(MiniListDateSearch, NoDrawWithoutLeadingZerosAndCancelShowDataNonTrovata) {
    MiniList m;
    m.searchIndex("10");
    const QStringList before = m.screen();
    for (const QString typed : {"04/03/2022", "3/3/2022", ""}) {
        m.prompts.clear();
        m.searchDate(typed);
        const auto messages = m.prompts.messages();
        ASSERT_EQ(messages.size(), 1u) << typed.toStdString();
        EXPECT_EQ(messages[0].text, "Data non trovata");
        EXPECT_EQ(messages[0].title, "Cerca data");
        EXPECT_EQ(messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(m.screen(), before) << typed.toStdString();
    }
}

TEST_F(MiniListDateSearch, ModelArchiveStartingLaterHidesEarlierDates) {
    MiniList m(30);
    m.searchDate("05/01/2022"); // draw 6: in the archive, before the model archive
    ASSERT_EQ(m.prompts.messages().size(), 1u);
    EXPECT_EQ(m.prompts.messages()[0].text, "Data non trovata");
    m.expectShowsDraw(BrowserArchive::LastDraw);
    m.searchDate("15/02/2022");
    m.expectShowsDraw(m.data.indexOfDate.at("15/02/2022"));
    // The index choice is not limited to the model archive.
    m.searchIndex("6");
    m.expectShowsDraw(6);
}

TEST_F(MiniListDateSearch, ModelStartingAtZeroCancelledSearchEndsSilently) {
    MiniList m(0);
    m.searchIndex("12");
    const QStringList before = m.screen();
    m.prompts.clear();
    m.press("Command42_1"); // cancelled: the empty text matches the empty slot 0, which hs1 refuses
    EXPECT_TRUE(m.prompts.messages().empty());
    EXPECT_EQ(m.prompts.shown().size(), 1u);
    EXPECT_EQ(m.screen(), before);
    m.searchDate("05/01/2022");
    m.expectShowsDraw(6);
}

TEST_F(MiniListMarks, ClickingANumberMarksItGreenAndAgainMakesItWhite) {
    MiniList m;
    m.click(3, 2);
    EXPECT_EQ(m.grid->backColour(3, 2), Green);
    EXPECT_EQ(m.countColoured(Green), 1);
    m.click(3, 2); // already current: nothing happens
    EXPECT_EQ(m.grid->backColour(3, 2), Green);
    m.click(7, 5);
    EXPECT_EQ(m.countColoured(Green), 2);
    m.click(3, 2);
    EXPECT_EQ(m.grid->backColour(3, 2), White);
    EXPECT_EQ(m.grid->backColour(7, 5), Green);
}

TEST_F(MiniListMarks, TheCellCurrentAtOpeningTogglesOnlyAfterMovingAway) {
    MiniList m;
    m.click(1, 1);
    EXPECT_EQ(m.countColoured(Green), 0);
    m.click(1, 2);
    m.click(1, 1);
    EXPECT_EQ(m.grid->backColour(1, 1), Green);
    EXPECT_EQ(m.grid->backColour(1, 2), Green);
}

TEST_F(MiniListMarks, ArrowKeysMarkTheCellsTheyReach) {
    MiniList m;
    m.fg3->setFocus();
    QTest::keyClick(m.fg3, Qt::Key_Down);
    QTest::keyClick(m.fg3, Qt::Key_Right);
    EXPECT_EQ(m.grid->backColour(2, 1), Green);
    EXPECT_EQ(m.grid->backColour(2, 2), Green);
    QTest::keyClick(m.fg3, Qt::Key_Left); // back onto a marked cell
    EXPECT_EQ(m.grid->backColour(2, 1), White);
}

TEST_F(MiniListMarks, FixedCellsAreNeverMarked) {
    MiniList m;
    m.click(0, 3);
    m.click(5, 0);
    m.click(0, 0);
    EXPECT_EQ(m.countColoured(Green), 0);
    EXPECT_EQ(m.grid->backColour(5, 0), GridModel::ButtonFace);
    EXPECT_EQ(m.grid->backColour(0, 3), GridModel::ButtonFace);
}

TEST_F(MiniListMarks, MovingToAnotherDrawAndBackClearsTheMarks) {
    MiniList m;
    m.click(4, 4);
    m.click(9, 1);
    ASSERT_EQ(m.countColoured(Green), 2);
    QTest::keyClick(m.hs1, Qt::Key_Home);
    EXPECT_EQ(m.countColoured(Green), 0);
    QTest::keyClick(m.hs1, Qt::Key_End);
    m.expectShowsDraw(BrowserArchive::LastDraw);
    EXPECT_EQ(m.countColoured(White), 55);
}

TEST_F(MiniListCommands, ResettaColorazioneClearsEveryMark) {
    MiniList m;
    m.click(2, 2);
    m.click(11, 5);
    m.click(6, 3);
    ASSERT_EQ(m.countColoured(Green), 3);
    const QString shown = m.label("Label2");
    m.press("Command81");
    EXPECT_EQ(m.countColoured(White), 55);
    for (int r = 1; r < 12; ++r)
        EXPECT_EQ(m.grid->backColour(r, 0), GridModel::ButtonFace);
    EXPECT_EQ(m.label("Label2"), shown);
    m.click(6, 3); // the current cell stays where it was: clicking it changes nothing
    EXPECT_EQ(m.countColoured(Green), 0);
}

TEST_F(MiniListCommands, UltimaEstrazioneDoesNothing) {
    MiniList m;
    m.searchIndex("17");
    m.click(5, 5);
    const QStringList before = m.screen();
    const std::size_t boxes = m.prompts.shown().size();
    m.press("Command56");
    EXPECT_EQ(m.screen(), before);
    EXPECT_EQ(m.prompts.shown().size(), boxes);
}

TEST_F(MiniListCommands, F1OpensTheMiniListHelp) {
    MiniList m;
    m.fg3->setFocus();
    QTest::keyClick(m.fg3, Qt::Key_F1);
    m.control<QToolButton>("Command81")->setFocus();
    QTest::keyClick(m.control<QToolButton>("Command81"), Qt::Key_F1);
    EXPECT_EQ(m.help.contexts, (std::vector<int>{200, 200}));
}

// Eleven wheels and five numbers in view at once, nothing cut off; the picture is saved when
// VELTRANO_SCREENSHOT_DIR names a folder, to look at.
TEST_F(MiniListOpening, ShowsEveryWheelWithoutScrollingOrClipping) {
    MiniList m;
    EXPECT_FALSE(m.fg3->verticalScrollBar()->isVisible());
    EXPECT_FALSE(m.fg3->horizontalScrollBar()->isVisible());
    const QFontMetrics plain(m.fg3->font());
    QFont boldFont = m.fg3->font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 6; ++c) {
            const GridView::CellSpot spot = m.fg3->cellSpot(r, c);
            ASSERT_NE(spot.widget, nullptr);
            EXPECT_TRUE(spot.widget->rect().contains(spot.rect)) << r << "," << c;
            const QFontMetrics& metrics = m.grid->bold(r, c) ? bold : plain;
            EXPECT_GT(spot.rect.width(), metrics.horizontalAdvance(m.grid->text(r, c))) << r << "," << c;
            EXPECT_GE(spot.rect.height(), metrics.height()) << r << "," << c;
        }
    for (const char* name : {"Label1", "Label2", "Label3"}) {
        const QLabel* label = m.control<QLabel>(name);
        EXPECT_GE(label->width(), label->sizeHint().width()) << name;
    }
    if (const char* dir = std::getenv("VELTRANO_SCREENSHOT_DIR")) {
        m.click(4, 2);
        m.click(9, 5);
        EXPECT_TRUE(m.window->grab().save(QString::fromLocal8Bit(dir) + "/minielenco.png"));
    }
}

} // namespace
