// Showing a message or asking a question from any window, through the program's own
// message and question dialogs.
#pragma once

#include <QString>

class QWidget;

namespace TesselEngine {
struct Failure;
}

namespace VaskEdit {

inline const QString ReadOnlyCaption = QStringLiteral("Caution");
inline const QString ReadOnlyText =
    QStringLiteral("Current permissions: read only.\nPlease enable editmode.");

void ShowMessage(QWidget* parent, const QString& caption, const QString& text);
void ShowReadOnlyMessage(QWidget* parent);
// The library's reason for a failure as a message text, word for word what the command
// line prints for it.
QString FailureText(const TesselEngine::Failure& failure);
// FailureText of this thread's last failure.
QString LastFailureText();
// The question's answer: DialogResult::Yes, No, or Cancel when it was closed otherwise.
int Ask(QWidget* parent, const QString& caption, const QString& text);

} // namespace VaskEdit
