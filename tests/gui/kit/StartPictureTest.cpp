#include "gui/kit/StartPicture.h"

#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

namespace {

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

TEST(StartPicture, FillsTheRequestedSize) {
    for (QSize size : {QSize(560, 250), QSize(300, 120), QSize(800, 300)}) {
        const QPixmap picture = startPicture(size);
        EXPECT_EQ(picture.size(), size);
    }
}

TEST(StartPicture, IsADrawingNotABlankBox) {
    const QImage image = startPicture(QSize(560, 250)).toImage();
    // Balls, board, text and band: many colours, and every quarter of the picture holds some detail.
    EXPECT_GT(distinctColours(image), 200);
    for (int qx = 0; qx < 2; ++qx)
        for (int qy = 0; qy < 2; ++qy)
            EXPECT_GT(distinctColours(image.copy(qx * 280, qy * 125, 280, 125)), 20) << qx << "," << qy;
}

TEST(StartPicture, DegenerateSizeStillGivesAPixmap) {
    EXPECT_FALSE(startPicture(QSize(0, 0)).isNull());
}

} // namespace
