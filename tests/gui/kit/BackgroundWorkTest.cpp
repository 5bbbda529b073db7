#include "gui/kit/BackgroundWork.h"

#include <QTimer>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

// The work waits for a timer that only this thread's event loop can fire: it finishes in time only if
// the caller keeps the loop running while it waits, as a window must.
TEST(BackgroundWork, EventLoopKeepsRunningWhileTheWorkRuns) {
    std::atomic<bool> timerFired = false;
    QTimer::singleShot(20, [&] { timerFired = true; });
    const auto started = std::chrono::steady_clock::now();
    const bool sawTimer = runInBackground([&] {
        while (!timerFired && std::chrono::steady_clock::now() - started < std::chrono::seconds(10))
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return timerFired.load();
    });
    EXPECT_TRUE(sawTimer);
}

TEST(BackgroundWork, ResultAndFailureComeBackToTheCaller) {
    EXPECT_EQ(runInBackground([] { return std::string("fatto"); }), "fatto");
    try {
        runInBackground([]() -> int { throw std::runtime_error("disco pieno"); });
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "disco pieno");
    }
}
