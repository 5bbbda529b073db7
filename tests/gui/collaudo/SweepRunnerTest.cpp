#include "gui/collaudo/SweepRunner.h"

#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace {

// A job of many small steps that stops as soon as it is asked to.
SweepRunner::Job steps(int total, std::shared_ptr<std::atomic<int>> done) {
    return [total, done](const SweepRunner::Progress& progress, const std::atomic<bool>& cancelled) {
        for (int i = 1; i <= total && !cancelled; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            *done = i;
            progress(i, total);
        }
    };
}

TEST(SweepRunner, ReportsProgressOnTheGuiThreadAndFinishes) {
    SweepRunner runner;
    QSignalSpy progress(&runner, &SweepRunner::progress);
    QSignalSpy finished(&runner, &SweepRunner::finished);
    auto done = std::make_shared<std::atomic<int>>(0);
    ASSERT_TRUE(runner.start(steps(200, done)));
    EXPECT_FALSE(runner.start(steps(1, done))) << "a second job while one runs";
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.at(0).at(0).toBool(), false);
    EXPECT_EQ(*done, 200);
    // One signal per percent at most, and the last one says all is done.
    EXPECT_LE(progress.count(), 101);
    ASSERT_GE(progress.count(), 1);
    EXPECT_EQ(progress.last().at(0).toInt(), 200);
}

TEST(SweepRunner, CancelStopsTheJobAndSaysSo) {
    SweepRunner runner;
    QSignalSpy finished(&runner, &SweepRunner::finished);
    auto done = std::make_shared<std::atomic<int>>(0);
    runner.start(steps(100000, done));
    QTest::qWait(30);
    runner.cancel();
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_LT(*done, 100000);
}

TEST(SweepRunner, DestroyedWhileRunningStopsAndWaitsForTheJob) {
    auto done = std::make_shared<std::atomic<int>>(0);
    auto finishedJob = std::make_shared<std::atomic<bool>>(false);
    {
        SweepRunner runner;
        runner.start(
            [done, finishedJob](const SweepRunner::Progress& progress, const std::atomic<bool>& cancelled) {
                steps(100000, done)(progress, cancelled);
                *finishedJob = true;
            });
        QTest::qWait(20);
    }
    // The job had returned by the time the runner was gone.
    EXPECT_TRUE(*finishedJob);
    EXPECT_LT(*done, 100000);
}

} // namespace
