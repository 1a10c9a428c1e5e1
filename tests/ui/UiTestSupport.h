// Answering the modal dialogs that a test provokes. A dialog's exec() blocks the test,
// so the answer is scheduled before, on a timer that waits until the dialog is the
// active modal window.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

class QTableView;
namespace VaskEdit {
class InfoForm;
}

#include <cstdint>
#include <functional>
#include <vector>

namespace VaskUiTest {

// Calls handle with the active modal window until it returns true. If no fitting
// window turns up within a few seconds, the active modal window is rejected so that the
// test goes on (and fails on its own checks) instead of hanging.
void OnNextModal(std::function<bool(QWidget*)> handle);
// Ends every wait that OnNextModal started; each test calls it when it ends, so that no
// wait outlives the objects it refers to.
void StopWatching();

// Runs the action on the next modal window of type T.
template <typename T> void OnNextModalOf(std::function<void(T&)> action) {
    OnNextModal([action](QWidget* window) {
        auto* dialog = qobject_cast<T*>(window);
        if (!dialog)
            return false;
        action(*dialog);
        return true;
    });
}

// Runs the dialog modally and, once it is shown, runs the action (what the user does).
int ExecDoing(QDialog& dialog, std::function<void()> action);

struct SeenMessage {
    int count = 0;
    QString caption;
    QString text;
};

// Records and accepts the next message dialog.
void AnswerNextMessage(SeenMessage& seen);

// Runs the action and gives the message it showed (accepted) as "caption|text"; waits a
// while for a message that a background job shows when it ends. Empty when none came.
QString MessageAfter(const std::function<void()>& action);

// What read-only windows answer an editing key with.
inline const QString ReadOnlyMessage =
    "Caution|Current permissions: read only.\nPlease enable editmode.";

// Answers the next question (a UserDialog) with the button of that caption; asked,
// when given, receives the question's caption and text as "caption|text".
void AnswerNextQuestion(const QString& button, QString* asked = nullptr);

// The headers of the view's columns that are narrower than their header or a cell's
// text (a last column that stretches is not counted).
QStringList CutColumns(const QTableView* view);

// The shown top-level windows of a kind.
template <typename T> std::vector<T*> Shown() {
    std::vector<T*> shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* typed = qobject_cast<T*>(window); typed && typed->isVisible())
            shown.push_back(typed);
    }
    return shown;
}

// Presses the key in target as a user does: its window active and target focused, so
// that the window's shortcuts see the key before target does.
void PressKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Types characters that no key of the test's keyboard has, as an input method would.
void TypeCharacters(QWidget* target, const QString& text);

// The editor's control of the info member with that caption.
QWidget* FieldOf(const VaskEdit::InfoForm& form, const QString& caption);

// The shown info editors, and closing them all.
std::vector<VaskEdit::InfoForm*> OpenEditors();
void CloseEditors();

// Loads "Infos/<name>.vaskinfo" into a new record of the library; gives its index.
std::uint32_t LoadInfo(const char* name);

} // namespace VaskUiTest
