#include "ui/UserDialog.h"

#include "ui/DialogResult.h"
#include "ui/StandardDialogFrame.h"

#include <QLabel>
#include <QPushButton>

namespace VaskEdit {

UserDialog::UserDialog(QWidget* parent) : QDialog(parent) {
    messageLabel = SetUpStandardDialog(this, QSize(248, 131));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    auto* yes = new QPushButton("Yes", this);
    yes->setGeometry(40, 96, 75, 23);
    yes->setDefault(true);
    auto* no = new QPushButton("No", this);
    no->setGeometry(133, 96, 75, 23);
    connect(yes, &QPushButton::clicked, this, [this] { done(DialogResult::Yes); });
    connect(no, &QPushButton::clicked, this, [this] { done(DialogResult::No); });
}

UserDialog::UserDialog(const QString& caption, const QString& message, QWidget* parent)
    : UserDialog(parent) {
    SetTexts(caption, message);
}

void UserDialog::SetTexts(const QString& caption, const QString& message) {
    SetStandardTexts(this, messageLabel, caption, message);
}

QString UserDialog::Message() const {
    return messageLabel->text();
}

} // namespace VaskEdit
