// The modal wait of the program: a caption, a text and "Cancel", shown while a long job
// runs. The owner closes it with Finish when the work ends and asks CancelRequested
// while the job runs.
#pragma once

#include <QDialog>

class QLabel;

namespace VaskEdit {

class UserWaitDialog : public QDialog {
    Q_OBJECT

public:
    explicit UserWaitDialog(QWidget* parent = nullptr);
    UserWaitDialog(const QString& caption, const QString& message, QWidget* parent = nullptr);

    void SetTexts(const QString& caption, const QString& message);
    QString Message() const;

    // True once the user pressed "Cancel" or closed the window.
    bool CancelRequested() const { return cancelRequested; }
    // Closes the dialog with OK, unless the user has cancelled already.
    void Finish();

    void reject() override;

signals:
    void cancelled();

private:
    QLabel* messageLabel;
    bool cancelRequested = false;
};

} // namespace VaskEdit
