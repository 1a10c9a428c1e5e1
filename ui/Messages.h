// Showing a message or asking a question from any window, through the program's own
// message and question dialogs.
#pragma once

#include <QString>

class QWidget;

namespace VaskEdit {

inline const QString ReadOnlyCaption = QStringLiteral("Caution");
inline const QString ReadOnlyText =
    QStringLiteral("Current permissions: read only.\nPlease enable editmode.");

void ShowMessage(QWidget* parent, const QString& caption, const QString& text);
void ShowReadOnlyMessage(QWidget* parent);
// The question's answer: DialogResult::Yes, No, or Cancel when it was closed otherwise.
int Ask(QWidget* parent, const QString& caption, const QString& text);

} // namespace VaskEdit
