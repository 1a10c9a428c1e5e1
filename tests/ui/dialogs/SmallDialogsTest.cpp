// The message, question and wait dialogs and the settings dialog.
#include "UiTestSupport.h"
#include "support/UserSettingsHome.h"
#include "support/Workspace.h"
#include "tools/Launcher.h"
#include "tools/Settings.h"
#include "tools/TrustedPrograms.h"
#include "ui/common/SpellService.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogResult.h"
#include "ui/dialogs/MessageForm.h"
#include "ui/dialogs/ProgramConfirmation.h"
#include "ui/dialogs/UserDialog.h"
#include "ui/dialogs/UserWaitDialog.h"
#include "ui/mainwindow/CreditBox.h"
#include "ui/mainwindow/SettingsForm.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <filesystem>

using namespace VaskEdit;
using namespace VaskUiTest;

namespace {

QPushButton* ButtonNamed(QWidget& window, const QString& text) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

int ExecClicking(QDialog& dialog, const QString& buttonText) {
    return ExecDoing(dialog,
                     [&] { QTest::mouseClick(ButtonNamed(dialog, buttonText), Qt::LeftButton); });
}

QLineEdit* HelpBox(SettingsForm& form) {
    return form.findChild<QLineEdit*>("helpBox");
}

QLineEdit* PathBox(SettingsForm& form) {
    return form.findChild<QLineEdit*>("pathBox");
}

} // namespace

class SmallDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The spelling dictionary goes to a settings file of the tests, not the user's.
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "VaskEdit", "VaskEdit").clear();
    }

    void cleanup() { StopWatching(); }

    void init() {
        Settings::path_vaskresman = "C:/Game/vaskresman.exe";
        Settings::exe_showhelp = "firefox.exe";
    }

    void messageShowsItsTextAsItIsAndClosesWithOk() {
        MessageForm message("InfoManager", "Error: File \n<Name>\n not found!");
        // Names in angle brackets are shown as they are, not read as markup.
        auto* label = message.findChild<QLabel*>();
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), QString("Error: File \n<Name>\n not found!"));
        QCOMPARE(ExecClicking(message, "OK"), DialogResult::OK);
    }

    void longMessagesGrowUpToTheScreenAndScroll() {
        // The messages of skipped files and failed merges were cut off in the fixed box.
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        MessageForm plain;
        const QString names = QString("Skipped: a_file_name.vaskinfo, ").repeated(100);
        MessageForm wide("FileManager", names);
        auto* label = wide.findChild<QLabel*>();
        auto* area = wide.findChild<QScrollArea*>("messageArea");
        QPushButton* ok = ButtonNamed(wide, "OK");
        QVERIFY(wide.width() > plain.width());
        QVERIFY(wide.width() <= screen.width() && wide.height() <= screen.height());
        // The whole text is in view, above "OK".
        QVERIFY(label->width() <= area->width() && label->height() <= area->height());
        QVERIFY(ok->y() > area->geometry().bottom() && ok->geometry().bottom() < wide.height());

        MessageForm tall("FileManager", QString("Skipped: a_file_name.vaskinfo\n").repeated(500));
        area = tall.findChild<QScrollArea*>("messageArea");
        QVERIFY(tall.height() <= screen.height());
        tall.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tall));
        QVERIFY(area->verticalScrollBar()->maximum() > 0);
        // A short text brings back the usual box.
        tall.SetTexts("Caution", "Are you sure?");
        QCOMPARE(tall.size(), plain.size());

        // Questions grow alike.
        QVERIFY(UserDialog("InfoManager", names).width() > UserDialog("Caution", "?").width());
    }

    // The credits are shown whole, above the button, at any font.
    void creditsShowTheirWholeText() {
        CreditBox box;
        box.show();
        auto* text = box.findChild<QLabel*>("creditLabel");
        auto* ok = box.findChild<QPushButton*>("okButton");
        QVERIFY(box.rect().contains(text->geometry()));
        QVERIFY(text->size().expandedTo(text->sizeHint()) == text->size());
        QVERIFY(box.rect().contains(ok->geometry()));
        QVERIFY(!ok->geometry().intersects(text->geometry()));
    }

    void questionAnswersYesNoOrNeither() {
        UserDialog yes("Caution", "Are you sure?");
        QCOMPARE(ExecClicking(yes, "Yes"), DialogResult::Yes);
        UserDialog no("Caution", "Are you sure?");
        QCOMPARE(ExecClicking(no, "No"), DialogResult::No);
        // Closed by its window, it is neither.
        UserDialog closed("Caution", "Are you sure?");
        const int answer = ExecDoing(closed, [&] { closed.close(); });
        QVERIFY(answer != DialogResult::Yes && answer != DialogResult::No);

        // From the keyboard: the first Tab reaches Yes, the second No; Enter takes the one
        // with the focus.
        for (const auto& [tabs, expected] :
             {std::pair{1, DialogResult::Yes}, {2, DialogResult::No}}) {
            UserDialog keyed("Caution", "Are you sure?");
            keyed.SetButtonTexts("Save", "Discard", "Cancel");
            const int keyedAnswer = ExecDoing(keyed, [&] {
                QVERIFY(QTest::qWaitForWindowActive(&keyed));
                for (int tab = 0; tab < tabs; ++tab)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            });
            QCOMPARE(keyedAnswer, expected);
        }
    }

    // Buttons named for their answers show their whole names, side by side in the dialog.
    void answerButtonsShowTheirWholeNames() {
        for (const QStringList& names : {QStringList{"Reload", "Save anyway", "Cancel"},
                                         QStringList{"Save everything now", "Discard"}}) {
            UserDialog question("Caution", "The file was changed on disk.");
            if (names.size() == 3)
                question.SetButtonTexts(names[0], names[1], names[2]);
            else
                question.SetButtonTexts(names[0], names[1]);
            QRect previous;
            for (const QString& name : names) {
                QPushButton* button = ButtonNamed(question, name);
                QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(name));
                QVERIFY2(question.rect().contains(button->geometry()), qPrintable(name));
                QVERIFY(!button->geometry().intersects(previous));
                previous = button->geometry();
            }
        }
    }

    void waitDialogReportsCancelToItsOwner() {
        UserWaitDialog wait("Attention!", "Please Wait...");
        QVERIFY(!wait.CancelRequested());
        QCOMPARE(ExecClicking(wait, "Cancel"), DialogResult::Cancel);
        QVERIFY(wait.CancelRequested());
        // Work that ends after a cancel does not turn it into OK.
        wait.Finish();
        QCOMPARE(wait.result(), DialogResult::Cancel);

        UserWaitDialog finished("Attention!", "Please Wait...");
        QCOMPARE(ExecDoing(finished, [&] { finished.Finish(); }), DialogResult::OK);
        QVERIFY(!finished.CancelRequested());
    }

    // The boxes take no more than the file keeps: what is saved is what was shown; Escape
    // saves nothing.
    void settingsAreSavedAsShown() {
        VaskTest::Workspace workspace;
        SettingsForm form;
        QCOMPARE(PathBox(form)->text(), QString("C:/Game/vaskresman.exe"));
        QCOMPARE(HelpBox(form)->text(), QString("firefox.exe"));
        // Escape leaves the settings as they were.
        HelpBox(form)->setText("opera.exe");
        QCOMPARE(ExecDoing(form, [&] { QTest::keyClick(HelpBox(form), Qt::Key_Escape); }),
                 DialogResult::Cancel);
        QCOMPARE(Settings::exe_showhelp, std::string("firefox.exe"));
        QVERIFY(!std::filesystem::exists("Settings.ini"));

        PathBox(form)->setText(QString("p").repeated(300));
        HelpBox(form)->setText(QString("h").repeated(56) + ".exe");
        QCOMPARE(HelpBox(form)->text(), QString("h").repeated(47));
        QCOMPARE(ExecClicking(form, "Save"), DialogResult::OK);
        QCOMPARE(Settings::exe_showhelp, std::string(47, 'h'));
        QCOMPARE(Settings::path_vaskresman, std::string(255, 'p'));
        QCOMPARE(VaskTest::ReadFile("Settings.ini"),
                 "VASKRESMAN_PATH = " + std::string(255, 'p') +
                     ", \nSHOWHELP_EXE = " + std::string(47, 'h') + ",");

        // Saved empty with Ctrl+S: two empty fields.
        PathBox(form)->clear();
        HelpBox(form)->clear();
        QCOMPARE(ExecDoing(form,
                           [&] { QTest::keyClick(HelpBox(form), Qt::Key_S, Qt::ControlModifier); }),
                 DialogResult::OK);
        QCOMPARE(VaskTest::ReadFile("Settings.ini"),
                 std::string("VASKRESMAN_PATH = , \nSHOWHELP_EXE = ,"));
    }

    // The spelling dictionary is chosen among the installed ones and used from then on;
    // a build without spell checking says so in the list, which is off.
    void spellingDictionaryIsChosenAmongTheInstalled() {
        VaskTest::Workspace workspace;
        if (!SpellService::Available()) {
            SettingsForm form;
            auto* list = form.findChild<QComboBox*>("dictionaryList");
            QVERIFY(!list->isEnabled());
            QCOMPARE(list->currentText(), QString("Spell checking is not available in this build"));
            return;
        }
        const QString system = "/usr/share/hunspell/en_US";
        if (!std::filesystem::exists((system + ".dic").toStdString()))
            QSKIP("The en_US dictionary is not installed (scripts/install-deps.sh installs "
                  "hunspell-en-us).");
        // A second dictionary, in a folder of its own, that knows one word more.
        std::filesystem::create_directory("dictionaries");
        std::filesystem::copy_file((system + ".aff").toStdString(), "dictionaries/xx_TEST.aff");
        std::string words = VaskTest::ReadFile((system + ".dic").toStdString());
        words.replace(0, words.find('\n'), "999999");
        VaskTest::WriteFile("dictionaries/xx_TEST.dic", words + "Kolvar\n");
        qputenv("VASKEDIT_DICTIONARIES",
                std::filesystem::absolute("dictionaries").string().c_str());

        SettingsForm form;
        auto* list = form.findChild<QComboBox*>("dictionaryList");
        QVERIFY(list->isEnabled());
        QVERIFY(list->findText("xx_TEST") >= 0 && list->findText("en_US") >= 0);
        QCOMPARE(list->currentText(), QString("en_US"));
        QVERIFY(!SpellService::Shared().Checker()->Knows("Kolvar"));
        list->setCurrentText("xx_TEST");
        QCOMPARE(ExecClicking(form, "Save"), DialogResult::OK);
        QCOMPARE(SpellService::Shared().ChosenDictionary(), QString("xx_TEST"));
        QVERIFY(SpellService::Shared().Checker()->Knows("Kolvar"));

        // Gone from the system, it gives way to the default.
        std::filesystem::remove_all("dictionaries");
        QCOMPARE(SpellService::Shared().ChosenDictionary(), QString("en_US"));
        QVERIFY(!SpellService::Shared().Checker()->Knows("Kolvar"));
        qunsetenv("VASKEDIT_DICTIONARIES");
    }

    void failedStoreIsReportedAndKeepsTheNewSettingsInMemory() {
        VaskTest::Workspace workspace;
        // A directory in the file's place cannot be replaced by the file.
        std::filesystem::create_directory("Settings.ini");
        SettingsForm form;
        HelpBox(form)->setText("opera.exe");
        QString seen;
        QCOMPARE(ExecDoing(form,
                           [&] {
                               seen = MessageAfter([&] {
                                   QTest::mouseClick(ButtonNamed(form, "Save"), Qt::LeftButton);
                               });
                           }),
                 DialogResult::OK);
        QCOMPARE(seen, QString("Error|Failed to save settings!\nCould not save \"Settings.ini\": "
                               "it is a folder."));
        QCOMPARE(Settings::exe_showhelp, std::string("opera.exe"));
    }

    // A value longer than its setting, read from a workspace's file, is shown whole and
    // refused on "Save" rather than stored cut.
    void longSettingsAreShownWholeAndNotSaved() {
        VaskTest::Workspace workspace;
        const std::string help = "bin/" + std::string(50, 'v');
        Settings::exe_showhelp = help;
        SettingsForm form;
        QCOMPARE(ToSystemString(HelpBox(form)->text()), help);
        form.show();
        QCOMPARE(
            MessageAfter([&] { QTest::mouseClick(ButtonNamed(form, "Save"), Qt::LeftButton); }),
            QString("Caution!|The help program is longer than 47 characters.\n"
                    "Please shorten it."));
        QVERIFY(form.isVisible());
        QVERIFY(!std::filesystem::exists("Settings.ini"));
        QCOMPARE(Settings::exe_showhelp, help);
        form.close();
    }

#ifndef _WIN32
    // A help program that the settings name is started only after a Yes, which is
    // remembered; a No starts nothing.
    void helpProgramIsStartedOnlyAfterTheUserConfirmedIt() {
        VaskTest::Workspace workspace;
        VaskTest::UserSettingsHome home;
        VaskTest::WriteFile("bin/viewer", "#!/bin/sh\n");
        std::filesystem::permissions("bin/viewer", std::filesystem::perms::owner_all);
        Settings::exe_showhelp = "bin/viewer";
        std::vector<std::string> started;
        Launcher::SetRecorder([&](const std::string& program, const std::string&) {
            started.push_back(program);
            return true;
        });
        QWidget window;
        QString asked;
        AnswerNextQuestion("No", &asked);
        ShowHelpPage(&window, Main);
        const std::string viewer = (workspace.Root() / "bin" / "viewer").string();
        QVERIFY(asked.startsWith("Caution|"));
        QVERIFY(asked.contains(QString::fromStdString(viewer)));
        QVERIFY(started.empty());
        QVERIFY(!TrustedPrograms::IsConfirmed(HelpManager::CheckProgram().identity));

        AnswerNextQuestion("Yes");
        ShowHelpPage(&window, Main);
        QCOMPARE(started, std::vector<std::string>{viewer});
        // Asked once: the next start needs no answer.
        QVERIFY(TrustedPrograms::IsConfirmed(HelpManager::CheckProgram().identity));
        ShowHelpPage(&window, Main);
        QCOMPARE(started.size(), std::size_t(2));
        Launcher::SetRecorder({});
    }
#endif
};

QTEST_MAIN(SmallDialogsTest)
#include "SmallDialogsTest.moc"
