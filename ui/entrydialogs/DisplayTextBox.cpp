#include "ui/entrydialogs/DisplayTextBox.h"

#include "engine/Windows1252.h"
#include "info/TextTableEdit.h"
#include "ui/common/SystemString.h"

#include <QToolTip>
#include <QValidator>

namespace VaskEdit {

namespace {
// Refuses each key that would make the text one the table cannot hold, keeping the
// reason for the box to show.
class DisplayTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        reason = DisplayTextRefusal(input);
        return reason.isEmpty() ? Acceptable : Invalid;
    }
    mutable QString reason;
};
} // namespace

QString DisplayTextRefusal(const QString& text, std::string* bytes) {
    const std::optional<std::string> converted =
        TesselEngine::Utf8ToWindows1252(text.toUtf8().toStdString());
    if (!converted)
        return "The text has a character that Windows-1252 lacks, which the tables hold.";
    const std::string refusal = TextTables::TextRefusal(*converted);
    if (!refusal.empty()) {
        QString reason = QString::fromStdString(refusal);
        reason[0] = reason[0].toUpper();
        return reason + ".";
    }
    if (bytes)
        *bytes = *converted;
    return {};
}

DisplayTextBox::DisplayTextBox(QWidget* parent) : QLineEdit(parent) {
    setObjectName("displayTextBox");
    setPlaceholderText("display text");
    auto* validator = new DisplayTextValidator(this);
    setValidator(validator);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { setToolTip(text); });
    connect(this, &QLineEdit::inputRejected, this, [this, validator] {
        QToolTip::showText(mapToGlobal(QPoint(0, height())), validator->reason, this);
    });
}

void DisplayTextBox::ShowTableText(const std::string& bytes) {
    setText(FromSystemString(bytes));
    setModified(false);
    // The box is narrow: it shows a line's beginning, the tool tip all of it.
    setCursorPosition(0);
}

bool DisplayTextBox::Edited() const {
    return isModified();
}

} // namespace VaskEdit
