#include "gui/collaudo/ResultGrid.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

ResultGrid::Row row(const QString& draw, double drawKey, const QString& wheels, const QString& p, double pKey,
                    GridModel::Colour marker = GridModel::White) {
    return {{{draw, drawKey}, {wheels, std::nan("")}, {p, pKey}}, marker};
}

QStringList column(const GridModel& g, int col) {
    QStringList texts;
    for (int r = 1; r < g.rows(); ++r)
        texts << g.text(r, col);
    return texts;
}

class ResultGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.setHeaders({QStringLiteral("N° Estr"), QStringLiteral("Ruote"), QStringLiteral("p")});
        // "-" has no value and goes last whichever way the column is sorted.
        grid.setRows({row("812", 812, "MI-NA", "0,61", 0.61, 65280), row("9", 9, "BA-CA", "-", std::nan("")),
                      row("120", 120, "CA-TO", "0,0032", 0.0032, 33023)});
        grid.resize(500, 300);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    // Clicks a column's header as the user does.
    void clickHeader(int col) {
        QHeaderView* header = grid.horizontalHeader();
        const int body = col - grid.gridModel()->fixedCols();
        const QPoint at(header->sectionViewportPosition(body) + header->sectionSize(body) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    ResultGrid grid{QStringLiteral("FgProva"), true};
};

TEST_F(ResultGridTest, HeaderClicksSortByValueOrTextAndReverse) {
    const GridModel& g = *grid.gridModel();
    EXPECT_EQ(column(g, 1), QStringList({"812", "9", "120"}));
    struct Step {
        int col;
        QStringList firstColumn;
    };
    const Step steps[] = {
        {1, {"9", "120", "812"}}, // numerically, not "120" < "812" < "9"
        {1, {"812", "120", "9"}}, // the second click reverses
        {3, {"120", "812", "9"}}, // p ascending, the dash last
        {3, {"812", "120", "9"}}, // p descending, the dash still last
        {2, {"9", "120", "812"}}, // by text
    };
    for (const Step& s : steps) {
        clickHeader(s.col);
        EXPECT_EQ(column(g, 1), s.firstColumn) << "column " << s.col;
    }
    // The marker colour travels with its row.
    EXPECT_EQ(g.backColour(1, 0), GridModel::White);
    EXPECT_EQ(g.backColour(2, 0), 33023u);
    EXPECT_EQ(g.backColour(3, 0), 65280u);
}

TEST_F(ResultGridTest, DoubleClickReportsTheRowItWasGivenAsWhateverTheSort) {
    QSignalSpy activated(&grid, &ResultGrid::rowActivated);
    clickHeader(1);                                      // 9, 120, 812
    const GridView::CellSpot spot = grid.cellSpot(2, 2); // the row of draw 120
    ASSERT_NE(spot.widget, nullptr);
    QTest::mouseDClick(spot.widget, Qt::LeftButton, Qt::NoModifier, spot.centre());
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 2);
}

TEST_F(ResultGridTest, SetTableReplacesHeadersAndRowsInOneResetAndForgetsTheSort) {
    clickHeader(1);
    ASSERT_EQ(grid.sortColumn(), 1);
    QSignalSpy resets(grid.gridModel(), &QAbstractItemModel::modelReset);
    grid.setTable({QStringLiteral("Colpo"), QStringLiteral("Esito")},
                  {{{{QStringLiteral("7"), 7}, {QStringLiteral("negativo"), std::nan("")}}, GridModel::White},
                   {{{QStringLiteral("2"), 2}, {QStringLiteral("positivo"), std::nan("")}}, 65280}});
    EXPECT_EQ(resets.count(), 1); // a second reset would mean the rows were filled twice
    const GridModel& g = *grid.gridModel();
    EXPECT_EQ(g.cols(), 3);
    EXPECT_EQ(g.text(0, 1), QStringLiteral("Colpo"));
    EXPECT_EQ(g.text(0, 2), QStringLiteral("Esito"));
    EXPECT_EQ(column(g, 1), QStringList({"7", "2"})); // the order given, not the old sort's
    EXPECT_EQ(column(g, 2), QStringList({"negativo", "positivo"}));
    EXPECT_EQ(g.backColour(2, 0), 65280u);
    EXPECT_EQ(grid.sortColumn(), -1);
    clickHeader(1);
    EXPECT_EQ(column(g, 1), QStringList({"2", "7"}));
}

} // namespace
