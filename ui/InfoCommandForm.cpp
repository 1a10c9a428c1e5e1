#include "ui/InfoCommandForm.h"

#include "ui/Messages.h"
#include "ui/SystemString.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace VaskEdit {

namespace {
constexpr int CommandRows = 20;
constexpr int CommandPickerRows = 9;
// The record keeps a command's type name in 32 characters.
constexpr int CommandNameCapacity = 32;
} // namespace

InfoCommandForm::InfoCommandForm(InfoCommandRef& commandEntry, int mode, QWidget* parent)
    : ParameterForm("InfoCommand", "Command", CommandRows, CommandPickerRows, mode, parent),
      entry(commandEntry) {
    for (int i = 0; i < CommandSchemaCount(); ++i)
        typeList->addItem(FromSystemString(CommandSchema(i)->entry));
    typeList->lineEdit()->setMaxLength(CommandNameCapacity);
    ResetToDefault();
    FollowTypeText();
}

void InfoCommandForm::ResetToDefault() {
    ShowTypeEntry(-1, QString());
    selectedType = -1;
    description->setText("Description");
    ClearRows();
}

void InfoCommandForm::RefreshSaveState() {
    const std::string typeText = ToSystemString(TypeText());
    const TypeSchema* schema = CommandSchema(selectedType);
    ShowTypeRefusal(CommandTypeRefusal(entry, selectedType, typeText), "command",
                    schema ? schema->name : std::string_view(typeText));
}

int InfoCommandForm::TypeIndexOf(std::string_view text) const {
    return CommandEntryIndex(text);
}

void InfoCommandForm::OnTypeChosen(int index) {
    SelectCommand(index);
}

void InfoCommandForm::SelectCommand(int index) {
    if (!CommandSchema(index))
        index = -1;
    // Called directly, it chooses the entry as the user would.
    if (index >= 0 && TypeIndexOf(ToSystemString(TypeText())) != index)
        ShowTypeEntry(index, QString());
    ClearRows();
    selectedType = index;
    const TypeSchema* schema = CommandSchema(index);
    if (schema) {
        description->setText(FromSystemString(schema->description));
        SetUpRows(schema->rows);
    } else {
        // A typed name of no list entry: only the name of a kept block can be stored.
        description->setText("Description");
        ScalePanels(0);
    }
    RefreshSaveState();
    ApplyModeToControls();
}

void InfoCommandForm::LoadGUIFromCommandData() {
    if (Mode() == EntryEditMode::New)
        return;
    // A stored name of no known type is shown as it is, not as the first type.
    const int index = CommandNameIndex(entry.Command);
    ShowTypeEntry(index, FromSystemString(entry.Command));
    SelectCommand(index);
    ShowRowValues(LoadCommandRows(entry, index));
}

void InfoCommandForm::Save() {
    if (Mode() == EntryEditMode::View) {
        Cancel();
        return;
    }
    const QString typeText = TypeText();
    if (!StringIsValid(typeText)) {
        ShowMessage(this, "Error", "Invalid Command!");
        return;
    }
    const TypeSchema* schema = CommandSchema(selectedType);
    const std::size_t rowCount = schema ? schema->rows.size() : 0;
    if (StoreCommand(entry, selectedType, ToSystemString(typeText), RowValues(rowCount)))
        accept();
}

} // namespace VaskEdit
