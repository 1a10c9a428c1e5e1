#include "ui/UserDialog.h"

#include "ui/DialogResult.h"
#include "ui/StandardDialogFrame.h"

#include <QLabel>
#include <QPushButton>

namespace VaskEdit {

namespace {
const QSize ClientArea(248, 131);
} // namespace

UserDialog::UserDialog(QWidget* parent) : QDialog(parent) {
    messageLabel = SetUpStandardDialog(this, ClientArea);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    yesButton = new QPushButton("Yes", this);
    yesButton->setGeometry(40, 96, 75, 23);
    yesButton->setDefault(true);
    noButton = new QPushButton("No", this);
    noButton->setGeometry(133, 96, 75, 23);
    connect(yesButton, &QPushButton::clicked, this, [this] { done(DialogResult::Yes); });
    connect(noButton, &QPushButton::clicked, this, [this] { done(DialogResult::No); });
}

UserDialog::UserDialog(const QString& caption, const QString& message, QWidget* parent)
    : UserDialog(parent) {
    SetTexts(caption, message);
}

void UserDialog::SetTexts(const QString& caption, const QString& message) {
    SetStandardTexts(this, messageLabel, caption, message);
    FitToMessage(this, messageLabel, ClientArea, {yesButton, noButton});
}

void UserDialog::SetButtonTexts(const QString& yes, const QString& no) {
    yesButton->setText(yes);
    noButton->setText(no);
}

QString UserDialog::Message() const {
    return messageLabel->text();
}

} // namespace VaskEdit
