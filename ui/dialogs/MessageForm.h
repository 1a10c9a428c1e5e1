// The modal message of the program: a caption, a text and "OK". A long text makes it
// grow, up to the screen, and scroll beyond.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace VaskEdit {

class MessageForm : public QDialog {
    Q_OBJECT

public:
    explicit MessageForm(QWidget* parent = nullptr);
    MessageForm(const QString& caption, const QString& message, QWidget* parent = nullptr);

    void SetTexts(const QString& caption, const QString& message);
    QString Message() const;

private:
    QLabel* messageLabel;
    QPushButton* okButton;
};

} // namespace VaskEdit
