#include "ui/entrydialogs/DisplayTextBox.h"

#include "engine/Windows1252.h"
#include "info/TextTableEdit.h"
#include "ui/common/SpellService.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogKeys.h"
#include "ui/dialogs/Messages.h"
#include "ui/entrydialogs/SpellHighlighter.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QToolTip>

namespace VaskEdit {

namespace {
constexpr int CaptionHeight = 18;
constexpr int LinesShown = 3;
const QColor WarningColour(192, 0, 0);

bool IsEnter(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}
} // namespace

QString DisplayTextRefusal(const QString& text, std::string* bytes) {
    const std::optional<std::string> converted =
        TesselEngine::Utf8ToWindows1252(text.toUtf8().toStdString());
    if (!converted)
        return "The text has a character that Windows-1252 lacks, which the tables hold.";
    const std::string refusal = TextTables::TextRefusal(*converted);
    if (!refusal.empty()) {
        QString reason = QString::fromStdString(refusal);
        reason[0] = reason[0].toUpper();
        return reason + ".";
    }
    if (bytes)
        *bytes = *converted;
    return {};
}

DisplayTextBox::DisplayTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("displayTextBox");
    setPlaceholderText("display text");
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    captionLabel = new QLabel("Display text", parent);
    captionLabel->setObjectName("displayTextCaption");
    countLabel = new QLabel(parent);
    countLabel->setObjectName("displayTextCount");
    countLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    new SpellHighlighter(document());
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!showingTableText)
            edited = true;
        ShowCount();
    });
    ShowCount();
}

void DisplayTextBox::ShowTableText(const std::string& bytes) {
    showingTableText = true;
    setPlainText(FromSystemString(bytes));
    showingTableText = false;
    edited = false;
    lastRefusal.clear();
    moveCursor(QTextCursor::Start);
}

int DisplayTextBox::Place(int left, int top, int width) {
    captionLabel->setGeometry(left, top, width / 2, CaptionHeight);
    countLabel->setGeometry(left + width / 2, top, width - width / 2, CaptionHeight);
    const QMargins margins = contentsMargins();
    const int documentMargin = static_cast<int>(document()->documentMargin());
    const int height = LinesShown * fontMetrics().lineSpacing() + 2 * documentMargin +
                       margins.top() + margins.bottom();
    setGeometry(left, top + CaptionHeight, width, height);
    return CaptionHeight + height;
}

void DisplayTextBox::setVisible(bool visible) {
    QPlainTextEdit::setVisible(visible);
    captionLabel->setVisible(visible);
    countLabel->setVisible(visible);
}

QString DisplayTextBox::WithInserted(const QString& inserted) const {
    const QTextCursor cursor = textCursor();
    QString result = toPlainText();
    result.replace(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(),
                   inserted);
    return result;
}

bool DisplayTextBox::Allows(const QString& inserted) {
    const QString reason = DisplayTextRefusal(WithInserted(inserted));
    if (reason.isEmpty())
        return true;
    Refuse(reason);
    return false;
}

void DisplayTextBox::Refuse(const QString& reason) {
    lastRefusal = reason;
    QToolTip::showText(mapToGlobal(QPoint(0, height())), reason, this);
}

void DisplayTextBox::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(*event)) {
        event->accept();
        // The text stays one line: Enter ends it, every other Enter would break it.
        if (DialogKeys::HeldModifiers(*event) == Qt::NoModifier && !isReadOnly())
            emit returnPressed();
        else if (!isReadOnly())
            Refuse(DisplayTextRefusal("\n"));
        return;
    }
    if (!isReadOnly() && !event->text().isEmpty() && event->text().at(0).isPrint() &&
        !Allows(event->text())) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DisplayTextBox::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText() || !Allows(source->text()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}

void DisplayTextBox::inputMethodEvent(QInputMethodEvent* event) {
    // What an input method composes is checked as typed keys are.
    if (!event->commitString().isEmpty() && !isReadOnly() && !Allows(event->commitString())) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void DisplayTextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = ContextMenuAt(cursorForPosition(event->pos()).position());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

QMenu* DisplayTextBox::ContextMenuAt(int position) {
    QMenu* menu = createStandardContextMenu();
    menu->setObjectName("displayTextMenu");
    AddSpellingEntries(menu, position);
    return menu;
}

void DisplayTextBox::AddSpellingEntries(QMenu* menu, int position) {
    QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().first();
    SpellService& spelling = SpellService::Shared();
    Spelling::Checker* checker = spelling.Checker();
    if (!checker) {
        QAction* none = new QAction("Add to dictionary", menu);
        none->setEnabled(false);
        none->setToolTip(spelling.Unavailable());
        menu->insertAction(first, none);
        menu->insertSeparator(first);
        menu->setToolTipsVisible(true);
        return;
    }
    const QString text = toPlainText();
    for (const TextWord word : CheckedWords(text)) {
        if (position < word.start || position > word.start + word.length)
            continue;
        const QString unknown = text.mid(word.start, word.length);
        if (checker->Knows(unknown.toStdString()))
            return;
        const bool editable = !isReadOnly();
        int offered = 0;
        for (const std::string& suggestion : checker->Suggestions(unknown.toStdString())) {
            if (offered++ == 6)
                break;
            const QString replacement = QString::fromStdString(suggestion);
            QAction* replace = new QAction(replacement, menu);
            replace->setEnabled(editable && DisplayTextRefusal(replacement).isEmpty());
            connect(replace, &QAction::triggered, this, [this, word, replacement] {
                QTextCursor cursor = textCursor();
                cursor.setPosition(word.start);
                cursor.setPosition(word.start + word.length, QTextCursor::KeepAnchor);
                setTextCursor(cursor);
                insertPlainText(replacement);
            });
            menu->insertAction(first, replace);
        }
        QAction* add = new QAction("Add to dictionary", menu);
        add->setObjectName("addToDictionary");
        connect(add, &QAction::triggered, this, [this, unknown] {
            QString failure;
            if (!SpellService::Shared().AddToDictionary(unknown, &failure))
                ShowMessage(this, "Error",
                            "The word cannot be added to \"Dictionary.txt\".\n" + failure);
        });
        menu->insertAction(first, add);
        menu->insertSeparator(first);
        return;
    }
}

void DisplayTextBox::ShowCount() {
    const int count = static_cast<int>(toPlainText().size());
    countLabel->setText(QString("%1 / %2").arg(count).arg(MostCharacters));
    QPalette palette =
        countLabel->parentWidget() ? countLabel->parentWidget()->palette() : countLabel->palette();
    if (count > MostCharacters)
        palette.setColor(QPalette::WindowText, WarningColour);
    countLabel->setPalette(palette);
    countLabel->setToolTip(count > MostCharacters
                               ? QString("An info keeps the first %1 characters of a display "
                                         "text; the rest is cut when it is read.")
                                     .arg(MostCharacters)
                               : QString());
    setToolTip(toPlainText());
}

} // namespace VaskEdit
