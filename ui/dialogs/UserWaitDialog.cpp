#include "ui/dialogs/UserWaitDialog.h"

#include "ui/dialogs/DialogResult.h"
#include "ui/dialogs/StandardDialogFrame.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace VaskEdit {

UserWaitDialog::UserWaitDialog(QWidget* parent) : QDialog(parent) {
    messageLabel = SetUpStandardDialog(this, QSize(242, 128));
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setGeometry(83, 93, 75, 23);
    connect(cancel, &QPushButton::clicked, this, &UserWaitDialog::reject);
    jobLabel = new QLabel(this);
    jobLabel->setGeometry(12, 30, 218, 18);
    bar = new QProgressBar(this);
    bar->setGeometry(12, 50, 218, 14);
    bar->setRange(0, 100);
    bar->setTextVisible(false);
    countLabel = new QLabel(this);
    countLabel->setGeometry(12, 66, 218, 18);
    for (QWidget* part : {static_cast<QWidget*>(jobLabel), static_cast<QWidget*>(bar),
                          static_cast<QWidget*>(countLabel)})
        part->hide();
}

UserWaitDialog::UserWaitDialog(const QString& caption, const QString& message, QWidget* parent)
    : UserWaitDialog(parent) {
    SetTexts(caption, message);
}

void UserWaitDialog::SetTexts(const QString& caption, const QString& message) {
    SetStandardTexts(this, messageLabel, caption, message);
}

void UserWaitDialog::SetJob(const QString& name) {
    jobLabel->setText(name);
    jobLabel->show();
    bar->setValue(0);
    bar->show();
    countLabel->show();
}

void UserWaitDialog::SetProgress(int percent, const QString& count) {
    bar->setValue(percent);
    countLabel->setText(count);
}

QString UserWaitDialog::JobText() const {
    return jobLabel->text();
}

QString UserWaitDialog::CountText() const {
    return countLabel->text();
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
