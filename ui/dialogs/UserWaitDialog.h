// The modal wait of the program: a caption, a text and "Cancel", shown while a long job
// runs. The owner closes it with Finish when the work ends and asks CancelRequested
// while the job runs.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace VaskEdit {

class UserWaitDialog : public QDialog {
    Q_OBJECT

public:
    explicit UserWaitDialog(QWidget* parent = nullptr);
    UserWaitDialog(const QString& caption, const QString& message, QWidget* parent = nullptr);

    void SetTexts(const QString& caption, const QString& message);

    // What runs: its name above a progress bar, and how far it has come below it, such
    // as "12,345 of 20,000 files".
    void SetJob(const QString& name);
    void SetProgress(int percent, const QString& count);
    QString JobText() const;
    QString CountText() const;

    // True once the user pressed "Cancel" or closed the window.
    bool CancelRequested() const { return cancelRequested; }
    // Closes the dialog with OK, unless the user has cancelled already.
    void Finish();

    void reject() override;

signals:
    void cancelled();

private:
    QLabel* messageLabel;
    QLabel* jobLabel;
    QProgressBar* bar;
    QLabel* countLabel;
    bool cancelRequested = false;
};

} // namespace VaskEdit
