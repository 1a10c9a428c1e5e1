// The main window's ways into the index of where values are used: the info list's
// "Find Usages" and "Rename...", and the search of the texts the infos show.
#include "library/InfoManager.h"
#include "library/ReferenceIndex.h"
#include "library/SpokenSearch.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"
#include "ui/mainwindow/MainForm.h"
#include "ui/references/ReferenceWait.h"
#include "ui/references/RenameInfoDialog.h"
#include "ui/references/UsagesWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>

namespace VaskEdit {

void MainForm::BuildInfoListActions() {
    auto* findUsages = new QAction("Find Usages", infoList);
    findUsages->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F12));
    auto* rename = new QAction("Rename...", infoList);
    rename->setShortcut(QKeySequence(Qt::Key_F2));
    for (QAction* action : {findUsages, rename}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        infoList->addAction(action);
    }
    connect(findUsages, &QAction::triggered, this, &MainForm::FindUsagesOfSelection);
    connect(rename, &QAction::triggered, this, &MainForm::RenameSelection);
    infoList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(infoList, &QWidget::customContextMenuRequested, this,
            [this, findUsages, rename](const QPoint& at) {
                const QModelIndex index = infoList->indexAt(at);
                if (!index.isValid())
                    return;
                infoList->selectRow(index.row());
                QMenu menu;
                menu.addAction(findUsages);
                menu.addAction(rename);
                menu.exec(infoList->viewport()->mapToGlobal(at));
            });
}

void MainForm::FindUsagesOfSelection() {
    ShowUsages(this, ToSystemString(selectedName->text()), indexing);
}

void MainForm::RenameSelection() {
    RenameInteractively(this, selectedName->text(), indexing);
}

void MainForm::SearchSpokenText() {
    infoModel->SetRows({});
    InfoManager::ClearFilter();
    // As the file search: a blank text finds nothing.
    const QString text = searchBox->text();
    listedFilter = {ListedFilter::Kind::SpokenSearch, {}, ToSystemString(text)};
    if (!StringIsValid(text) || !WaitForReferences(this, indexing)) {
        ListInfos(true);
        return;
    }
    for (const InfoOutline& info : InfosShowing(References().Outlines(), ToSystemString(text))) {
        VaskInfoCache row;
        row.Name = Char48(info.name.c_str());
        row.Owner = Char48(info.owner.c_str());
        row.Quest = Char48(info.quest.c_str());
        InfoManager::InfoCurrentFilter.PushBack(row);
    }
    ListInfos(true);
    // The texts of infos the reader could not take whole were not searched.
    const QString notReadWhole = NotReadWholeText();
    if (notReadWhole.isEmpty())
        return;
    if (InfoManager::InfoCurrentFilter.GetSize() == 0)
        ShowMessage(this, "InfoManager", "No info shows the text.\n" + notReadWhole);
    else
        statusBar()->showMessage(notReadWhole, 20000);
}

} // namespace VaskEdit
