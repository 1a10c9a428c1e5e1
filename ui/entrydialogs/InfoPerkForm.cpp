#include "ui/entrydialogs/InfoPerkForm.h"

#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"
#include "ui/entrydialogs/ReadableCharacters.h"

#include <QComboBox>
#include <QLineEdit>

namespace VaskEdit {

namespace {
constexpr int PerkRowCount = 3;
// The record keeps the perk in 48 characters, "gESkill_" included.
constexpr std::size_t PerkCapacity = 48;
constexpr int SkillCapacity = static_cast<int>(PerkCapacity - SkillPrefix.size());
} // namespace

InfoPerkForm::InfoPerkForm(InfoRequiredPerkRef& perkEntry, EntryEditMode mode, QWidget* parent)
    : ParameterForm("InfoPerkForm", "Required Perk", PerkRowCount, 0, mode, parent),
      entry(perkEntry) {
    for (const std::string_view skill : SkillNames())
        typeList->addItem(FromSystemString(skill));
    typeList->lineEdit()->setMaxLength(SkillCapacity);
    ResetToDefault();
}

void InfoPerkForm::ResetToDefault() {
    ShowSkill(-1, QString());
    loadedPerk.reset();
    ClearRows();
    SetUpRows(PerkRows());
}

void InfoPerkForm::LoadGUIFromCommandData() {
    const RowValue skill = LoadPerkSkill(entry);
    loadedPerk = skill.original;
    const int index = FindChoice(Choices(Enumeration::Skill), skill.text);
    ShowSkill(index, FromSystemString(skill.text));
    ShowRowValues(LoadPerkRows(entry));
    ApplyModeToControls();
}

void InfoPerkForm::Save() {
    if (Mode() == EntryEditMode::View) {
        Cancel();
        return;
    }
    const QString skillText = TypeText();
    if (!StringIsValid(skillText)) {
        ShowMessage(this, "Error", "Invalid Perk!");
        return;
    }
    const RowValue skill{ToSystemString(skillText), loadedPerk};
    if (StorePerk(entry, skill, RowValues(PerkRows().size())))
        accept();
}

void InfoPerkForm::ShowSkill(int index, const QString& textWhenNone) {
    // A typed skill is kept as the file's reader would give it back.
    typeList->lineEdit()->setValidator(nullptr);
    ShowTypeEntry(index, textWhenNone);
    RefuseUnreadableCharacters(typeList->lineEdit(), PerkCapacity);
}

} // namespace VaskEdit
