// The main window's workspace: "Open Workspace...", "Recent Workspaces" and the switch to
// another folder.
#include "library/WorkspaceState.h"
#include "ui/common/ReferenceService.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/mainwindow/MainForm.h"
#include "ui/mainwindow/Workspaces.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>

namespace VaskEdit {

void MainForm::AddWorkspaceMenus(QMenu* file) {
    file->addAction("Open Workspace...", this, &MainForm::ChooseWorkspace);
    QMenu* recent = file->addMenu("Recent Workspaces");
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { FillRecentWorkspaces(recent); });
}

void MainForm::FillRecentWorkspaces(QMenu* recent) {
    recent->clear();
    for (const QString& folder : RecentWorkspaces()) {
        recent->addAction(QDir::toNativeSeparators(folder), this,
                          [this, folder] { SwitchWorkspace(folder); });
    }
    if (recent->isEmpty())
        recent->addAction("(none)")->setEnabled(false);
}

void MainForm::ChooseWorkspace() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, "Open Workspace", QDir::currentPath());
    if (!folder.isEmpty())
        SwitchWorkspace(folder);
}

bool MainForm::CloseOtherWindows(const QString& occasion) {
    std::vector<QPointer<QWidget>> others;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == this || !window->isVisible())
            continue;
        if (auto* editor = qobject_cast<InfoForm*>(window)) {
            if (!editor->CloseAskingToSave(occasion))
                return false;
        } else {
            others.emplace_back(window);
        }
    }
    for (const QPointer<QWidget>& window : others) {
        if (window)
            window->close();
    }
    return true;
}

void MainForm::closeEvent(QCloseEvent* event) {
    // The program ends with this window: the editors' unsaved work is asked about first,
    // and no other window is left running without it.
    if (!CloseOtherWindows("VaskEdit is closing")) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool MainForm::SwitchWorkspace(const QString& folder) {
    if (!QFileInfo(folder).isDir()) {
        ShowMessage(this, "Error", "The folder \n<" + folder + ">\n does not exist.");
        return false;
    }
    // The modal wait dialog keeps the user from this while a job runs; the reference
    // index's build in the background is cancelled below.
    if (updateCacheJob.IsBusy() || searchJob.IsBusy() || splitJob.IsBusy() || mergeJob.IsBusy() ||
        checkJob.IsBusy())
        return false;
    // The editors hold infos of the old folder; each asks about its unsaved changes. What
    // else is open shows the old folder's infos too (usages, check reports, graphs).
    if (!CloseOtherWindows("the workspace changes to <" + QDir::toNativeSeparators(folder) + ">"))
        return false;
    WaitForJobs();
    if (!QDir::setCurrent(folder)) {
        ShowMessage(this, "Error", "The folder \n<" + folder + ">\n cannot be opened.");
        BuildReferences(); // the one cancelled above
        return false;
    }
    ForgetWorkspace();
    // A workspace without "Settings.ini" works with the defaults; only one that cannot
    // be read is worth a message.
    ReadSettingsFile(true);
    OfferRecovery();
    OfferInfoRecovery();
    RememberWorkspace(QDir::currentPath());
    workspaceLabel->setText(CurrentWorkspace());
    indexing->AnnounceChange();
    BuildReferences();
    return true;
}

void MainForm::ForgetWorkspace() {
    ResetWorkspaceState();

    listedFilter = {};
    ListInfos(false);
    ListTemplates(false);
    for (QLineEdit* box : {infoFilter, selectedName, selectedOwner, selectedQuest, searchBox,
                           templateFilter, templateName, templateGuid, templateFile})
        box->clear();
    infoFilterType->setCurrentIndex(0);
    templateFilterType->setCurrentIndex(0);
    ForgetReplaces();
}

} // namespace VaskEdit
