// The modal question of the program: a caption, a text, "Yes" and "No". It stays on top
// of all other windows. Closing it through the window's close control answers neither.
// A long text makes it grow, up to the screen, and scroll beyond.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace VaskEdit {

class UserDialog : public QDialog {
    Q_OBJECT

public:
    explicit UserDialog(QWidget* parent = nullptr);
    UserDialog(const QString& caption, const QString& message, QWidget* parent = nullptr);

    void SetTexts(const QString& caption, const QString& message);
    // Buttons that name the answers ("Restore", "Later") instead of "Yes" and "No".
    void SetButtonTexts(const QString& yes, const QString& no);
    // The same with a third button after them, which answers neither (Cancel), as
    // closing the question does: "Restore", "Discard", "Later".
    void SetButtonTexts(const QString& yes, const QString& no, const QString& neither);
    QString Message() const;

private:
    QLabel* messageLabel;
    QPushButton* yesButton;
    QPushButton* noButton;
    QPushButton* neitherButton = nullptr;
};

} // namespace VaskEdit
