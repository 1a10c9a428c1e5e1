#include "ui/common/BackgroundJob.h"

namespace VaskEdit {

BackgroundJob::BackgroundJob(QObject* parent) : QObject(parent) {
    qRegisterMetaType<VaskEdit::Jobs::Outcome>();
    qRegisterMetaType<VaskEdit::Jobs::JobProgress>();
}

BackgroundJob::~BackgroundJob() {
    Wait();
}

bool BackgroundJob::Start(Work work) {
    if (busy)
        return false;
    busy = true;
    cancelRequested = false;
    thread = QThread::create([this, work = std::move(work)] {
        const Jobs::Outcome outcome =
            work([this](const Jobs::JobProgress& progress) { emit progressed(progress); },
                 [this] { return cancelRequested.load(); });
        emit finished(outcome);
    });
    // The thread object is released on the user-interface thread once it has ended;
    // busy stays set until then, so that no second job can start on the same state.
    connect(thread, &QThread::finished, this, [this] {
        thread->deleteLater();
        thread = nullptr;
        busy = false;
        emit idle();
    });
    thread->start();
    return true;
}

void BackgroundJob::Wait() {
    if (thread)
        thread->wait();
}

} // namespace VaskEdit
