#include "ui/dialogs/UserDialog.h"

#include "ui/dialogs/DialogResult.h"
#include "ui/dialogs/StandardDialogFrame.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace VaskEdit {

namespace {
const QSize ClientArea(248, 131);

// Buttons in a row at the first one's place, each as wide as its text needs and at least
// the usual width; the dialog's fitting centres the row.
void LineUp(const QList<QPushButton*>& buttons, int gap) {
    int x = buttons.front()->x();
    const int y = buttons.front()->y();
    for (QPushButton* button : buttons) {
        button->setGeometry(x, y, std::max(75, button->sizeHint().width()), 23);
        x += button->width() + gap;
    }
}
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
    QList<QPushButton*> buttons = {yesButton, noButton};
    if (neitherButton)
        buttons << neitherButton;
    FitToMessage(this, messageLabel, ClientArea, buttons);
}

void UserDialog::SetButtonTexts(const QString& yes, const QString& no) {
    yesButton->setText(yes);
    noButton->setText(no);
    LineUp({yesButton, noButton}, 18);
    FitToMessage(this, messageLabel, ClientArea, {yesButton, noButton});
}

void UserDialog::SetButtonTexts(const QString& yes, const QString& no, const QString& neither) {
    yesButton->setText(yes);
    noButton->setText(no);
    if (!neitherButton) {
        neitherButton = new QPushButton(this);
        connect(neitherButton, &QPushButton::clicked, this, [this] { done(DialogResult::Cancel); });
    }
    neitherButton->setText(neither);
    LineUp({yesButton, noButton, neitherButton}, 10);
    FitToMessage(this, messageLabel, ClientArea, {yesButton, noButton, neitherButton});
}

QString UserDialog::Message() const {
    return messageLabel->text();
}

} // namespace VaskEdit
