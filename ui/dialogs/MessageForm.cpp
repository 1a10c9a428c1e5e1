#include "ui/dialogs/MessageForm.h"

#include "ui/dialogs/StandardDialogFrame.h"

#include <QLabel>
#include <QPushButton>

namespace VaskEdit {

namespace {
const QSize ClientArea(253, 126);
} // namespace

MessageForm::MessageForm(QWidget* parent) : QDialog(parent) {
    messageLabel = SetUpStandardDialog(this, ClientArea);
    okButton = new QPushButton("OK", this);
    okButton->setGeometry(89, 91, 75, 23);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

MessageForm::MessageForm(const QString& caption, const QString& message, QWidget* parent)
    : MessageForm(parent) {
    SetTexts(caption, message);
}

void MessageForm::SetTexts(const QString& caption, const QString& message) {
    SetStandardTexts(this, messageLabel, caption, message);
    FitToMessage(this, messageLabel, ClientArea, {okButton});
}

QString MessageForm::Message() const {
    return messageLabel->text();
}

} // namespace VaskEdit
