// Showing a message or asking a question from any window, through the program's own
// message and question dialogs.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace TesselEngine {
struct Failure;
}

namespace VaskEdit {

struct Rollback;

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
// A command of several files failed and could not put every file back: which file is in
// which state, the failure, and that the journal waits for a recovery.
QString NotPutBackText(const QString& what, const TesselEngine::Failure& failure,
                       const Rollback& putBack);
// A list in a message stays readable: its first lines, each after a line end, and how
// many more there are.
QString FirstLines(const QStringList& lines);
// The question's answer: DialogResult::Yes, No, or Cancel when it was closed otherwise.
int Ask(QWidget* parent, const QString& caption, const QString& text);
// The same with buttons that name the answers: yes gives DialogResult::Yes, no No.
int Ask(QWidget* parent, const QString& caption, const QString& text, const QString& yes,
        const QString& no);
// With a third button, neither, that answers DialogResult::Cancel.
int Ask(QWidget* parent, const QString& caption, const QString& text, const QString& yes,
        const QString& no, const QString& neither);

} // namespace VaskEdit
