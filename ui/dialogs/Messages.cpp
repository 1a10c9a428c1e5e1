#include "ui/dialogs/Messages.h"

#include "engine/Failure.h"
#include "library/Journal.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/MessageForm.h"
#include "ui/dialogs/UserDialog.h"

namespace VaskEdit {

void ShowMessage(QWidget* parent, const QString& caption, const QString& text) {
    MessageForm message(caption, text, parent);
    message.exec();
}

void ShowReadOnlyMessage(QWidget* parent) {
    ShowMessage(parent, ReadOnlyCaption, ReadOnlyText);
}

QString FailureText(const TesselEngine::Failure& failure) {
    return FromSystemString(TesselEngine::FailureMessage(failure));
}

QString FirstLines(const QStringList& lines) {
    constexpr qsizetype Shown = 20;
    QString text;
    for (qsizetype i = 0; i < lines.size() && i < Shown; ++i)
        text += "\n" + lines[i];
    if (lines.size() > Shown)
        text += "\n... and " + QString::number(lines.size() - Shown) + " more.";
    return text;
}

QString LastFailureText() {
    return FailureText(TesselEngine::LastFailure());
}

QString NotPutBackText(const QString& what, const TesselEngine::Failure& failure,
                       const Rollback& putBack) {
    QString text = what + ", and not every file could be put back as it was:";
    for (const std::string& line : RollbackLines(putBack))
        text += "\n" + FromSystemString(line);
    if (failure.IsSet())
        text += "\nThe first failure: " + FailureText(failure);
    if (putBack.journalKept)
        text += "\n" + FromSystemString(JournalKeptNote(putBack));
    return text;
}

int Ask(QWidget* parent, const QString& caption, const QString& text) {
    UserDialog question(caption, text, parent);
    return question.exec();
}

int Ask(QWidget* parent, const QString& caption, const QString& text, const QString& yes,
        const QString& no) {
    UserDialog question(caption, text, parent);
    question.SetButtonTexts(yes, no);
    return question.exec();
}

int Ask(QWidget* parent, const QString& caption, const QString& text, const QString& yes,
        const QString& no, const QString& neither) {
    UserDialog question(caption, text, parent);
    question.SetButtonTexts(yes, no, neither);
    return question.exec();
}

} // namespace VaskEdit
