#pragma once

#include <QEventLoop>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <optional>
#include <utility>

// Runs work on a worker thread while this thread keeps painting the windows and moving progress bars;
// returns the work's result, or rethrows its exception here. Clicks and keys wait until the work is
// done, so that no handler runs in the middle of it.
template <typename Work> auto runInBackground(Work work) -> decltype(work()) {
    using Result = decltype(work());
    std::optional<Result> result;
    std::exception_ptr failure;
    QEventLoop loop;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([&] {
        try {
            result.emplace(work());
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    if (!watcher.isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    watcher.waitForFinished();
    if (failure)
        std::rethrow_exception(failure);
    return std::move(*result);
}
