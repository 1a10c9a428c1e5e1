#include "ui/InfoConditionForm.h"

#include "ui/Messages.h"
#include "ui/SystemString.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace VaskEdit {

namespace {
constexpr int ConditionRows = 10;
constexpr int ConditionPickerRows = 5;
// The record keeps a condition's type name in 32 characters.
constexpr int ConditionNameCapacity = 32;
} // namespace

InfoConditionForm::InfoConditionForm(InfoConditionRef& conditionEntry, int mode, QWidget* parent)
    : ParameterForm("InfoConditionForm", "Condition", ConditionRows, ConditionPickerRows, mode,
                    parent),
      entry(conditionEntry) {
    for (int i = 0; i < ConditionSchemaCount(); ++i)
        typeList->addItem(FromSystemString(ConditionSchema(i)->entry));
    typeList->lineEdit()->setMaxLength(ConditionNameCapacity);
    ResetToDefault();
    FollowTypeText();
}

void InfoConditionForm::ResetToDefault() {
    ShowTypeEntry(-1, QString());
    selectedType = -1;
    description->setText("Description");
    ClearRows();
}

void InfoConditionForm::RefreshSaveState() {
    const std::string typeText = ToSystemString(TypeText());
    const TypeSchema* schema = ConditionSchema(selectedType);
    ShowTypeRefusal(ConditionTypeRefusal(entry, selectedType, typeText), "condition",
                    schema ? schema->name : std::string_view(typeText));
}

int InfoConditionForm::TypeIndexOf(std::string_view text) const {
    return ConditionEntryIndex(text);
}

void InfoConditionForm::OnTypeChosen(int index) {
    SelectCondition(index);
}

void InfoConditionForm::SelectCondition(int index) {
    if (!ConditionSchema(index))
        index = -1;
    // Called directly, it chooses the entry as the user would.
    if (index >= 0 && TypeIndexOf(ToSystemString(TypeText())) != index)
        ShowTypeEntry(index, QString());
    ClearRows();
    selectedType = index;
    const TypeSchema* schema = ConditionSchema(index);
    if (schema) {
        description->setText(FromSystemString(schema->description));
        SetUpRows(schema->rows);
    } else {
        description->setText("Description");
        ScalePanels(0);
    }
    RefreshSaveState();
}

void InfoConditionForm::LoadGUIFromCommandData() {
    if (Mode() != EntryEditMode::New) {
        // A stored name of no known type is shown as it is, not as the first type.
        const int index = ConditionNameIndex(entry.Condition);
        ShowTypeEntry(index, FromSystemString(entry.Condition));
        SelectCondition(index);
        ShowRowValues(LoadConditionRows(entry, index));
    }
    ApplyModeToControls();
}

void InfoConditionForm::Save() {
    if (Mode() == EntryEditMode::View) {
        Cancel();
        return;
    }
    const QString typeText = TypeText();
    if (!StringIsValid(typeText)) {
        ShowMessage(this, "Error", "Invalid Condition!");
        return;
    }
    const TypeSchema* schema = ConditionSchema(selectedType);
    const std::size_t rowCount = schema ? schema->rows.size() : 0;
    if (StoreCondition(entry, selectedType, ToSystemString(typeText), RowValues(rowCount)))
        accept();
}

} // namespace VaskEdit
