// What the main window's buttons, menus and jobs do.
#include "library/CheckReport.h"
#include "library/InfoManager.h"
#include "library/MergeReview.h"
#include "library/ReferenceIndex.h"
#include "library/SpokenSearch.h"
#include "library/TemplateManager.h"
#include "tools/ExternalTools.h"
#include "tools/Settings.h"
#include "ui/common/ReferenceService.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"
#include "ui/dialogs/ProgramConfirmation.h"
#include "ui/dialogs/UserWaitDialog.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/InfoOpening.h"
#include "ui/infoeditor/WorkspaceWriting.h"
#include "ui/mainwindow/CheckReportWindow.h"
#include "ui/mainwindow/MainForm.h"
#include "ui/mainwindow/MergeReviewDialog.h"
#include "ui/mainwindow/ReplaceTextsDialog.h"
#include "ui/mainwindow/SettingsForm.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

namespace VaskEdit {

namespace {
template <typename Record>
std::vector<CacheTableModel::Row> InfoRows(const TesselEngine::TTL::Vector<Record>& list) {
    std::vector<CacheTableModel::Row> rows;
    rows.reserve(list.GetSize());
    for (const auto& r : list)
        rows.push_back({r.Name.Str(), r.Owner.Str(), r.Quest.Str()});
    return rows;
}

std::vector<CacheTableModel::Row>
TemplateRows(const TesselEngine::TTL::Vector<VaskTemplateCache>& list) {
    std::vector<CacheTableModel::Row> rows;
    rows.reserve(list.GetSize());
    for (const auto& r : list)
        rows.push_back({r.Name.Str(), r.GUID.Str(), r.File.Str()});
    return rows;
}

QString CountText(std::size_t n, const char* one, const char* many) {
    return QString::number(n) + " " + (n == 1 ? one : many);
}

// One name a line; the message dialog scrolls when they are many.
QString NameLines(const std::vector<std::string>& names, std::size_t limit = SIZE_MAX) {
    QString text;
    for (std::size_t i = 0; i < names.size() && i < limit; ++i)
        text += "\n" + FromSystemString(names[i]);
    if (names.size() > limit)
        text += "\n...";
    return text;
}

// "12,345 of 20,000 files", or for bytes "12.3 of 35.0 MB".
QString ProgressCount(const Jobs::JobProgress& progress, bool bytes) {
    const QLocale english(QLocale::English);
    if (bytes)
        return english.toString(static_cast<double>(progress.done) / 1e6, 'f', 1) + " of " +
               english.toString(static_cast<double>(progress.total) / 1e6, 'f', 1) + " MB";
    return english.toString(static_cast<qulonglong>(progress.done)) + " of " +
           english.toString(static_cast<qulonglong>(progress.total)) +
           (progress.total == 1 ? " file" : " files");
}

bool FolderUnreadable(const Jobs::Outcome& outcome) {
    return outcome.failure.cause == TesselEngine::Cause::UnreadableFolder;
}
// Whether the index shows the info among those whose lines hold the text, with its row.
bool ShowsSearchedText(const std::string& name, const std::string& text, VaskInfoCache& row) {
    const std::optional<InfoOutline> outline = References().Outline(name);
    if (!outline || text.empty() || !ShowsText(*outline, text))
        return false;
    row.Name = Char48(outline->name.c_str());
    row.Owner = Char48(outline->owner.c_str());
    row.Quest = Char48(outline->quest.c_str());
    return true;
}
} // namespace

void MainForm::ListInfos(bool filtered) {
    infoModel->SetRows(
        InfoRows(filtered ? InfoManager::InfoCurrentFilter : InfoManager::InfoFileCache));
}

void MainForm::ListTemplates(bool filtered) {
    templateModel->SetRows(TemplateRows(filtered ? TemplateManager::TemplateCurrentFilter
                                                 : TemplateManager::TemplateCache));
}

void MainForm::InfoRowSelected() {
    const QModelIndexList rows = infoList->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const auto& row = infoModel->RowAt(rows.first().row());
    selectedName->setText(FromSystemString(row[0]));
    selectedOwner->setText(FromSystemString(row[1]));
    selectedQuest->setText(FromSystemString(row[2]));
}

void MainForm::ShowInfoCount() {
    const QLocale english(QLocale::English);
    const auto listed = static_cast<qulonglong>(infoModel->rowCount());
    const auto cached = static_cast<qulonglong>(InfoManager::InfoFileCache.GetSize());
    QString text = english.toString(listed);
    if (listed < cached)
        text += " of " + english.toString(cached);
    infoCount->setText(text + (listed == 1 && cached <= 1 ? " info" : " infos"));
}

void MainForm::TemplateRowSelected() {
    const QModelIndexList rows = templateList->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const auto& row = templateModel->RowAt(rows.first().row());
    templateName->setText(FromSystemString(row[0]));
    templateGuid->setText(FromSystemString(row[1]));
    templateFile->setText(FromSystemString(row[2]));
}

void MainForm::ReadInfoCache() {
    InfoManager::InfoCurrentFilter.ClearContent();
    ReloadInfoCache();
    listedFilter = {};
    ListInfos(false);
}

void MainForm::ReloadInfoCache() {
    InfoManager::InfoFileCache.ClearContent();
    InfoManager::ReadInfoCache();
}

void MainForm::FollowSavedInfo(const std::string& name) {
    // Without "infocache" there is no list to follow; "Update Cache" makes one.
    if (!InfoManager::FollowInfoFile(name.c_str())) {
        if (TesselEngine::LastFailure().cause != TesselEngine::Cause::NotFound)
            statusBar()->showMessage(
                "\"infocache\" could not take the saved info.\n" + LastFailureText(), 20000);
        InfoManager::ReadInfoCache(); // the list shows what the cache file holds
    }
    ShowChangedInfos(name, name);
    indexing->AnnounceSaved(name);
}

void MainForm::ShowChangedInfos(const std::string& oldName, const std::string& newName) {
    const bool selected =
        !selectedName->text().isEmpty() && ToSystemString(selectedName->text()) == oldName;
    ApplyListedFilter(oldName, newName);
    if (!selected)
        return;
    const QModelIndexList rows = infoModel->match(infoModel->index(0, 0), Qt::DisplayRole,
                                                  FromSystemString(newName), 1, Qt::MatchExactly);
    if (!rows.isEmpty()) {
        infoList->selectRow(rows.first().row());
        infoList->scrollTo(rows.first());
    }
}

void MainForm::ApplyListedFilter(const std::string& oldName, const std::string& newName) {
    switch (listedFilter.kind) {
    case ListedFilter::Kind::None:
        ListInfos(false);
        return;
    case ListedFilter::Kind::Field:
        SelectInfosBy(listedFilter.type, listedFilter.text);
        ListInfos(true);
        return;
    case ListedFilter::Kind::FileSearch:
    case ListedFilter::Kind::SpokenSearch:
        break;
    }
    VaskInfoCache found;
    const bool shown =
        listedFilter.kind == ListedFilter::Kind::FileSearch
            ? InfoManager::InfoFileHolds(newName.c_str(), listedFilter.text.c_str(), found)
            : ShowsSearchedText(newName, listedFilter.text, found);
    // In its place when it was found before, else last, as a search lists it.
    const Char48 before(oldName.c_str());
    const Char48 after(newName.c_str());
    std::vector<VaskInfoCache> kept;
    bool placed = false;
    for (const VaskInfoCache& row : InfoManager::InfoCurrentFilter) {
        if (row.Name != before && row.Name != after) {
            kept.push_back(row);
        } else if (shown && !placed) {
            kept.push_back(found);
            placed = true;
        }
    }
    if (shown && !placed)
        kept.push_back(found);
    InfoManager::ClearFilter();
    for (const VaskInfoCache& row : kept)
        InfoManager::InfoCurrentFilter.PushBack(row);
    ListInfos(true);
}

void MainForm::SelectInfosBy(const QString& type, const std::string& text) {
    InfoManager::ClearFilter();
    if (type == "Name")
        InfoManager::FilterByName(text.c_str());
    else if (type == "Owner")
        InfoManager::FilterByOwner(text.c_str());
    else if (type == "Quest")
        InfoManager::FilterByQuest(text.c_str());
    else
        InfoManager::FilterAnyMatch(text.c_str());
}

void MainForm::UpdateInfoCache() {
    const HeldWorkspace held = LockWorkspace(this, "cache update");
    if (!held)
        return;
    progress->setValue(0);
    progress->show();
    infoModel->SetRows({});
    listedFilter = {};
    RunJob(
        updateCacheJob, "Update Cache", Counted::Files,
        [](const auto& report, const auto& cancel) { return Jobs::UpdateCache(report, cancel); },
        [this, held](const Jobs::Outcome& outcome) {
            held->reset();
            ShowMissedBackups();
            // The index of where values are used follows, in the background.
            if (!outcome.cancelled)
                BuildReferences();
            ListInfos(false);
            if (!outcome.succeeded)
                ShowMessage(this, "Error", FailureText(outcome.failure));
            ReportSkipped(outcome);
        });
}

void MainForm::FilterInfos() {
    const QString text = infoFilter->text();
    if (!StringIsValid(text)) {
        ShowMessage(this, "Caution!", "Invalid filter text!");
        return;
    }
    listedFilter = {ListedFilter::Kind::Field, infoFilterType->currentText(), ToSystemString(text)};
    ApplyListedFilter({}, {});
}

void MainForm::FilterAsTyped() {
    const QString text = infoFilter->text();
    if (!StringIsValid(text)) {
        InfoManager::InfoCurrentFilter.ClearContent();
        listedFilter = {};
        ListInfos(false);
        return;
    }
    listedFilter = {ListedFilter::Kind::Field, infoFilterType->currentText(), ToSystemString(text)};
    ApplyListedFilter({}, {});
}

void MainForm::ClearInfoFilter() {
    infoFilter->clear();
    infoFilterType->setCurrentIndex(0);
    InfoManager::InfoCurrentFilter.ClearContent();
    listedFilter = {};
    ListInfos(false);
}

void MainForm::FilterBySelectedOwner() {
    const QString text = selectedOwner->text();
    if (!StringIsValid(text)) {
        ShowMessage(this, "Caution!", "Invalid filter text!");
        return;
    }
    listedFilter = {ListedFilter::Kind::Field, "Owner", ToSystemString(text)};
    ApplyListedFilter({}, {});
}

void MainForm::FilterBySelectedQuest() {
    const QString text = selectedQuest->text();
    if (!StringIsValid(text)) {
        ShowMessage(this, "Caution!", "Invalid filter text!");
        return;
    }
    listedFilter = {ListedFilter::Kind::Field, "Quest", ToSystemString(text)};
    ApplyListedFilter({}, {});
}

void MainForm::OpenSelection() {
    InfoForm* form = VaskEdit::OpenInfoByName(this, selectedName->text());
    if (!form)
        return;
    // Previous Info and Next Info walk the list as it is filtered now.
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(infoModel->rowCount()));
    for (int row = 0; row < infoModel->rowCount(); ++row)
        names.push_back(infoModel->RowAt(row)[0]);
    form->SetWalk(InfoWalk(names, ToSystemString(selectedName->text())));
}

void MainForm::NewInfo() {
    OpenInfoEditor(0, InfoFormEditMode::New);
}

void MainForm::OpenWithNotepad() {
    const QString name = selectedName->text();
    if (!StringIsValid(name)) {
        ShowMessage(this, "Caution!", "Invalid info name!");
        return;
    }
    const std::string path = ToSystemString("Infos/" + name + ".vaskinfo");
    if (!Notepad::OpenFile(path.c_str()))
        ShowMessage(this, "Error", "The text editor could not be started.");
}

void MainForm::Search() {
    if (searchType->currentIndex() == 1) {
        SearchSpokenText();
        return;
    }
    infoModel->SetRows({});
    progress->setValue(0);
    progress->show();
    // The job searches for the whole text as it stands when the job starts.
    const std::string text = ToSystemString(searchBox->text());
    listedFilter = {ListedFilter::Kind::FileSearch, {}, text};
    RunJob(
        searchJob, "Search for \"" + searchBox->text() + "\"", Counted::Files,
        [text](const auto& report, const auto& cancel) {
            return Jobs::Search(text.c_str(), report, cancel);
        },
        [this](const Jobs::Outcome& outcome) {
            ListInfos(true);
            if (FolderUnreadable(outcome))
                ShowMessage(this, "Error", FailureText(outcome.failure));
            ReportSkipped(outcome);
        });
}

void MainForm::ReadTemplateCache() {
    TemplateManager::TemplateCache.ClearContent();
    TemplateManager::TemplateCurrentFilter.ClearContent();
    TemplateManager::ReadCache();
    ListTemplates(false);
}

void MainForm::FilterTemplates() {
    const QString text = templateFilter->text();
    if (!StringIsValid(text)) {
        ShowMessage(this, "Caution!", "Invalid filter text!");
        return;
    }
    const std::string bytes = ToSystemString(text);
    TemplateManager::ClearFilter();
    const QString type = templateFilterType->currentText();
    if (type == "Name")
        TemplateManager::FilterByName(bytes.c_str());
    else if (type == "GUID")
        TemplateManager::FilterByGUID(bytes.c_str());
    else
        TemplateManager::FilterAnyMatch(bytes.c_str());
    ListTemplates(true);
}

void MainForm::ClearTemplateFilter() {
    templateFilter->clear();
    templateFilterType->setCurrentIndex(0);
    TemplateManager::ClearFilter();
    ListTemplates(false);
}

void MainForm::OpenFile() {
    const QString chosen = QFileDialog::getOpenFileName(this, "Select File:");
    if (!StringIsValid(chosen)) {
        ShowMessage(this, "Caution!", "Invalid file!");
        return;
    }
    // The chooser's name goes to the library as the file system's own bytes.
    OpenFromPath(QFile::encodeName(chosen).toStdString());
}

void MainForm::OpenFromPath(std::string path) {
    OpenInfoFromPath(this, std::move(path));
}

void MainForm::OpenCommandLineArguments() {
    for (const auto& argument : arguments) {
        if (!StringIsValid(QFile::decodeName(QByteArray::fromStdString(argument)))) {
            ShowMessage(this, "Caution!", "Invalid file!");
            return; // the remaining arguments are not opened
        }
        OpenFromPath(argument);
    }
}

void MainForm::ShowSettings() {
    SettingsForm(this).exec();
}

void MainForm::ShowHelp() {
    ShowHelpPage(this, Main);
}

void MainForm::SplitHdrdoc() {
    if (splitJob.IsBusy())
        return;
    const HeldWorkspace held = LockWorkspace(this, "split");
    if (!held)
        return;
    progress->setValue(0);
    progress->show();
    // The document is loaded by the worker too: a large one would hold up the window.
    RunJob(
        splitJob, "Split \"w_info.hdrdoc\"", Counted::Bytes,
        [](const auto& report, const auto& cancel) {
            if (!Jobs::BeginSplit()) {
                Jobs::Outcome nothing;
                nothing.succeeded = false;
                nothing.noDocument = true;
                nothing.failure = TesselEngine::LastFailure(); // this thread's
                return nothing;
            }
            return Jobs::Split(report, cancel);
        },
        [this, held](const Jobs::Outcome& outcome) {
            held->reset();
            ShowMissedBackups();
            if (outcome.noDocument) {
                ShowMessage(this, "InfoManager",
                            "Failed to load infostream.\n" + FailureText(outcome.failure));
                return;
            }
            if (FolderUnreadable(outcome)) {
                ShowMessage(this, "Error", FailureText(outcome.failure));
                return;
            }
            // What the split did, in one message.
            QString text = outcome.cancelled ? "The split was cancelled.\n" : QString();
            text += CountText(outcome.found, "info", "infos") + " found in \"w_info.hdrdoc\".\n";
            text += CountText(outcome.written, "info", "infos") + " written to \"Infos/\".";
            if (outcome.existing)
                text += "\n" + CountText(outcome.existing, "info", "infos") +
                        " skipped: the file exists already.";
            if (outcome.failed)
                text += "\n" + CountText(outcome.failed, "info", "infos") +
                        " could not be written to \"Infos/\" and were skipped.\n" +
                        FailureText(outcome.failure);
            if (!outcome.duplicates.empty())
                text += "\n" + CountText(outcome.duplicates.size(), "info has", "infos have") +
                        " the name of an earlier info in \"w_info.hdrdoc\" and got no file:" +
                        NameLines(outcome.duplicates);
            if (!outcome.refused.empty())
                text += "\n" + CountText(outcome.refused.size(), "info", "infos") +
                        " could not be cut out and got no file:" + NameLines(outcome.refused, 10);
            if (!outcome.notes.empty())
                text += "\n\nWarning:" + NameLines(outcome.notes, 10);
            const bool failed =
                outcome.failed || !outcome.duplicates.empty() || !outcome.refused.empty();
            ShowMessage(this, failed ? "Error" : "InfoManager", text);
        });
}

void MainForm::MergeInfos() {
    const HeldWorkspace held = LockWorkspace(this, "merge");
    if (!held)
        return;
    if (!MergeReviewDialog::Enabled()) {
        StartMerge(held);
        return;
    }
    // What the merge will change is shown first; nothing is written before "Merge".
    auto review = std::make_shared<MergeReview>();
    RunJob(
        mergeJob, "Compare \"Infos/\" with \"w_info.hdrdoc\"", Counted::Files,
        [review](const auto&, const auto& cancel) {
            *review = ReviewMerge(cancel);
            Jobs::Outcome outcome;
            outcome.cancelled = cancel && cancel();
            return outcome;
        },
        [this, held, review](const Jobs::Outcome& outcome) {
            if (outcome.cancelled) {
                held->reset();
                return;
            }
            // Once the wait is over: the review is a dialog of its own.
            QTimer::singleShot(0, this, [this, held, review] {
                if (review->compared) {
                    MergeReviewDialog dialog(*review, this);
                    if (dialog.exec() != QDialog::Accepted) {
                        held->reset();
                        return;
                    }
                }
                StartMerge(held, review);
            });
        });
}

void MainForm::StartMerge(const HeldWorkspace& held, std::shared_ptr<MergeReview> review) {
    progress->setValue(0);
    progress->show();
    // What the written document holds against the game's, for the message: the review
    // shown before (the workspace stayed locked since), else one made after the merge.
    if (!review || !review->compared)
        review = std::make_shared<MergeReview>();
    const bool reviewed = review->compared;
    RunJob(
        mergeJob, "Merge \"Infos/\" into \"Output/new_info.hdrdoc\"", Counted::Files,
        [review, reviewed](const auto& report, const auto& cancel) {
            Jobs::Outcome outcome = Jobs::Merge(report, cancel);
            if (!reviewed && outcome.succeeded && !outcome.cancelled)
                *review = ReviewMerge();
            return outcome;
        },
        [this, held, review](const Jobs::Outcome& outcome) {
            held->reset();
            ShowMissedBackups();
            if (outcome.cancelled)
                return;
            if (outcome.succeeded) {
                QString text = "Successfully created file \n\"Output/new_info.hdrdoc\".\n" +
                               CountText(outcome.written, "info file", "info files") + " merged.";
                if (review->compared)
                    text += "\n" + FromSystemString(MergeCountsLine(*review));
                // The game takes the merged document for all its infos; a renamed info is
                // there under its new name.
                const std::vector<std::string>& missing =
                    review->compared ? review->LeftOut() : outcome.notMerged;
                if (!missing.empty())
                    text += "\n\nWarning: " + CountText(missing.size(), "info", "infos") +
                            " of \"w_info.hdrdoc\" " + (missing.size() == 1 ? "has" : "have") +
                            " no file in \"Infos/\" and " + (missing.size() == 1 ? "is" : "are") +
                            " missing from the merged document; the game will not have " +
                            (missing.size() == 1 ? "it" : "them") + ":" + NameLines(missing, 10);
                if (!outcome.lineEndsAdded.empty())
                    text += "\n\n" +
                            CountText(outcome.lineEndsAdded.size(), "info file", "info files") +
                            " had no final line end; the merged document gives " +
                            (outcome.lineEndsAdded.size() == 1 ? "it" : "them") +
                            " one:" + NameLines(outcome.lineEndsAdded, 10);
                if (!outcome.notSplittable.empty())
                    text += "\n\n" +
                            CountText(outcome.notSplittable.size(), "info file", "info files") +
                            " would not come back as they are from a split of the merged "
                            "document (run Check):" +
                            NameLines(outcome.notSplittable, 10);
                ShowMessage(this, missing.empty() ? "InfoManager" : "Caution!", text);
            } else {
                QString text = FailureText(outcome.failure);
                if (!outcome.skipped.empty())
                    text += "\n" + CountText(outcome.skipped.size(), "info file", "info files") +
                            " could not be read:" + NameLines(outcome.skipped);
                ShowMessage(this, "Error", text);
            }
        });
}

void MainForm::CheckInfos() {
    if (checkJob.IsBusy())
        return;
    progress->setValue(0);
    progress->show();
    auto findings = std::make_shared<std::vector<Finding>>();
    RunJob(
        checkJob, "Check Infos", Counted::Files,
        [findings](const auto& report, const auto& cancel) {
            Jobs::Outcome outcome;
            *findings = CheckInfoDirectory(report, cancel, &outcome.cancelled, &outcome.failure);
            outcome.succeeded = !outcome.failure.IsSet();
            return outcome;
        },
        [this, findings](const Jobs::Outcome& outcome) {
            if (!outcome.succeeded) {
                ShowMessage(this, "Error", FailureText(outcome.failure));
                return;
            }
            auto* window = new CheckReportWindow(*findings, outcome.cancelled, this);
            window->show();
        });
}

void MainForm::ReportSkipped(const Jobs::Outcome& outcome) {
    if (!outcome.skipped.empty())
        ShowMessage(this, "InfoManager",
                    CountText(outcome.skipped.size(), "file", "files") + " could not be read and " +
                        (outcome.skipped.size() == 1 ? "was" : "were") +
                        " skipped:" + NameLines(outcome.skipped));
}

bool MainForm::JobRunning() const {
    return updateCacheJob.IsBusy() || searchJob.IsBusy() || splitJob.IsBusy() ||
           mergeJob.IsBusy() || checkJob.IsBusy() || indexing->Job().IsBusy() || textsJob.IsBusy();
}

void MainForm::WaitForJobs() {
    for (BackgroundJob* job : {&updateCacheJob, &searchJob, &splitJob, &mergeJob, &checkJob,
                               &indexing->Job(), &textsJob}) {
        job->RequestCancel();
        job->Wait();
    }
    if (replaceTexts)
        replaceTexts->WaitForPreview();
}

void MainForm::BuildReferences() {
    indexing->Build();
}

void MainForm::SetLibraryActionsEnabled(bool enabled) {
    // Every window that can reach the library (this one and the info editors).
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == this || window->inherits("VaskEdit::InfoForm"))
            window->setEnabled(enabled);
    }
}

void MainForm::RunJob(BackgroundJob& job, const QString& name, Counted counted,
                      BackgroundJob::Work work, std::function<void(const Jobs::Outcome&)> done) {
    if (job.IsBusy())
        return;
    QPointer<UserWaitDialog> dialog = new UserWaitDialog("Attention!", "Please Wait...", this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->SetJob(name);
    // At most one report a percent: the bars repaint through the event loop.
    auto progressed =
        connect(&job, &BackgroundJob::progressed, this,
                [this, dialog, counted](const Jobs::JobProgress& report) {
                    progress->setValue(report.percent);
                    if (dialog)
                        dialog->SetProgress(report.percent,
                                            ProgressCount(report, counted == Counted::Bytes));
                });
    // The finished signal comes once the worker has done its last step; only then do
    // the windows take library work again.
    auto finished = std::make_shared<QMetaObject::Connection>();
    *finished = connect(&job, &BackgroundJob::finished, this,
                        [this, dialog, done, finished, progressed](const Jobs::Outcome& outcome) {
                            disconnect(*finished);
                            disconnect(progressed);
                            progress->hide();
                            if (dialog)
                                dialog->Finish();
                            SetLibraryActionsEnabled(true);
                            done(outcome);
                        });
    // The flag is read after the worker's next step, whatever the percentage.
    connect(dialog, &UserWaitDialog::cancelled, this, [this, &job] {
        job.RequestCancel();
        // The worker finishes its current step first: until then nothing may start.
        SetLibraryActionsEnabled(false);
    });
    job.Start(std::move(work));
    dialog->exec();
}

void MainForm::FitProgressBar(int menuBarWidth) {
    const QList<QAction*> menus = menuBar()->actions();
    const int used = menus.isEmpty() ? 0 : menuBar()->actionGeometry(menus.last()).right();
    progress->setFixedSize(std::clamp(menuBarWidth - used - 16, 60, 762), 23);
}

} // namespace VaskEdit
