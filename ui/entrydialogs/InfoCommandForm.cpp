#include "ui/entrydialogs/InfoCommandForm.h"

#include "info/TextTableEdit.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"
#include "ui/entrydialogs/DisplayTextBox.h"

#include <QLineEdit>
#include <QPushButton>

namespace VaskEdit {

namespace {
// The row of the type that holds the LocString, or -1.
int IdRow(const EntryType& type) {
    const auto rows = type.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].slot == Slot::LocString)
            return static_cast<int>(i);
    }
    return -1;
}
} // namespace

InfoCommandForm::InfoCommandForm(InfoCommandRef& entry, EntryEditMode mode, QWidget* parent)
    : EntryFormOf(entry, mode, parent) {}

void InfoCommandForm::UseDisplayTexts(DisplayTexts displayTexts) {
    texts = std::move(displayTexts);
    RowsChanged();
}

std::string InfoCommandForm::Table() const {
    const EntryType* type = Selected();
    return type && texts.textOf && IdRow(*type) >= 0 ? std::string(type->textTable) : std::string();
}

QLineEdit* InfoCommandForm::IdBox() const {
    const EntryType* type = Selected();
    return type ? RowBox(static_cast<std::size_t>(IdRow(*type))) : nullptr;
}

VaskEdit::DisplayTextBox* InfoCommandForm::DisplayTextBox() const {
    return textBox && !textBox->isHidden() ? textBox : nullptr;
}

void InfoCommandForm::RowsChanged() {
    disconnect(followingId);
    const std::string table = Table();
    if (table.empty()) {
        if (textBox)
            textBox->hide();
        ReserveBelowPanel(0);
        return;
    }
    QLineEdit* idBox = IdBox();
    if (!textBox) {
        // Below the rows, as wide as they are: a line of the game is often long.
        textBox = new VaskEdit::DisplayTextBox(this);
        connect(textBox, &VaskEdit::DisplayTextBox::returnPressed, this, [this] {
            if (saveButton->isEnabled())
                Save();
        });
    }
    ReserveBelowPanel(textBox->Place(BelowPanelLeft(), 0, BelowPanelWidth()));
    textBox->Place(BelowPanelLeft(), BelowPanelTop(), BelowPanelWidth());
    textBox->setReadOnly(Mode() == EntryEditMode::View);
    textBox->show();
    // A new text gets a free id of the info, so that it can be written at once.
    if (Mode() == EntryEditMode::New && idBox->text().isEmpty() && texts.freeId)
        idBox->setText(FromSystemString(texts.freeId(table))); // none without an info name
    ShowTextOfId();
    followingId = connect(idBox, &QLineEdit::textChanged, this, [this] { ShowTextOfId(); });
}

void InfoCommandForm::ShowTextOfId() {
    textBox->ShowTableText(texts.textOf(Table(), ToSystemString(IdBox()->text())));
}

void InfoCommandForm::Save() {
    shownText.reset();
    // An untouched text goes back byte for byte.
    std::string bytes = DisplayTextBox() ? ToSystemString(textBox->text()) : std::string();
    const bool edits = Mode() != EntryEditMode::View && DisplayTextBox() && textBox->Edited();
    if (edits) {
        QString refusal = DisplayTextRefusal(textBox->text(), &bytes);
        const std::string idRefusal = TextTables::IdRefusal(ToSystemString(IdBox()->text()));
        if (refusal.isEmpty() && !idRefusal.empty())
            refusal = "The text cannot be written: " + FromSystemString(idRefusal) + ".";
        if (!refusal.isEmpty()) {
            ShowMessage(this, "Caution!", refusal);
            return;
        }
    }
    EntryFormOf::Save();
    if (result() == QDialog::Accepted && DisplayTextBox())
        shownText = bytes;
}

} // namespace VaskEdit
