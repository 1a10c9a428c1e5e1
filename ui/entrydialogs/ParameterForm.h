// What the command, condition and required-perk dialogs share: a header with the type
// list and the description line, a scrolling panel of property rows, "Save" and
// "Cancel", the sizing of the dialog to its rows, the template picker and the keys.
//
// Each dialog edits one working-copy entry that its owner hands over by reference; the
// entry changes only when a save succeeds, and the dialog then ends with Accepted.
#pragma once

#include "info/ParameterSchema.h"
#include "info/WorkingCopy.h"
#include "ui/dialogs/KeyFirstDialog.h"

#include <memory>
#include <span>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QWidget;

namespace VaskEdit {

class ParameterRowControls;

// How an entry dialog opens: read-only, on a new entry, or on an entry to change.
enum class EntryEditMode { View, New, Edit };

class ParameterForm : public KeyFirstDialog {
    Q_OBJECT

public:
    ~ParameterForm() override;

    // Shows the first rowCount rows and sizes the dialog: up to eight rows are shown at
    // once, further rows are reached by scrolling.
    void ScalePanels(int rowCount);
    // Opens the template picker for the template-id box of a row (counted from 1).
    void Template_OnClick(int rowNumber);

    EntryEditMode Mode() const { return mode; }
    int SelectedType() const { return selectedType; }

    virtual void Save() = 0;
    void Cancel();

protected:
    ParameterForm(const QString& title, const QString& caption, int rowCount, int pickerRows,
                  EntryEditMode mode, QWidget* parent);

    // The empty state: no rows, height 300, the buttons in their first place, "Save"
    // enabled.
    void ClearRows();
    // Sets up the rows of a type (those up to pickerRows get the template picker) and
    // sizes the dialog to them.
    void SetUpRows(std::span<const Parameter> schemaRows);
    void ShowRowValues(std::span<const RowValue> values);
    std::vector<RowValue> RowValues(std::size_t count) const;
    // The mode step: in View the rows and the type list cannot be changed.
    void ApplyModeToControls();

    // Command and condition dialogs: their type follows the type list's text.
    void FollowTypeText();
    virtual int TypeIndexOf(std::string_view text) const;
    virtual void OnTypeChosen(int index);
    // Run after every change of the type list's text: whether "Save" may store it.
    virtual void RefreshSaveState();
    // Enables "Save" unless the type is refused, and says why it is off below the
    // buttons and as their tool tip. noun: "command" or "condition".
    void ShowTypeRefusal(TypeRefusal refusal, const QString& noun, std::string_view typeName);
    // Selects the list entry without running OnTypeChosen again.
    void ShowTypeEntry(int index, const QString& textWhenNone);

    // Room below the rows for a control of the dialog's own (height 0: none); the
    // dialog and its buttons grow by it. BelowPanelTop is where that room begins.
    void ReserveBelowPanel(int height);
    int BelowPanelTop() const;
    static int BelowPanelLeft();
    static int BelowPanelWidth();

    QString TypeText() const;
    // The text box of a row (counted from 0).
    QLineEdit* RowBox(std::size_t index) const;

    bool HandleKey(QKeyEvent& event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QComboBox* typeList;
    // The type whose rows are shown; -1 when the type list's text names none.
    int selectedType = -1;
    QLabel* description;
    QPushButton* saveButton;
    QPushButton* cancelButton;

private:
    void PlaceButtons(int top);

    EntryEditMode mode;
    int pickerRows;
    int shownRowCount = -1; // -1 while the dialog is empty
    int belowPanel = 0;
    bool showingType = false;
    QLabel* propertiesCaption;
    QLabel* refusalLabel;
    QScrollArea* propertiesPanel;
    QWidget* rowArea;
    std::vector<std::unique_ptr<ParameterRowControls>> rows;
};

} // namespace VaskEdit
