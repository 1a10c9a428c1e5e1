// The command dialog: one command of the info editor's working copy, its type chosen from
// the 60 command types and its parameters in up to 20 rows.
#pragma once

#include "ui/ParameterForm.h"

namespace VaskEdit {

class InfoCommandForm : public ParameterForm {
    Q_OBJECT

public:
    // mode: 0 View, 1 New, 2 Edit.
    InfoCommandForm(InfoCommandRef& entry, int mode, QWidget* parent = nullptr);

    // No type chosen, no rows.
    void ResetToDefault();
    // Shows the entry (View and Edit): its type and its rows' values.
    void LoadGUIFromCommandData();
    // Sets up the rows of the command type at that index; -1 for a text that names no
    // type. Runs whenever the type list's text changes to another type.
    void SelectCommand(int index);

    // Stores the rows into the entry and closes with Accepted (View: as Cancel).
    void Save() override;

protected:
    int TypeIndexOf(std::string_view text) const override;
    void OnTypeChosen(int index) override;
    void RefreshSaveState() override;

private:
    InfoCommandRef& entry;
};

} // namespace VaskEdit
