#include "gui/kit/ItemTableView.h"

#include "PdfText.h"
#include "ScriptedServices.h"
#include "gui/kit/GridCells.h"
#include "gui/kit/GridReport.h"
#include "gui/kit/ItemModelTable.h"
#include "gui/kit/RowOrder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPdfWriter>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <cmath>
#include <gtest/gtest.h>

namespace itemtableview {

// A plain item model, not a grid: three columns, the middle one numbers that sort descending first.
class ShownTable {
public:
    ShownTable() : model(4, 3) {
        model.setHorizontalHeaderLabels(
            {QStringLiteral("Ruota"), QStringLiteral("Ritardo"), QStringLiteral("Nota")});
        model.setHeaderData(1, Qt::Horizontal, static_cast<int>(Qt::DescendingOrder),
                            Qt::InitialSortOrderRole);
        const char* wheels[] = {"BA", "CA", "FI", "GE"};
        const int delays[] = {7, 152, 7, 30};
        for (int r = 0; r < 4; ++r) {
            model.setItem(r, 0, new QStandardItem(QString::fromLatin1(wheels[r])));
            auto* delay = new QStandardItem;
            delay->setData(delays[r], Qt::DisplayRole);
            model.setItem(r, 1, delay);
            model.setItem(r, 2, new QStandardItem(r == 1 ? QStringLiteral("uno, \"due\"") : QString()));
        }
        auto* layout = new QVBoxLayout(&window);
        view = new ItemTableView(&window);
        view->setModel(&model);
        layout->addWidget(view);
        window.resize(500, 300);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QStringList column(int c) const {
        QStringList texts;
        for (int r = 0; r < model.rowCount(); ++r)
            texts << model.index(r, c).data().toString();
        return texts;
    }

    void clickCell(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QRect rect = view->visualRect(model.index(row, col));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

    void clickHeader(int col) {
        QHeaderView* header = view->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(header->sectionViewportPosition(col) + header->sectionSize(col) / 2,
                                 header->height() / 2));
    }

    QWidget window;
    QStandardItemModel model;
    ItemTableView* view = nullptr;
};

QString clipboardText() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime ? mime->text() : QString();
}

// The model's own order until a header is clicked; the first click in the header's own order, the second
// reverses it.
TEST(ItemTableView, HeaderClicksSortThroughTheModel) {
    ShownTable t;
    EXPECT_EQ(t.column(0), (QStringList{"BA", "CA", "FI", "GE"}));
    t.clickHeader(1);
    EXPECT_EQ(t.column(1), (QStringList{"152", "30", "7", "7"}));
    t.clickHeader(1);
    EXPECT_EQ(t.column(1), (QStringList{"7", "7", "30", "152"}));
    t.clickHeader(0);
    EXPECT_EQ(t.column(0), (QStringList{"BA", "CA", "FI", "GE"}));
}

// Ctrl+C and "Copia" take the selection with the header row above it, as the grids' copies do.
TEST(ItemTableView, CopiesTheSelectionWithTheHeaderRow) {
    ShownTable t;
    t.view->setFocus();
    QGuiApplication::clipboard()->clear();
    t.clickCell(1, 0);
    t.clickCell(2, 1, Qt::ShiftModifier);
    QTest::keyClick(t.view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardText(), "Ruota\tRitardo\nCA\t152\nFI\t7\n");
    ASSERT_NE(QGuiApplication::clipboard()->mimeData(), nullptr);
    EXPECT_TRUE(
        QGuiApplication::clipboard()->mimeData()->html().contains("<tr><td>CA</td><td>152</td></tr>"));

    ScriptedPrompts prompts;
    QAction print(QStringLiteral("Stampa…"));
    t.view->setPrompts(&prompts);
    t.view->addContextAction(&print);
    auto menu = t.view->createContextMenu(nullptr);
    QStringList entries;
    for (QAction* a : menu->actions())
        entries << (a->isSeparator() ? QStringLiteral("|") : a->text());
    EXPECT_EQ(entries, (QStringList{"Copia", "Esporta CSV…", "|", "Stampa…"}));
    QGuiApplication::clipboard()->clear();
    t.clickCell(3, 0);
    menu->actions().front()->trigger();
    EXPECT_EQ(clipboardText(), "Ruota\nGE\n");
}

// "Esporta CSV…" writes the whole table, header first, ';' between fields, quoting where csv needs it.
TEST(ItemTableView, ExportWritesTheWholeTable) {
    ShownTable t;
    ScriptedPrompts prompts;
    t.view->setPrompts(&prompts);
    t.view->setExportFileName(QStringLiteral("ritardi.csv"));
    QTemporaryDir folder;
    prompts.answerFile(folder.filePath(QStringLiteral("ritardi.csv")));
    ASSERT_TRUE(t.view->exportCsv());
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown().front().file.fileName, QStringLiteral("ritardi.csv"));
    QFile file(folder.filePath(QStringLiteral("ritardi.csv")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        file.readAll(),
        QByteArray("\xEF\xBB\xBFRuota;Ritardo;Nota\nBA;7;\nCA;152;\"uno, \"\"due\"\"\"\nFI;7;\nGE;30;\n"));
}

// A model printed as a grid: the header row and every cell on paper.
TEST(ItemTableView, PrintsAnyModelAsAGrid) {
    if (!pdf::toolsPresent())
        GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) is not installed";
    QStandardItemModel model(120, 2);
    model.setHorizontalHeaderLabels({QStringLiteral("Numeri"), QStringLiteral("Ritardo")});
    for (int r = 0; r < 120; ++r) {
        model.setItem(r, 0, new QStandardItem(QStringLiteral("N%1").arg(r + 1)));
        model.setItem(r, 1, new QStandardItem(QString::number(1000 + r)));
    }
    const ItemModelTable table(model);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tabella.pdf"));
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageLayout(reportPageLayout());
    const int pages = printGridReport(writer, {QStringLiteral("Ritardi"), {}, nullptr, &table, {}});
    EXPECT_GE(pages, 2);
    const QString text = pdf::text(path);
    EXPECT_EQ(text.count(QStringLiteral("Ritardo")), pages); // the header on every page
    for (int r = 1; r <= 120; ++r)
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\bN%1\\b").arg(r)))) << r;
    EXPECT_TRUE(text.contains(QStringLiteral("1119")));
}

// A model's rows kept by a filter and sorted from the data's order, so that ties keep it; rows without
// a value last either way.
TEST(RowOrder, FilterThenSortFromTheDatasOrder) {
    const double none = std::nan("");
    const std::vector<double> keys{3, 1, none, 3, 2, 1};
    struct Case {
        bool evenOnly;
        Qt::SortOrder order;
        std::vector<int> rows;
    } cases[] = {
        {false, Qt::AscendingOrder, {1, 5, 4, 0, 3, 2}},
        {false, Qt::DescendingOrder, {0, 3, 4, 1, 5, 2}},
        {true, Qt::DescendingOrder, {0, 4, 2}},
    };
    for (const Case& c : cases) {
        RowOrder order;
        if (c.evenOnly)
            order.filter(6, [](int r) { return r % 2 == 0; });
        else
            order.filter(6);
        // A sort before this one must not leave its mark on the ties.
        order.sort([&](int r) { return -static_cast<double>(r); }, Qt::AscendingOrder);
        order.sort([&](int r) { return keys[static_cast<std::size_t>(r)]; }, c.order);
        std::vector<int> rows;
        for (int i = 0; i < order.size(); ++i)
            rows.push_back(order.source(i));
        EXPECT_EQ(rows, c.rows) << c.evenOnly << " " << c.order;
    }
}

} // namespace itemtableview
