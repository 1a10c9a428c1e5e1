// What the info editor's buttons and keys do: modes, saving, cancelling and the
// command, condition and perk lists.
#include "engine/String.h"
#include "info/InfoFileName.h"
#include "info/InfoRefConversion.h"
#include "info/NewEntrySuggestions.h"
#include "info/SaveTarget.h"
#include "library/InfoManager.h"
#include "library/TemplateManager.h"
#include "library/TextExchange.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogResult.h"
#include "ui/dialogs/Messages.h"
#include "ui/entrydialogs/InfoCommandForm.h"
#include "ui/entrydialogs/InfoConditionForm.h"
#include "ui/entrydialogs/InfoPerkForm.h"
#include "ui/entrydialogs/MaskedBox.h"
#include "ui/entrydialogs/TemplateBox.h"
#include "ui/infoeditor/EntryGrids.h"
#include "ui/infoeditor/InfoFieldsPanel.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/InfoOpening.h"
#include "ui/infoeditor/WorkspaceWriting.h"

#include <algorithm>
#include <functional>
#include <type_traits>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>

namespace VaskEdit {

namespace {
// Opens the entry dialog on row of the list, or on a new entry appended for it when row
// is -1; a new entry that the dialog does not save is removed again.
// prepare sets the dialog up before it shows the entry; accepted runs after a save.
template <typename Dialog, typename Entry>
bool RunEntryDialog(
    QWidget* parent, std::vector<Entry>& list, int row, EntryEditMode mode,
    const std::function<void(Dialog&)>& prepare = {},
    const std::type_identity_t<std::function<void(Dialog&, Entry&)>>& accepted = {}) {
    if (row < 0)
        list.emplace_back();
    Entry& entry = row < 0 ? list.back() : list[static_cast<std::size_t>(row)];
    Dialog dialog(entry, mode, parent);
    if (prepare)
        prepare(dialog);
    dialog.ResetToDefault();
    if (row >= 0)
        dialog.LoadGUIFromCommandData();
    const bool saved = dialog.exec() == QDialog::Accepted;
    if (row < 0 && !saved)
        list.pop_back();
    if (saved && accepted)
        accepted(dialog, entry);
    return saved;
}

template <typename Entry> void EraseRow(std::vector<Entry>& list, int row) {
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(row));
}
} // namespace

bool InfoForm::Editable() const {
    return editMode != InfoFormEditMode::View;
}

void InfoForm::InfoEditor_OnOpen(std::uint32_t index, InfoFormEditMode mode) {
    SetInfoEditMode(mode);
    // The grids name the templates of the GUIDs they show.
    if (TemplateManager::TemplateCache.GetSize() == 0)
        TemplateManager::ReadCache();
    loadedName.clear();
    if (mode == InfoFormEditMode::New || index >= InfoManager::InfoFiles.GetSize()) {
        WatchFile({}, {}); // a new info was read from no file
        infoData = InfoRef{};
        InfoEditor_ClearGUI();
        infoData.Name.clear();
        ResetHistory();
        return;
    }
    const VaskInfo& record = InfoManager::InfoFiles[index];
    WatchFile(InfoFilePath(record.Name).Str(), record.ReadFingerprint);
    infoData = MakeInfoRef(record);
    loadedName = infoData.Name;
    LoadFields();
    RebuildAll();
    ResetHistory();
}

void InfoForm::SetSourceFile(const std::string& path) {
    sourceComparison = CompareSaveWithFile(path.c_str());
    sourceChangeAccepted = false;
    sourcePath = path;
    watchedPath = path;
    sourceElsewhere = OtherSaveTarget(path);
    if (!sourceComparison.changed) {
        saveNotice->hide();
        return;
    }
    QStringList lines;
    for (const std::string& line : DescribeSaveChanges(sourceComparison))
        lines << FromSystemString(line);
    saveNotice->setText(lines.join('\n'));
    saveNotice->show();
}

void InfoForm::SetInfoEditMode(InfoFormEditMode mode) {
    editMode = mode;
    ApplyEditability();
}

void InfoForm::ApplyEditability() {
    const bool editable = Editable();
    fieldsPanel->SetEditable(editable);
    entryGrids->SetEditable(editable);
    for (QAction* action : editActions)
        action->setEnabled(editable);
    undoAction->setEnabled(editable && undoStack->canUndo());
    redoAction->setEnabled(editable && undoStack->canRedo());
    openParentButton->setEnabled(true);
    editButton->setEnabled(!editable);
    if (editable) {
        copyButton->setEnabled(false);
        newButton->setEnabled(false);
    }
    if (editMode == InfoFormEditMode::Edit) {
        editButton->show();
        newButton->hide();
    } else if (editMode == InfoFormEditMode::New) {
        editButton->setEnabled(false);
        editButton->hide();
        newButton->show();
    }
    saveButton->setEnabled(true);
    cancelButton->setEnabled(true);
    renameAction->setEnabled(editMode == InfoFormEditMode::Edit);
}

void InfoForm::EditInfo() {
    if (MarkShownInfoForUnloading())
        SetInfoEditMode(InfoFormEditMode::Edit);
}

void InfoForm::CopyInfo() {
    if (MarkShownInfoForUnloading())
        SetInfoEditMode(InfoFormEditMode::Copy);
}

bool InfoForm::MarkShownInfoForUnloading() {
    const QString name = nameBox->text();
    if (!StringIsValid(name))
        return false;
    // Only a loaded record of this name is marked for unloading.
    const std::int64_t index = InfoManager::FindInfoIndex(ToSystemString(name, 49).c_str());
    if (index >= 0)
        InfoManager::InfoFiles[static_cast<std::uint32_t>(index)].EditMark = 1;
    return true;
}

void InfoForm::NewInfo() {
    SetInfoEditMode(InfoFormEditMode::New);
    loadedName.clear();
    InfoEditor_ClearGUI();
    ResetHistory();
}

void InfoForm::OpenParent() {
    OpenInfoByName(this, parentBox->text());
}

void InfoForm::PickGoldCostItem() {
    QLineEdit* box = goldCostItemBox;
    if (pickingItem)
        return;
    pickingItem = true;
    TemplateBox picker(QString(), BoxValue(box), editMode != InfoFormEditMode::View, this);
    if (picker.exec() == QDialog::Accepted) {
        ShowMasked(box, GuidInputMask, ToSystemString(picker.GetGUID()), 48);
        OnFieldEdited(static_cast<std::size_t>(fieldsPanel->FieldAt(box)));
    }
    pickingItem = false;
}

void InfoForm::Save() {
    if (!TakeNameAndOwner())
        return;
    if (!Editable()) {
        close();
        return;
    }
    if (!WriteShownInfo())
        return;
    infoData.RequiredPerks.clear();
    infoData.InfoCommands.clear();
    infoData.InfoConditions.clear();
    closeConfirmed = true;
    close();
}

void InfoForm::Apply() {
    if (!Editable()) {
        ShowReadOnlyMessage(this);
        return;
    }
    if (!WriteShownInfo())
        return;
    // The window goes on with the info as its file now holds it: later saves write that
    // file, and nothing is unsaved until the next change.
    loadedName = infoData.Name;
    SetInfoEditMode(InfoFormEditMode::Edit);
    LoadFields();
    SetSourceFile(InfoFilePath(Char48(infoData.Name)).Str());
    ResetHistory();
}

bool InfoForm::TakeNameAndOwner() {
    infoData.Name = ToSystemString(nameBox->text(), 49);
    infoData.Owner = ToSystemString(ownerBox->text(), 49);
    if (!StringIsValid(nameBox->text()) || !IsValidInfoName(infoData.Name)) {
        ShowMessage(this, "Caution!", "Invalid info name!");
        return false;
    }
    if (!StringIsValid(ownerBox->text())) {
        ShowMessage(this, "Caution!", "Invalid owner name!");
        return false;
    }
    return true;
}

bool InfoForm::WriteShownInfo() {
    if (!TakeNameAndOwner())
        return false;
    // What the reader made of a damaged file is a guess, which is not saved.
    if (editMode != InfoFormEditMode::New && !sourceComparison.damage.empty()) {
        ShowMessage(this, "Caution!",
                    FromSystemString(
                        "The file this info was read from is damaged: " + sourceComparison.damage +
                        ".\nMend it in a text editor; the editor does not save a "
                        "guess of it."));
        return false;
    }
    if ((editMode == InfoFormEditMode::New || editMode == InfoFormEditMode::Copy) &&
        Ask(this, "Caution", "Are you sure?") == DialogResult::No)
        return false;
    // An info read from a file that is not its own would overwrite another file.
    if (editMode == InfoFormEditMode::Edit && !sourceElsewhere.empty() &&
        !SavesOver(sourcePath, infoData.Name) &&
        Ask(this, "Caution",
            FromSystemString(sourceElsewhere) + "\nSave it as \"" +
                FromSystemString(InfoDirectoryName + infoData.Name + InfoExtension) +
                "\" all the same?") != DialogResult::Yes)
        return false;
    if (sourceComparison.changed && !sourceChangeAccepted) {
        const QString lines = QString::number(sourceComparison.changedLines) +
                              (sourceComparison.changedLines == 1 ? " line" : " lines");
        const QString what =
            sourceComparison.losesContent
                ? "Saving changes " + lines +
                      " of the file this info was read from and drops or "
                      "cuts some of its text (see the notice in the window)."
                : "Saving changes the layout of " + lines + " of the file this info was read from.";
        if (Ask(this, "Caution", what + "\nSave anyway?") != DialogResult::Yes)
            return false;
        sourceChangeAccepted = true;
    }
    // Someone else's version of the file is not replaced unasked.
    bool replaceChosen = false;
    if (!MayReplaceWatchedFile(&replaceChosen))
        return false;
    const QString name = nameBox->text();
    if (!replaceChosen && InfoManager::ExistsInfoFile(infoData.Name.c_str()) &&
        Ask(this, "InfoManager", "File <" + name + ">\n does already exist. Continue?") ==
            DialogResult::No)
        return false;

    StoreFields();
    // An emptied number box saves the number a new info starts with: the game cannot read
    // a number that is not there.
    fieldsPanel->FillEmptyNumbers(infoData);
    // A value the game cannot read is never written.
    {
        VaskInfo probe;
        TesselEngine::SetMember(probe.Name, infoData.Name.c_str());
        StoreInfoRef(infoData, probe, editMode != InfoFormEditMode::New);
        std::string unreadable;
        if (const std::size_t line = FindUnreadableValueInSave(probe, &unreadable)) {
            ShowMessage(this, "Caution!",
                        "Line " + QString::number(line) +
                            " of the info would hold a value that the game cannot read (empty, "
                            "or only its prefix):\n" +
                            FromSystemString(unreadable) + "\nNothing was saved.");
            return false;
        }
    }
    // Looked at once more: the questions above may have taken a while.
    if (!MayReplaceWatchedFile(&replaceChosen))
        return false;
    // The info refers to its texts: they are written first, and without them nothing is.
    const HeldWorkspace held = LockWorkspace(this, "save info");
    if (!held)
        return false;
    TablesBefore texts;
    if (!WritePendingTexts(texts))
        return false;
    const std::uint32_t index = InfoManager::CreateVaskInfo(infoData.Name.c_str());
    StoreInfoRef(infoData, InfoManager::InfoFiles[index], editMode != InfoFormEditMode::New);
    if (!InfoManager::WriteVaskInfo(index)) {
        // Nothing is lost: the window stays open with everything the user typed, and the
        // tables go back to what the unchanged info refers to.
        PutBackTables(texts);
        ShowTableTextsInEditors();
        ShowMessage(this, "Error", LastFailureText());
        return false;
    }
    RemoveRecovery(); // saved: the copy of the work is no longer needed
    {
        const std::string saved = InfoFilePath(Char48(infoData.Name.c_str())).Str();
        WatchFile(saved, TesselEngine::FingerprintFile(saved)); // the window's own version
    }
    ShowMissedBackups();
    emit infoSaved(infoData.Name);
    return true;
}

void InfoForm::Cancel() {
    if (Editable() && Ask(this, "Caution", "Are you sure?") != DialogResult::Yes)
        return;
    RemoveRecovery(); // the work is discarded
    infoData.RequiredPerks.clear();
    infoData.InfoCommands.clear();
    infoData.InfoConditions.clear();
    closeConfirmed = true;
    close();
}

bool InfoForm::CloseAskingToSave(const QString& occasion) {
    if (Editable() && HasUnsavedChanges()) {
        const QString name = nameBox->text();
        const int answer =
            Ask(this, "Caution",
                QString("The info <%1> has unsaved changes, and %2.\nSave the changes?")
                    .arg(name.isEmpty() ? QString("(new info)") : name, occasion),
                "Save", "Discard", "Cancel");
        if (answer == DialogResult::Yes) {
            Save(); // closes the window once the info is written
            return !isVisible();
        }
        if (answer != DialogResult::No)
            return false;
        RemoveRecovery(); // the work is discarded
        closeConfirmed = true;
    }
    return close();
}

void InfoForm::UnloadOnClose() {
    if (unloaded)
        return;
    unloaded = true;
    InfoManager::UnloadVaskInfo(infoData.Name.substr(0, 48).c_str());
}

void InfoForm::closeEvent(QCloseEvent* event) {
    // The window's close control asks Cancel's question when changes would be lost.
    if (!closeConfirmed && Editable() && HasUnsavedChanges() &&
        Ask(this, "Caution", "Are you sure?") != DialogResult::Yes) {
        event->ignore();
        return;
    }
    // Closed with its changes discarded (or none left): no copy of them is kept.
    if (!closeConfirmed)
        RemoveRecovery();
    UnloadOnClose();
    QMainWindow::closeEvent(event);
}

bool InfoForm::EditableSelection(int* tab, int* row) const {
    *tab = tabs->currentIndex();
    *row = SelectedRow(*tab);
    return Editable() && *row >= 0;
}

int InfoForm::SelectedRow(int tab) const {
    const QModelIndexList selected =
        grids[static_cast<std::size_t>(tab)]->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

bool InfoForm::OpenEntryDialog(int tab, int row, EntryEditMode mode) {
    // The grids are rebuilt by ChangeList, which records what the dialog changed.
    if (tab == 0)
        return RunEntryDialog<InfoCommandForm>(
            this, infoData.InfoCommands, row, mode,
            [this](InfoCommandForm& dialog) {
                dialog.UseDisplayTexts(DisplayTextSource());
                dialog.SuggestForNewRows(NewEntrySuggestions(infoData));
            },
            [this](InfoCommandForm& dialog, InfoCommandRef& entry) {
                if (dialog.ShownText())
                    TakeDisplayText(entry, *dialog.ShownText());
            });
    if (tab == 1)
        return RunEntryDialog<InfoConditionForm>(
            this, infoData.InfoConditions, row, mode, [this](InfoConditionForm& dialog) {
                dialog.SuggestForNewRows(NewEntrySuggestions(infoData));
            });
    return RunEntryDialog<InfoPerkForm>(this, infoData.RequiredPerks, row, mode);
}

void InfoForm::AddEntry() {
    if (!Editable())
        return;
    const int tab = tabs->currentIndex();
    ChangeList(static_cast<EntryList>(tab), "add entry",
               [&] { return OpenEntryDialog(tab, -1, EntryEditMode::New); });
}

void InfoForm::EditEntry() {
    int tab = 0;
    int row = 0;
    if (!EditableSelection(&tab, &row))
        return;
    // A perk is edited in the perk dialog's New mode, the one that takes its changes.
    const EntryEditMode mode =
        static_cast<EntryList>(tab) == EntryList::Perks ? EntryEditMode::New : EntryEditMode::Edit;
    ChangeList(static_cast<EntryList>(tab), "edit entry",
               [&] { return OpenEntryDialog(tab, row, mode); });
}

void InfoForm::DeleteEntry() {
    int tab = 0;
    int row = 0;
    if (!EditableSelection(&tab, &row))
        return;
    ChangeList(static_cast<EntryList>(tab), "delete entry", [&] {
        if (tab == 0)
            EraseRow(infoData.InfoCommands, row);
        else if (tab == 1)
            EraseRow(infoData.InfoConditions, row);
        else
            EraseRow(infoData.RequiredPerks, row);
        return true;
    });
}

} // namespace VaskEdit
