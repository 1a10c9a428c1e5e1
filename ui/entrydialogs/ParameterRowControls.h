// One property row of the command, condition and perk dialogs: a name label, a type tag,
// a text box and a drop-down list, of which the row's kind shows one.
#pragma once

#include "info/ParameterSchema.h"
#include "info/WorkingCopy.h"

#include <QString>

#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace VaskEdit {

class ParameterRowControls {
public:
    // number counts from 1; the controls are named "rowName<n>", "rowType<n>",
    // "rowBox<n>" and "rowList<n>".
    ParameterRowControls(QWidget* panel, int number);

    // Hides the row, empties its box and list and forgets its schema row.
    void Clear();
    // Shows the row for the schema row with the initial content of its kind.
    void SetUp(const Parameter& row, bool picksTemplate);
    // Shows a loaded value; a list shows a value that is none of its names as an extra
    // entry, so that saving unchanged keeps it.
    void Show(const RowValue& value);
    RowValue Value() const;

    void SetRowVisible(bool visible);
    void SetEditable(bool editable);
    // Puts a GUID from the template picker into the box.
    void TakeTemplateId(const QString& guid);

    bool PicksTemplate() const { return picksTemplate; }
    QLineEdit* Box() const { return box; }
    QComboBox* List() const { return list; }

private:
    bool UsesList() const;
    int MaxLength() const;
    // Through the row's mask, and refusing what the file would cut.
    void ShowBoxText(const std::string& text);

    QLabel* nameLabel;
    QLabel* typeLabel;
    QLineEdit* box;
    QComboBox* list;
    const Parameter* row = nullptr;
    std::optional<std::string> original;
    bool picksTemplate = false;
};

} // namespace VaskEdit
