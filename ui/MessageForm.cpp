#include "ui/MessageForm.h"

#include "ui/StandardDialogFrame.h"

#include <QLabel>
#include <QPushButton>

namespace VaskEdit {

MessageForm::MessageForm(QWidget* parent) : QDialog(parent) {
    messageLabel = SetUpStandardDialog(this, QSize(253, 126));
    auto* ok = new QPushButton("OK", this);
    ok->setGeometry(89, 91, 75, 23);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

MessageForm::MessageForm(const QString& caption, const QString& message, QWidget* parent)
    : MessageForm(parent) {
    SetTexts(caption, message);
}

void MessageForm::SetTexts(const QString& caption, const QString& message) {
    SetStandardTexts(this, messageLabel, caption, message);
}

QString MessageForm::Message() const {
    return messageLabel->text();
}

} // namespace VaskEdit
