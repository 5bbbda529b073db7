#include "gui/kit/GridReport.h"

#include "PdfText.h"
#include "gui/kit/GridModel.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

class GridReportPdf : public ::testing::Test {
protected:
    void SetUp() override {
        if (!pdf::toolsPresent())
            GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) is not installed";
        ASSERT_TRUE(folder.isValid());
    }

    // Prints the report on an A4 landscape PDF; returns the page count printGridReport gave.
    int print(const GridReport& report) {
        QPdfWriter writer(path());
        writer.setResolution(300);
        writer.setPageLayout(reportPageLayout());
        return printGridReport(writer, report);
    }
    QString path() const { return folder.filePath("stampa.pdf"); }
    QString text() const { return pdf::text(path()); }

    QTemporaryDir folder;
};

// A header row "Caso|Estrazione|..." and numbered rows, the columns as wide as the case grid's.
void fillTable(GridModel& grid, int rows, int cols) {
    grid.setRows(rows + 1);
    grid.setCols(cols);
    grid.setFixedRows(1);
    for (int c = 0; c < cols; ++c)
        grid.setText(0, c, QStringLiteral("Col%1").arg(c));
    for (int r = 1; r <= rows; ++r) {
        grid.setText(r, 0, QStringLiteral("R%1").arg(r));
        for (int c = 1; c < cols; ++c)
            grid.setText(r, c, QStringLiteral("%1").arg(r * 100 + c));
    }
}

std::set<int> rowLabels(const QString& text) {
    std::set<int> labels;
    auto it = QRegularExpression(R"(\bR(\d+)\b)").globalMatch(text);
    while (it.hasNext())
        labels.insert(it.next().captured(1).toInt());
    return labels;
}

TEST_F(GridReportPdf, EveryRowOnceHeaderOnEveryPageOnA4Landscape) {
    GridModel table;
    fillTable(table, 150, 12);
    table.setColHidden(5, true);
    table.setRowHidden(7, true);
    GridModel summary(3, 2);
    summary.setFixedCols(1);
    summary.setText(0, 0, "N° casi");
    summary.setText(0, 1, "150");
    summary.setText(1, 0, "Positivi");
    summary.setText(1, 1, "61");
    summary.setFloodPercent(1, 1, 40.7);
    GridReport report{"Prova di stampa",
                      {"Archivio: /tmp/Dbarcomax.mdb", "Estrazioni dalla 9500 alla 9999"},
                      &summary,
                      &table,
                      "Veltrano"};

    const int pages = print(report);
    ASSERT_GE(pages, 3); // 150 rows in 8-point type cannot fit on two pages
    EXPECT_EQ(pdf::pages(path()), pages);
    const QSizeF size = pdf::pageSize(path());
    EXPECT_NEAR(size.width(), 841.9, 1.0); // A4, the long side across
    EXPECT_NEAR(size.height(), 595.3, 1.0);

    const QString all = text();
    for (const char* expected :
         {"Prova di stampa", "Archivio: /tmp/Dbarcomax.mdb", "Estrazioni dalla 9500 alla 9999", "N° casi",
          "Positivi", "61", "Veltrano", "R150", "15011"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(expected))) << expected;
    const QStringList pageTexts = all.split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pageTexts.size(), pages);
    for (int p = 0; p < pages; ++p) {
        EXPECT_TRUE(pageTexts[p].contains("Col0")) << "page " << p + 1;
        EXPECT_TRUE(pageTexts[p].contains(QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(pages))) << p + 1;
    }
    // Each shown row exactly once, the hidden row and column nowhere.
    std::set<int> expectedRows;
    for (int r = 1; r <= 150; ++r)
        if (r != 7)
            expectedRows.insert(r);
    EXPECT_EQ(rowLabels(all), expectedRows);
    EXPECT_EQ(all.count(QRegularExpression(R"(\bR\d+\b)")), 149);
    EXPECT_FALSE(all.contains("Col5"));
    EXPECT_FALSE(all.contains("705"));
}

TEST_F(GridReportPdf, WideTableShrinksUntilItsLastColumnIsOnThePage) {
    for (int cols : {10, 45}) {
        GridModel table;
        fillTable(table, 3, cols);
        for (int r = 1; r <= 3; ++r)
            table.setText(r, cols - 1, QStringLiteral("ultima%1").arg(r));
        ASSERT_EQ(print({"Larga", {}, nullptr, &table, {}}), 1) << cols;
        const QString all = text();
        for (const QString& expected :
             {QStringLiteral("Col%1").arg(cols - 1), QStringLiteral("ultima3"), QStringLiteral("R3")})
            EXPECT_TRUE(all.contains(expected)) << cols << " " << expected.toStdString();
    }
}

TEST(GridReport, UnwritableFileGivesNoPages) {
    QTemporaryDir folder;
    QPdfWriter writer(folder.filePath("manca/stampa.pdf"));
    GridModel table;
    EXPECT_EQ(printGridReport(writer, {"x", {}, nullptr, &table, {}}), 0);
}

} // namespace
