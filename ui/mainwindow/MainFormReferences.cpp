// The main window's ways into the index of where values are used: the info list's
// "Find Usages" and "Rename...", and the search of the texts the infos show.
#include "library/InfoManager.h"
#include "library/ReferenceIndex.h"
#include "library/SpokenSearch.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"
#include "ui/mainwindow/MainForm.h"
#include "ui/mainwindow/SpokenLinesWindow.h"
#include "ui/references/ReferenceWait.h"
#include "ui/references/RenameInfoDialog.h"
#include "ui/references/UsagesWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QTableView>

#include <memory>

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
    const QString typed = searchBox->text();
    const std::string text = ToSystemString(typed);
    // A character that Windows-1252 lacks stands in no table; it would be looked for as
    // the "?" it becomes.
    const bool tablesCanHold = FromSystemString(text) == typed;
    listedFilter = {ListedFilter::Kind::SpokenSearch, {}, tablesCanHold ? text : std::string()};
    if (StringIsValid(typed) && !tablesCanHold) {
        ListInfos(true);
        statusBar()->showMessage("No info shows \"" + typed +
                                     "\": the text tables cannot hold one of its characters.",
                                 20000);
        return;
    }
    if (!StringIsValid(typed) || !WaitForReferences(this, indexing)) {
        ListInfos(true);
        return;
    }
    progress->setValue(0);
    progress->show();
    // The worker copies the index's outlines and looks through the tables; the lines and
    // the list's rows come back whole.
    struct Found {
        std::vector<SpokenLine> lines;
        std::vector<VaskInfoCache> rows;
    };
    auto found = std::make_shared<Found>();
    RunJob(
        searchJob, "Search the spoken texts for \"" + typed + "\"", Counted::Files,
        [text, found](const auto& report, const auto& cancel) {
            const std::vector<InfoOutline> infos = References().Outlines();
            const Jobs::Outcome outcome =
                FindSpokenLines(infos, text, found->lines, report, cancel);
            std::size_t at = 0;
            for (const SpokenLine& line : found->lines) {
                if (!found->rows.empty() && found->rows.back().Name == Char48(line.info.c_str()))
                    continue;
                while (at < infos.size() && infos[at].name != line.info)
                    ++at; // the lines come in the order of the infos
                VaskInfoCache row;
                row.Name = Char48(line.info.c_str());
                if (at < infos.size()) {
                    row.Owner = Char48(infos[at].owner.c_str());
                    row.Quest = Char48(infos[at].quest.c_str());
                }
                found->rows.push_back(row);
            }
            return outcome;
        },
        [this, text, found](const Jobs::Outcome& outcome) {
            for (const VaskInfoCache& row : found->rows)
                InfoManager::InfoCurrentFilter.PushBack(row);
            ListInfos(true);
            if (!spokenLines)
                spokenLines = new SpokenLinesWindow(this);
            spokenLines->ShowLines(text, std::move(found->lines), found->rows.size(),
                                   outcome.cancelled);
            spokenLines->show();
            spokenLines->raise();
            // The texts of infos the reader could not take whole were not searched.
            const QString notReadWhole = NotReadWholeText();
            if (notReadWhole.isEmpty())
                return;
            if (InfoManager::InfoCurrentFilter.GetSize() == 0)
                ShowMessage(this, "InfoManager", "No info shows the text.\n" + notReadWhole);
            else
                statusBar()->showMessage(notReadWhole, 20000);
        });
}

} // namespace VaskEdit
