#include "gui/kit/FloodBarDelegate.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/GridView.h"

#include <QHeaderView>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr GridModel::Colour Red = 0x0000FF;    // red in the low byte
constexpr GridModel::Colour Yellow = 0x00FFFF; // red 255, green 255
constexpr GridModel::Colour Green = 0x00FF00;

// A shown grid of 3 x 3 with no fixed cells unless told, columns 100 px wide.
struct PaintedGrid {
    explicit PaintedGrid(int fixed = 0) {
        view.resize(420, 200);
        grid = view.gridModel();
        grid->setRows(3);
        grid->setCols(3);
        grid->setFixedRows(fixed);
        grid->setFixedCols(fixed);
        for (int c = 0; c < 3; ++c)
            grid->setColWidth(c, 100);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    // What one cell looks like on screen, as an image of the cell's rectangle.
    QImage cellImage(int row, int col) {
        const GridView::CellSpot spot = view.cellSpot(row, col);
        return spot.widget->grab(spot.rect).toImage().convertToFormat(QImage::Format_RGB32);
    }

    GridView view;
    GridModel* grid = nullptr;
};

bool near(QColor a, QColor b, int tolerance = 8) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Pixels of a column of the image, away from the cell's borders and its centred text.
QColor sample(const QImage& image, double fraction, int y = 3) {
    return image.pixelColor(static_cast<int>(image.width() * fraction), y);
}

int darkPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                ++count;
    return count;
}

TEST(FloodBarPainting, BarCoversItsPercentageInTheFloodColourOverTheBackground) {
    PaintedGrid g;
    g.grid->setFloodColour(Red);
    g.grid->setBackColour(1, 1, Yellow);
    g.grid->setFloodPercent(1, 1, 40);
    const QImage image = g.cellImage(1, 1);
    EXPECT_TRUE(near(sample(image, 0.05), Qt::red));
    EXPECT_TRUE(near(sample(image, 0.35), Qt::red));
    EXPECT_TRUE(near(sample(image, 0.45), Qt::yellow));
    EXPECT_TRUE(near(sample(image, 0.90), Qt::yellow));
}

TEST(FloodBarPainting, NoBarAndZeroPercentShowOnlyTheBackground) {
    PaintedGrid g;
    g.grid->setFloodColour(Red);
    g.grid->setFloodPercent(2, 0, 0);
    g.grid->setFloodPercent(2, 1, 60);
    g.grid->setFloodPercent(2, 1, GridModel::NoFlood);
    for (int col : {0, 1}) {
        const QImage image = g.cellImage(2, col);
        EXPECT_TRUE(near(sample(image, 0.05), Qt::white)) << col;
        EXPECT_TRUE(near(sample(image, 0.5), Qt::white)) << col;
    }
}

TEST(FloodBarPainting, TextIsDrawnOverAFullBar) {
    PaintedGrid g;
    g.grid->setFloodColour(Yellow);
    g.grid->setFloodPercent(2, 2, 100);
    const int withoutText = darkPixels(g.cellImage(2, 2));
    g.grid->setText(2, 2, "88%");
    const QImage image = g.cellImage(2, 2);
    EXPECT_GT(darkPixels(image), withoutText + 10);
    EXPECT_TRUE(near(sample(image, 0.05), Qt::yellow));
    EXPECT_TRUE(near(sample(image, 0.95), Qt::yellow));
}

TEST(FloodBarPainting, BarRectangleIsTheShareOfTheWidth) {
    const QRect cell(10, 20, 200, 18);
    EXPECT_EQ(FloodBarDelegate::barRect(cell, 25), QRect(10, 20, 50, 18));
    EXPECT_EQ(FloodBarDelegate::barRect(cell, 150).width(), 200);
    EXPECT_EQ(FloodBarDelegate::barRect(cell, -5).width(), 0);
}

TEST(GridPainting, ColumnsSizedToTheirContentsShowTheWholeText) {
    PaintedGrid g;
    const QList<QStringList> textSets{
        {"Data Estraz  ", "22/12/2022", "N° Estr"}, {"Quartina", "88", "1"}, {"Ambata", "Colpo", "WWWWMMMM"}};
    for (const QStringList& texts : textSets) {
        for (int c = 0; c < 3; ++c) {
            g.grid->setText(1, c, texts[c]);
            g.grid->setText(2, c, texts[c]);
            g.grid->setColWidth(c, 0);
        }
        g.grid->setBold(2, 0, 2, 2, true);
        g.grid->autoSizeColumns();
        QList<int> fitted;
        for (int r : {1, 2})
            for (int c = 0; c < 3; ++c)
                fitted << darkPixels(g.cellImage(r, c));
        for (int c = 0; c < 3; ++c)
            g.grid->setColWidth(c, 200); // room to spare: nothing can be cut
        QList<int> roomy;
        for (int r : {1, 2})
            for (int c = 0; c < 3; ++c)
                roomy << darkPixels(g.cellImage(r, c));
        EXPECT_EQ(fitted, roomy) << texts.join('|').toStdString();
    }
}

// Horizontal middle of the dark pixels of an image, or -1 when there are none.
double inkCentre(const QImage& image) {
    int left = image.width();
    int right = -1;
    for (int y = 2; y < image.height() - 2; ++y)
        for (int x = 2; x < image.width() - 2; ++x)
            if (qGray(image.pixel(x, y)) < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right < 0 ? -1 : (left + right) / 2.0;
}

TEST(GridPainting, CentredColumnsDrawTheirTextInTheMiddleFixedCellsToo) {
    PaintedGrid g(1);
    g.grid->setColWidth(0, 100);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g.grid->setText(r, c, "BA");
    g.grid->setColCentred(0, true);
    g.grid->setColCentred(1, true);
    QCoreApplication::processEvents();
    for (const auto& [r, c] : {std::pair{2, 0}, std::pair{0, 1}, std::pair{2, 1}}) {
        const QImage image = g.cellImage(r, c);
        EXPECT_NEAR(inkCentre(image), image.width() / 2.0, 4.0) << r << "," << c;
    }
    for (const auto& [r, c] : {std::pair{0, 2}, std::pair{2, 2}}) {
        const QImage image = g.cellImage(r, c);
        EXPECT_LT(inkCentre(image), image.width() / 3.0) << r << "," << c;
    }
}

TEST(GridPainting, BoldTextHasMoreInk) {
    PaintedGrid g;
    g.grid->setText(0, 0, "BA NZ 88");
    g.grid->setText(0, 1, "BA NZ 88");
    g.grid->setBold(0, 1, 0, 1, true);
    EXPECT_GT(darkPixels(g.cellImage(0, 1)), darkPixels(g.cellImage(0, 0)) + 5);
}

TEST(GridPainting, TextColourComesFromTheGrid) {
    PaintedGrid g;
    g.grid->setText(1, 0, "XXXXXXXX");
    g.grid->setForeColour(1, 0, 1, 0, Red);
    const QImage image = g.cellImage(1, 0);
    int reddish = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 120 && c.blue() < 120)
                ++reddish;
        }
    EXPECT_GT(reddish, 10);
}

TEST(GridPainting, BlackGridLinesWhenAsked) {
    PaintedGrid g;
    auto lineColour = [&] {
        const QImage image = g.view.viewport()->grab().toImage();
        const int x = g.view.columnViewportPosition(0) + g.view.columnWidth(0) - 1;
        return image.pixelColor(x, g.view.rowViewportPosition(1) + 5);
    };
    EXPECT_FALSE(near(lineColour(), Qt::black, 30));
    g.view.setBlackGridLines(true);
    EXPECT_TRUE(near(lineColour(), Qt::black, 0));
}

TEST(GridPainting, FixedCellsShowTheirOwnColourAndText) {
    PaintedGrid g(1);
    g.grid->setBackColour(2, 0, Green);
    const QImage marked = g.cellImage(2, 0);
    const QColor inside = marked.pixelColor(marked.width() / 2, marked.height() / 2);
    EXPECT_GT(inside.green(), 200);
    EXPECT_LT(inside.red(), 60);
    EXPECT_LT(inside.blue(), 60);
    const QImage plain = g.cellImage(1, 0);
    EXPECT_FALSE(near(plain.pixelColor(plain.width() / 2, plain.height() / 2), Qt::green, 60));

    const int emptyCorner = darkPixels(g.cellImage(0, 0));
    g.grid->setText(0, 0, "Ruota");
    QCoreApplication::processEvents();
    EXPECT_GT(darkPixels(g.cellImage(0, 0)), emptyCorner + 10);
}

TEST(GridPainting, SelectionTintsSeveralCellsButLeavesTheCellJustClickedAsItWas) {
    PaintedGrid g;
    g.grid->setBackColour(1, 0, 1, 2, Yellow);
    auto click = [&](int row, int col, Qt::KeyboardModifiers modifiers) {
        const GridView::CellSpot spot = g.view.cellSpot(row, col);
        QTest::mouseClick(spot.widget, Qt::LeftButton, modifiers, spot.centre());
    };
    click(1, 1, Qt::NoModifier);
    ASSERT_EQ(g.view.selectionModel()->selectedIndexes().size(), 1);
    const QImage clicked = g.cellImage(1, 1);
    g.view.clearSelection();
    EXPECT_EQ(clicked, g.cellImage(1, 1));

    click(1, 1, Qt::NoModifier);
    click(1, 2, Qt::ShiftModifier);
    const QColor tinted = sample(g.cellImage(1, 1), 0.9, g.cellImage(1, 1).height() / 2);
    EXPECT_FALSE(near(tinted, Qt::yellow)); // the selection shows
    // and the cell's own colour still shows through it
    EXPECT_GT(tinted.red(), tinted.blue() + 60);
    EXPECT_GT(tinted.green(), tinted.blue() + 60);
    EXPECT_TRUE(near(sample(g.cellImage(1, 0), 0.9), Qt::yellow)); // not selected
}

} // namespace
