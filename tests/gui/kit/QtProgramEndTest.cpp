#include "gui/kit/QtProgramEnd.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr int stuck = 99;

// Runs the application's event loop with a safety net: a loop that does not end within ten seconds
// is stopped with the code `stuck`.
int runEventLoop() {
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(stuck); });
    safety.start(10000);
    return QApplication::exec();
}

class CloseWatcher : public QWidget {
public:
    int closeEvents = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closeEvents;
        QWidget::closeEvent(event);
    }
};

TEST(QtProgramEndBeforeTheLoop, ProgramEndsAsSoonAsTheLoopStarts) {
    CloseWatcher window;
    window.show();
    QtProgramEnd end;
    EXPECT_FALSE(end.hasEnded());
    end.endProgram();
    EXPECT_TRUE(end.hasEnded());
    EXPECT_FALSE(window.isVisible());

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(runEventLoop(), 0);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(window.closeEvents, 0);
}

TEST(QtProgramEndInTheLoop, StopsTheLoopAndHidesEveryWindowWithoutClosingHandlers) {
    CloseWatcher first;
    CloseWatcher second;
    first.show();
    second.show();
    QtProgramEnd end;
    QTimer::singleShot(0, [&end] { end.endProgram(); });
    EXPECT_EQ(runEventLoop(), 0);
    EXPECT_TRUE(end.hasEnded());
    EXPECT_FALSE(first.isVisible());
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(first.closeEvents + second.closeEvents, 0);
}

TEST(QtProgramEndInTheLoop, EndsFromInsideAModalBoxToo) {
    QtProgramEnd end;
    bool modalReturned = false;
    QTimer::singleShot(0, [&] {
        QDialog box;
        QTimer::singleShot(0, [&end] { end.endProgram(); });
        box.exec();
        modalReturned = true;
    });
    EXPECT_EQ(runEventLoop(), 0);
    EXPECT_TRUE(modalReturned);
    EXPECT_TRUE(end.hasEnded());
}

} // namespace
