#include "UiTestSupport.h"

#include "ui/MessageForm.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace VaskUiTest {

namespace {
constexpr int PollMilliseconds = 10;
constexpr int PollAttempts = 300;

unsigned generation = 0;

void Poll(std::function<bool(QWidget*)> handle, int attemptsLeft) {
    QTimer::singleShot(PollMilliseconds, [handle, attemptsLeft, started = generation] {
        if (started != generation)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && handle(modal))
            return;
        if (attemptsLeft > 0) {
            Poll(handle, attemptsLeft - 1);
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    });
}
} // namespace

void OnNextModal(std::function<bool(QWidget*)> handle) {
    Poll(std::move(handle), PollAttempts);
}

void StopWatching() {
    ++generation;
}

void AnswerNextMessage(SeenMessage& seen) {
    OnNextModalOf<VaskEdit::MessageForm>([&seen](VaskEdit::MessageForm& message) {
        ++seen.count;
        seen.caption = message.windowTitle();
        seen.text = message.Message();
        message.accept();
    });
}

} // namespace VaskUiTest
