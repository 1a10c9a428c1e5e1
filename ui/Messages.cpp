#include "ui/Messages.h"

#include "engine/Failure.h"
#include "ui/MessageForm.h"
#include "ui/SystemString.h"
#include "ui/UserDialog.h"

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

QString LastFailureText() {
    return FailureText(TesselEngine::LastFailure());
}

int Ask(QWidget* parent, const QString& caption, const QString& text) {
    UserDialog question(caption, text, parent);
    return question.exec();
}

} // namespace VaskEdit
