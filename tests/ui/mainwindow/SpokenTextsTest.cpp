// The main window's work on the texts the infos show, on a copy of the demo workspace:
// the search of spoken texts as a background job with a list of the lines it found, and
// "Replace in Spoken Texts" with its preview, its check boxes and "Undo Replace".
#include "UiTestSupport.h"
#include "info/TextTable.h"
#include "library/InfoManager.h"
#include "library/ReferenceIndex.h"
#include "library/WorkspaceState.h"
#include "support/UserStateHome.h"
#include "support/Workspace.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/InfoOpening.h"
#include "ui/mainwindow/MainForm.h"
#include "ui/mainwindow/ReplacePreviewModel.h"
#include "ui/mainwindow/ReplaceTextsDialog.h"
#include "ui/mainwindow/SpokenLinesWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include <map>
#include <memory>
#include <string>

using namespace VaskEdit;
using namespace VaskUiTest;

namespace {
QStringList RowTexts(const QTableView* view) {
    QStringList rows;
    const QAbstractItemModel* model = view->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->index(r, c).data().toString();
        rows << cells.join('|');
    }
    return rows;
}

std::map<std::string, std::string> Tables() {
    std::map<std::string, std::string> tables;
    for (const char* name : {"infosa.csv", "infodescsa.csv", "questdescsa.csv"})
        tables[name] = VaskTest::ReadFile(name);
    return tables;
}

// The editor's cells of one command row, joined.
QString CommandRow(InfoForm* editor, int row) {
    QStringList cells;
    const QAbstractItemModel* model = editor->Grid(0)->model();
    for (int c = 0; c < model->columnCount(); ++c)
        cells << model->index(row, c).data().toString();
    return cells.join('|');
}

void WaitForPreview(ReplaceTextsDialog* dialog) {
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->Previewing(), 10000);
    QApplication::processEvents();
}

ReplaceTextsDialog* Previewed(MainForm& window, const QString& find, const QString& with) {
    ReplaceTextsDialog* dialog = window.ReplaceInSpokenTexts();
    if (!dialog)
        return nullptr;
    dialog->FindBox()->setText(find);
    dialog->ReplacementBox()->setText(with);
    dialog->Preview();
    WaitForPreview(dialog);
    return dialog;
}
} // namespace

class SpokenTextsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<VaskTest::Workspace> workspace;
    std::unique_ptr<VaskTest::UserStateHome> state;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "VaskEdit", "VaskEdit").clear();
        InfoManager::Shutdown();
        ResetWorkspaceState();
        state = std::make_unique<VaskTest::UserStateHome>();
        workspace = std::make_unique<VaskTest::Workspace>();
        workspace->CopyFromSource("demo");
        workspace->CopyResources();
        TextTables::Clear();
    }

    void cleanup() {
        StopWatching();
        CloseEditors();
        InfoManager::Shutdown();
        ResetWorkspaceState();
        TextTables::Clear();
        workspace.reset();
        state.reset();
    }

    // The search runs as the search job; each line it found is listed with its info,
    // command, speaker and text, and a row opens its info at that command.
    void spokenSearchListsEachLineAndOpensItsCommand() {
        MainForm window;
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(!window.JobRunning(), 20000);
        int progressReports = 0;
        connect(&window.SearchJob(), &BackgroundJob::progressed, this, [&] { ++progressReports; });
        window.SearchType()->setCurrentText("Spoken text");
        window.SearchBox()->setText("HERBS");
        window.Search();
        QVERIFY(progressReports > 0); // it ran as the job, reporting as it went
        QVERIFY(!window.JobRunning());
        SpokenLinesWindow* lines = window.SpokenLines();
        QVERIFY(lines && lines->isVisible());
        QStringList found = RowTexts(lines->List());
        found.sort();
        QCOMPARE(found,
                 (QStringList{"Mira_Greeting|InfoCommands[0]|Say|Mira|PC_Hero|Mind the herbs on "
                              "the table. Some of them bite.",
                              "Mira_Teach|InfoCommands[0]|Description|||Teach me about herbs.",
                              "Mira_Teach|InfoCommands[1]|Say|Mira|PC_Hero|Patience first. Then "
                              "the herbs."}));
        QCOMPARE(lines->Summary(), QString("3 lines show \"HERBS\" in 2 infos."));
        // The list of infos is filtered as before.
        QStringList infos;
        for (int r = 0; r < window.InfoList()->model()->rowCount(); ++r)
            infos << window.InfoList()->model()->index(r, 0).data().toString();
        infos.sort();
        QCOMPARE(infos, (QStringList{"Mira_Greeting", "Mira_Teach"}));

        int sayRow = -1;
        for (int r = 0; r < lines->List()->model()->rowCount(); ++r) {
            if (RowTexts(lines->List())[r].startsWith("Mira_Teach|InfoCommands[1]"))
                sayRow = r;
        }
        QVERIFY(lines->OpenRow(sayRow));
        QCOMPARE(OpenEditors().size(), std::size_t(1));
        InfoForm* editor = OpenEditors()[0];
        QCOMPARE(editor->Grid(0)->currentIndex().row(), 1);
        QVERIFY(!lines->OpenRow(99));
    }

    // A character the tables cannot hold finds nothing, rather than every "?".
    void aCharacterTheTablesLackFindsNothing() {
        MainForm window;
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(!window.JobRunning(), 20000);
        window.SearchType()->setCurrentText("Spoken text");
        window.SearchBox()->setText("?");
        window.Search();
        QVERIFY(window.InfoList()->model()->rowCount() > 0); // the questions
        window.SearchBox()->setText(QString(QChar(0x2713)));
        window.Search();
        QCOMPARE(window.InfoList()->model()->rowCount(), 0);
        QVERIFY2(window.statusBar()->currentMessage().contains("cannot hold"),
                 qPrintable(window.statusBar()->currentMessage()));
    }

    // A cancel stops the search after the info it is at; what it found so far is listed
    // and said to be cut short.
    void aCancelledSpokenSearchListsWhatItFoundSoFar() {
        MainForm window;
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(!window.JobRunning(), 20000);
        window.SearchType()->setCurrentText("Spoken text");
        window.SearchBox()->setText("the");
        window.Search();
        const int all = window.SpokenLines()->List()->model()->rowCount();
        QVERIFY(all > 10);
        QVERIFY(!window.SpokenLines()->Summary().contains("cancelled"));
        // As the wait dialog's Cancel does, at the first report, on the worker itself.
        BackgroundJob& job = window.SearchJob();
        const auto cancel = connect(
            &job, &BackgroundJob::progressed, &job, [&job] { job.RequestCancel(); },
            Qt::DirectConnection);
        window.Search();
        disconnect(cancel);
        const int kept = window.SpokenLines()->List()->model()->rowCount();
        QVERIFY2(kept < all, qPrintable(QString::number(kept)));
        QVERIFY(window.SpokenLines()->Summary().contains("The search was cancelled"));
        QVERIFY(window.isEnabled());
    }

    // The preview lists each line with the infos that show it; only the checked rows are
    // written, and "Undo Replace" gives the tables back byte for byte.
    void replaceWritesTheCheckedRowsAndUndoGivesTheTablesBack() {
        MainForm window;
        window.show();
        const auto before = Tables();
        // An editor that shows one of the lines.
        QVERIFY(OpenInfoByName(&window, "Mira_Greeting"));
        InfoForm* editor = OpenEditors()[0];
        QVERIFY(CommandRow(editor, 0).contains("Mind the herbs"));

        QVERIFY(!window.CanUndoReplace());
        ReplaceTextsDialog* dialog = Previewed(window, "herbs", "plants");
        QVERIFY(dialog);
        QCOMPARE(RowTexts(dialog->Changes()),
                 (QStringList{"Mira_Greeting|infosa.csv|MIRA_GREET_01|Mind the herbs on the "
                              "table. Some of them bite.|Mind the plants on the table. Some of "
                              "them bite.",
                              "Mira_Teach|infosa.csv|MIRA_TEACH_01|Patience first. Then the "
                              "herbs.|Patience first. Then the plants.",
                              "Mira_Teach|infodescsa.csv|MIRA_TEACH_DESC|Teach me about "
                              "herbs.|Teach me about plants."}));
        for (int r = 0; r < 3; ++r)
            QCOMPARE(dialog->Changes()->model()->index(r, 0).data(Qt::CheckStateRole).toInt(),
                     int(Qt::Checked));
        QVERIFY(dialog->ReplaceButton()->isEnabled());
        QVERIFY(dialog->Changes()->model()->setData(dialog->Changes()->model()->index(1, 0),
                                                    Qt::Unchecked, Qt::CheckStateRole));

        QCOMPARE(MessageAfter([&] { QVERIFY(dialog->ReplaceChecked()); }),
                 QString("Replace|2 lines changed.\n\"Edit\" > \"Undo Replace\" writes the old "
                         "texts back."));
        const std::string infosa = VaskTest::ReadFile("infosa.csv");
        QVERIFY(infosa.find("|Mind the plants on the table. Some of them bite.|") !=
                std::string::npos);
        QVERIFY(infosa.find("|Patience first. Then the herbs.|") != std::string::npos);
        QVERIFY(VaskTest::ReadFile("infodescsa.csv").find("|Teach me about plants.|") !=
                std::string::npos);
        QCOMPARE(VaskTest::ReadFile("questdescsa.csv"), before.at("questdescsa.csv"));
        QTRY_VERIFY(CommandRow(editor, 0).contains("Mind the plants"));
        // The preview made again shows the row left unchecked.
        WaitForPreview(dialog);
        QCOMPARE(dialog->Changes()->model()->rowCount(), 1);
        QVERIFY(window.CanUndoReplace());

        QCOMPARE(MessageAfter([&] { window.UndoReplace(); }),
                 QString("Undo Replace|2 lines written back."));
        QVERIFY(Tables() == before);
        QVERIFY(!window.CanUndoReplace());
        QTRY_VERIFY(CommandRow(editor, 0).contains("Mind the herbs"));
        // The dialog's preview was made before the undo: it writes nothing until made anew.
        QVERIFY(!dialog->ReplaceButton()->isEnabled());
        QVERIFY(!dialog->ReplaceChecked());
        QVERIFY(Tables() == before);
    }

    // Typed as the user types: Ctrl+H opens the window, Enter in a box previews, and the
    // buttons follow the preview.
    void enterInABoxPreviewsAndTheButtonsFollow() {
        MainForm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.findChildren<ReplaceTextsDialog*>().isEmpty());
        PressKey(window.InfoList(), Qt::Key_H, Qt::ControlModifier);
        QTRY_COMPARE(window.findChildren<ReplaceTextsDialog*>().size(), qsizetype(1));
        ReplaceTextsDialog* dialog = window.findChildren<ReplaceTextsDialog*>()[0];
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        dialog->FindBox()->setFocus();
        QTest::keyClicks(dialog->FindBox(), "herbs");
        QTest::keyClick(dialog->FindBox(), Qt::Key_Tab);
        QTest::keyClicks(dialog->ReplacementBox(), "plants");
        QTest::keyClick(dialog->ReplacementBox(), Qt::Key_Return);
        QTRY_COMPARE(dialog->Changes()->model()->rowCount(), 3);
        QTRY_VERIFY(dialog->ReplaceButton()->isEnabled());
        QTRY_VERIFY(dialog->findChild<QPushButton*>("preview")->isEnabled());
        // Enter pressed no button of the window: it would have closed it, or checked all.
        QVERIFY(dialog->isVisible());
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            QVERIFY2(!button->isDefault(), qPrintable(button->text()));
    }

    // A line changed after the replace: the undo writes nothing and names it.
    void undoRefusesWhenALineWasChangedSince() {
        MainForm window;
        window.show();
        ReplaceTextsDialog* dialog = Previewed(window, "herbs", "plants");
        QVERIFY(dialog);
        QCOMPARE(MessageAfter([&] { QVERIFY(dialog->ReplaceChecked()); }).section('\n', 0, 0),
                 QString("Replace|3 lines changed."));
        std::string infosa = VaskTest::ReadFile("infosa.csv");
        const std::string replaced = "Then the plants.";
        infosa.replace(infosa.find(replaced), replaced.size(), "Then the roots.");
        VaskTest::WriteFile("infosa.csv", infosa);
        const auto changed = Tables();

        const QString said = MessageAfter([&] { window.UndoReplace(); });
        QVERIFY2(said.startsWith("Undo Replace|Nothing was written back"), qPrintable(said));
        QVERIFY2(said.contains("\"MIRA_TEACH_01\" in \"infosa.csv\""), qPrintable(said));
        QVERIFY(!said.contains("MIRA_GREET_01"));
        QVERIFY(Tables() == changed);
        QVERIFY(window.CanUndoReplace()); // once the line is put right it can still be undone
    }

    // What the tables cannot take is refused before anything is written, and a preview
    // made before its boxes changed is not written from.
    void refusalsComeBeforeAnyWrite() {
        MainForm window;
        window.show();
        const auto before = Tables();
        ReplaceTextsDialog* dialog = Previewed(window, "herbs", "a|b");
        QVERIFY(dialog);
        QVERIFY(dialog->Problems()->isVisible());
        QVERIFY2(dialog->Problems()->toPlainText().contains("\"|\""),
                 qPrintable(dialog->Problems()->toPlainText()));
        QCOMPARE(dialog->Changes()->model()->rowCount(), 0);
        QVERIFY(!dialog->ReplaceButton()->isEnabled());

        dialog->ReplacementBox()->setText(QString("plants ") + QChar(0x2713));
        dialog->Preview();
        WaitForPreview(dialog);
        QVERIFY(dialog->Problems()->toPlainText().contains("Windows-1252 lacks"));
        QVERIFY(!dialog->ReplaceChecked());

        // Blanking a whole text is refused, and nothing is written for the others.
        dialog->FindBox()->setText("Teach me about herbs.");
        dialog->ReplacementBox()->setText("");
        dialog->Preview();
        WaitForPreview(dialog);
        QVERIFY(dialog->Problems()->toPlainText().contains("would become empty"));
        QVERIFY(!dialog->ReplaceButton()->isEnabled());

        dialog->FindBox()->setText("herbs");
        dialog->ReplacementBox()->setText("plants");
        dialog->Preview();
        WaitForPreview(dialog);
        QVERIFY(dialog->Problems()->isHidden());
        QVERIFY(dialog->ReplaceButton()->isEnabled());
        dialog->WholeWord()->setChecked(true);
        QVERIFY(!dialog->ReplaceButton()->isEnabled());
        QVERIFY(!dialog->ReplaceChecked());
        QVERIFY(Tables() == before);
    }
};

QTEST_MAIN(SpokenTextsTest)
#include "SpokenTextsTest.moc"
