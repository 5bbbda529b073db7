#include "gui/kit/GridView.h"

#include "ScriptedServices.h"
#include "gui/kit/GridModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace {

// A window with a line edit above a grid of rows x cols, one fixed row and column unless told,
// every cell labelled "r,c" so that what the view shows can be told apart.
class ShownGrid {
public:
    ShownGrid(int rows, int cols, int fixedRows = 1, int fixedCols = 1) {
        auto* layout = new QVBoxLayout(&window);
        edit = new QLineEdit(&window);
        view = new GridView(&window);
        layout->addWidget(edit);
        layout->addWidget(view);
        grid = view->gridModel();
        grid->setRows(rows);
        grid->setCols(cols);
        grid->setFixedRows(fixedRows);
        grid->setFixedCols(fixedCols);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                grid->setText(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
        if (rows > fixedRows && cols > fixedCols)
            grid->setCurrentCell(fixedRows, fixedCols);
        window.resize(500, 400);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
    }

    void click(int row, int col) {
        const GridView::CellSpot spot = view->cellSpot(row, col);
        ASSERT_NE(spot.widget, nullptr);
        ASSERT_FALSE(spot.rect.isEmpty()) << row << "," << col;
        QTest::mouseClick(spot.widget, Qt::LeftButton, Qt::NoModifier, spot.centre());
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(view, key, modifiers);
    }
    void click(int row, int col, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
        const GridView::CellSpot spot = view->cellSpot(row, col);
        ASSERT_NE(spot.widget, nullptr);
        QTest::mouseClick(spot.widget, button, modifiers, spot.centre());
    }

    std::pair<int, int> gridCurrent() const { return {grid->currentRow(), grid->currentCol()}; }
    // The cell the view shows as current, by its label.
    QString viewCurrentText() const { return view->currentIndex().data().toString(); }

    QWidget window;
    QLineEdit* edit = nullptr;
    GridView* view = nullptr;
    GridModel* grid = nullptr;
};

using Cell = std::pair<int, int>;

TEST(GridViewCurrentCell, ClickOnAnotherCellRaisesOnceAndMovesTheGridsCurrentCell) {
    ShownGrid g(6, 5);
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    Cell seenInHandler{-1, -1};
    QObject::connect(g.view, &GridView::currentCellChanged, g.view, [&] {
        seenInHandler = {g.grid->currentRow(), g.grid->currentCol()};
    });
    g.click(3, 2);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(g.gridCurrent(), Cell(3, 2));
    EXPECT_EQ(seenInHandler, Cell(3, 2)); // the handler already reads the new cell
    EXPECT_EQ(g.viewCurrentText(), "3,2");
    g.click(4, 4);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(g.gridCurrent(), Cell(4, 4));
}

TEST(GridViewCurrentCell, ClickOnTheCurrentCellRaisesNothing) {
    ShownGrid g(6, 5);
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    g.click(1, 1); // current since the start
    EXPECT_EQ(spy.count(), 0);
    g.click(2, 3);
    g.click(2, 3);
    EXPECT_EQ(spy.count(), 1);
    g.click(1, 1);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(g.gridCurrent(), Cell(1, 1));
}

TEST(GridViewCurrentCell, ArrowKeysRaiseOncePerMove) {
    ShownGrid g(6, 5);
    g.view->setFocus();
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    g.key(Qt::Key_Down);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(g.gridCurrent(), Cell(2, 1));
    g.key(Qt::Key_Right);
    g.key(Qt::Key_Right);
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(g.gridCurrent(), Cell(2, 3));
    g.key(Qt::Key_Up);
    EXPECT_EQ(spy.count(), 4);
    EXPECT_EQ(g.gridCurrent(), Cell(1, 3));
    EXPECT_EQ(g.viewCurrentText(), "1,3");
}

TEST(GridViewCurrentCell, ArrowsNeverReachTheFixedCells) {
    ShownGrid g(6, 5);
    g.view->setFocus();
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    g.key(Qt::Key_Left);
    g.key(Qt::Key_Up);
    g.key(Qt::Key_Home);
    g.key(Qt::Key_PageUp);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(g.gridCurrent(), Cell(1, 1));
}

TEST(GridViewCurrentCell, FixedCellsNeverBecomeCurrent) {
    ShownGrid g(6, 5);
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    g.click(0, 3); // fixed row
    g.click(4, 0); // fixed column
    g.click(0, 0); // corner
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(g.gridCurrent(), Cell(1, 1));
    EXPECT_EQ(g.viewCurrentText(), "1,1");
}

TEST(GridViewCurrentCell, ProgramMovesRaiseNothingButTheViewFollows) {
    ShownGrid g(6, 5);
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    g.grid->setCurrentCell(4, 3);
    g.grid->setCurrentCol(2);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(g.viewCurrentText(), "4,2");
    g.click(4, 2); // now the current cell: no change
    EXPECT_EQ(spy.count(), 0);
    g.click(1, 1);
    EXPECT_EQ(spy.count(), 1);
}

TEST(GridViewCurrentCell, FocusArrivingRaisesNothingAndMovesNothing) {
    ShownGrid g(6, 5);
    g.grid->setCurrentCell(3, 2);
    g.edit->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(g.edit->hasFocus());
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    QTest::keyClick(g.edit, Qt::Key_Tab);
    ASSERT_TRUE(g.view->hasFocus());
    g.view->clearFocus();
    g.view->setFocus(Qt::BacktabFocusReason);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(g.gridCurrent(), Cell(3, 2));
    EXPECT_EQ(g.viewCurrentText(), "3,2");
}

TEST(GridViewCurrentCell, FocusArrivingWhileNoCellIsCurrentLeavesItSo) {
    // A grid with only its header row has no current cell; rows added later do not make one.
    ShownGrid g(1, 5);
    g.grid->addRow();
    g.grid->addRow();
    ASSERT_EQ(g.grid->currentRow(), 0);
    g.edit->setFocus();
    QCoreApplication::processEvents();
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    QTest::keyClick(g.edit, Qt::Key_Tab);
    ASSERT_TRUE(g.view->hasFocus());
    EXPECT_EQ(spy.count(), 0);
    EXPECT_FALSE(g.view->currentIndex().isValid());
    EXPECT_EQ(g.grid->currentRow(), 0);
    g.grid->setText(2, 3, "x");
    g.click(2, 3); // the user's first click does move it
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(g.gridCurrent(), Cell(2, 3));
}

TEST(GridViewCurrentCell, DraggingDoesNotMoveTheCurrentCell) {
    ShownGrid g(6, 5);
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    const auto from = g.view->cellSpot(2, 2);
    const auto to = g.view->cellSpot(4, 3);
    QTest::mousePress(from.widget, Qt::LeftButton, Qt::NoModifier, from.centre());
    QMouseEvent move(QEvent::MouseMove, QPointF(to.centre()), from.widget->mapToGlobal(QPointF(to.centre())),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(from.widget, &move);
    QTest::mouseRelease(to.widget, Qt::LeftButton, Qt::NoModifier, to.centre());
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(g.gridCurrent(), Cell(2, 2));
}

TEST(GridViewCurrentCell, TypingDoesNotJumpToAMatchingCell) {
    ShownGrid g(6, 5);
    g.view->setFocus();
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    QTest::keyClicks(g.view, "4");
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(g.gridCurrent(), Cell(1, 1));
}

TEST(GridViewCurrentCell, GridWithoutFixedCellsStartsAtTheFirstCell) {
    ShownGrid g(1, 11, 0, 0);
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    EXPECT_TRUE(g.view->horizontalHeader()->isHidden());
    EXPECT_TRUE(g.view->verticalHeader()->isHidden());
    g.click(0, 0);
    EXPECT_EQ(spy.count(), 0);
    g.click(0, 7);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(g.gridCurrent(), Cell(0, 7));
}

TEST(GridViewCurrentCell, RemovingTheCurrentRowFollowsTheGridsChoice) {
    ShownGrid g(6, 5);
    g.grid->setCurrentCell(5, 2);
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    g.grid->removeLastRow();
    g.grid->setRows(1);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_FALSE(g.view->currentIndex().isValid());
}

TEST(GridViewFollowsGrid, HiddenColumnsAndRowsAreNotShown) {
    ShownGrid g(6, 5);
    g.grid->setColHidden(2, true);
    g.grid->setRowHidden(3, true);
    EXPECT_TRUE(g.view->cellSpot(1, 2).rect.isEmpty());
    EXPECT_TRUE(g.view->cellSpot(3, 1).rect.isEmpty());
    EXPECT_FALSE(g.view->cellSpot(1, 3).rect.isEmpty());
    EXPECT_FALSE(g.view->cellSpot(4, 1).rect.isEmpty());
    g.grid->setColHidden(2, false);
    EXPECT_FALSE(g.view->cellSpot(1, 2).rect.isEmpty());
}

TEST(GridViewFollowsGrid, HiddenFixedRowAndColumnHideTheHeaders) {
    ShownGrid g(6, 5);
    EXPECT_FALSE(g.view->horizontalHeader()->isHidden());
    EXPECT_FALSE(g.view->verticalHeader()->isHidden());
    g.grid->setRowHidden(0, true);
    g.grid->setColHidden(0, true);
    EXPECT_TRUE(g.view->horizontalHeader()->isHidden());
    EXPECT_TRUE(g.view->verticalHeader()->isHidden());
}

TEST(GridViewFollowsGrid, HiddenStateSurvivesBatchesAndSorting) {
    ShownGrid g(6, 5);
    g.grid->setColHidden(3, true);
    g.grid->setRowHidden(2, true);
    for (int r = 1; r < 6; ++r)
        g.grid->setText(r, 1, QString::number(r * 10));
    {
        GridModel::Batch batch(*g.grid);
        g.grid->setText(1, 2, "changed");
    }
    EXPECT_TRUE(g.view->cellSpot(1, 3).rect.isEmpty());
    EXPECT_TRUE(g.view->cellSpot(2, 1).rect.isEmpty());
    g.grid->sortDescending(1); // the hidden row (text 20) moves to row 4
    EXPECT_EQ(g.grid->text(4, 1), "20");
    EXPECT_TRUE(g.view->cellSpot(4, 1).rect.isEmpty());
    EXPECT_FALSE(g.view->cellSpot(2, 1).rect.isEmpty());
}

TEST(GridViewFollowsGrid, FixedWidthsHoldAndSurviveSizingToContents) {
    ShownGrid g(6, 5);
    g.grid->setColWidth(2, 40);
    g.grid->setColWidth(0, 55);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.view->cellSpot(1, 2).rect.width(), 40);
    EXPECT_EQ(g.view->cellSpot(1, 0).rect.width(), 55);
    g.grid->setText(3, 2, "a text far wider than forty pixels");
    g.grid->autoSizeColumns();
    EXPECT_EQ(g.view->cellSpot(1, 2).rect.width(), 40);
    EXPECT_EQ(g.view->cellSpot(1, 0).rect.width(), 55);
}

TEST(GridViewFollowsGrid, SizingToContentsFitsTheWidestTextIncludingFixedCells) {
    ShownGrid g(6, 4);
    const QString wide = "a rather long text in one cell";
    const QString wideFixed = "long fixed column text";
    const QString corner = "Corner heading text";
    g.grid->setText(4, 2, wide);
    g.grid->setText(3, 0, wideFixed);
    g.grid->setText(0, 0, corner);
    g.grid->setBold(0, 0, 0, 0, true);
    g.grid->autoSizeColumns();
    const QFontMetrics metrics(g.view->font());
    EXPECT_GE(g.view->cellSpot(4, 2).rect.width(), metrics.horizontalAdvance(wide));
    EXPECT_GE(g.view->cellSpot(3, 0).rect.width(), metrics.horizontalAdvance(wideFixed));
    QFont bold = g.view->font();
    bold.setBold(true);
    EXPECT_GE(g.view->cellSpot(0, 0).rect.width(), QFontMetrics(bold).horizontalAdvance(corner));
    // Short columns shrink to their contents.
    EXPECT_LT(g.view->cellSpot(1, 1).rect.width(), g.view->cellSpot(4, 2).rect.width());
}

TEST(GridViewFollowsGrid, ColumnWidthsSurviveABatch) {
    ShownGrid g(6, 4);
    g.grid->setText(2, 2, "a rather long text in one cell");
    g.grid->autoSizeColumns();
    const int before = g.view->cellSpot(1, 2).rect.width();
    {
        GridModel::Batch batch(*g.grid);
        g.grid->setText(2, 2, "x");
        g.grid->setText(3, 3, "y");
    }
    EXPECT_EQ(g.view->cellSpot(1, 2).rect.width(), before);
}

TEST(GridViewFollowsGrid, TopRowIsTheFirstRowShownBelowTheHeader) {
    ShownGrid g(200, 4);
    g.grid->setTopRow(120);
    EXPECT_EQ(g.view->cellSpot(120, 1).rect.top(), 0);
    g.grid->setTopRow(1);
    EXPECT_EQ(g.view->cellSpot(1, 1).rect.top(), 0);
    EXPECT_FALSE(g.view->horizontalHeader()->isHidden()); // the fixed row stays in place
}

TEST(GridViewFollowsGrid, FixedCellsShowTheGridsTexts) {
    ShownGrid g(4, 3);
    g.grid->setFormatString("Ruota| N1 | N2 ");
    EXPECT_EQ(g.view->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), " N1 ");
    EXPECT_EQ(g.view->model()->headerData(2, Qt::Vertical, Qt::DisplayRole).toString(), "3,0");
    g.grid->setText(2, 0, "NA");
    EXPECT_EQ(g.view->model()->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), "NA");
}

TEST(GridViewContentSize, ShowsEveryRowAndColumnWithoutScrolling) {
    ShownGrid g(12, 6);
    g.grid->autoSizeColumns();
    g.view->setFixedSize(g.view->contentSize());
    g.window.adjustSize();
    QCoreApplication::processEvents();
    EXPECT_FALSE(g.view->verticalScrollBar()->isVisible());
    EXPECT_FALSE(g.view->horizontalScrollBar()->isVisible());
    const QRect last = g.view->cellSpot(11, 5).rect;
    EXPECT_LE(last.bottom(), g.view->viewport()->height() - 1);
    EXPECT_LE(last.right(), g.view->viewport()->width() - 1);
}

QString clipboardText() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime ? mime->text() : QString();
}

QStringList actionTexts(const QMenu& menu) {
    QStringList texts;
    for (QAction* action : menu.actions())
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return texts;
}

TEST(GridViewCopy, CtrlCCopiesWhatTheUserSelectedAsSpreadsheetCells) {
    ShownGrid g(6, 5);
    g.view->setFocus();
    QGuiApplication::clipboard()->clear();

    g.key(Qt::Key_C, Qt::ControlModifier); // nothing selected yet: the current cell
    EXPECT_EQ(clipboardText(), "1,1\n");

    g.click(2, 2);
    g.click(3, 4, Qt::LeftButton, Qt::ShiftModifier);
    g.key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardText(), "2,2\t2,3\t2,4\n3,2\t3,3\t3,4\n");
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasHtml());
    EXPECT_TRUE(mime->html().contains("<tr><td>3,2</td><td>3,3</td><td>3,4</td></tr>"));

    g.key(Qt::Key_Down, Qt::ShiftModifier);
    g.key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardText(), "2,2\t2,3\t2,4\n3,2\t3,3\t3,4\n4,2\t4,3\t4,4\n");

    g.grid->setColHidden(3, true);
    g.view->setCopyWithHeaders(true);
    g.key(Qt::Key_A, Qt::ControlModifier);
    g.key(Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = clipboardText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines.front(), "0,0\t0,1\t0,2\t0,4");
    EXPECT_EQ(lines.back(), "5,0\t5,1\t5,2\t5,4");
}

TEST(GridViewCopy, RightClickKeepsTheCurrentCellAndTheSelection) {
    ShownGrid g(6, 5);
    g.click(1, 1);
    g.click(2, 2, Qt::LeftButton, Qt::ShiftModifier);
    QSignalSpy spy(g.view, &GridView::currentCellChanged);
    g.click(4, 4, Qt::RightButton, Qt::NoModifier);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(g.gridCurrent(), Cell(2, 2));
    g.view->copySelection();
    EXPECT_EQ(clipboardText(), "1,1\t1,2\n2,1\t2,2\n");
}

TEST(GridViewCopy, ContextMenuOffersCopyExportAndTheWindowsOwnEntries) {
    ShownGrid g(4, 3);
    EXPECT_EQ(actionTexts(*g.view->createContextMenu(nullptr)), QStringList{"Copia"});

    ScriptedPrompts prompts;
    QAction print(QStringLiteral("Stampa…"));
    g.view->setPrompts(&prompts);
    g.view->addContextAction(&print);
    EXPECT_EQ(actionTexts(*g.view->createContextMenu(nullptr)),
              (QStringList{"Copia", "Esporta CSV…", "|", "Stampa…"}));

    // A right click on the cells opens that menu.
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown = actionTexts(*menu);
            menu->close();
        }
    });
    const GridView::CellSpot spot = g.view->cellSpot(2, 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, spot.centre(), spot.widget->mapToGlobal(spot.centre()));
    QApplication::sendEvent(spot.widget, &event);
    EXPECT_EQ(shown, (QStringList{"Copia", "Esporta CSV…", "|", "Stampa…"}));

    g.click(2, 2);
    QGuiApplication::clipboard()->clear();
    g.view->createContextMenu(nullptr)->actions().front()->trigger();
    EXPECT_EQ(clipboardText(), "2,2\n");
}

TEST(GridViewCopy, ExportWritesEveryShownCellToTheChosenFile) {
    ShownGrid g(3, 3);
    g.grid->setText(1, 2, "0,61");
    g.grid->setText(0, 1, "N° Casi");
    g.grid->setColHidden(0, true);
    ScriptedPrompts prompts;
    g.view->setPrompts(&prompts);
    g.view->setExportFileName("casi.csv");
    QTemporaryDir folder;
    const QString path = folder.filePath("casi.csv");

    prompts.answerFile(path);
    auto menu = g.view->createContextMenu(nullptr);
    menu->actions().at(1)->trigger();
    ASSERT_EQ(prompts.shown().size(), 1u);
    const ShownBox& box = prompts.shown().front();
    EXPECT_EQ(box.kind, ShownBox::SaveFile);
    EXPECT_EQ(box.file.title, "Esporta CSV");
    EXPECT_EQ(box.file.fileName, "casi.csv");
    EXPECT_EQ(box.file.filter, "File CSV (*.csv)");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xEF\xBB\xBF") +
                                  QString("N° Casi;0,2\n1,1;0,61\n2,1;2,2\n").toUtf8());
    file.close();

    // Cancelled: nothing written, nothing said.
    QFile::remove(path);
    EXPECT_FALSE(g.view->exportCsv());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(prompts.messages().empty());

    // A folder that does not exist: the user is told why, in Italian.
    const QString nowhere = folder.filePath("manca/casi.csv");
    prompts.answerFile(nowhere);
    EXPECT_FALSE(g.view->exportCsv());
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages().front().text, "Impossibile scrivere il file " +
                                                   QDir::toNativeSeparators(nowhere) +
                                                   ": il file o la cartella non esiste");
    EXPECT_EQ(prompts.messages().front().title, "Avviso");
    EXPECT_EQ(prompts.messages().front().icon, MessageIcon::Critical);
}

} // namespace
