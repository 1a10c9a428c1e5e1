// What the message, question and wait dialogs share: a client area centred on the
// screen, the title "Title" and the label "Default" until their texts are set, and a
// row of buttons centred at the bottom.
#pragma once

#include <QList>
#include <QSize>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;

namespace VaskEdit {

// Sizes and centres the dialog and returns its message label, which lies in a frameless
// area that scrolls when the text is larger than the dialog can grow.
QLabel* SetUpStandardDialog(QDialog* dialog, QSize clientArea);
void SetStandardTexts(QDialog* dialog, QLabel* label, const QString& caption,
                      const QString& message);

// Sizes the dialog to its message: the client area it was made with while the text fits
// in it; otherwise as large as the text needs, up to the screen's available area, with
// long lines wrapped and the rest reached by scrolling. The buttons keep their row,
// centred at the bottom. The dialog is centred again.
void FitToMessage(QDialog* dialog, QLabel* label, QSize clientArea,
                  const QList<QPushButton*>& buttons);

} // namespace VaskEdit
