#include "ui/InfoPerkForm.h"

#include "ui/Messages.h"
#include "ui/SystemString.h"

#include <QComboBox>
#include <QLineEdit>

namespace VaskEdit {

namespace {
constexpr int PerkRowCount = 3;
// The record keeps the perk in 48 characters, "gESkill_" included.
constexpr int SkillCapacity = 48 - static_cast<int>(SkillPrefix.size());
} // namespace

InfoPerkForm::InfoPerkForm(InfoRequiredPerkRef& perkEntry, int mode, QWidget* parent)
    : ParameterForm("InfoPerkForm", "Required Perk", PerkRowCount, 0, mode, parent),
      entry(perkEntry) {
    for (const std::string_view skill : SkillNames())
        typeList->addItem(FromSystemString(skill));
    typeList->lineEdit()->setMaxLength(SkillCapacity);
    ResetToDefault();
}

void InfoPerkForm::ResetToDefault() {
    ShowTypeEntry(-1, QString());
    loadedPerk.reset();
    ClearRows();
    SetUpRows(PerkRows());
}

void InfoPerkForm::LoadGUIFromCommandData() {
    const RowValue skill = LoadPerkSkill(entry);
    loadedPerk = skill.original;
    const int index = FindChoice(Choices(Enumeration::Skill), skill.text);
    ShowTypeEntry(index, FromSystemString(skill.text));
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

} // namespace VaskEdit
