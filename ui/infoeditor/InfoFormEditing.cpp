// The info editor's undoable editing: field edits and list changes as steps on the
// undo stack, moving entries, copying and pasting them as block text, and the title
// that shows unsaved changes.
#include "info/EntryBlockText.h"
#include "ui/common/SystemString.h"
#include "ui/infoeditor/InfoFieldsPanel.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/WorkingCopyChange.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>

namespace VaskEdit {

namespace {
const char* const EntryNames[] = {"command", "condition", "perk"};

// Calls use(list) with the working copy's vector for that list.
template <typename Use> decltype(auto) WithList(InfoRef& copy, EntryList list, Use use) {
    if (list == EntryList::Commands)
        return use(copy.InfoCommands);
    if (list == EntryList::Conditions)
        return use(copy.InfoConditions);
    return use(copy.RequiredPerks);
}
} // namespace

void InfoForm::BuildEditMenu() {
    QMenu* edit = menuBar()->addMenu("Edit");
    // The keys are handled with the window's other keys; the menu shows them.
    undoAction = edit->addAction("Undo\tCtrl+Z", this, &InfoForm::Undo);
    redoAction = edit->addAction("Redo\tCtrl+Y", this, &InfoForm::Redo);
    edit->addSeparator();
    editActions = {
        edit->addAction("Copy entry\tCtrl+C", this, &InfoForm::CopyEntry),
        edit->addAction("Paste entries\tCtrl+V", this, &InfoForm::PasteEntries),
        edit->addAction("Move up\tAlt+Up", this, [this] { MoveSelectedEntry(-1); }),
        edit->addAction("Move down\tAlt+Down", this, [this] { MoveSelectedEntry(1); }),
    };
    undoAction->setEnabled(false);
    redoAction->setEnabled(false);
    connect(undoStack, &QUndoStack::canUndoChanged, this,
            [this](bool can) { undoAction->setEnabled(can && Editable()); });
    connect(undoStack, &QUndoStack::canRedoChanged, this,
            [this](bool can) { redoAction->setEnabled(can && Editable()); });
}

bool InfoForm::HasUnsavedChanges() const {
    return !undoStack->isClean();
}

void InfoForm::UpdateTitle() {
    const QString title = HasUnsavedChanges() ? "Info Editor*" : "Info Editor";
    setWindowTitle(walk.Valid() ? title + " - " + walk.Counter() : title);
}

void InfoForm::ResetHistory() {
    StoreFields();
    undoStack->clear();
    undoStack->setClean();
    UpdateTitle();
}

void InfoForm::Undo() {
    if (Editable())
        undoStack->undo();
}

void InfoForm::Redo() {
    if (Editable())
        undoStack->redo();
}

void InfoForm::PushChange(const QString& what, WorkingCopyPart before, WorkingCopyPart after,
                          int mergeKey) {
    undoStack->push(new WorkingCopyChange(
        what, std::move(before), std::move(after),
        [this](const WorkingCopyPart& part) { ApplyPart(part); }, mergeKey));
}

void InfoForm::OnFieldEdited(std::size_t field) {
    if (restoring || !Editable())
        return;
    WorkingCopyPart before = TakeMembers(infoData);
    StoreFields();
    WorkingCopyPart after = TakeMembers(infoData);
    if (before != after)
        PushChange("edit " + fieldsPanel->Caption(field), std::move(before), std::move(after),
                   static_cast<int>(field));
}

bool InfoForm::ChangeList(EntryList list, const QString& what,
                          const std::function<bool()>& change) {
    WorkingCopyPart before = TakeList(infoData, list);
    if (!change())
        return false;
    WorkingCopyPart after = TakeList(infoData, list);
    RebuildList(list);
    if (before == after)
        return false;
    PushChange(what, std::move(before), std::move(after));
    return true;
}

void InfoForm::ApplyPart(const WorkingCopyPart& part) {
    restoring = true;
    PutPart(infoData, part);
    EntryList list;
    if (PartIsList(part, &list))
        RebuildList(list);
    else
        ShowFields();
    restoring = false;
}

void InfoForm::RebuildList(EntryList list) {
    if (list == EntryList::Commands)
        RebuildCommandGridView();
    else if (list == EntryList::Conditions)
        RebuildConditionGridView();
    else
        RebuildPerkGridView();
}

void InfoForm::SelectRow(int tab, int row) {
    QTableView* grid = Grid(tab);
    const QModelIndex index = grid->model()->index(row, 0);
    if (index.isValid())
        grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

bool InfoForm::MoveEntryRow(int tab, int from, int to) {
    if (!Editable() || from < 0 || to < 0)
        return false;
    const EntryList list = static_cast<EntryList>(tab);
    const bool moved = ChangeList(list, QString("move ") + EntryNames[tab], [&] {
        return WithList(infoData, list, [&](auto& entries) {
            return MoveEntry(entries, static_cast<std::size_t>(from), static_cast<std::size_t>(to));
        });
    });
    if (moved)
        SelectRow(tab, to);
    return moved;
}

void InfoForm::MoveSelectedEntry(int delta) {
    int tab = 0;
    int row = 0;
    if (EditableSelection(&tab, &row))
        MoveEntryRow(tab, row, row + delta);
}

void InfoForm::CopyEntry() {
    int tab = 0;
    int row = 0;
    if (!EditableSelection(&tab, &row))
        return;
    const auto at = static_cast<std::size_t>(row);
    const std::string text = tab == 0 ? CommandBlockText(infoData.InfoCommands[at])
                                      : (tab == 1 ? ConditionBlockText(infoData.InfoConditions[at])
                                                  : PerkBlockText(infoData.RequiredPerks[at]));
    QApplication::clipboard()->setText(FromSystemString(text));
}

void InfoForm::PasteEntries() {
    if (!Editable())
        return;
    const int tab = tabs->currentIndex();
    const EntryList list = static_cast<EntryList>(tab);
    const std::string text = ToSystemString(QApplication::clipboard()->text());
    // Pasted entries go below the selected one, or to the end of the list.
    const int selected = SelectedRow(tab);
    std::size_t pasted = 0;
    std::size_t dropped = 0;
    std::size_t at = 0;
    ChangeList(list, QString("paste ") + EntryNames[tab], [&] {
        return WithList(infoData, list, [&](auto& entries) {
            using Entry = typename std::decay_t<decltype(entries)>::value_type;
            std::vector<Entry> blocks;
            if constexpr (std::is_same_v<Entry, InfoCommandRef>) {
                blocks = ReadCommandBlocks(text);
                for (InfoCommandRef& block : blocks)
                    FollowPendingText(block);
            } else if constexpr (std::is_same_v<Entry, InfoConditionRef>)
                blocks = ReadConditionBlocks(text);
            else
                blocks = ReadPerkBlocks(text);
            // A damaged block of a type without a class would be shown and then left out
            // of the file: it is not pasted.
            if constexpr (!std::is_same_v<Entry, InfoRequiredPerkRef>)
                dropped =
                    std::erase_if(blocks, [](const Entry& entry) { return !IsWritable(entry); });
            at = selected < 0 ? entries.size() : static_cast<std::size_t>(selected) + 1;
            pasted = blocks.size();
            InsertEntries(entries, at, blocks);
            return pasted > 0;
        });
    });
    if (pasted == 0 || dropped > 0)
        QApplication::beep();
    if (pasted > 0)
        SelectRow(static_cast<int>(list), static_cast<int>(at));
}

} // namespace VaskEdit
