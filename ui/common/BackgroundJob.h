// Runs one of the library's long operations on a worker thread. Progress reaches the
// user-interface thread as signals, one for each whole percentage; cancellation is a
// flag the job checks after every step. A job that was cancelled still finishes its
// current step before it ends.
#pragma once

#include "library/Jobs.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>

namespace VaskEdit {

class BackgroundJob : public QObject {
    Q_OBJECT

public:
    using Work = std::function<Jobs::Outcome(const Jobs::ProgressFn&, const Jobs::CancelFn&)>;

    explicit BackgroundJob(QObject* parent = nullptr);
    ~BackgroundJob() override;

    // Starts the work unless this job is running already; false then.
    bool Start(Work work);
    bool IsBusy() const { return busy; }
    void RequestCancel() { cancelRequested = true; }
    bool CancelRequested() const { return cancelRequested; }
    // Blocks until the worker has ended (used at shutdown and by tests).
    void Wait();

signals:
    // At most once for each whole percentage of a job.
    void progressed(VaskEdit::Jobs::JobProgress progress);
    void finished(VaskEdit::Jobs::Outcome outcome);
    // The worker has ended and the job can start again.
    void idle();

private:
    QThread* thread = nullptr;
    std::atomic<bool> cancelRequested{false};
    bool busy = false;
};

} // namespace VaskEdit

Q_DECLARE_METATYPE(VaskEdit::Jobs::Outcome)
Q_DECLARE_METATYPE(VaskEdit::Jobs::JobProgress)
