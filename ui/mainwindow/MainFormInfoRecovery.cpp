// The question at the start (and on opening another workspace) when info editors of
// this workspace left unsaved work behind: restore it in editor windows, discard it, or
// keep it for later.
#include "library/RecoveryFiles.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogResult.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/InfoOpening.h"
#include "ui/mainwindow/MainForm.h"

#include <QDateTime>

#include <algorithm>

namespace VaskEdit {

namespace {
QString Described(const RecoveryEntry& entry) {
    if (!entry.readable)
        return "Unreadable: " + FromSystemString(entry.path) + " (" +
               FromSystemString(entry.problem) + ")";
    const QString name =
        entry.infoName.empty() ? QString("(no name)") : FromSystemString(entry.infoName);
    const QString time =
        QDateTime::fromSecsSinceEpoch(entry.savedAt).toString("yyyy-MM-dd HH:mm:ss");
    return name + ", " + time + ": " + FromSystemString(entry.changes);
}

QString Listed(const std::vector<RecoveryEntry>& entries) {
    QStringList lines;
    for (const RecoveryEntry& entry : entries)
        lines << Described(entry);
    return FirstLines(lines);
}
} // namespace

void MainForm::OfferInfoRecovery() {
    std::vector<RecoveryEntry> found;
    // A file whose program still runs belongs to an editor that is open now.
    for (RecoveryEntry& entry : ListRecoveryFiles(RecoveryFolder(CurrentWorkspacePath()))) {
        if (!entry.readable || !entry.ownerRunning)
            found.push_back(std::move(entry));
    }
    if (found.empty())
        return;
    const bool unreadable =
        std::any_of(found.begin(), found.end(), [](const auto& e) { return !e.readable; });
    QString text = "Info editors left unsaved changes:" + Listed(found);
    if (unreadable)
        text += "\nUnreadable files are kept: remove them by hand when they are not wanted.";
    const int answer = Ask(this, "Caution", text, "Restore", "Discard", "Later");
    if (answer != DialogResult::Yes && answer != DialogResult::No)
        return;
    QStringList failed;
    for (const RecoveryEntry& entry : found) {
        if (!entry.readable)
            continue;
        if (answer == DialogResult::No) {
            if (!RemoveRecoveryFile(entry.path))
                failed << FromSystemString(entry.path) + ": " + LastFailureText();
            continue;
        }
        const std::optional<RecoveryRecord> record = ReadRecoveryFile(entry.path);
        if (!record) {
            failed << FromSystemString(entry.path) + ": it could not be read";
            continue;
        }
        ShowNewInfoEditor()->RestoreRecovered(*record, entry.path);
    }
    if (!failed.isEmpty())
        ShowMessage(this, "Error",
                    QString(answer == DialogResult::No ? "Not removed, kept for later:"
                                                       : "Not restored, kept for later:") +
                        "\n" + failed.join('\n'));
}

} // namespace VaskEdit
