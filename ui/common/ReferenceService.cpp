#include "ui/common/ReferenceService.h"

#include "library/ReferenceIndex.h"

#include <QWidget>

#include <utility>

namespace VaskEdit {

ReferenceService::ReferenceService(QWidget* home) : QObject(home), home(home) {
    connect(&job, &BackgroundJob::finished, this, [this] {
        if (!again)
            emit changed();
    });
    connect(&job, &BackgroundJob::idle, this, [this] {
        if (std::exchange(again, false))
            Build();
    });
}

void ReferenceService::Build() {
    if (job.IsBusy()) {
        again = true;
        return;
    }
    job.Start(
        [](const auto& report, const auto& cancel) { return References().Build(report, cancel); });
}

void ReferenceService::AnnounceRename(const QString& oldName, const QString& newName) {
    emit renamed(oldName, newName);
    emit changed();
}

} // namespace VaskEdit
