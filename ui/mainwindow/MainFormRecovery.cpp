// The question at the start (and on opening another workspace) when a rename or text
// import did not finish: its journal gives every file its bytes from before again.
#include "library/Journal.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogResult.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/WorkspaceWriting.h"
#include "ui/mainwindow/MainForm.h"

namespace VaskEdit {

namespace {
QString Listed(const std::vector<std::string>& lines) {
    QStringList shown;
    for (const std::string& line : lines)
        shown << FromSystemString(line);
    return FirstLines(shown);
}
} // namespace

void MainForm::OfferRecovery() {
    if (!JournalExists())
        return;
    const int answer =
        Ask(this, "Caution",
            "A rename or text import did not finish: files of this workspace may be half "
            "changed.\nRestore them as they were before it?",
            "Restore", "Later");
    if (answer != DialogResult::Yes)
        return;
    // A writer that still runs holds the lock, and its journal is not to be touched.
    const HeldWorkspace held = LockWorkspace(this, "recover");
    if (!held)
        return;
    const std::optional<Rollback> rollback = RecoverUnfinished();
    if (!rollback)
        return;
    const std::vector<std::string> lines = RollbackLines(*rollback);
    if (rollback->AllAsItWas()) {
        ShowMessage(this, "Restore", FromSystemString(RecoveredSummary(*rollback)) + Listed(lines));
        return;
    }
    ShowMessage(this, "Error",
                "Not every file could be restored:" + Listed(lines) + "\n" +
                    FromSystemString(JournalKeptNote(*rollback)));
}

} // namespace VaskEdit
