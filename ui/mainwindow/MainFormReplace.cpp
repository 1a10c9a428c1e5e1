// The main window's "Edit" menu: "Replace in Spoken Texts..." and "Undo Replace", which
// writes back what the replaces wrote, the last one first.
#include "library/ReplaceUndo.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/WorkspaceWriting.h"
#include "ui/mainwindow/MainForm.h"
#include "ui/mainwindow/ReplaceTextsDialog.h"
#include "ui/references/ReferenceWait.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace VaskEdit {

void MainForm::AddEditMenu() {
    QMenu* edit = menuBar()->addMenu("Edit");
    QAction* replace =
        edit->addAction("Replace in Spoken Texts...", this, [this] { ReplaceInSpokenTexts(); });
    replace->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    undoReplace = edit->addAction("Undo Replace", this, &MainForm::UndoReplace);
    undoReplace->setEnabled(false);
}

ReplaceTextsDialog* MainForm::ReplaceInSpokenTexts() {
    // The preview names the infos that show each line: the index must be built.
    if (!WaitForReferences(this, indexing))
        return nullptr;
    if (!replaceTexts) {
        replaceTexts = new ReplaceTextsDialog(this);
        connect(replaceTexts, &ReplaceTextsDialog::replaced, this,
                [this](const std::vector<TextChange>& written) {
                    replacesWritten.push_back(written);
                    undoReplace->setEnabled(true);
                });
    }
    replaceTexts->show();
    replaceTexts->raise();
    replaceTexts->activateWindow();
    return replaceTexts;
}

void MainForm::UndoReplace() {
    if (replacesWritten.empty())
        return;
    const HeldWorkspace held = LockWorkspace(this, "undo of the replace");
    if (!held)
        return;
    const TextImport undo = PlanReplaceUndo(replacesWritten.back());
    if (!undo.problems.empty()) {
        QStringList lines;
        for (const std::string& problem : undo.problems)
            lines << FromSystemString(problem);
        ShowMessage(this, "Undo Replace",
                    "Nothing was written back, so that no later change is lost:" +
                        FirstLines(lines));
        return;
    }
    Rollback putBack;
    if (!ApplyTextImport(undo, {}, nullptr, &putBack)) {
        ShowMessage(
            this, "Error",
            putBack.AllAsItWas()
                ? "Nothing written back; the tables are as they were.\n" + LastFailureText()
                : NotPutBackText("Nothing written back", TesselEngine::LastFailure(), putBack));
        return;
    }
    held->reset();
    replacesWritten.pop_back();
    undoReplace->setEnabled(!replacesWritten.empty());
    if (replaceTexts)
        replaceTexts->Outdate();
    ShowTableTextsInEditors();
    ShowMissedBackups();
    const std::size_t n = undo.changes.size();
    ShowMessage(this, "Undo Replace",
                QString::number(n) + (n == 1 ? " line" : " lines") + " written back.");
}

void MainForm::ForgetReplaces() {
    replacesWritten.clear();
    if (undoReplace)
        undoReplace->setEnabled(false);
    if (replaceTexts) {
        replaceTexts->Outdate();
        replaceTexts->close();
    }
}

} // namespace VaskEdit
