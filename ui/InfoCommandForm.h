// The command dialog: one command of the info editor's working copy, its type chosen from
// the 60 command types and its parameters in up to 20 rows.
#pragma once

#include "ui/EntryForm.h"

namespace VaskEdit {

class InfoCommandForm : public EntryFormOf<InfoCommandRef> {
    Q_OBJECT

public:
    InfoCommandForm(InfoCommandRef& entry, EntryEditMode mode, QWidget* parent = nullptr)
        : EntryFormOf(entry, mode, parent) {}

    void SelectCommand(int index) { SelectType(index); }
};

} // namespace VaskEdit
