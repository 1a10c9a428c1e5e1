#include "ui/UserWaitDialog.h"

#include "ui/DialogResult.h"
#include "ui/StandardDialogFrame.h"

#include <QLabel>
#include <QPushButton>

namespace VaskEdit {

UserWaitDialog::UserWaitDialog(QWidget* parent) : QDialog(parent) {
    messageLabel = SetUpStandardDialog(this, QSize(242, 128));
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setGeometry(83, 93, 75, 23);
    connect(cancel, &QPushButton::clicked, this, &UserWaitDialog::reject);
}

UserWaitDialog::UserWaitDialog(const QString& caption, const QString& message, QWidget* parent)
    : UserWaitDialog(parent) {
    SetTexts(caption, message);
}

void UserWaitDialog::SetTexts(const QString& caption, const QString& message) {
    SetStandardTexts(this, messageLabel, caption, message);
}

QString UserWaitDialog::Message() const {
    return messageLabel->text();
}

void UserWaitDialog::Finish() {
    if (!cancelRequested)
        done(DialogResult::OK);
}

void UserWaitDialog::reject() {
    if (!cancelRequested) {
        cancelRequested = true;
        emit cancelled();
    }
    QDialog::reject();
}

} // namespace VaskEdit
