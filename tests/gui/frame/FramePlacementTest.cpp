#include "gui/frame/FramePlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// Readable rectangles in failure messages.
inline void PrintTo(const QRect& r, std::ostream* out) {
    *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace {

TEST(FramePlacementFitted, BringsTheKeptGeometryInsideTheFreeArea) {
    const QRect screen(0, 0, 1280, 768);    // a 32-pixel panel at the bottom
    const QRect topPanel(0, 32, 1280, 768); // the panel at the top
    const QRect secondScreen(1280, 0, 1920, 1050);
    const struct {
        const char* what;
        QRect saved;
        QRect available;
        QRect expected;
    } cases[] = {
        {"inside stays", {100, 50, 800, 600}, screen, {100, 50, 800, 600}},
        {"exactly the area stays", screen, screen, screen},
        {"the whole screen loses the panel", {0, 0, 1280, 800}, screen, screen},
        {"under a top panel moves down", {0, 0, 1280, 800}, topPanel, topPanel},
        {"past the right edge moves left", {900, 100, 800, 600}, screen, {480, 100, 800, 600}},
        {"past the bottom moves up", {10, 500, 800, 600}, screen, {10, 168, 800, 600}},
        {"above and left moves in", {-50, -20, 800, 600}, topPanel, {0, 32, 800, 600}},
        {"on a screen now gone comes back", {2000, 900, 800, 600}, screen, {480, 168, 800, 600}},
        {"larger both ways shrinks", {-10, -10, 3000, 2000}, topPanel, topPanel},
        {"wider only shrinks its width", {300, 40, 1500, 500}, screen, {0, 40, 1280, 500}},
        {"on a second screen stays there", {1500, 100, 800, 600}, secondScreen, {1500, 100, 800, 600}},
        {"left of a second screen moves onto it", {100, 100, 800, 600}, secondScreen, {1280, 100, 800, 600}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FramePlacement::fitted(c.saved, c.available), c.expected) << c.what;
}

class FramePlacementSettings : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QSettings settings() const { return QSettings(m_dir.filePath("veltrano.ini"), QSettings::IniFormat); }

    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    QTemporaryDir m_dir;
};

TEST_F(FramePlacementSettings, NothingKeptOpensMaximizedWithANormalSizeThatFits) {
    QSettings kept = settings();
    QWidget frame;
    FramePlacement::show(frame, kept);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_TRUE(frame.isMaximized());
    EXPECT_TRUE(available().contains(frame.frameGeometry()));
    EXPECT_TRUE(available().contains(frame.normalGeometry()));
}

TEST_F(FramePlacementSettings, KeptGeometryComesBackAndOneTooLargeIsFitted) {
    const QRect inside(available().topLeft() + QPoint(20, 30), available().size() / 2);
    QRect outer;
    {
        QSettings kept = settings();
        QWidget frame;
        frame.setGeometry(inside);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        outer = frame.frameGeometry();
        FramePlacement::keep(frame, kept);
    }
    {
        QSettings kept = settings();
        QWidget frame;
        FramePlacement::show(frame, kept);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        EXPECT_FALSE(frame.isMaximized());
        EXPECT_EQ(frame.frameGeometry(), outer);
        EXPECT_EQ(frame.geometry(), inside);
    }
    // A geometry kept on a larger screen than today's.
    const QRect larger(available().topLeft() - QPoint(40, 40), available().size() + QSize(300, 200));
    {
        QSettings kept = settings();
        kept.setValue(QStringLiteral("Finestra/Geometria"), larger);
        QWidget frame;
        FramePlacement::show(frame, kept);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        EXPECT_FALSE(frame.isMaximized());
        EXPECT_EQ(frame.frameGeometry(), available());
    }
}

TEST_F(FramePlacementSettings, MaximizedIsKeptWithTheSizeToComeBackTo) {
    const QRect normal(available().topLeft() + QPoint(10, 10), QSize(400, 300));
    {
        QSettings kept = settings();
        QWidget frame;
        frame.setGeometry(normal);
        frame.showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        FramePlacement::keep(frame, kept);
    }
    QSettings kept = settings();
    QWidget frame;
    FramePlacement::show(frame, kept);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_TRUE(frame.isMaximized());
    frame.showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.geometry(), normal);
}

} // namespace
