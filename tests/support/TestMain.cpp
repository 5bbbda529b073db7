#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Window tests run without a display unless the caller chose a platform.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    if (::testing::GTEST_FLAG(list_tests))
        return result;
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    // A filter that chooses nothing (a suite renamed under CTest's feet, say) must not pass unseen.
    if (unit.test_to_run_count() == 0) {
        std::fprintf(stderr, "No test matches the filter.\n");
        return 1;
    }
    // When every test chosen skipped itself (no real history beside the project, say), CTest is told
    // so with 77 rather than told that something passed.
    if (result == 0 && unit.successful_test_count() == 0 && unit.skipped_test_count() > 0)
        return 77;
    return result;
}
