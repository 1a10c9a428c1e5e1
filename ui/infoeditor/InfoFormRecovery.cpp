// The info editor's copy of its unsaved work, outside the workspace: written two
// seconds after the last change and at most every ten seconds, so that a killed program
// loses little; removed when the work is saved or discarded. A window can also start
// from such a copy.
#include "engine/platform/Platform.h"
#include "library/TemplateManager.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"

#include <QDateTime>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <filesystem>

namespace VaskEdit {

namespace {
constexpr qint64 AfterLastChange = 2000; // ms
constexpr qint64 LeastInterval = 10000;  // ms between two writes

const char* ModeName(InfoFormEditMode mode) {
    switch (mode) {
    case InfoFormEditMode::New:
        return "New";
    case InfoFormEditMode::Copy:
        return "Copy";
    case InfoFormEditMode::Edit:
        return "Edit";
    case InfoFormEditMode::View:
        break;
    }
    return "View";
}

InfoFormEditMode ModeOf(const std::string& name) {
    if (name == "Edit")
        return InfoFormEditMode::Edit;
    if (name == "Copy")
        return InfoFormEditMode::Copy;
    return InfoFormEditMode::New; // an editable mode: the work is unsaved
}
} // namespace

void InfoForm::ScheduleRecoveryWrite() {
    if (!HasUnsavedChanges()) {
        // Back to what is saved (undone, or a fresh start): nothing to recover.
        RemoveRecovery();
        return;
    }
    if (!Editable() || recoveryFolder.empty())
        return;
    if (!firstUnwrittenChange.isValid())
        firstUnwrittenChange.start();
    const qint64 sinceWrite =
        lastRecoveryWrite.isValid() ? lastRecoveryWrite.elapsed() : LeastInterval;
    // Two seconds of quiet, but never sooner than ten seconds after the last write; and
    // steady typing does not put the write off for more than ten seconds.
    const qint64 quiet = std::max(AfterLastChange, LeastInterval - sinceWrite);
    const qint64 latest =
        std::max(LeastInterval - firstUnwrittenChange.elapsed(), LeastInterval - sinceWrite);
    recoveryTimer->start(static_cast<int>(std::max<qint64>(0, std::min(quiet, latest))));
}

bool InfoForm::WriteRecovery() {
    if (!Editable() || !HasUnsavedChanges() || recoveryFolder.empty())
        return false;
    RecoveryRecord record;
    record.copy = infoData;
    record.mode = ModeName(editMode);
    record.loadedName = loadedName;
    record.sourcePath = sourcePath;
    if (watchedPath == sourcePath)
        record.sourceRead = readVersion;
    record.savedAt = QDateTime::currentSecsSinceEpoch();
    record.process = TesselEngine::Platform::ProcessId();
    if (recoveryFile.empty())
        recoveryFile = NewRecoveryFilePath(recoveryFolder);
    if (!WriteRecoveryFile(recoveryFile, record)) {
        // Said where it does not interrupt the typing; the next change tries again.
        statusBar()->showMessage("Unsaved changes could not be kept for recovery: " +
                                 LastFailureText());
        recoveryWarned = true;
        return false;
    }
    if (recoveryWarned)
        statusBar()->clearMessage();
    recoveryWarned = false;
    lastRecoveryWrite.start();
    firstUnwrittenChange.invalidate();
    return true;
}

void InfoForm::RemoveRecovery() {
    recoveryTimer->stop();
    firstUnwrittenChange.invalidate();
    // With the copy gone the next change is kept as soon as it is quiet again.
    if (!recoveryFile.empty() && RemoveRecoveryFile(recoveryFile)) {
        recoveryFile.clear();
        lastRecoveryWrite.invalidate();
    }
}

void InfoForm::RestoreRecovered(const RecoveryRecord& record, const std::string& file) {
    SetInfoEditMode(ModeOf(record.mode));
    if (TemplateManager::TemplateCache.GetSize() == 0)
        TemplateManager::ReadCache();
    infoData = record.copy;
    loadedName = record.loadedName;
    LoadFields();
    RebuildAll();
    ResetHistory();
    // The copy as it was kept, not as the boxes would give it back.
    infoData = record.copy;
    // The work was begun on the file as it was read then: a change made to it since is
    // seen as one.
    if (record.sourceRead.taken && !record.sourcePath.empty())
        WatchFile(record.sourcePath, record.sourceRead);
    std::error_code missing;
    if (!record.sourcePath.empty() && std::filesystem::exists(record.sourcePath, missing))
        SetSourceFile(record.sourcePath);
    else
        sourcePath = record.sourcePath;
    // Unsaved until saved, even when every change is undone.
    undoStack->resetClean();
    UpdateTitle();
    // The work moves to a file of this window's own; the old one goes only once the
    // new one is written.
    recoveryFile.clear();
    if (WriteRecovery())
        RemoveRecoveryFile(file);
    else
        recoveryFile = file;
}

} // namespace VaskEdit
