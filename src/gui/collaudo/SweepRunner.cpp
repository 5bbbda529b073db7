#include "gui/collaudo/SweepRunner.h"

#include <QtConcurrent>

SweepRunner::SweepRunner(QObject* parent) : QObject(parent) {
    connect(&m_watcher, &QFutureWatcher<void>::finished, this, &SweepRunner::jobFinished);
}

SweepRunner::~SweepRunner() {
    cancel();
    wait();
}

bool SweepRunner::start(Job job) {
    if (isRunning())
        return false;
    m_cancelled = false;
    m_lastPercent = -1;
    m_watcher.setFuture(QtConcurrent::run([this, job = std::move(job)] {
        const Progress report = [this](int done, int total) {
            const int percent = total > 0 ? static_cast<int>(100LL * done / total) : 100;
            // Emitted from the pool thread: Qt queues it to the receivers on the GUI thread.
            if (m_lastPercent.exchange(percent) != percent)
                emit progress(done, total);
        };
        job(report, m_cancelled);
    }));
    return true;
}

void SweepRunner::cancel() {
    m_cancelled = true;
}

bool SweepRunner::isRunning() const {
    return m_watcher.isRunning();
}

void SweepRunner::wait() {
    m_watcher.waitForFinished();
}

void SweepRunner::jobFinished() {
    emit finished(m_cancelled.load());
}
