// The condition dialog: one condition of the info editor's working copy, its type chosen
// from the 16 condition types and its parameters in up to 10 rows.
#pragma once

#include "ui/entrydialogs/EntryForm.h"

namespace VaskEdit {

class InfoConditionForm : public EntryFormOf<InfoConditionRef> {
    Q_OBJECT

public:
    InfoConditionForm(InfoConditionRef& entry, EntryEditMode mode, QWidget* parent = nullptr)
        : EntryFormOf(entry, mode, parent) {}

    void SelectCondition(int index) { SelectType(index); }
};

} // namespace VaskEdit
