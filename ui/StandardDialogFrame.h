// What the message, question and wait dialogs share: a fixed client area centred on the
// screen, the title "Title" and the label "Default" until their texts are set.
#pragma once

#include <QSize>
#include <QString>

class QDialog;
class QLabel;

namespace VaskEdit {

// Sizes and centres the dialog and returns its message label.
QLabel* SetUpStandardDialog(QDialog* dialog, QSize clientArea);
void SetStandardTexts(QDialog* dialog, QLabel* label, const QString& caption,
                      const QString& message);

} // namespace VaskEdit
