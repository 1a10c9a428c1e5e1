// The info editor window: one info's members, its required perks, commands and
// conditions, shown from a working copy and saved as a new record to its file. Every
// change of the working copy is a step on an undo stack.
#pragma once

#include "engine/FileFingerprint.h"
#include "info/InfoValues.h"
#include "info/MemberTable.h"
#include "info/SaveCheck.h"
#include "info/WorkingCopyEdit.h"
#include "library/RecoveryFiles.h"
#include "library/TextExchange.h"
#include "ui/common/ReferenceService.h"
#include "ui/entrydialogs/InfoCommandForm.h"
#include "ui/entrydialogs/ParameterForm.h"
#include "ui/infoeditor/EntryTableModel.h"
#include "ui/infoeditor/InfoWalk.h"

#include <QElapsedTimer>
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;
class QUndoStack;

namespace VaskEdit {
class EntryGrids;
class InfoFieldsPanel;
} // namespace VaskEdit

namespace VaskEdit {

enum class InfoFormEditMode { View, New, Copy, Edit };

class InfoForm : public QMainWindow {
    Q_OBJECT

public:
    explicit InfoForm(QWidget* parent = nullptr);
    ~InfoForm() override;

    void InfoEditor_OnOpen(std::uint32_t index, InfoFormEditMode mode);
    // The file the info was read from: when saving it untouched would not write that
    // file's bytes again, the window says so, and the first save asks first.
    void SetSourceFile(const std::string& path);
    // Where "Find Usages" and "Rename..." go; without it (a lone editor) they do nothing.
    void SetReferences(ReferenceService* service) { references = service; }
    void SetInfoEditMode(InfoFormEditMode mode);
    void InfoEditor_ClearGUI();
    void RebuildCommandGridView();
    void RebuildConditionGridView();
    void RebuildPerkGridView();

    // The buttons and menu entries.
    // Save writes the info and closes the window; Apply writes it and keeps the window
    // open in Edit mode on the written info.
    void Save();
    void Apply();
    void Cancel();
    void EditInfo();
    void CopyInfo();
    void NewInfo();
    void OpenParent();
    void PickGoldCostItem();
    void AddEntry();
    void EditEntry();
    void DeleteEntry();
    // Editing steps beyond the buttons: undo, moving the selected entry of the shown
    // tab up (-1) or down (+1), and copying and pasting entries as block text.
    void Undo();
    void Redo();
    void MoveSelectedEntry(int delta);
    bool MoveEntryRow(int tab, int from, int to);
    void CopyEntry();
    void PasteEntries();
    // The index of where values are used: the uses of the value in the field or grid
    // cell (the focused one when target is null), renaming the shown info (Edit mode),
    // and showing one place of the info: its field focused, or its entry's grid row
    // selected.
    void FindUsagesIn(QWidget* target);
    void RenameShownInfo();
    void ShowPlace(const Place& place);
    // The list the window was opened from. Previous Info (-1) and Next Info (+1) save or
    // discard the shown info as closing would ask, then show the next one of the list in
    // a window in the same place and mode; that window, or null when the window stays.
    void SetWalk(const InfoWalk& list);
    const InfoWalk& Walk() const { return walk; }
    InfoForm* StepInfo(int delta);
    // The name of the info as it was read; empty for a new info.
    const std::string& LoadedName() const { return loadedName; }

    InfoFormEditMode EditMode() const { return editMode; }
    const InfoRef& InfoData() const { return infoData; }
    // For tests: a member's control, the grids, tabs and the buttons the window made.
    QWidget* Control(const InfoMember& member) const;
    QTableView* Grid(int tab) const { return grids[static_cast<std::size_t>(tab)]; }
    QTableView* ConditionList() const;
    QTabWidget* Tabs() const { return tabs; }
    QPushButton* Button(const QString& caption) const;
    QUndoStack* UndoStack() const { return undoStack; }
    bool HasUnsavedChanges() const;
    QLabel* SaveNotice() const { return saveNotice; }
    // Closes the window for a reason the user did not give it (the program ends, another
    // workspace opens: occasion says which); unsaved changes are first offered to be
    // saved or discarded, naming the info. False when the window stays open.
    bool CloseAskingToSave(const QString& occasion);
    // The file the window read and what it held then; a save over it, and the window
    // gaining focus, first check that no one else changed or deleted it meanwhile.
    const std::string& WatchedFile() const { return watchedPath; }
    const TesselEngine::FileFingerprint& WatchedFingerprint() const { return readVersion; }
    // Looks whether the watched file changed on disk and, if it did and this version was
    // not answered yet, asks what to do (as on gaining focus).
    void CheckOutsideChange();

signals:
    // The info was written to "Infos/" + name + ".vaskinfo".
    void infoSaved(const std::string& name);

public:
    // Shows the unsaved work kept in a recovery file exactly as it was, marked unsaved;
    // from then on the window keeps its work in a file of its own and removes the old.
    void RestoreRecovered(const RecoveryRecord& record, const std::string& file);
    // The file that holds a copy of the window's unsaved work; empty while there is none.
    const std::string& RecoveryFile() const { return recoveryFile; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Marks the loaded record of the shown name for unloading; false for a blank name.
    bool MarkShownInfoForUnloading();
    enum class OutsideAnswer { Unchanged, Reload, SaveAnyway, Cancel };
    // Whether a save of the info as named now replaces the watched file.
    bool SavesWatchedFile() const;
    // Checks the watched file and asks when it changed or is gone; offerSave adds
    // "Save anyway". Each answer is remembered for the version on disk it was given for.
    OutsideAnswer AskAboutOutsideChange(bool offerSave, bool askAgain);
    // Before a save over the watched file: false when the save must stop (a change on
    // disk that the user did not choose to replace); replaceChosen is set when they did.
    bool MayReplaceWatchedFile(bool* replaceChosen);
    // Reads the watched file anew into the window, after a question when that loses
    // changes; false when the user kept the window's work or the file cannot be read.
    bool ReloadFromDisk();
    void WatchFile(const std::string& path, const TesselEngine::FileFingerprint& print);

    void BuildLayout();
    // Takes the name and owner from their boxes; false, after saying why, when either
    // cannot be saved.
    bool TakeNameAndOwner();
    // The checks, questions and writes of a save; true when the info was written.
    bool WriteShownInfo();
    QPushButton* AddButton(const QString& caption);
    void LoadFields();
    // Shows the working copy's members without taking them as the loaded texts.
    void ShowFields();
    void OnFieldEdited(std::size_t field);
    // Changes one list through change() and records the step when the list changed.
    bool ChangeList(EntryList list, const QString& what, const std::function<bool()>& change);
    void PushChange(const QString& what, WorkingCopyPart before, WorkingCopyPart after,
                    int mergeKey = -1);
    void ApplyPart(const WorkingCopyPart& part);
    void RebuildList(EntryList list);
    // Takes the shown fields as the working copy's and starts a fresh, clean history.
    void ResetHistory();
    void UpdateTitle();
    void SelectRow(int tab, int row);
    void BuildEditMenu();
    void StoreFields();
    // The value to find the uses of in the control (a field, or a grid's current cell);
    // false when the control has none or it is blank.
    bool UsageValue(QWidget* target, std::string* value) const;
    void BuildReferenceMenu(QMenu* tools);
    void AddUsagesMenus();
    void AddUsagesEntry(QMenu* menu, QWidget* target);
    // The context menu of a field's control, with "Find Usages"; false for any other widget.
    bool ShowFieldMenu(QWidget* widget, const QPoint& at);
    void ApplyEditability();
    // The window's shortcuts, and the filter on its widgets.
    void BuildKeys();
    // Whether the key pressed in target is one of the window's shortcuts.
    bool IsWindowKey(const QKeyEvent& key, const QWidget* target) const;
    // A key that no shortcut took, before the control gets it.
    bool HandleKey(const QKeyEvent& key);
    // The dialog of the selected tab on the entry at row (a new entry when row is -1).
    bool OpenEntryDialog(int tab, int row, EntryEditMode mode);
    // The display texts of the commands: the window's unsaved text of an id first, else
    // the table's.
    std::string DisplayTextOf(const std::string& table, const std::string& id) const;
    // What the grid's Text column shows for the command: its display text looked up as it
    // is now, so a table written by another window or an import shows at once.
    std::string GridTextOf(const InfoCommandRef& command) const;
    DisplayTexts DisplayTextSource() const;
    // The text the command dialog showed for the changed command becomes the text of
    // every command of its id.
    void TakeDisplayText(const InfoCommandRef& changed, const std::string& text);
    // A command that comes in (pasted) shows the window's unsaved text of its id.
    void FollowPendingText(InfoCommandRef& command) const;
    // Writes the changed texts to their tables; false, after saying why, when one cannot
    // be written (the tables are then as they were). written: what to put back should the
    // info itself fail.
    bool WritePendingTexts(TablesBefore& written);
    void RebuildAll();
    int SelectedRow(int tab) const;
    // The shown tab and its selected row; false outside the editable modes or with no
    // row selected.
    bool EditableSelection(int* tab, int* row) const;
    bool Editable() const;
    void UnloadOnClose();
    // The copy of the unsaved work: written a while after the last change (and not too
    // often), removed once the work is saved or discarded.
    void ScheduleRecoveryWrite();
    bool WriteRecovery();
    void RemoveRecovery();

    InfoRef infoData;
    std::string loadedName;
    QAction* renameAction = nullptr;
    QPointer<ReferenceService> references;
    InfoFormEditMode editMode = InfoFormEditMode::View;
    bool unloaded = false;
    InfoFieldsPanel* fieldsPanel = nullptr;
    EntryGrids* entryGrids = nullptr;
    // The entry grids' tabs and grids, at hand for the actions.
    QTabWidget* tabs = nullptr;
    std::vector<QTableView*> grids;
    std::vector<QPushButton*> buttons; // every button the window made
    // The boxes the window's own logic reads.
    QLineEdit* nameBox = nullptr;
    QLineEdit* ownerBox = nullptr;
    QLineEdit* parentBox = nullptr;
    QLineEdit* goldCostItemBox = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* applyButton = nullptr;
    QPushButton* editButton = nullptr;
    QPushButton* newButton = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* openParentButton = nullptr;
    bool pickingItem = false;
    QUndoStack* undoStack = nullptr;
    bool restoring = false;      // showing an undone or redone state: no new steps
    bool closeConfirmed = false; // Save or Cancel closes without asking again
    QLabel* saveNotice = nullptr;
    SaveComparison sourceComparison; // of the file the info was read from
    std::string sourcePath;
    std::string sourceElsewhere; // why saving would not write the file it was read from
    bool sourceChangeAccepted = false;
    // The table's text of each (table, id) when the window last changed it.
    std::map<std::pair<std::string, std::string>, std::string> tableTextsSeen;
    std::string watchedPath;
    TesselEngine::FileFingerprint readVersion; // not taken: nothing to watch
    bool askingOutside = false;
    bool outsideAnswered = false;
    TesselEngine::FileFingerprint answeredVersion; // what the file held when answered
    bool overwriteAccepted = false;                // "Save anyway" for answeredVersion
    std::vector<QAction*> editActions;
    std::vector<QKeySequence> windowKeys;
    bool closing = false; // being destroyed: the filter leaves the controls alone
    InfoWalk walk;
    QAction* previousAction = nullptr;
    QAction* nextAction = nullptr;
    QAction* undoAction = nullptr;
    QAction* redoAction = nullptr;
    QTimer* recoveryTimer = nullptr;
    std::string recoveryFolder; // of the workspace the window was opened in
    std::string recoveryFile;
    bool recoveryWarned = false; // the status bar says that the last write failed
    QElapsedTimer lastRecoveryWrite;
    QElapsedTimer firstUnwrittenChange;
};

// Shows the texts of the tables as they are now in every open info editor's grid (after
// a table was written).
void ShowTableTextsInEditors();

} // namespace VaskEdit
