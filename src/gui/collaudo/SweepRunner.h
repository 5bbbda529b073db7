#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <atomic>
#include <functional>

// Runs one long job (the sweep) on a pool thread: the job reports progress and looks at a cancellation
// flag; the runner turns both into signals on the GUI thread. Destroying the runner cancels the job and
// waits for it, so a window can close (or the program end) at any moment.
class SweepRunner : public QObject {
    Q_OBJECT

public:
    using Progress = std::function<void(int done, int total)>;
    using Job = std::function<void(const Progress& progress, const std::atomic<bool>& cancelled)>;

    explicit SweepRunner(QObject* parent = nullptr);
    ~SweepRunner() override;

    // False when a job is already running.
    bool start(Job job);
    void cancel();
    // Since cancel(), until the next start(): progress already on its way is stale.
    bool cancelRequested() const { return m_cancelled.load(); }
    bool isRunning() const;
    // Blocks until the running job (if any) has returned.
    void wait();

signals:
    // Queued to the GUI thread; at most one per percent.
    void progress(int done, int total);
    // The job returned; `cancelled` when it was asked to stop.
    void finished(bool cancelled);

private:
    void jobFinished();

    QFutureWatcher<void> m_watcher;
    std::atomic<bool> m_cancelled{false};
    std::atomic<int> m_lastPercent{-1};
};
