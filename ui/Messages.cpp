#include "ui/Messages.h"

#include "ui/MessageForm.h"
#include "ui/UserDialog.h"

namespace VaskEdit {

void ShowMessage(QWidget* parent, const QString& caption, const QString& text) {
    MessageForm message(caption, text, parent);
    message.exec();
}

void ShowReadOnlyMessage(QWidget* parent) {
    ShowMessage(parent, ReadOnlyCaption, ReadOnlyText);
}

int Ask(QWidget* parent, const QString& caption, const QString& text) {
    UserDialog question(caption, text, parent);
    return question.exec();
}

} // namespace VaskEdit
