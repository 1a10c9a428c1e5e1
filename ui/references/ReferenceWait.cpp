#include "ui/references/ReferenceWait.h"
#include "library/ReadWhole.h"
#include "library/ReferenceIndex.h"
#include "ui/common/ReferenceService.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogResult.h"
#include "ui/dialogs/Messages.h"
#include "ui/dialogs/UserWaitDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTableView>
#include <QTimer>

#include <memory>
#include <optional>

namespace VaskEdit {

namespace {
QString FileCount(const Jobs::JobProgress& progress) {
    const QLocale english(QLocale::English);
    return english.toString(static_cast<qulonglong>(progress.done)) + " of " +
           english.toString(static_cast<qulonglong>(progress.total)) +
           (progress.total == 1 ? " file" : " files");
}

bool Built(QWidget* parent, const std::optional<Jobs::Outcome>& outcome) {
    if (References().IsBuilt())
        return true;
    if (outcome && !outcome->succeeded)
        ShowMessage(parent, "Error", FailureText(outcome->failure));
    return false;
}
} // namespace

bool WaitForReferences(QWidget* parent, ReferenceService* service) {
    if (!service) {
        if (References().IsBuilt())
            return true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const Jobs::Outcome outcome = References().Build({}, {});
        QApplication::restoreOverrideCursor();
        return Built(parent, outcome);
    }
    BackgroundJob& job = service->Job();
    if (!job.IsBusy()) {
        if (References().IsBuilt())
            return true;
        service->Build();
    }
    UserWaitDialog dialog("Attention!", "Please Wait...", parent);
    dialog.SetJob("Index of \"Infos/\"");
    std::optional<Jobs::Outcome> outcome;
    QObject::connect(&job, &BackgroundJob::progressed, &dialog,
                     [&dialog](const Jobs::JobProgress& progress) {
                         dialog.SetProgress(progress.percent, FileCount(progress));
                     });
    QObject::connect(&job, &BackgroundJob::finished, &dialog,
                     [&dialog, &outcome](const Jobs::Outcome& ended) {
                         outcome = ended;
                         dialog.Finish();
                     });
    // The end may have been reported before this wait began: the job says so itself.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&dialog, &job] {
        if (!job.IsBusy())
            dialog.Finish();
    });
    poll.start(100);
    if (job.IsBusy() && dialog.exec() != DialogResult::OK)
        return false;
    return Built(parent, outcome);
}

QString NotReadWholeText() {
    return FromSystemString(
        NotReadWholeNotice(References().NotReadWhole(), "\"Tools\" > \"Check Infos\""));
}

} // namespace VaskEdit
