#include "gui/kit/ProgramIcons.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <gtest/gtest.h>

namespace {

struct PixelSummary {
    int opaque = 0;
    int distinctColours = 0;
};

PixelSummary summarize(const QImage& image) {
    PixelSummary summary;
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) > 128)
                ++summary.opaque;
            colours.insert(pixel);
        }
    summary.distinctColours = int(colours.size());
    return summary;
}

class ProgramIconRendering : public ::testing::TestWithParam<ProgramIcon> {};

TEST_P(ProgramIconRendering, ResourceIsBundled) {
    programIcon(GetParam()); // registers the resources
    EXPECT_TRUE(QFile::exists(programIconPath(GetParam()))) << programIconPath(GetParam()).toStdString();
}

TEST_P(ProgramIconRendering, DrawsVisibleDetailAtSmallAndNormalSizes) {
    const QIcon icon = programIcon(GetParam());
    ASSERT_FALSE(icon.isNull());
    for (int side : {16, 24}) {
        const QImage image = icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(side, side));
        const PixelSummary summary = summarize(image);
        // A drawing covers a fair part of its square but not all of it, and has more than a fill colour.
        EXPECT_GT(summary.opaque, side * side / 5) << "size " << side;
        EXPECT_GE(summary.distinctColours, 4) << "size " << side;
    }
}

std::string iconName(const ::testing::TestParamInfo<ProgramIcon>& info) {
    QString name = QFileInfo(programIconPath(info.param)).completeBaseName();
    return name.replace(QLatin1Char('-'), QLatin1Char('_')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryIcon, ProgramIconRendering, ::testing::ValuesIn(allProgramIcons), iconName);

TEST(ProgramIconSet, EveryIconHasItsOwnDrawing) {
    QSet<QString> paths;
    QSet<QByteArray> pictures;
    for (ProgramIcon which : allProgramIcons) {
        paths.insert(programIconPath(which));
        const QImage image =
            programIcon(which).pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
        pictures.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(paths.size(), qsizetype(std::size(allProgramIcons)));
    EXPECT_EQ(pictures.size(), qsizetype(std::size(allProgramIcons)));
}

} // namespace
