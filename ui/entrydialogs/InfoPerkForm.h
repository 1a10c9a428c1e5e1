// The required-perk dialog: one required perk of the info editor's working copy, its
// skill chosen from the skill list, its value and its invert test.
#pragma once

#include "ui/entrydialogs/ParameterForm.h"

#include <optional>
#include <string>

namespace VaskEdit {

class InfoPerkForm : public ParameterForm {
    Q_OBJECT

public:
    // The info editor opens existing perks as New too, so their rows stay editable.
    InfoPerkForm(InfoRequiredPerkRef& entry, EntryEditMode mode, QWidget* parent = nullptr);

    // No skill, the two fixed rows with their initial content.
    void ResetToDefault();
    // Shows the entry's skill (without "gESkill_"), value and invert test.
    void LoadGUIFromCommandData();

    void Save() override;

private:
    void ShowSkill(int index, const QString& textWhenNone);

    InfoRequiredPerkRef& entry;
    // The stored perk as loaded: kept when the user leaves a skill the list lacks.
    std::optional<std::string> loadedPerk;
};

} // namespace VaskEdit
