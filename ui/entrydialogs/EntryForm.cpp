#include "ui/entrydialogs/EntryForm.h"

#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace VaskEdit {

namespace {
// What differs between the two kinds of dialogs.
struct KindLook {
    const char* title;
    const char* caption;
    const char* noun;
    const char* invalid; // the message for a blank type
    int rows;
    int pickerRows;
    // Whether a chosen type's rows take the mode at once: a condition's template-id box
    // stays read-only (filled by the picker) after a choice.
    bool modeAfterChoice;
};
constexpr KindLook CommandLook{"InfoCommand", "Command", "command", "Invalid Command!", 20, 9,
                               true};
constexpr KindLook ConditionLook{
    "InfoConditionForm", "Condition", "condition", "Invalid Condition!", 10, 5, false};

const KindLook& LookOf(EntryKind kind) {
    return kind == EntryKind::Command ? CommandLook : ConditionLook;
}

// The record keeps a type's name in 32 characters.
constexpr int NameCapacity = 32;
} // namespace

EntryForm::EntryForm(EntryKind entryKind, EntryEditMode mode, QWidget* parent)
    : ParameterForm(LookOf(entryKind).title, LookOf(entryKind).caption, LookOf(entryKind).rows,
                    LookOf(entryKind).pickerRows, mode, parent),
      kind(entryKind) {
    for (const EntryType& type : EntryTypes(kind))
        typeList->addItem(FromSystemString(type.entry));
    typeList->lineEdit()->setMaxLength(NameCapacity);
}

const EntryType* EntryForm::Selected() const {
    return selectedType < 0 ? nullptr
                            : FindEntryType(kind, static_cast<std::uint32_t>(selectedType));
}

void EntryForm::ResetToDefault() {
    ShowTypeEntry(-1, QString());
    selectedType = -1;
    description->setText("Description");
    ClearRows();
}

void EntryForm::RefreshSaveState() {
    const std::string typeText = ToSystemString(TypeText());
    const EntryType* selected = Selected();
    ShowTypeRefusal(Refusal(selected, typeText), LookOf(kind).noun,
                    selected ? selected->name : std::string_view(typeText));
}

int EntryForm::TypeIndexOf(std::string_view text) const {
    const EntryType* type = FindEntryTypeByEntry(kind, text);
    return type ? static_cast<int>(type->value) : -1;
}

void EntryForm::OnTypeChosen(int index) {
    SelectType(index);
}

void EntryForm::SelectType(int index) {
    const EntryType* type =
        index < 0 ? nullptr : FindEntryType(kind, static_cast<std::uint32_t>(index));
    if (!type)
        index = -1;
    // Called directly, it chooses the entry as the user would.
    if (index >= 0 && TypeIndexOf(ToSystemString(TypeText())) != index)
        ShowTypeEntry(index, QString());
    ClearRows();
    selectedType = index;
    if (type) {
        description->setText(FromSystemString(type->description));
        SetUpRows(type->Rows());
        if (Mode() == EntryEditMode::New)
            FillSuggestions(*type);
    } else {
        // A typed name of no list entry: only the name of a kept block can be stored.
        description->setText("Description");
        ScalePanels(0);
    }
    RefreshSaveState();
    if (LookOf(kind).modeAfterChoice)
        ApplyModeToControls();
    RowsChanged();
}

void EntryForm::FillSuggestions(const EntryType& type) {
    const auto rows = type.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto suggestion = suggestions.find(std::string(rows[i].label));
        QLineEdit* box = RowBox(i);
        if (suggestion != suggestions.end() && box && box->text().isEmpty())
            box->setText(FromSystemString(suggestion->second));
    }
}

void EntryForm::LoadGUIFromCommandData() {
    if (Mode() != EntryEditMode::New) {
        // A stored name of no known type is shown as it is, not as the first type.
        const std::string name = StoredName();
        const EntryType* type = FindEntryType(kind, std::string_view(name));
        const int index = type ? static_cast<int>(type->value) : -1;
        ShowTypeEntry(index, FromSystemString(name));
        SelectType(index);
        ShowRowValues(LoadRows(type));
    }
    ApplyModeToControls();
    RowsChanged();
}

void EntryForm::Save() {
    if (Mode() == EntryEditMode::View) {
        Cancel();
        return;
    }
    const QString typeText = TypeText();
    if (!StringIsValid(typeText)) {
        ShowMessage(this, "Error", LookOf(kind).invalid);
        return;
    }
    const EntryType* selected = Selected();
    const std::size_t rowCount = selected ? selected->Rows().size() : 0;
    if (Store(selected, ToSystemString(typeText), RowValues(rowCount)))
        accept();
}

} // namespace VaskEdit
