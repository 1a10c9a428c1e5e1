// The modal message of the program: a caption, a text and "OK".
#pragma once

#include <QDialog>

class QLabel;

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
};

} // namespace VaskEdit
