#include "UiTestSupport.h"

#include "info/MemberTable.h"
#include "library/InfoManager.h"
#include "ui/dialogs/MessageForm.h"
#include "ui/dialogs/UserDialog.h"
#include "ui/infoeditor/InfoForm.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

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

int ExecDoing(QDialog& dialog, std::function<void()> action) {
    OnNextModal([&dialog, action](QWidget* window) {
        if (window != &dialog)
            return false;
        action();
        return true;
    });
    return dialog.exec();
}

void AnswerNextMessage(SeenMessage& seen) {
    OnNextModalOf<VaskEdit::MessageForm>([&seen](VaskEdit::MessageForm& message) {
        ++seen.count;
        seen.caption = message.windowTitle();
        seen.text = message.Message();
        message.accept();
    });
}

QString MessageAfter(const std::function<void()>& action) {
    // Shared, so that a message that comes too late finds its record still there.
    auto seen = std::make_shared<SeenMessage>();
    OnNextModalOf<VaskEdit::MessageForm>([seen](VaskEdit::MessageForm& message) {
        ++seen->count;
        seen->caption = message.windowTitle();
        seen->text = message.Message();
        message.accept();
    });
    action();
    (void)QTest::qWaitFor([&] { return seen->count > 0; }, 20000);
    return seen->count > 0 ? seen->caption + "|" + seen->text : QString();
}

void AnswerNextQuestion(const QString& button, QString* asked) {
    OnNextModalOf<VaskEdit::UserDialog>([button, asked](VaskEdit::UserDialog& question) {
        if (asked)
            *asked = question.windowTitle() + "|" + question.Message();
        for (QPushButton* b : question.findChildren<QPushButton*>()) {
            if (b->text() == button)
                QTest::mouseClick(b, Qt::LeftButton);
        }
    });
}

void PressKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* window = target->window();
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("PressKey: the window did not become active");
    }
    target->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(target, key, modifiers);
}

QWidget* FieldOf(const VaskEdit::InfoForm& form, const QString& caption) {
    for (const VaskEdit::InfoMember& member : VaskEdit::InfoMemberTable()) {
        if (QString::fromLatin1(member.label) == caption &&
            member.field != VaskEdit::FieldKind::None)
            return form.Control(member);
    }
    return nullptr;
}

std::vector<VaskEdit::InfoForm*> OpenEditors() {
    return Shown<VaskEdit::InfoForm>();
}

void CloseEditors() {
    for (VaskEdit::InfoForm* form : OpenEditors())
        form->close();
    QApplication::processEvents();
}

std::uint32_t LoadInfo(const char* name) {
    const std::uint32_t index = VaskEdit::InfoManager::PrepareInfo();
    if (!VaskEdit::InfoManager::InfoFiles[index].LoadDataFromFile(name))
        qFatal("demo info %s missing", name);
    return index;
}

QStringList CutColumns(const QTableView* view) {
    QStringList cut;
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const int counted =
        view->model()->columnCount() - (view->horizontalHeader()->stretchLastSection() ? 1 : 0);
    for (int column = 0; column < counted; ++column) {
        int needed = view->horizontalHeader()->sectionSizeHint(column);
        for (int row = 0; row < view->model()->rowCount(); ++row) {
            const QString text = view->model()->index(row, column).data().toString();
            needed = std::max(needed, view->fontMetrics().horizontalAdvance(text) + margins);
        }
        if (view->columnWidth(column) < needed)
            cut << view->model()->headerData(column, Qt::Horizontal).toString();
    }
    return cut;
}

void TypeCharacters(QWidget* target, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(target, &press);
    }
}

} // namespace VaskUiTest
