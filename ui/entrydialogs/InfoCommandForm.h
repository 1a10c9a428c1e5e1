// The command dialog: one command of the info editor's working copy, its type chosen from
// the 60 command types and its parameters in up to 20 rows. A type whose LocString names
// a line of a text table shows that line's display text below the rows, to be edited
// there.
#pragma once

#include "ui/entrydialogs/EntryForm.h"

#include <functional>
#include <optional>
#include <string>

class QLineEdit;

namespace VaskEdit {

class DisplayTextBox;

// Where the dialog finds display texts: the window's unsaved text of an id first, else
// its table's; and a free id for a new text of the info.
struct DisplayTexts {
    std::function<std::string(const std::string& table, const std::string& id)> textOf;
    std::function<std::string(const std::string& table)> freeId;
};

class InfoCommandForm : public EntryFormOf<InfoCommandRef> {
    Q_OBJECT

public:
    InfoCommandForm(InfoCommandRef& entry, EntryEditMode mode, QWidget* parent = nullptr);

    void SelectCommand(int index) { SelectType(index); }
    // Turns the display text box on; without it the dialog edits no texts.
    void UseDisplayTexts(DisplayTexts texts);
    // The box, or null while the chosen type has no text table.
    VaskEdit::DisplayTextBox* DisplayTextBox() const;
    // After a save: the text the box showed (Windows-1252), or nothing when the type
    // has no text table.
    const std::optional<std::string>& ShownText() const { return shownText; }

    void Save() override;

protected:
    void RowsChanged() override;

private:
    std::string Table() const;
    QLineEdit* IdBox() const;
    void ShowTextOfId();

    DisplayTexts texts;
    VaskEdit::DisplayTextBox* textBox = nullptr;
    QMetaObject::Connection followingId;
    std::optional<std::string> shownText;
};

} // namespace VaskEdit
