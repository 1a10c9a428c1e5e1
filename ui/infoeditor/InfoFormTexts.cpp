// The display texts of the info editor's commands: shown from the window's unsaved
// texts or their tables, changed in the command dialog, and written to their tables
// before the info is saved.
#include "info/EntryTypes.h"
#include "info/TextTable.h"
#include "info/TextTableEdit.h"
#include "library/TextExchange.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>

#include <set>

namespace VaskEdit {

namespace {
std::string TableOf(const InfoCommandRef& command) {
    const EntryType* type = FindEntryType(EntryKind::Command, std::string_view(command.Command));
    return type ? std::string(type->textTable) : std::string();
}

bool Names(const InfoCommandRef& command, const std::string& table, const std::string& id) {
    return command.LocString == id && TableOf(command) == table;
}
} // namespace

std::string InfoForm::DisplayTextOf(const std::string& table, const std::string& id) const {
    for (const InfoCommandRef& command : infoData.InfoCommands) {
        if (command.TextPending && Names(command, table, id))
            return command.Text;
    }
    return TextTables::LookUp(table.c_str(), id);
}

std::string InfoForm::GridTextOf(const InfoCommandRef& command) const {
    const std::string table = TableOf(command);
    return table.empty() || command.TextPending ? command.Text
                                                : DisplayTextOf(table, command.LocString);
}

void ShowTableTextsInEditors() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* editor = qobject_cast<InfoForm*>(window))
            editor->Grid(0)->viewport()->update();
    }
}

DisplayTexts InfoForm::DisplayTextSource() const {
    DisplayTexts texts;
    texts.textOf = [this](const std::string& table, const std::string& id) {
        return DisplayTextOf(table, id);
    };
    texts.freeId = [this](const std::string& table) {
        // The ids the window's commands use are taken even while unsaved.
        std::set<std::string> taken;
        for (const InfoCommandRef& command : infoData.InfoCommands) {
            if (TableOf(command) == table)
                taken.insert(command.LocString);
        }
        // Without a name there is nothing to make the id from yet.
        const QString name = nameBox->text();
        if (!StringIsValid(name))
            return std::string();
        return TextTables::SuggestId(table.c_str(), ToSystemString(name), taken);
    };
    return texts;
}

void InfoForm::TakeDisplayText(const InfoCommandRef& changed, const std::string& text) {
    const std::string table = TableOf(changed);
    const std::string id = changed.LocString;
    // Every command of the id shows the one text; it is pending while the table differs.
    const std::string inTable = TextTables::LookUp(table.c_str(), id);
    const bool pending = text != inTable;
    // The save replaces this text only: a change of the line by someone else since is
    // not overwritten.
    tableTextsSeen[{table, id}] = inTable;
    for (InfoCommandRef& command : infoData.InfoCommands) {
        if (Names(command, table, id)) {
            command.Text = text;
            command.TextPending = pending;
        }
    }
}

void InfoForm::FollowPendingText(InfoCommandRef& command) const {
    const std::string table = TableOf(command);
    for (const InfoCommandRef& other : infoData.InfoCommands) {
        if (other.TextPending && Names(other, table, command.LocString)) {
            command.Text = other.Text;
            command.TextPending = true;
            return;
        }
    }
}

bool InfoForm::WritePendingTexts(TablesBefore& written) {
    TextImport texts;
    std::set<std::pair<std::string, std::string>> taken;
    for (const InfoCommandRef& command : infoData.InfoCommands) {
        const std::string table = TableOf(command);
        if (!command.TextPending || table.empty() ||
            !taken.insert({table, command.LocString}).second)
            continue;
        const auto seen = tableTextsSeen.find({table, command.LocString});
        texts.changes.push_back({table, command.LocString,
                                 seen != tableTextsSeen.end()
                                     ? seen->second
                                     : TextTables::LookUp(table.c_str(), command.LocString),
                                 command.Text});
    }
    if (texts.changes.empty())
        return true;
    if (ApplyTextImport(texts, {}, &written)) {
        ShowTableTextsInEditors();
        return true;
    }
    const bool theirs = TesselEngine::LastFailure().cause == TesselEngine::Cause::ChangedOnDisk;
    ShowMessage(this, "Error",
                "The texts cannot be written, so the info is not saved.\n" + LastFailureText() +
                    (theirs ? "\nA text this window changed was changed in the table meanwhile; "
                              "open the command and set its text again to write yours over it."
                            : QString()));
    return false;
}

} // namespace VaskEdit
