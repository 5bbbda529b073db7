#include "gui/kit/ChartPanel.h"

#include "ScriptedServices.h"

#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

int wordPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 160 ? 1 : 0;
    return dark;
}

// A chart with nothing to draw says "nessun dato" across the panel, on screen and on paper; a chart with
// a series does not.
TEST(ChartPanel, SaysNessunDatoWhenTheChartHasNothingToDraw) {
    ScriptedPrompts prompts;
    ChartPanel panel(prompts, QStringLiteral("GrProva"));
    panel.resize(400, 300);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    auto* label = panel.findChild<QLabel*>(QStringLiteral("GrProva_nessunDato"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("nessun dato"));

    auto* empty = new QChart;
    empty->setTitle(QStringLiteral("Positivi per anno"));
    panel.setChart(empty);
    EXPECT_TRUE(panel.showsNoData());
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->geometry(), panel.view()->rect());

    // On paper too: the printed picture carries the words (dark pixels in the middle of the target).
    QImage page(400, 300, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        panel.paint(painter, QRectF(0, 0, 400, 300));
    }
    EXPECT_GT(wordPixels(page.copy(120, 120, 160, 60)), 0);

    auto* drawn = new QChart;
    auto* series = new QLineSeries;
    series->append(1, 2);
    drawn->addSeries(series);
    panel.setChart(drawn);
    EXPECT_FALSE(panel.showsNoData());
    EXPECT_FALSE(label->isVisible());
}

} // namespace
