// The message, question and wait dialogs, the settings dialog and the about boxes.
#include "UiTestSupport.h"
#include "support/Workspace.h"
#include "tools/Settings.h"
#include "ui/AboutBox.h"
#include "ui/CreditBox.h"
#include "ui/DialogResult.h"
#include "ui/MessageForm.h"
#include "ui/Messages.h"
#include "ui/SettingsForm.h"
#include "ui/UserDialog.h"
#include "ui/UserWaitDialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <cstdlib>
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

// Runs the dialog modally and clicks the button once it is shown.
int ExecClicking(QDialog& dialog, const QString& buttonText) {
    OnNextModal([&](QWidget* window) {
        if (window != &dialog)
            return false;
        QPushButton* button = ButtonNamed(dialog, buttonText);
        if (!button)
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    });
    return dialog.exec();
}

} // namespace

class SmallDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { StopWatching(); }

    void init() {
        Settings::path_vaskresman = "C:/Game/vaskresman.exe";
        Settings::exe_showhelp = "firefox.exe";
    }

    void standardDialogsShowTitleAndDefaultUntilTextsAreSet() {
        MessageForm message;
        QCOMPARE(message.windowTitle(), QString("Title"));
        QCOMPARE(message.Message(), QString("Default"));
        QCOMPARE(message.size(), QSize(253, 126));
        UserDialog question;
        QCOMPARE(question.windowTitle(), QString("Title"));
        QCOMPARE(question.size(), QSize(248, 131));
        QVERIFY(question.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        UserWaitDialog wait;
        QCOMPARE(wait.Message(), QString("Default"));
        QCOMPARE(wait.size(), QSize(242, 128));
    }

    void messageShowsItsTextsAndClosesWithOk() {
        MessageForm message("InfoManager", "Error: File \n<Name>\n not found!");
        QCOMPARE(message.windowTitle(), QString("InfoManager"));
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
        QVERIFY(label->wordWrap());
        // The whole text is in view, above "OK".
        QVERIFY(label->width() <= area->width() && label->height() <= area->height());
        QVERIFY(ok->y() > area->geometry().bottom() && ok->geometry().bottom() < wide.height());
        QVERIFY(std::abs(ok->x() - (wide.width() - ok->x() - ok->width())) <= 1); // centred

        MessageForm tall("FileManager", QString("Skipped: a_file_name.vaskinfo\n").repeated(500));
        area = tall.findChild<QScrollArea*>("messageArea");
        QVERIFY(tall.height() <= screen.height());
        QVERIFY(tall.findChild<QLabel*>()->height() > area->height());
        tall.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tall));
        QVERIFY(area->verticalScrollBar()->maximum() > 0);
        // A short text brings back the usual box.
        tall.SetTexts("Caution", "Are you sure?");
        QCOMPARE(tall.size(), plain.size());
        QCOMPARE(ButtonNamed(tall, "OK")->pos(), ButtonNamed(plain, "OK")->pos());

        // Questions grow alike.
        const UserDialog brief("Caution", "Are you sure?");
        const UserDialog question("InfoManager", names);
        QCOMPARE(brief.size(), QSize(248, 131));
        QVERIFY(question.width() > brief.width());
    }

    void questionAnswersYesOrNo() {
        UserDialog yes("Caution", "Are you sure?");
        QCOMPARE(ExecClicking(yes, "Yes"), DialogResult::Yes);
        UserDialog no("Caution", "Are you sure?");
        QCOMPARE(ExecClicking(no, "No"), DialogResult::No);
    }

    void questionClosedByItsWindowIsNeitherYesNorNo() {
        UserDialog question("Caution", "Are you sure?");
        OnNextModal([&](QWidget* window) {
            if (window != &question)
                return false;
            question.close();
            return true;
        });
        const int answer = question.exec();
        QVERIFY(answer != DialogResult::Yes);
        QVERIFY(answer != DialogResult::No);
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
        OnNextModal([&](QWidget* window) {
            if (window != &finished)
                return false;
            finished.Finish();
            return true;
        });
        QCOMPARE(finished.exec(), DialogResult::OK);
        QVERIFY(!finished.CancelRequested());
    }

    void settingsDialogShowsTheSettings() {
        SettingsForm form;
        QCOMPARE(form.windowTitle(), QString("Settings"));
        QCOMPARE(form.size(), QSize(424, 320));
        QCOMPARE(form.findChild<QLineEdit*>("pathBox")->text(), QString("C:/Game/vaskresman.exe"));
        QCOMPARE(form.findChild<QLineEdit*>("helpBox")->text(), QString("firefox.exe"));
        QCOMPARE(form.findChild<QLineEdit*>("pathBox")->width(), 368);
        QCOMPARE(form.findChild<QLineEdit*>("helpBox")->width(), 197);
    }

    // The boxes take no more than the file keeps: what is saved is what was shown.
    void settingsBoxesTakeWhatTheFileKeeps() {
        VaskTest::Workspace workspace;
        SettingsForm form;
        form.findChild<QLineEdit*>("pathBox")->setText(QString("p").repeated(300));
        form.findChild<QLineEdit*>("helpBox")->setText(QString("h").repeated(56) + ".exe");
        QCOMPARE(form.findChild<QLineEdit*>("helpBox")->text(), QString("h").repeated(47));
        QCOMPARE(ExecClicking(form, "Save"), DialogResult::OK);

        QCOMPARE(Settings::exe_showhelp, std::string(47, 'h'));
        QCOMPARE(Settings::path_vaskresman, std::string(255, 'p'));
        QCOMPARE(VaskTest::ReadFile("Settings.ini"),
                 "VASKRESMAN_PATH = " + std::string(255, 'p') +
                     ", \nSHOWHELP_EXE = " + std::string(47, 'h') + ",");
    }

    void settingsSavedEmptyStoreTwoEmptyFields() {
        VaskTest::Workspace workspace;
        SettingsForm form;
        form.findChild<QLineEdit*>("pathBox")->clear();
        form.findChild<QLineEdit*>("helpBox")->clear();
        OnNextModal([&](QWidget* window) {
            if (window != &form)
                return false;
            QTest::keyClick(form.findChild<QLineEdit*>("helpBox"), Qt::Key_S, Qt::ControlModifier);
            return true;
        });
        QCOMPARE(form.exec(), DialogResult::OK);
        QCOMPARE(VaskTest::ReadFile("Settings.ini"),
                 std::string("VASKRESMAN_PATH = , \nSHOWHELP_EXE = ,"));
    }

    void escapeLeavesTheSettingsAsTheyWere() {
        VaskTest::Workspace workspace;
        SettingsForm form;
        form.findChild<QLineEdit*>("helpBox")->setText("opera.exe");
        OnNextModal([&](QWidget* window) {
            if (window != &form)
                return false;
            QTest::keyClick(form.findChild<QLineEdit*>("helpBox"), Qt::Key_Escape);
            return true;
        });
        QCOMPARE(form.exec(), DialogResult::Cancel);
        QCOMPARE(Settings::exe_showhelp, std::string("firefox.exe"));
        QVERIFY(!std::filesystem::exists("Settings.ini"));
    }

    void failedStoreIsReportedAndKeepsTheNewSettingsInMemory() {
        VaskTest::Workspace workspace;
        // A directory in the file's place cannot be replaced by the file.
        std::filesystem::create_directory("Settings.ini");
        SettingsForm form;
        form.findChild<QLineEdit*>("helpBox")->setText("opera.exe");
        SeenMessage seen;
        OnNextModal([&](QWidget* window) {
            if (window != &form)
                return false;
            AnswerNextMessage(seen);
            QTest::mouseClick(ButtonNamed(form, "Save"), Qt::LeftButton);
            return true;
        });
        QCOMPARE(form.exec(), DialogResult::OK);
        QCOMPARE(seen.count, 1);
        QCOMPARE(seen.caption, QString("Error"));
        QCOMPARE(
            seen.text,
            QString("Failed to save settings!\nCould not save \"Settings.ini\": it is a folder."));
        QCOMPARE(Settings::exe_showhelp, std::string("opera.exe"));
    }

    void aboutAndCreditBoxes() {
        AboutBox about;
        QCOMPARE(about.windowTitle(), QString("About"));
        QCOMPARE(about.size(), QSize(214, 131));
        QVERIFY(about.windowFlags().testFlag(Qt::Tool));
        QCOMPARE(about.findChild<QLabel*>("versionLabel")->text(), QString("VaskEdit v02c beta"));
        QCOMPARE(ExecClicking(about, "OK"), DialogResult::OK);

        CreditBox credits;
        QCOMPARE(credits.windowTitle(), QString("CreditBox"));
        QCOMPARE(credits.size(), QSize(344, 234));
        const QStringList lines = credits.findChild<QLabel*>("creditLabel")->text().split('\n');
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines[0], QString("Thanks to..."));
        for (int i = 1; i < lines.size(); i += 2) {
            QCOMPARE(lines[i], QString());
            QVERIFY(lines[i + 1].startsWith(" - "));
        }
        QCOMPARE(ExecClicking(credits, "OK"), DialogResult::OK);
    }
};

QTEST_MAIN(SmallDialogsTest)
#include "SmallDialogsTest.moc"
