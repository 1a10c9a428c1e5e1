// Changes made to the info's file outside the window: by another program, or by another
// window that saved the same info. A save over the file and the window gaining focus
// look first, say so, and offer to reload the file or to replace it (the outside version
// is kept under Backup/ as every replaced file is).
#include "info/InfoFileName.h"
#include "info/SaveTarget.h"
#include "library/InfoManager.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogResult.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"

#include <QApplication>
#include <QEvent>
#include <QMetaObject>

namespace VaskEdit {

using TesselEngine::CheckOnDisk;
using TesselEngine::DiskChange;
using TesselEngine::FileFingerprint;

void InfoForm::WatchFile(const std::string& path, const FileFingerprint& print) {
    watchedPath = path;
    readVersion = print;
    outsideAnswered = false;
    overwriteAccepted = false;
}

bool InfoForm::SavesWatchedFile() const {
    if (!readVersion.taken || watchedPath.empty())
        return false;
    // A file deleted meanwhile is still the one a save under the same name writes anew.
    const std::string target = InfoFilePath(Char48(infoData.Name.c_str())).Str();
    return watchedPath == target || SavesOver(watchedPath, infoData.Name);
}

InfoForm::OutsideAnswer InfoForm::AskAboutOutsideChange(bool offerSave, bool askAgain) {
    if (!readVersion.taken || askingOutside)
        return OutsideAnswer::Unchanged;
    FileFingerprint now;
    const DiskChange change = CheckOnDisk(readVersion, watchedPath, &now);
    if (change == DiskChange::Unchanged)
        return OutsideAnswer::Unchanged;
    const bool sameVersion = outsideAnswered && answeredVersion.SameBytes(now);
    if (sameVersion && overwriteAccepted && offerSave)
        return OutsideAnswer::SaveAnyway;
    if (sameVersion && !askAgain)
        return OutsideAnswer::Cancel;

    const QString file = "\"" + FromSystemString(watchedPath) + "\"";
    OutsideAnswer chosen = OutsideAnswer::Cancel;
    askingOutside = true;
    if (change == DiskChange::Deleted) {
        const QString text = file + " was deleted since this window read it." +
                             (offerSave ? "\nSave anyway writes it anew." : QString());
        if (!offerSave)
            ShowMessage(this, "Changed on disk", text);
        else if (Ask(this, "Changed on disk", text, "Save anyway", "Cancel") == DialogResult::Yes)
            chosen = OutsideAnswer::SaveAnyway;
    } else {
        const QString text =
            file + " was changed on disk since this window read it.\n" +
            "Reload reads it again and loses this window's changes" +
            (offerSave ? QString(";\nSave anyway replaces it, keeping the other version under "
                                 "\"Backup/\".")
                       : QString("."));
        const int answer =
            offerSave ? Ask(this, "Changed on disk", text, "Reload", "Save anyway", "Cancel")
                      : Ask(this, "Changed on disk", text, "Reload", "Cancel");
        if (answer == DialogResult::Yes)
            chosen = OutsideAnswer::Reload;
        else if (offerSave && answer == DialogResult::No)
            chosen = OutsideAnswer::SaveAnyway;
    }
    askingOutside = false;
    outsideAnswered = true;
    answeredVersion = now;
    overwriteAccepted = chosen == OutsideAnswer::SaveAnyway;
    return chosen;
}

bool InfoForm::MayReplaceWatchedFile(bool* replaceChosen) {
    if (!SavesWatchedFile())
        return true;
    switch (AskAboutOutsideChange(true, true)) {
    case OutsideAnswer::Unchanged:
        return true;
    case OutsideAnswer::SaveAnyway:
        *replaceChosen = true;
        return true;
    case OutsideAnswer::Reload:
        ReloadFromDisk();
        return false;
    case OutsideAnswer::Cancel:
        break;
    }
    return false;
}

bool InfoForm::ReloadFromDisk() {
    if (HasUnsavedChanges() &&
        Ask(this, "Caution", "Reloading loses this window's changes. Reload?") != DialogResult::Yes)
        return false;
    const std::string path = watchedPath;
    const std::uint32_t index = InfoManager::PrepareInfo();
    if (!InfoManager::InfoFiles[index].LoadFromAbsolutePath(path.c_str())) {
        ShowMessage(this, "InfoManager",
                    "Error: File \n<" + FromSystemString(path) + ">\n not found!\n" +
                        LastFailureText());
        return false;
    }
    RemoveRecovery(); // the window's work is discarded
    const InfoFormEditMode mode = editMode;
    InfoEditor_OnOpen(index, mode);
    SetSourceFile(path);
    return true;
}

void InfoForm::CheckOutsideChange() {
    // One question at a time, and none over another dialog of the program.
    if (askingOutside || QApplication::activeModalWidget())
        return;
    switch (AskAboutOutsideChange(Editable(), false)) {
    case OutsideAnswer::Reload:
        ReloadFromDisk();
        break;
    case OutsideAnswer::SaveAnyway:
        Save();
        break;
    default:
        break;
    }
}

bool InfoForm::event(QEvent* event) {
    // Asked once the activation is through, not inside it.
    if (event->type() == QEvent::WindowActivate && readVersion.taken)
        QMetaObject::invokeMethod(this, &InfoForm::CheckOutsideChange, Qt::QueuedConnection);
    return QMainWindow::event(event);
}

} // namespace VaskEdit
