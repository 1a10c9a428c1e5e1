// The display text box of the command dialog: one line of a text table, typed in a box
// that wraps it; Enter accepts, line breaks are refused with the reason, and a count
// says when the text is longer than an info keeps.
#include "ui/entrydialogs/DisplayTextBox.h"
#include "UiTestSupport.h"
#include "spell/Spelling.h"
#include "support/Workspace.h"
#include "ui/common/SpellService.h"
#include "ui/dialogs/DialogResult.h"
#include "ui/entrydialogs/InfoCommandForm.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace VaskEdit;
using namespace VaskUiTest;

namespace {

InfoCommandRef Say() {
    InfoCommandRef say;
    say.Command = "Say";
    say.Version = "2";
    say.Entity1 = "PC_Hero";
    say.Entity2 = "Bob";
    say.LocString = "BOB_HELLO_01";
    say.ID1 = "gEForcedDialogCam_ShowSpeaker";
    return say;
}

// A dialog over the Say whose table holds the text ("Hello there.") for its id.
struct SayDialog {
    InfoCommandRef entry = Say();
    InfoCommandForm form{entry, EntryEditMode::Edit};
    explicit SayDialog(std::string text = "Hello there.") {
        DisplayTexts texts;
        texts.textOf = [text](const std::string&, const std::string& id) {
            return id == "BOB_HELLO_01" ? text : std::string();
        };
        form.UseDisplayTexts(texts);
        form.LoadGUIFromCommandData();
    }
    DisplayTextBox* Box() { return form.DisplayTextBox(); }
};

QColor CountColour(DisplayTextBox* box) {
    return box->CountLabel()->palette().color(QPalette::WindowText);
}

// The words the box shows with the wavy underline of an unknown word.
QStringList UnderlinedWords(DisplayTextBox* box) {
    QStringList words;
    const QTextBlock block = box->document()->firstBlock();
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline)
            words << block.text().mid(range.start, range.length);
    }
    return words;
}

QAction* Entry(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

class DisplayTextBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The spelling dictionary of the user's settings stays out of the tests.
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "VaskEdit", "VaskEdit").clear();
    }

    void cleanup() { StopWatching(); }

    // Shift+Enter would break the table's line: refused with the reason, the dialog
    // stays; plain Enter accepts the dialog with the text typed.
    void enterAcceptsAndShiftEnterIsRefused() {
        SayDialog say;
        DisplayTextBox* box = say.Box();
        QVERIFY(box);
        QCOMPARE(box->text(), QString("Hello there."));
        bool openAfterShiftEnter = false;
        const int result = ExecDoing(say.form, [&] {
            box->setFocus();
            box->moveCursor(QTextCursor::End);
            QTest::keyClicks(box, " Friend.");
            QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
            QTest::keyClick(box, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
            openAfterShiftEnter = say.form.isVisible();
            QCOMPARE(box->LastRefusal(), QString("A text cannot hold a line break."));
            QCOMPARE(box->text(), QString("Hello there. Friend."));
            QTest::keyClick(box, Qt::Key_Return);
            if (say.form.isVisible())
                say.form.done(-1);
        });
        QVERIFY(openAfterShiftEnter);
        QCOMPARE(result, DialogResult::OK);
        QVERIFY(say.form.ShownText().has_value());
        QCOMPARE(*say.form.ShownText(), std::string("Hello there. Friend."));
    }

    // A pasted text with a line break is refused whole, with the reason; one without is
    // taken. A bar and a character outside Windows-1252 are refused as typed.
    void pastedLineBreaksAndUnfitCharactersAreRefused() {
        SayDialog say;
        DisplayTextBox* box = say.Box();
        box->moveCursor(QTextCursor::End);
        QApplication::clipboard()->setText("One\nTwo");
        box->paste();
        QCOMPARE(box->text(), QString("Hello there."));
        QCOMPARE(box->LastRefusal(), QString("A text cannot hold a line break."));
        QVERIFY(!box->Edited());

        QApplication::clipboard()->setText(" Welcome.");
        box->paste();
        QCOMPARE(box->text(), QString("Hello there. Welcome."));
        QVERIFY(box->Edited());

        QTest::keyClicks(box, "|");
        QVERIFY(box->LastRefusal().contains("\"|\""));
        TypeCharacters(box, QString::fromUtf8("\u2192"));
        QVERIFY(box->LastRefusal().contains("Windows-1252"));
        QCOMPARE(box->text(), QString("Hello there. Welcome."));

        // An input method's text too.
        QInputMethodEvent composed;
        composed.setCommitString(QString::fromUtf8(" \u4e16"));
        QApplication::sendEvent(box, &composed);
        QCOMPARE(box->text(), QString("Hello there. Welcome."));
        QInputMethodEvent fitting;
        fitting.setCommitString(" Fine.");
        QApplication::sendEvent(box, &fitting);
        QCOMPARE(box->text(), QString("Hello there. Welcome. Fine."));
    }

    // The count follows the text; past what a record keeps it turns to the warning
    // colour, and back.
    void countWarnsPastWhatAnInfoKeeps() {
        SayDialog say;
        DisplayTextBox* box = say.Box();
        QCOMPARE(box->CountLabel()->text(), QString("12 / 511"));
        const QColor normal = CountColour(box);
        box->selectAll();
        QApplication::clipboard()->setText(QString(511, 'a'));
        box->paste();
        QCOMPARE(box->CountLabel()->text(), QString("511 / 511"));
        QCOMPARE(CountColour(box), normal);
        QTest::keyClicks(box, "b");
        QCOMPARE(box->CountLabel()->text(), QString("512 / 511"));
        QVERIFY(CountColour(box) != normal);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(CountColour(box), normal);
    }

    // Wide and tall enough to read a line of the game at once, below the rows and above
    // the buttons, in a dialog that fits a small screen.
    void boxShowsSeveralWrappedLinesWithinTheDialog() {
        SayDialog say;
        say.form.show();
        DisplayTextBox* box = say.Box();
        const int characterWidth = box->fontMetrics().averageCharWidth();
        QVERIFY2(box->viewport()->width() >= 60 * characterWidth,
                 qPrintable(QString::number(box->viewport()->width())));
        QVERIFY(box->viewport()->height() >= 2 * box->fontMetrics().lineSpacing());
        QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        auto* save = say.form.findChild<QPushButton*>("saveButton");
        auto* panel = say.form.findChild<QWidget*>("propertiesPanel");
        QVERIFY(box->geometry().top() >= panel->geometry().bottom());
        QVERIFY(box->geometry().bottom() < save->geometry().top());
        QVERIFY(say.form.rect().contains(box->geometry()));
        QVERIFY(say.form.height() <= 768 - 60 && say.form.width() <= 1366);
        QVERIFY(box->CountLabel()->isVisible());

        // A type without a text table has no box, and the dialog gives its room back.
        auto* types = say.form.findChild<QComboBox*>("typeList");
        types->setCurrentText("SaySVM");
        QVERIFY(say.form.DisplayTextBox());
        types->setCurrentText("Attack");
        QVERIFY(!say.form.DisplayTextBox());
        QVERIFY(!box->CountLabel()->isVisible());
        QVERIFY(save->geometry().top() - panel->geometry().bottom() < box->height());
    }

    // Unknown words are underlined; the menu on one offers its suggestions, which replace
    // it, and "Add to dictionary", which writes the workspace's list and takes the
    // underline away.
    void unknownWordsAreUnderlinedCorrectedAndAdded() {
        if (!SpellService::Available()) {
            // Nothing is underlined, and the menu says why it cannot add a word.
            SayDialog say("I recieve the bloodmoss.");
            QCOMPARE(UnderlinedWords(say.Box()), QStringList());
            std::unique_ptr<QMenu> menu(say.Box()->ContextMenuAt(4));
            QAction* add = Entry(menu.get(), "Add to dictionary");
            QVERIFY(add && !add->isEnabled());
            QCOMPARE(add->toolTip(), QString("Spell checking is not available in this build"));
            return;
        }
        if (!SpellService::InstalledDictionaries().contains("en_US"))
            QSKIP("The en_US dictionary is not installed (scripts/install-deps.sh installs "
                  "hunspell-en-us).");
        VaskTest::Workspace workspace;
        SayDialog say("I recieve the bloodmoss.");
        DisplayTextBox* box = say.Box();
        QCOMPARE(UnderlinedWords(box), (QStringList{"recieve", "bloodmoss"}));

        std::unique_ptr<QMenu> menu(box->ContextMenuAt(4));
        QAction* receive = Entry(menu.get(), "receive");
        QVERIFY(receive && receive->isEnabled());
        receive->trigger();
        QCOMPARE(box->text(), QString("I receive the bloodmoss."));
        QVERIFY(box->Edited());
        QCOMPARE(UnderlinedWords(box), QStringList{"bloodmoss"});

        menu.reset(box->ContextMenuAt(18));
        QAction* add = menu->findChild<QAction*>("addToDictionary");
        QVERIFY(add);
        add->trigger();
        QCOMPARE(VaskTest::ReadFile(Spelling::WordListFile), std::string("bloodmoss\n"));
        QCOMPARE(UnderlinedWords(box), QStringList());
        // A known word has no spelling entries.
        menu.reset(box->ContextMenuAt(18));
        QVERIFY(!menu->findChild<QAction*>("addToDictionary"));

        // The list is the workspace's: another workspace knows the words of its own list.
        VaskTest::Workspace other;
        VaskTest::WriteFile(Spelling::WordListFile, "Kolvar\r\n");
        SayDialog elsewhere("Kolvar has bloodmoss.");
        QCOMPARE(UnderlinedWords(elsewhere.Box()), QStringList{"bloodmoss"});
    }
};

QTEST_MAIN(DisplayTextBoxTest)
#include "DisplayTextBoxTest.moc"
