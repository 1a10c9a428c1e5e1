// The program's main window "VaskEdit": the info and template tabs, the menus, and the
// four long operations (cache update, search, split, merge) as background jobs behind
// the modal wait dialog.
#pragma once

#include "library/TextExchange.h"
#include "ui/common/BackgroundJob.h"
#include "ui/common/CacheTableModel.h"
#include "ui/infoeditor/WorkspaceWriting.h"

#include <QMainWindow>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;

namespace VaskEdit {
class ConversationsView;
struct MergeReview;
class ScriptWindow;
class ReferenceService;
class ReplaceTextsDialog;
class SpokenLinesWindow;

class MainForm : public QMainWindow {
    Q_OBJECT

public:
    // arguments: the info files to open when the window is first shown (8-bit paths as
    // the system gave them).
    explicit MainForm(std::vector<std::string> arguments = {}, QWidget* parent = nullptr);
    ~MainForm() override;

    // The info tab's actions.
    void ReadInfoCache();
    void UpdateInfoCache();
    void FilterInfos();
    // The filter as typed so far: a blank box lists the whole cache, without a message.
    void FilterAsTyped();
    void ClearInfoFilter();
    void FilterBySelectedOwner();
    void FilterBySelectedQuest();
    void OpenSelection();
    void NewInfo();
    void OpenWithNotepad();
    void Search();
    // The index of where values are used: the uses of the selected info's name, renaming
    // it, and the search of the texts that the infos show ("Spoken text").
    void FindUsagesOfSelection();
    void RenameSelection();
    void SearchSpokenText();
    // After an editor wrote the info: its row of "infocache" follows the file, and the
    // list shows it.
    void FollowSavedInfo(const std::string& name);
    // Lists the cache as InfoManager holds it after infos changed, with the filter in
    // force applied again; a selected info stays selected (under newName after a rename).
    void ShowChangedInfos(const std::string& oldName, const std::string& newName);
    // The template tab's actions.
    void ReadTemplateCache();
    void FilterTemplates();
    void ClearTemplateFilter();
    // The menus.
    void OpenFile();
    void OpenFromPath(std::string path);
    void ShowSettings();
    void SplitHdrdoc();
    void MergeInfos();
    // Runs the check report and shows its findings in a window of their own.
    void CheckInfos();
    void ShowHelp();
    // The texts the infos show, out to a CSV file for translators and back in: the
    // import shows what it would change and writes only after OK.
    void ExportTexts();
    void ImportTexts();
    void ExportTextsTo(const std::string& path);
    void ImportTextsFrom(const std::string& path);
    // "Open Workspace...": a folder chooser, then SwitchWorkspace.
    void ChooseWorkspace();
    // Works in another folder from now on: closes the editor windows (each asks about
    // its unsaved changes; a window kept open keeps the old folder), changes the current
    // directory, reads "Settings.ini" again and forgets everything read from the old
    // folder. False when nothing changed.
    bool SwitchWorkspace(const QString& folder);

    // For tests and the smoke test: the widgets a user works with.
    QTableView* InfoList() const { return infoList; }
    QTableView* TemplateList() const { return templateList; }
    QLineEdit* InfoFilterBox() const { return infoFilter; }
    QComboBox* InfoFilterType() const { return infoFilterType; }
    QLineEdit* SearchBox() const { return searchBox; }
    QComboBox* SearchType() const { return searchType; }
    QLineEdit* SelectedName() const { return selectedName; }
    QLineEdit* SelectedOwner() const { return selectedOwner; }
    QLineEdit* SelectedQuest() const { return selectedQuest; }
    QLineEdit* TemplateFilterBox() const { return templateFilter; }
    QComboBox* TemplateFilterType() const { return templateFilterType; }
    QProgressBar* Progress() const { return progress; }
    QLabel* WorkspaceLabel() const { return workspaceLabel; }
    QLabel* InfoCount() const { return infoCount; }
    BackgroundJob& SearchJob() { return searchJob; }
    // True while any background job still runs (also after its wait dialog was cancelled).
    bool JobRunning() const;
    void WaitForJobs();
    // Reads "Infos/" into the index of where values are used, in the background; the
    // views over it hear the service's changed when it is done.
    void BuildReferences();
    // The lines the last search of spoken texts found; null before the first.
    SpokenLinesWindow* SpokenLines() const { return spokenLines; }
    // "Edit" > "Replace in Spoken Texts...": the replace window, made at first use.
    ReplaceTextsDialog* ReplaceInSpokenTexts();
    // "Edit" > "Undo Replace": writes back the texts the last replace replaced, unless one
    // of its lines was changed since (then nothing is written and the lines are named).
    void UndoReplace();
    bool CanUndoReplace() const { return !replacesWritten.empty(); }
    // The "Conversations" tab.
    ConversationsView* Conversations() const { return conversations; }
    void ShowConversations();
    // The selected info's conversation as the player reads it, in a window of its own.
    ScriptWindow* ReadSelectedAsScript();
    // The index of where values are used as this window and those it opens share it.
    ReferenceService* Indexing() const { return indexing; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Closes every other window, asking each editor about its unsaved work for the
    // occasion; false when one of them stays open.
    bool CloseOtherWindows(const QString& occasion);
    QWidget* BuildInfoTab();
    QWidget* BuildTemplateTab();
    void BuildMenus();
    void AddWorkspaceMenus(QMenu* file);
    void AddEditMenu();
    // The replaces written in the folder left behind are not taken back in another.
    void ForgetReplaces();
    void FillRecentWorkspaces(QMenu* recent);
    // Reads "Settings.ini" of the current directory; the defaults stay when it cannot,
    // which is said, unless quietWhenMissing and the folder simply has none.
    void ReadSettingsFile(bool quietWhenMissing = false);
    // Empties every list and cache that came from the current directory.
    void ForgetWorkspace();
    void ListInfos(bool filtered);
    // Fills the filter list with the cache's rows whose field (type: "Name", "Owner",
    // "Quest", or "" for any field, any case) holds the text.
    void SelectInfosBy(const QString& type, const std::string& text);
    // Lists the filter in force over the cache as it is now. A search is asked again for
    // the changed info only: it joins, leaves or stays in the result.
    void ApplyListedFilter(const std::string& oldName, const std::string& newName);
    void ListTemplates(bool filtered);
    void InfoRowSelected();
    // "3 of 51 infos": the rows listed, of the cache's.
    void ShowInfoCount();
    void TemplateRowSelected();
    void OpenCommandLineArguments();
    // Asks to roll back what an unfinished rename or text import left half changed.
    void OfferRecovery();
    // Offers the unsaved work that info editors of this workspace left behind.
    void OfferInfoRecovery();
    void AddConversationsView();
    void BuildInfoListActions();

    // What a job counts: files, or (the split) the bytes of the document.
    enum class Counted { Files, Bytes };
    // Starts a job behind a modal wait dialog that shows its name and progress; done
    // runs on this thread when it ends.
    // "infocache" read again; the filter in force and its rows stay.
    void ReloadInfoCache();
    // The merge itself, after its review (if shown) was answered with "Merge".
    void StartMerge(const HeldWorkspace& held, std::shared_ptr<MergeReview> review = nullptr);
    void RunJob(BackgroundJob& job, const QString& name, Counted counted, BackgroundJob::Work work,
                std::function<void(const Jobs::Outcome&)> done);
    // The strip's bar as wide as a menu bar of that width leaves free, so that it is
    // never cut off.
    void FitProgressBar(int menuBarWidth);
    void SetLibraryActionsEnabled(bool enabled);
    void ReportSkipped(const Jobs::Outcome& outcome);

    std::vector<std::string> arguments;
    bool shownOnce = false;

    QTabWidget* tabs;
    QProgressBar* progress;
    QLabel* workspaceLabel;
    QLabel* infoCount;
    CacheTableModel* infoModel;
    CacheTableModel* templateModel;
    QTableView* infoList;
    QTableView* templateList;
    QLineEdit* infoFilter;
    QComboBox* infoFilterType;
    QLineEdit* selectedName;
    QLineEdit* selectedOwner;
    QLineEdit* selectedQuest;
    QLineEdit* searchBox;
    QComboBox* searchType;
    QLineEdit* templateFilter;
    QComboBox* templateFilterType;
    QLineEdit* templateName;
    QLineEdit* templateGuid;
    QLineEdit* templateFile;
    ConversationsView* conversations = nullptr;
    SpokenLinesWindow* spokenLines = nullptr;
    ReplaceTextsDialog* replaceTexts = nullptr;
    // What each replace wrote, the last one last, for "Undo Replace".
    std::vector<std::vector<TextChange>> replacesWritten;
    QAction* undoReplace = nullptr;
    ReferenceService* indexing;
    // What the info list shows: the whole cache, a filter over it, or a search's result.
    struct ListedFilter {
        enum class Kind { None, Field, FileSearch, SpokenSearch } kind = Kind::None;
        QString type;
        std::string text;
    };
    ListedFilter listedFilter;

    BackgroundJob updateCacheJob;
    BackgroundJob searchJob;
    BackgroundJob splitJob;
    BackgroundJob mergeJob;
    BackgroundJob checkJob;
    BackgroundJob textsJob;
};

} // namespace VaskEdit
