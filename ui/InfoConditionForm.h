// The condition dialog: one condition of the info editor's working copy, its type chosen
// from the 16 condition types and its parameters in up to 10 rows.
#pragma once

#include "ui/ParameterForm.h"

namespace VaskEdit {

class InfoConditionForm : public ParameterForm {
    Q_OBJECT

public:
    // mode: 0 View, 1 New, 2 Edit.
    InfoConditionForm(InfoConditionRef& entry, int mode, QWidget* parent = nullptr);

    void ResetToDefault();
    // Shows the entry (View and Edit), then lets the mode decide what can be changed.
    void LoadGUIFromCommandData();
    // Sets up the rows of the condition type at that index; -1 for a text that names no
    // type. A template-id box stays read-only (filled by the picker) after a choice.
    void SelectCondition(int index);

    void Save() override;

protected:
    int TypeIndexOf(std::string_view text) const override;
    void OnTypeChosen(int index) override;
    void RefreshSaveState() override;

private:
    InfoConditionRef& entry;
};

} // namespace VaskEdit
