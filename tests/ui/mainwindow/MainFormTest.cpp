// The main window on a copy of the demo workspace: start-up messages, command-line
// arguments, filters, selection, the background jobs and the keys.
#include "ui/mainwindow/MainForm.h"
#include "UiTestSupport.h"
#include "info/TextTable.h"
#include "library/InfoManager.h"
#include "library/Journal.h"
#include "library/RecoveryFiles.h"
#include "library/ReferenceIndex.h"
#include "library/TemplateManager.h"
#include "library/WorkspaceState.h"
#include "support/UserStateHome.h"
#include "support/Workspace.h"
#include "tools/Launcher.h"
#include "tools/Settings.h"
#include "ui/common/ReferenceService.h"
#include "ui/dialogs/UserDialog.h"
#include "ui/dialogs/UserWaitDialog.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/InfoOpening.h"
#include "ui/mainwindow/CheckReportWindow.h"
#include "ui/mainwindow/MergeReviewDialog.h"
#include "ui/mainwindow/TextImportDialog.h"
#include "ui/mainwindow/Workspaces.h"
#include "ui/references/RenameInfoDialog.h"
#include "ui/references/UsagesWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

using namespace VaskEdit;
using namespace VaskUiTest;
namespace fs = std::filesystem;

namespace {
int Rows(QTableView* view) {
    return view->model()->rowCount();
}

QString Cell(QTableView* view, int row, int column) {
    return view->model()->index(row, column).data().toString();
}

// Every row of the view, its cells joined by "|".
QStringList RowTexts(QTableView* view) {
    QStringList rows;
    for (int r = 0; r < Rows(view); ++r) {
        QStringList cells;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            cells << Cell(view, r, c);
        rows << cells.join('|');
    }
    return rows;
}

QString Text(InfoForm* form, const char* caption) {
    return static_cast<QLineEdit*>(FieldOf(*form, caption))->text();
}

InfoForm* EditorOn(const QString& name) {
    for (InfoForm* form : OpenEditors()) {
        if (Text(form, "InfoName") == name)
            return form;
    }
    return nullptr;
}

// Makes the infos children of the parent, in their files.
void SetParent(const std::string& parent, std::initializer_list<const char*> children) {
    for (const char* child : children) {
        const std::string path = std::string("Infos/") + child + ".vaskinfo";
        std::string info = VaskTest::ReadFile(path);
        const std::string member = "bCString Parent = \"";
        info.insert(info.find(member) + member.size(), parent);
        VaskTest::WriteFile(path, info);
    }
}

// The names and bytes of every info file.
std::map<std::string, std::string> InfoFiles() {
    std::map<std::string, std::string> files;
    for (const std::string& name : VaskTest::ListNames("Infos"))
        files[name] = VaskTest::ReadFile("Infos/" + name);
    return files;
}

// The jobs named by the wait dialogs shown while it lives, however briefly each was up.
class WaitDialogsShown : public QObject {
public:
    WaitDialogsShown() { qApp->installEventFilter(this); }
    ~WaitDialogsShown() override { qApp->removeEventFilter(this); }
    QStringList jobs;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* wait = qobject_cast<UserWaitDialog*>(watched))
                jobs << wait->JobText();
        }
        return false;
    }
};

// Runs a job of the window to its end, answering its wait dialog as the user would.
// Opens the info from the window, types the value into the field and saves it over its
// file ("does already exist" answered Yes), as the user does.
void SaveEdited(MainForm& window, const char* info, const char* field, const char* value) {
    QPointer<InfoForm> editor = OpenInfoByName(&window, info);
    editor->EditInfo();
    static_cast<QLineEdit*>(FieldOf(*editor, field))->setText(value);
    AnswerNextQuestion("Yes");
    editor->Save();
}

void FinishJobs(MainForm& window) {
    QTRY_VERIFY_WITH_TIMEOUT(!window.JobRunning(), 20000);
    QApplication::processEvents();
}
} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<VaskTest::Workspace> workspace;
    // Copies of unsaved editor work go to the test's own state folder.
    std::unique_ptr<VaskTest::UserStateHome> state;

    void ResetLibrary() {
        InfoManager::Shutdown();
        ResetWorkspaceState();
    }

private slots:
    void initTestCase() {
        // The recent workspaces go to a settings file of the tests, not the user's.
        QStandardPaths::setTestModeEnabled(true);
    }

    void init() {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "VaskEdit", "VaskEdit").clear();
        ResetLibrary();
        state = std::make_unique<VaskTest::UserStateHome>();
        workspace = std::make_unique<VaskTest::Workspace>();
        workspace->CopyFromSource("demo");
        workspace->CopyResources();
    }

    void cleanup() {
        StopWatching();
        CloseEditors();
        ResetLibrary();
        workspace.reset();
        state.reset();
    }

    // Each workspace has its own copies: the start in one does not offer another's, and
    // opening the other offers them.
    void openingAnotherWorkspaceOffersItsUnsavedEditorWork() {
        fs::create_directories("other/Infos");
        fs::copy_file("Settings.ini", "other/Settings.ini");
        RecoveryRecord record;
        record.mode = "New";
        record.copy.Name = "Other_Work";
        record.savedAt = 5;
        const std::string file =
            NewRecoveryFilePath(RecoveryFolder(fs::canonical("other").string()));
        QVERIFY(WriteRecoveryFile(file, record));
        MainForm window;
        window.show();
        FinishJobs(window);
        QString asked;
        AnswerNextQuestion("Later", &asked);
        QVERIFY(window.SwitchWorkspace("other"));
        QVERIFY2(asked.startsWith("Caution|Info editors left unsaved changes:\nOther_Work, "),
                 qPrintable(asked));
        FinishJobs(window);
        QVERIFY(fs::exists(file));
    }

    // Unsaved work that info editors left behind is offered at the start: "Later" keeps
    // it, "Restore" opens it unsaved without writing the info, "Discard" removes it; a
    // file that cannot be read is named and kept whatever the answer.
    void unsavedEditorWorkIsOfferedAtStart() {
        const std::string folder = RecoveryFolder(CurrentWorkspacePath());
        RecoveryRecord record;
        record.mode = "New";
        record.copy.Name = "Bob_Recovered";
        record.copy.Owner = "Bob";
        record.copy.Quest = "Q_Restored";
        record.savedAt = 1000;
        record.process = 0; // a program that has ended
        const std::string kept = NewRecoveryFilePath(folder);
        QVERIFY(WriteRecoveryFile(kept, record));
        const std::string broken =
            (fs::path(folder) / ("broken" + std::string(RecoveryExtension))).string();
        VaskTest::WriteFile(broken, "VaskEdit recovery 1\nMode=Ne");
        {
            QString asked;
            AnswerNextQuestion("Later", &asked);
            MainForm window;
            window.show();
            QTRY_VERIFY(!asked.isEmpty());
            FinishJobs(window);
            QVERIFY2(asked.startsWith("Caution|Info editors left unsaved changes:\n"),
                     qPrintable(asked));
            QVERIFY2(QRegularExpression("\nBob_Recovered, [-0-9]+ [:0-9]+: new info\n")
                         .match(asked)
                         .hasMatch(),
                     qPrintable(asked));
            QVERIFY2(asked.contains("\nUnreadable: " + QString::fromStdString(broken) + " ("),
                     qPrintable(asked));
            QVERIFY(OpenEditors().empty());
            QVERIFY(fs::exists(kept) && fs::exists(broken));
        }
        {
            AnswerNextQuestion("Restore");
            MainForm window;
            window.show();
            QTRY_COMPARE(OpenEditors().size(), std::size_t(1));
            FinishJobs(window);
            InfoForm* editor = OpenEditors().front();
            QCOMPARE(static_cast<QLineEdit*>(FieldOf(*editor, "Quest"))->text(),
                     QString("Q_Restored"));
            QCOMPARE(editor->EditMode(), InfoFormEditMode::New);
            QVERIFY(editor->HasUnsavedChanges());
            QVERIFY(!fs::exists("Infos/Bob_Recovered.vaskinfo"));
            QVERIFY(fs::exists(editor->RecoveryFile()));
            QVERIFY(fs::exists(broken));
            AnswerNextQuestion("Yes"); // lose the changes
            QVERIFY(editor->close());
        }
        QCOMPARE(ListRecoveryFiles(folder).size(), std::size_t(1));
        QVERIFY(WriteRecoveryFile(kept, record));
        {
            AnswerNextQuestion("Discard");
            MainForm window;
            window.show();
            QTRY_VERIFY(!fs::exists(kept));
            FinishJobs(window);
            QVERIFY(OpenEditors().empty());
            QVERIFY(fs::exists(broken));
        }
    }

    void startUpReportsMissingResourcesAndSettings() {
        fs::remove_all("Resources");
        fs::remove("Settings.ini");
        SeenMessage resources, settings;
        AnswerNextMessage(resources);
        AnswerNextMessage(settings);
        MainForm window;
        QCOMPARE(resources.caption, QString("InfoManager"));
        QCOMPARE(resources.text, QString("Error: Important resource files \nare missing!"));
        QCOMPARE(settings.caption, QString("FileManager"));
        QCOMPARE(settings.text,
                 QString("Failed to load settings!\nCould not read \"Settings.ini\": "
                         "the file does not exist."));
    }

    // A rename that did not finish: the start asks, "Later" leaves every file and the
    // journal, "Restore" puts the files back and says what it did.
    void anUnfinishedRenameIsRestoredAtStartWhenAsked() {
        const std::string trade = VaskTest::ReadFile("Infos/Bob_Trade.vaskinfo");
        const Journal journal{
            "rename",
            {},
            {{"Infos/Bob_Renamed.vaskinfo", std::nullopt}, {"Infos/Bob_Trade.vaskinfo", trade}}};
        VaskTest::WriteFile("Backup/.journal", JournalBytes(journal));
        VaskTest::WriteFile("Infos/Bob_Renamed.vaskinfo", "new");
        VaskTest::WriteFile("Infos/Bob_Trade.vaskinfo", "changed");
        {
            QString asked;
            AnswerNextQuestion("Later", &asked);
            MainForm window;
            window.show();
            QTRY_VERIFY(!asked.isEmpty());
            QVERIFY(asked.startsWith("Caution|A rename or text import did not finish"));
            FinishJobs(window);
            QVERIFY(fs::exists("Backup/.journal"));
            QCOMPARE(VaskTest::ReadFile("Infos/Bob_Trade.vaskinfo"), std::string("changed"));
        }
        AnswerNextQuestion("Restore");
        MainForm window;
        QCOMPARE(MessageAfter([&] { window.show(); }),
                 "Restore|Recovered an unfinished rename: 1 file restored, 1 removed.\n"
                 "Removed \"Infos/Bob_Renamed.vaskinfo\", which the rename had created.\n"
                 "Restored \"Infos/Bob_Trade.vaskinfo\".");
        FinishJobs(window);
        QVERIFY(!fs::exists("Backup/.journal"));
        QVERIFY(!fs::exists("Infos/Bob_Renamed.vaskinfo"));
        QCOMPARE(VaskTest::ReadFile("Infos/Bob_Trade.vaskinfo"), trade);
    }

    // Each argument is opened when the window is first shown; what cannot be opened is
    // reported, and an empty argument ends the arguments.
    void argumentsAreOpenedWhenTheWindowIsFirstShown() {
        struct Case {
            std::vector<std::string> arguments;
            QString caption, text;
            std::size_t editors;
        };
        for (const Case& c : {
                 Case{{"a.txt", "Infos/Bob_Greeting.vaskinfo"},
                      "Error",
                      "Invalid file. \nCurrently supported files: \n \".vaskinfo\"",
                      1},
                 Case{{"", "Infos/Bob_Greeting.vaskinfo"}, "Caution!", "Invalid file!", 0},
                 // Backslashes are reported as slashes.
                 Case{{"C:\\data\\x.vaskinfo"},
                      "InfoManager",
                      "Error: File \n<C:/data/x.vaskinfo>\n not found!\nCould not read "
                      "\"C:/data/x.vaskinfo\": the file does not exist.",
                      0},
             }) {
            MainForm window(c.arguments);
            QCOMPARE(MessageAfter([&] { window.show(); }), c.caption + "|" + c.text);
            if (c.editors == 0)
                QTest::qWait(100);
            QTRY_COMPARE(OpenEditors().size(), c.editors);
            for (InfoForm* editor : OpenEditors())
                QVERIFY(editor->EditMode() == InfoFormEditMode::View);
            CloseEditors();
        }
    }

    void filtersListTheirRecordsAndClearListsTheCache() {
        MainForm window;
        window.show();
        window.ReadInfoCache();
        const int all = Rows(window.InfoList());
        QVERIFY(all >= 30);
        QCOMPARE(CutColumns(window.InfoList()).join(", "), QString());
        const auto setFilter = [&](const QString& text, const QString& type) {
            window.InfoFilterBox()->setText(text);
            window.InfoFilterType()->setCurrentText(type); // "": any field, any case
        };
        setFilter("Bob", "Owner");
        QTest::keyClick(window.InfoFilterBox(), Qt::Key_Return);
        QVERIFY(Rows(window.InfoList()) >= 5);
        for (int r = 0; r < Rows(window.InfoList()); ++r)
            QCOMPARE(Cell(window.InfoList(), r, 1), QString("Bob"));
        QCOMPARE(window.InfoCount()->text(),
                 QString("%1 of %2 infos").arg(Rows(window.InfoList())).arg(all));
        for (const auto& [text, type, rows] : {std::tuple{"bob_", "", 7},
                                               {"Bob_Greeting", "Name", 1},
                                               {"Q_GuardDuty", "Quest", 3}}) {
            setFilter(text, type);
            window.FilterInfos();
            QCOMPARE(Rows(window.InfoList()), rows);
        }
        // Selecting a row after a filter shows that record.
        window.InfoList()->selectRow(1);
        QCOMPARE(window.SelectedQuest()->text(), QString("Q_GuardDuty"));
        QCOMPARE(window.SelectedName()->text(), Cell(window.InfoList(), 1, 0));

        window.ClearInfoFilter();
        QCOMPARE(Rows(window.InfoList()), all);
        QCOMPARE(window.InfoCount()->text(), QString("%1 infos").arg(all));
        QVERIFY(window.InfoFilterBox()->text().isEmpty());
        window.InfoList()->selectRow(0);
        QCOMPARE(window.SelectedName()->text(),
                 QString::fromStdString(InfoManager::InfoFileCache[0].Name.Str()));

        setFilter("   ", "Owner");
        QCOMPARE(MessageAfter([&] { window.FilterInfos(); }),
                 QString("Caution!|Invalid filter text!"));
        // Enter with Shift does nothing.
        setFilter("Mira", "Owner");
        QTest::keyClick(window.InfoFilterBox(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(Rows(window.InfoList()), all);

        // Typing filters after a short pause, without OK; emptied, the box lists all again.
        window.InfoFilterBox()->clear();
        window.InfoFilterType()->setCurrentText(""); // any field, a part of it
        QTest::keyClicks(window.InfoFilterBox(), "bob_gree");
        QTRY_COMPARE(Rows(window.InfoList()), 1);
        QCOMPARE(Cell(window.InfoList(), 0, 0), QString("Bob_Greeting"));
        for (int i = 0; i < 8; ++i)
            QTest::keyClick(window.InfoFilterBox(), Qt::Key_Backspace);
        QTRY_COMPARE(Rows(window.InfoList()), all);
    }

    // "Update Cache" runs in the background, lists the new cache and writes it, also when
    // the user cancels its wait dialog.
    void updateCacheWritesTheCacheEvenWhenCancelled() {
        fs::remove("infocache");
        MainForm window;
        window.InfoFilterBox()->setText("Bob");
        window.FilterInfos();
        window.UpdateInfoCache();
        FinishJobs(window);
        QVERIFY(fs::exists("infocache"));
        QCOMPARE(Rows(window.InfoList()), int(VaskTest::ListNames("Infos").size()));
        QVERIFY(window.Progress()->isHidden());

        fs::remove("infocache");
        OnNextModalOf<UserWaitDialog>([](UserWaitDialog& wait) { wait.reject(); });
        window.UpdateInfoCache();
        FinishJobs(window);
        QVERIFY(fs::exists("infocache"));
        QVERIFY(window.isEnabled()); // usable again once the worker has finished
    }

    // The strip's bar stands whole between the last menu and the window's edge, at the
    // default size and in a narrower window, so that 12% never looks full.
    void stripBarFitsTheMenuBar() {
        MainForm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.Progress()->show();
        for (const int wanted : {window.width(), 700}) {
            window.resize(wanted, window.height());
            QTRY_COMPARE(window.menuBar()->width(), window.width());
            const int width = window.width();
            const QRect bar(window.Progress()->mapTo(window.menuBar(), QPoint(0, 0)),
                            window.Progress()->size());
            const QList<QAction*> menus = window.menuBar()->actions();
            QVERIFY(bar.left() > window.menuBar()->actionGeometry(menus.last()).right());
            QVERIFY(bar.right() < width);
        }
    }

    // "Spoken text" searches the lines the infos show, ignoring case; the file text holds
    // only their ids.
    void searchListsTheInfosThatShowOrHoldTheText() {
        References().Build({}, {});
        MainForm window;
        window.SearchType()->setCurrentText("Spoken text");
        window.SearchBox()->setText("HERBS");
        QTest::keyClick(window.SearchBox(), Qt::Key_Return);
        QStringList found;
        for (int r = 0; r < Rows(window.InfoList()); ++r)
            found << Cell(window.InfoList(), r, 0);
        found.sort();
        // Not Mira_HealingHerbs, whose ids alone hold the word.
        QCOMPARE(found, (QStringList{"Mira_Greeting", "Mira_Teach"}));
        window.InfoList()->selectRow(0);
        QCOMPARE(window.SelectedName()->text(), Cell(window.InfoList(), 0, 0));
        window.SearchBox()->setText("Some of them bite");
        window.Search();
        QCOMPARE(RowTexts(window.InfoList()), QStringList{"Mira_Greeting|Mira|"});
        // "File text" runs in the background over the files: the words are not in them, an
        // id is, and a blank text finds nothing.
        window.SearchType()->setCurrentText("File text");
        window.Search();
        FinishJobs(window);
        QCOMPARE(Rows(window.InfoList()), 0);
        window.SearchBox()->setText("GE_Mira_AskedForHerbs");
        QTest::keyClick(window.SearchBox(), Qt::Key_Return);
        FinishJobs(window);
        QCOMPARE(Rows(window.InfoList()), 2);
        window.SearchBox()->setText("   ");
        window.Search();
        FinishJobs(window);
        QCOMPARE(Rows(window.InfoList()), 0);
    }

    // The texts in use go out to a CSV file; an import shows its changes, or the problems
    // of its rows, before it writes anything.
    void textsAreExportedAndImportedAfterReview() {
        References().Build({}, {});
        MainForm window;
        QCOMPARE(MessageAfter([&] { window.ExportTextsTo("texts.csv"); }).section('|', 0, 0),
                 QString("Export Texts"));
        std::string csv = VaskTest::ReadFile("texts.csv");
        const std::string row = "infosa.csv,BOB_HAGGLE_01,";
        const std::string robbery = "That price is robbery.";
        const std::size_t text = csv.find(robbery, csv.find(row));
        QVERIFY(csv.find(row) != std::string::npos && text != std::string::npos);
        csv.replace(text, robbery.size(), "Too dear.");
        const auto lines = std::count(csv.begin(), csv.end(), '\n');
        VaskTest::WriteFile("bad.csv", csv + "infosa.csv,BOB_HAGGLE_02,,,,,,,a|b\r\n");
        VaskTest::WriteFile("good.csv", csv);
        std::map<std::string, std::string> tables;
        for (const char* name : {"infosa.csv", "infodescsa.csv", "questdescsa.csv"})
            tables[name] = VaskTest::ReadFile(name);

        QString problems;
        OnNextModalOf<TextImportDialog>([&](TextImportDialog& review) {
            QVERIFY(!review.Changes());
            problems = review.Problems()->toPlainText();
            review.reject();
        });
        window.ImportTextsFrom("bad.csv");
        QCOMPARE(problems, QString("row %1: a text cannot hold \"|\", which separates the "
                                   "fields of a table line")
                               .arg(lines + 1));
        for (const auto& [name, bytes] : tables)
            QCOMPARE(VaskTest::ReadFile(name), bytes);

        // An editor open on the info shows the imported text at once.
        InfoForm* haggle = OpenInfoByName(&window, "Bob_Haggle");
        QVERIFY(haggle);
        const QModelIndex textCell = haggle->Grid(0)->model()->index(1, 6);
        QCOMPARE(textCell.data().toString(), QString::fromStdString(robbery));
        QStringList shown;
        OnNextModalOf<TextImportDialog>([&](TextImportDialog& review) {
            for (int column = 0; column < review.Changes()->columnCount(); ++column)
                shown << review.Changes()->item(0, column)->text();
            shown << QString::number(review.Changes()->rowCount());
            review.accept();
        });
        QCOMPARE(MessageAfter([&] { window.ImportTextsFrom("good.csv"); }),
                 QString("Import Texts|1 line changed."));
        QCOMPARE(shown, (QStringList{"infosa.csv", "BOB_HAGGLE_01", QString::fromStdString(robbery),
                                     "Too dear.", "1"}));
        std::string expected = tables["infosa.csv"];
        expected.replace(expected.find(robbery), robbery.size(), "Too dear.");
        QCOMPARE(VaskTest::ReadFile("infosa.csv"), expected);
        QCOMPARE(textCell.data().toString(), QString("Too dear."));
        CloseEditors();
    }

    // A file a spreadsheet saved in Windows-1252 is detected and read; chosen as UTF-8 it
    // is refused in one line; OK writes the plan of the encoding chosen last.
    void anImportReadsTheEncodingDetectedOrChosen() {
        VaskTest::WriteFile("latin.csv", "table;id;text\r\n"
                                         "infosa.csv;BOB_HAGGLE_01;Zu teuer, F\xFCrst.\r\n");
        std::string expected = VaskTest::ReadFile("infosa.csv");
        const std::string robbery = "That price is robbery.";
        QVERIFY(expected.find(robbery) != std::string::npos);
        expected.replace(expected.find(robbery), robbery.size(), "Zu teuer, F\xFCrst.");
        MainForm window;
        QString chosenFirst, detected, refused;
        bool okWhenRefused = true;
        QString newText;
        OnNextModalOf<TextImportDialog>([&](TextImportDialog& review) {
            chosenFirst = review.Encoding()->currentText();
            detected = review.findChild<QLabel*>("summary")->text();
            newText = review.Changes() ? review.Changes()->item(0, 3)->text() : QString();
            review.Encoding()->setCurrentText("UTF-8");
            refused = review.Problems() ? review.Problems()->toPlainText() : QString();
            okWhenRefused = review.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            review.Encoding()->setCurrentText("Windows-1252");
            review.accept();
        });
        QCOMPARE(MessageAfter([&] { window.ImportTextsFrom("latin.csv"); }),
                 QString("Import Texts|1 line changed."));
        QCOMPARE(chosenFirst, QString("Detect"));
        QCOMPARE(
            detected,
            QString("Read as Windows-1252 (not UTF-8: byte 0xFC at row 2). OK writes 1 change:"));
        QCOMPARE(newText, QString::fromUtf8("Zu teuer, F\xC3\xBCrst."));
        QCOMPARE(refused, QString("not UTF-8: byte 0xFC at row 2; save it as UTF-8 or choose "
                                  "Windows-1252 above"));
        QVERIFY(!okWhenRefused);
        QCOMPARE(VaskTest::ReadFile("infosa.csv"), expected);
    }

    // "Find Usages" (Shift+F12) on an editor's grid cell or field lists every use of the
    // value it stores; a row opens its info with that entry selected or that field focused.
    void findUsagesListsTheUsesAndOpensTheirPlaces() {
        SetParent("Mira_Greeting", {"Mira_Teach"});
        // Enough infos that the index is still being built when the user asks.
        const std::string filler = VaskTest::ReadFile("Infos/Villager_Anna_Smalltalk_01.vaskinfo");
        for (int i = 0; i < 3000; ++i)
            VaskTest::WriteFile("Infos/Filler_" + std::to_string(i) + ".vaskinfo", filler);
        MainForm window;
        InfoForm* buySword = OpenInfoByName(&window, "Bob_BuySword");
        QVERIFY(buySword);
        QTableView* grid = buySword->Grid(0);
        grid->setCurrentIndex(grid->model()->index(2, 3)); // the item it destroys
        WaitDialogsShown waits;
        window.show(); // builds the index, as at start: the key comes while it runs
        QVERIFY(window.Indexing()->Job().IsBusy());
        PressKey(grid, Qt::Key_F12, Qt::ShiftModifier);
        QTRY_COMPARE(Shown<UsagesWindow>().size(), std::size_t(1));
        QCOMPARE(waits.jobs, QStringList{"Index of \"Infos/\""});
        UsagesWindow* usages = Shown<UsagesWindow>()[0];
        QCOMPARE(RowTexts(usages->List()), (QStringList{
                                               "Bob_BuySword|GoldCostItem|Bob",
                                               "Bob_BuySword|InfoCommands[2].ID1|Bob",
                                               "Bob_BuySword|InfoConditions[0].ID1|Bob",
                                               "Bob_ShipmentFound|InfoCommands[3].ID1|Bob",
                                               "Lena_Room|GoldCostItem|Lena",
                                               "Lena_Room|InfoCommands[1].ID1|Lena",
                                           }));
        QCOMPARE(usages->Summary(),
                 QString("6 uses of \"{52CED392-324A-E703-AD39-A2846EF838D0}\" in 3 infos."));
        QVERIFY(usages->OpenRow(3));
        InfoForm* shipment = EditorOn("Bob_ShipmentFound");
        QVERIFY(shipment);
        QCOMPARE(shipment->windowTitle(), QString("Info Editor - 2 of 3")); // the listed infos
        QCOMPARE(shipment->Tabs()->currentIndex(), 0);
        QCOMPARE(shipment->Grid(0)->currentIndex().row(), 3);
        QCOMPARE(shipment->Grid(0)->currentIndex().column(), 3);
        QVERIFY(usages->OpenRow(4));
        InfoForm* room = EditorOn("Lena_Room");
        QVERIFY(room);
        QCOMPARE(room->focusWidget(), FieldOf(*room, "GoldCostItem"));
        QVERIFY(!QApplication::activeModalWidget()); // focused, not picked
        usages->close();

        // A field: the info's name is used as a child's Parent and in a condition.
        InfoForm* greeting = OpenInfoByName(&window, "Mira_Greeting");
        PressKey(FieldOf(*greeting, "InfoName"), Qt::Key_F12, Qt::ShiftModifier);
        QTRY_COMPARE(Shown<UsagesWindow>().size(), std::size_t(1));
        usages = Shown<UsagesWindow>()[0];
        QCOMPARE(RowTexts(usages->List()),
                 (QStringList{"Mira_HealingHerbs|InfoConditions[1].ID1|Mira",
                              "Mira_Teach|Parent|Mira"}));
        QVERIFY(usages->OpenRow(1));
        InfoForm* teach = EditorOn("Mira_Teach");
        QVERIFY(teach);
        QCOMPARE(teach->focusWidget(), FieldOf(*teach, "ParentInfo"));
        // A blank field has nothing to find.
        PressKey(FieldOf(*teach, "SmallTalkPartner"), Qt::Key_F12, Qt::ShiftModifier);
        QTest::qWait(50);
        QCOMPARE(Shown<UsagesWindow>().size(), std::size_t(1));
    }

    // "Rename..." shows what it would write before writing anything; an editor with
    // unsaved changes on an info it changes refuses it; OK renames, the list follows and
    // the unchanged editors show the renamed files.
    void renameShowsItsChangesFirstAndTheListFollows() {
        SetParent("Mira_Greeting", {"Mira_Teach", "Mira_SleepOver"});
        References().Build({}, {});
        MainForm window;
        window.ReadInfoCache();
        window.InfoFilterBox()->setText("Mira");
        window.InfoFilterType()->setCurrentText("Owner");
        window.FilterInfos();
        const int miras = Rows(window.InfoList());
        window.InfoList()->selectRow(0);
        QCOMPARE(window.SelectedName()->text(), QString("Mira_Greeting"));
        const auto before = InfoFiles();

        QStringList shown;
        QString verdict;
        OnNextModalOf<RenameInfoDialog>([&](RenameInfoDialog& dialog) {
            dialog.NameBox()->setText("Mira_Hello");
            dialog.Plan();
            shown = RowTexts(dialog.Changes());
            verdict = dialog.Verdict();
            dialog.reject();
        });
        window.RenameSelection();
        QCOMPARE(shown, (QStringList{
                            "Mira_Greeting|renamed to \"Infos/Mira_Hello.vaskinfo\"|Name",
                            "Mira_HealingHerbs|uses the name|InfoConditions[1].ID1",
                            "Mira_SleepOver|child|Parent",
                            "Mira_Teach|child|Parent",
                        }));
        QCOMPARE(verdict, QString("Renames \"Infos/Mira_Greeting.vaskinfo\" and changes 3 other "
                                  "infos (2 children). Nothing is written before OK."));
        QVERIFY(InfoFiles() == before);

        // A refusal is shown before anything is written, as the command line words it.
        OnNextModalOf<RenameInfoDialog>([&](RenameInfoDialog& dialog) {
            dialog.NameBox()->setText("Mira_Teach");
            dialog.Plan();
            verdict = dialog.Verdict();
            QVERIFY(!dialog.OkButton()->isEnabled());
            dialog.reject();
        });
        window.RenameSelection();
        QCOMPARE(verdict, QString("Not renamed: An info named \"Mira_Teach\" exists already."));

        QPointer<InfoForm> teach = OpenInfoByName(&window, "Mira_Teach");
        teach->EditInfo();
        QTest::keyClicks(FieldOf(*teach, "Partner"), "x");
        QString refused;
        OnNextModalOf<RenameInfoDialog>([&](RenameInfoDialog& dialog) {
            dialog.NameBox()->setText("Mira_Hello");
            refused = MessageAfter([&] { dialog.Rename(); });
            dialog.reject();
        });
        window.RenameSelection();
        QCOMPARE(refused, QString("Caution!|Not renamed: the info editor of \"Mira_Teach\" has "
                                  "unsaved changes.\nSave or cancel them first."));
        QVERIFY(InfoFiles() == before);

        teach->Undo();
        OnNextModalOf<RenameInfoDialog>([&](RenameInfoDialog& dialog) {
            dialog.NameBox()->setText("Mira_Hello");
            dialog.Rename();
        });
        window.RenameSelection();
        QVERIFY(!fs::exists("Infos/Mira_Greeting.vaskinfo"));
        QVERIFY(VaskTest::ReadFile("Infos/Mira_Hello.vaskinfo").find("Name = \"Mira_Hello\"") !=
                std::string::npos);
        QVERIFY(VaskTest::ReadFile("Infos/Mira_Teach.vaskinfo").find("Parent = \"Mira_Hello\"") !=
                std::string::npos);
        // The filter stays in force: the same infos, one of them under its new name.
        const QStringList listed = RowTexts(window.InfoList());
        QCOMPARE(listed.size(), miras);
        QVERIFY(listed.contains("Mira_Hello|Mira|"));
        QVERIFY(!listed.join('\n').contains("Mira_Greeting"));
        QCOMPARE(window.InfoFilterBox()->text(), QString("Mira"));
        QCOMPARE(window.SelectedName()->text(), QString("Mira_Hello"));
        QTRY_VERIFY(!teach); // closed, and opened again on the new file
        QVERIFY(EditorOn("Mira_Teach"));
        QCOMPARE(Text(EditorOn("Mira_Teach"), "ParentInfo"), QString("Mira_Hello"));
        QVERIFY(EditorOn("Mira_Teach")->EditMode() == InfoFormEditMode::Edit);
    }

    // What an editor opened from the window saves is listed at once and written to
    // "infocache": a new info, and a copy made with "Copy".
    void savedNewInfosAndCopiesAreListedAndCached() {
        MainForm window;
        window.show();
        window.ReadInfoCache();
        const int all = Rows(window.InfoList());

        window.NewInfo();
        QCOMPARE(OpenEditors().size(), std::size_t(1));
        InfoForm* fresh = OpenEditors().front();
        static_cast<QLineEdit*>(FieldOf(*fresh, "InfoName"))->setText("Brand_New");
        static_cast<QLineEdit*>(FieldOf(*fresh, "Owner"))->setText("Bob");
        AnswerNextQuestion("Yes"); // "Are you sure?"
        fresh->Save();
        QCOMPARE(Rows(window.InfoList()), all + 1);
        QVERIFY(RowTexts(window.InfoList()).contains("Brand_New|Bob|"));
        QCOMPARE(window.InfoCount()->text(), QString("%1 infos").arg(all + 1));
        QVERIFY(VaskTest::ReadFile("infocache").find(",Brand_New,Bob,,") != std::string::npos);

        QPointer<InfoForm> original = OpenInfoByName(&window, "Dray_Briefing");
        QVERIFY(original);
        original->CopyInfo();
        static_cast<QLineEdit*>(FieldOf(*original, "InfoName"))->setText("Dray_Briefing_Copy");
        AnswerNextQuestion("Yes");
        original->Save();
        QVERIFY(fs::exists("Infos/Dray_Briefing_Copy.vaskinfo"));
        QCOMPARE(Rows(window.InfoList()), all + 2);
        QVERIFY(RowTexts(window.InfoList()).contains("Dray_Briefing_Copy|Dray|Q_GuardDuty"));
        QVERIFY(RowTexts(window.InfoList()).contains("Dray_Briefing|Dray|Q_GuardDuty"));
        // The cache file lists what "Read Cache" lists: read again, the list is the same.
        const QStringList listed = RowTexts(window.InfoList());
        window.ReadInfoCache();
        QCOMPARE(RowTexts(window.InfoList()), listed);
    }

    // A saved info's row shows its values now, in the list and in "infocache"; the filter
    // in force stays and is applied again: an info that now matches it appears, one that
    // no longer does leaves. The selected info stays selected.
    void savedInfosFollowTheFilterInForce() {
        MainForm window;
        window.show();
        window.ReadInfoCache();
        const int all = Rows(window.InfoList());
        window.InfoFilterBox()->setText("Dray");
        window.InfoFilterType()->setCurrentText("Owner");
        window.FilterInfos();
        const int drays = Rows(window.InfoList());
        QVERIFY(drays >= 3);
        QVERIFY(!RowTexts(window.InfoList()).join('\n').contains("Bob_Haggle"));

        SaveEdited(window, "Bob_Haggle", "Owner", "Dray");
        QCOMPARE(Rows(window.InfoList()), drays + 1);
        QVERIFY(RowTexts(window.InfoList()).contains("Bob_Haggle|Dray|"));
        QCOMPARE(window.InfoFilterBox()->text(), QString("Dray"));
        QCOMPARE(window.InfoCount()->text(), QString("%1 of %2 infos").arg(drays + 1).arg(all));
        QVERIFY(VaskTest::ReadFile("infocache").find("Bob_Haggle,Dray,,") != std::string::npos);

        const QModelIndexList greeting = window.InfoList()->model()->match(
            window.InfoList()->model()->index(0, 0), Qt::DisplayRole, "Dray_Greeting");
        QCOMPARE(greeting.size(), 1);
        window.InfoList()->selectRow(greeting.first().row());
        QPointer<InfoForm> dray = OpenInfoByName(&window, "Dray_Greeting");
        dray->EditInfo();
        static_cast<QLineEdit*>(FieldOf(*dray, "Owner"))->setText("Lena");
        AnswerNextQuestion("Yes");
        dray->Apply(); // saves as well, and the window stays
        QVERIFY(dray->isVisible());
        QCOMPARE(Rows(window.InfoList()), drays);
        QVERIFY(!RowTexts(window.InfoList()).join('\n').contains("Dray_Greeting"));
        QVERIFY(VaskTest::ReadFile("infocache").find("Dray_Greeting,Lena,,") != std::string::npos);

        // Unfiltered, the edited row shows its new owner and stays selected.
        window.ClearInfoFilter();
        window.InfoList()->selectRow(
            window.InfoList()
                ->model()
                ->match(window.InfoList()->model()->index(0, 0), Qt::DisplayRole, "Dray_Greeting")
                .first()
                .row());
        static_cast<QLineEdit*>(FieldOf(*dray, "Owner"))->setText("Mira");
        AnswerNextQuestion("Yes");
        dray->Save();
        QCOMPARE(Rows(window.InfoList()), all);
        QVERIFY(RowTexts(window.InfoList()).contains("Dray_Greeting|Mira|"));
        QCOMPARE(window.SelectedName()->text(), QString("Dray_Greeting"));
        QCOMPARE(window.SelectedOwner()->text(), QString("Mira"));
    }

    // A search's result follows saved infos too: an info whose file now holds the text
    // joins it, one that no longer does leaves, and a row shows the info's values now.
    void searchResultsFollowSavedInfos() {
        References().Build({}, {});
        MainForm window;
        window.show();
        window.ReadInfoCache();
        window.SearchType()->setCurrentText("File text");
        window.SearchBox()->setText("Q_GuardDuty");
        window.Search();
        FinishJobs(window);
        const int found = Rows(window.InfoList());
        QVERIFY(RowTexts(window.InfoList()).contains("Dray_GateOpen|Dray|Q_GuardDuty"));

        SaveEdited(window, "Bob_Haggle", "Quest", "Q_GuardDuty");
        QCOMPARE(Rows(window.InfoList()), found + 1);
        QVERIFY(RowTexts(window.InfoList()).contains("Bob_Haggle|Bob|Q_GuardDuty"));

        SaveEdited(window, "Dray_GateOpen", "Quest", "Q_Elsewhere");
        QCOMPARE(Rows(window.InfoList()), found);
        QVERIFY(!RowTexts(window.InfoList()).join('\n').contains("Dray_GateOpen"));
        QCOMPARE(window.SearchBox()->text(), QString("Q_GuardDuty"));

        window.SearchType()->setCurrentText("Spoken text");
        window.SearchBox()->setText("Some of them bite");
        window.Search();
        QCOMPARE(RowTexts(window.InfoList()), QStringList{"Mira_Greeting|Mira|"});
        SaveEdited(window, "Mira_Greeting", "Owner", "Lena");
        QCOMPARE(RowTexts(window.InfoList()), QStringList{"Mira_Greeting|Lena|"});
    }

    void splitAndMergeEndToEnd() {
        fs::remove_all("Infos");
        fs::create_directory("Infos");
        MainForm window;
        const QString split = MessageAfter([&] {
            window.SplitHdrdoc();
            FinishJobs(window);
        });
        const auto infos = VaskTest::ListNames("Infos").size();
        QVERIFY(infos >= 50);
        QCOMPARE(split, "InfoManager|" + QString::number(infos) +
                            " infos found in \"w_info.hdrdoc\".\n" + QString::number(infos) +
                            " infos written to \"Infos/\".");
        MergeReviewDialog::SetEnabled(false); // the review has a test of its own
        QCOMPARE(MessageAfter([&] {
                     window.MergeInfos();
                     FinishJobs(window);
                 }),
                 "InfoManager|Successfully created file \n\"Output/new_info.hdrdoc\".\n" +
                     QString::number(infos) + " info files merged.\n" + QString::number(infos) +
                     " infos written, against \"w_info.hdrdoc\": 0 new, 0 changed, 0 renamed, " +
                     QString::number(infos) + " unchanged.");
        QCOMPARE(VaskTest::ReadFile("Output/new_info.hdrdoc"), VaskTest::ReadFile("w_info.hdrdoc"));
    }

    // The merge shows what it will change against the game document first: the counts,
    // the infos left out in a warning colour, each changed info's places. Cancel writes
    // nothing; Merge writes and says again what was left out, a renamed info not among
    // them; the review can be turned off.
    void mergeShowsWhatItChangesFirst() {
        std::string teach = VaskTest::ReadFile("Infos/Mira_Teach.vaskinfo");
        fs::remove("Infos/Mira_Teach.vaskinfo");
        for (std::size_t at; (at = teach.find("\"Mira_Teach\"")) != std::string::npos;)
            teach.replace(at, 12, "\"Mira_Lesson\"");
        VaskTest::WriteFile("Infos/Mira_Lesson.vaskinfo", teach);
        std::string haggle = VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo");
        haggle.replace(haggle.find("Owner = \"Bob\""), 13, "Owner = \"Dray\"");
        VaskTest::WriteFile("Infos/Bob_Haggle.vaskinfo", haggle);
        fs::remove("Infos/Fisher_Ulf_Smalltalk_08.vaskinfo");
        fs::remove("Infos/Villager_Karl_Smalltalk_22.vaskinfo");
        MainForm window;

        QString summary, warning;
        QStringList tree;
        OnNextModalOf<MergeReviewDialog>([&](MergeReviewDialog& review) {
            summary = review.Summary()->text();
            warning = review.LeftOutWarning()->isVisibleTo(&review)
                          ? review.LeftOutWarning()->text()
                          : QString();
            const QAbstractItemModel* model = review.Changes()->model();
            for (int row = 0; row < model->rowCount(); ++row) {
                const QModelIndex group = model->index(row, 0);
                tree << group.data().toString();
                for (int info = 0; info < model->rowCount(group); ++info) {
                    const QModelIndex at = model->index(info, 0, group);
                    tree << "  " + at.data().toString();
                    for (int place = 0; place < model->rowCount(at); ++place)
                        tree << "    " + model->index(place, 0, at).data().toString();
                }
            }
            review.reject();
        });
        window.MergeInfos();
        QTRY_VERIFY(!summary.isEmpty());
        FinishJobs(window);
        QCOMPARE(summary, QString("The merged document \"Output/new_info.hdrdoc\" will hold 49 "
                                  "infos. Against \"w_info.hdrdoc\": 0 new, 1 changed, 1 renamed, "
                                  "47 unchanged."));
        QCOMPARE(warning, QString("2 infos of \"w_info.hdrdoc\" have no file in \"Infos/\": they "
                                  "will not be in the game's document."));
        QCOMPARE(tree.mid(0, 3), (QStringList{"No file, left out (2)", "  Fisher_Ulf_Smalltalk_08",
                                              "  Villager_Karl_Smalltalk_22"}));
        QCOMPARE(tree.mid(3),
                 (QStringList{"Changed (1)", "  Bob_Haggle", "    Owner: \"Bob\" -> \"Dray\"",
                              "Renamed (1)", "  Mira_Teach -> Mira_Lesson"}));
        QVERIFY(!fs::exists("Output/new_info.hdrdoc"));

        OnNextModalOf<MergeReviewDialog>([](MergeReviewDialog& review) {
            review.ShowBeforeMerging()->setChecked(false);
            review.accept();
        });
        const QString merged = MessageAfter([&] {
            window.MergeInfos();
            QTest::qWait(200);
            FinishJobs(window);
        });
        QVERIFY(fs::exists("Output/new_info.hdrdoc"));
        QVERIFY2(merged.startsWith("Caution!|Successfully created file") &&
                     merged.contains("49 infos written, against \"w_info.hdrdoc\": 0 new, 1 "
                                     "changed, 1 renamed, 47 unchanged.") &&
                     merged.contains("Warning: 2 infos of \"w_info.hdrdoc\" have no file") &&
                     !merged.contains("Mira_Teach"),
                 qPrintable(merged));
        // Turned off: the next merge goes straight ahead.
        QVERIFY(!MergeReviewDialog::Enabled());
        fs::remove("Output/new_info.hdrdoc");
        MessageAfter([&] {
            window.MergeInfos();
            FinishJobs(window);
        });
        QVERIFY(fs::exists("Output/new_info.hdrdoc"));
    }

    // A folder that cannot be listed is an "Error", not a success; files that could not
    // be read are named.
    void libraryFailuresAreShown() {
        fs::rename("w_info.hdrdoc", "w_info.aside");
        MainForm window;
        QCOMPARE(MessageAfter([&] { window.SplitHdrdoc(); }),
                 QString("InfoManager|Failed to load infostream.\nCould not read "
                         "\"w_info.hdrdoc\": the file does not exist."));

        fs::rename("Infos", "infos-aside");
        VaskTest::WriteFile("Infos", "a plain file where the folder belongs");
        const QString failed = MessageAfter([&] {
            window.MergeInfos();
            FinishJobs(window);
        });
        QVERIFY(failed.startsWith("Error|") && failed.contains("\"Infos/\" could not be read"));
        QVERIFY(!fs::exists("Output/new_info.hdrdoc"));

        fs::remove("Infos");
        fs::rename("infos-aside", "Infos");
        fs::create_directory("Infos/Broken.vaskinfo"); // opens as no file
        QVERIFY(MessageAfter([&] {
                    window.UpdateInfoCache();
                    FinishJobs(window);
                }).contains("\nInfos/Broken.vaskinfo"));

        // A cache that cannot be written is no quiet success.
        fs::remove("Infos/Broken.vaskinfo");
        fs::remove("infocache");
        fs::create_directory("infocache");
        QCOMPARE(MessageAfter([&] {
                     window.UpdateInfoCache();
                     FinishJobs(window);
                 }),
                 QString("Error|Could not save \"infocache\": it is a folder."));
    }

    void openWithNotepadHandsTheWholePath() {
        const QString name = QString("n").repeated(48);
        // The desktop's opener, whatever editor the user who runs the tests has.
        const struct KeptVariables {
            QByteArray visual = qgetenv("VISUAL"), editor = qgetenv("EDITOR");
            bool hadVisual = qEnvironmentVariableIsSet("VISUAL");
            bool hadEditor = qEnvironmentVariableIsSet("EDITOR");
            ~KeptVariables() {
                if (hadVisual)
                    qputenv("VISUAL", visual);
                if (hadEditor)
                    qputenv("EDITOR", editor);
            }
        } kept;
        qunsetenv("VISUAL");
        qunsetenv("EDITOR");
        std::vector<std::string> arguments;
        Launcher::SetRecorder([&](const std::string&, const std::string& argument) {
            arguments.push_back(argument);
            return true;
        });
        MainForm window;
        window.SelectedName()->setText(name);
        window.OpenWithNotepad();
        Launcher::SetRecorder({});
        QCOMPARE(arguments, std::vector<std::string>{"Infos/" + name.toStdString() + ".vaskinfo"});
    }

    void cancelledMergeLeavesNoDocument() {
        // Enough files that the merge is still running when the user cancels.
        const std::string info = VaskTest::ReadFile("Infos/Bob_Greeting.vaskinfo");
        for (int i = 0; i < 4000; ++i)
            VaskTest::WriteFile("Infos/Copy_" + std::to_string(i) + ".vaskinfo", info);
        MergeReviewDialog::SetEnabled(false);
        MainForm window;
        // The wait dialog names the job and counts its files as they go.
        QString job;
        QString count;
        OnNextModalOf<UserWaitDialog>([&](UserWaitDialog& wait) {
            job = wait.JobText();
            (void)QTest::qWaitFor([&] { return !wait.CountText().isEmpty(); }, 5000);
            count = wait.CountText();
            wait.reject();
        });
        window.MergeInfos();
        FinishJobs(window);
        QVERIFY(!fs::exists("Output/new_info.hdrdoc"));
        QCOMPARE(job, QString("Merge \"Infos/\" into \"Output/new_info.hdrdoc\""));
        const QString total =
            QLocale(QLocale::English).toString(qulonglong(VaskTest::ListNames("Infos").size()));
        QVERIFY2(count.endsWith(" of " + total + " files"), qPrintable(count));
    }

    // "Tools" > "Check Infos": the findings list in a window of their own, and a row
    // opens its info.
    void checkListsFindingsWhoseRowsOpenTheirInfo() {
        std::string info = VaskTest::ReadFile("Infos/Lena_Room.vaskinfo");
        const std::string parent = "bCString Parent = \"";
        info.insert(info.find(parent) + parent.size(), "Nobody_Here");
        VaskTest::WriteFile("Infos/Lena_Room.vaskinfo", info);
        MainForm window;
        window.CheckInfos();
        FinishJobs(window);
        QTRY_COMPARE(Shown<CheckReportWindow>().size(), std::size_t(1));
        CheckReportWindow* report = Shown<CheckReportWindow>()[0];
        QVERIFY(report->Summary().startsWith("1 error, "));
        QTableView* list = report->List();
        int row = -1;
        for (int r = 0; r < Rows(list); ++r) {
            if (Cell(list, r, 0) == "error")
                row = r;
        }
        QVERIFY(row >= 0);
        QCOMPARE(Cell(list, row, 1), QString("Lena_Room"));
        QVERIFY(Cell(list, row, 2).contains("Nobody_Here"));
        QVERIFY(OpenEditors().empty());
        QVERIFY(report->OpenRow(row));
        QCOMPARE(OpenEditors().size(), std::size_t(1));
        QCOMPARE(static_cast<QLineEdit*>(FieldOf(*OpenEditors()[0], "InfoName"))->text(),
                 QString("Lena_Room"));
        report->close();
    }

    void keysOpenNewAndSelectedInfos() {
        MainForm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QTRY_COMPARE(OpenEditors().size(), std::size_t(1));
        QVERIFY(OpenEditors()[0]->EditMode() == InfoFormEditMode::New);
        CloseEditors();

        window.ReadInfoCache();
        window.InfoList()->selectRow(2);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
        QTRY_COMPARE(OpenEditors().size(), std::size_t(1));
        QCOMPARE(Text(OpenEditors()[0], "InfoName"), Cell(window.InfoList(), 2, 0));

        // Enter and a double-click on a row open it; each new editor steps aside from the
        // last one.
        QTableView* list = window.InfoList();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        list->setFocus();
        list->setCurrentIndex(list->model()->index(4, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(EditorOn(Cell(list, 4, 0)));
        const QRect fifth = list->visualRect(list->model()->index(5, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, fifth.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, fifth.center());
        QTRY_VERIFY(EditorOn(Cell(list, 5, 0)));
        // A step aside while the new one fits on the screen, else the screen's corner.
        InfoForm* fourth = EditorOn(Cell(list, 4, 0));
        InfoForm* fifthEditor = EditorOn(Cell(list, 5, 0));
        const QPoint step = fifthEditor->pos() - fourth->pos();
        const QRect area = fourth->screen()->availableGeometry();
        const QPoint usualStep(32, 32);
        if (area.contains(QRect(fourth->pos() + usualStep, fourth->frameGeometry().size())))
            QVERIFY2(step.x() > 0 && step.y() > 0,
                     qPrintable(QString("step %1, %2").arg(step.x()).arg(step.y())));
        else
            QCOMPARE(fifthEditor->pos(), area.topLeft());
        QCOMPARE(OpenEditors().size(), std::size_t(3));
    }

    // Previous Info and Next Info walk the list as it was filtered when the editor was
    // opened: the next info takes the window's place and mode, unsaved work is saved or
    // discarded as closing asks, and nothing happens past either end.
    void previousAndNextInfoWalkTheFilteredList() {
        MainForm window;
        window.show();
        window.ReadInfoCache();
        window.InfoFilterBox()->setText("Dray");
        window.InfoFilterType()->setCurrentText("Owner");
        window.FilterInfos();
        const int drays = Rows(window.InfoList());
        QVERIFY(drays >= 3);
        const QString second = Cell(window.InfoList(), 1, 0);
        const QString third = Cell(window.InfoList(), 2, 0);
        window.InfoList()->selectRow(1);
        window.OpenSelection();
        QPointer<InfoForm> first = EditorOn(second);
        QVERIFY(first);
        QCOMPARE(first->windowTitle(), QString("Info Editor - 2 of %1").arg(drays));
        first->move(first->pos() + QPoint(7, 5));
        const QRect place = first->geometry();

        PressKey(FieldOf(*first, "InfoName"), Qt::Key_Right, Qt::AltModifier);
        QTRY_VERIFY(!first);
        QCOMPARE(OpenEditors().size(), std::size_t(1));
        QPointer<InfoForm> next = OpenEditors()[0];
        QCOMPARE(Text(next, "InfoName"), third);
        QCOMPARE(next->windowTitle(), QString("Info Editor - 3 of %1").arg(drays));
        QCOMPARE(next->geometry(), place);
        QVERIFY(next->EditMode() == InfoFormEditMode::View);

        // Unsaved work: Cancel stays, Discard leaves the file as it was and the next info
        // opens in Edit mode as this one was.
        next->EditInfo();
        QTest::keyClicks(FieldOf(*next, "Owner"), "Somebody");
        const std::string thirdFile =
            VaskTest::ReadFile("Infos/" + third.toStdString() + ".vaskinfo");
        QString asked;
        AnswerNextQuestion("Cancel", &asked);
        QVERIFY(next->StepInfo(-1) == nullptr);
        QVERIFY2(asked.contains("unsaved changes") && asked.contains(third), qPrintable(asked));
        QVERIFY(next && next->isVisible());
        AnswerNextQuestion("Discard");
        QPointer<InfoForm> back = next->StepInfo(-1);
        QVERIFY(back);
        QTRY_VERIFY(!next);
        QCOMPARE(Text(back, "InfoName"), second);
        QVERIFY(back->EditMode() == InfoFormEditMode::Edit);
        QCOMPARE(VaskTest::ReadFile("Infos/" + third.toStdString() + ".vaskinfo"), thirdFile);

        // Save writes the info (its "already exists" question answered) before stepping.
        auto* partner = static_cast<QLineEdit*>(FieldOf(*back, "Partner"));
        partner->selectAll();
        QTest::keyClicks(partner, "Lena");
        OnNextModalOf<UserDialog>([](UserDialog& question) {
            AnswerNextQuestion("Yes");
            for (QPushButton* button : question.findChildren<QPushButton*>())
                if (button->text() == "Save")
                    QTest::mouseClick(button, Qt::LeftButton);
        });
        QPointer<InfoForm> again = back->StepInfo(1);
        QVERIFY(again);
        QVERIFY(
            VaskTest::ReadFile("Infos/" + second.toStdString() + ".vaskinfo").find("\"Lena\"") !=
            std::string::npos);
        QCOMPARE(Text(again, "InfoName"), third);

        // The ends: no step, and the window stays.
        InfoForm* at = again;
        for (int step = 3; step < drays; ++step)
            at = at->StepInfo(1);
        QVERIFY(at);
        QCOMPARE(at->windowTitle(), QString("Info Editor - %1 of %1").arg(drays));
        QVERIFY(at->StepInfo(1) == nullptr);
        QVERIFY(at->isVisible());
    }

    // "Open Workspace..." and "Recent Workspaces": another folder, after the editors have
    // been closed, with nothing of the old folder kept.
    // Closing the main window asks each editor about its unsaved work: Cancel keeps
    // everything open; Save writes the info; and then every window closes with it.
    void closingTheMainWindowAsksAboutUnsavedEditorsThenClosesThemAll() {
        MainForm window;
        window.show();
        window.ReadInfoCache();
        window.InfoList()->selectRow(0);
        window.OpenSelection();
        QTRY_COMPARE(OpenEditors().size(), std::size_t(1));
        InfoForm* editor = OpenEditors()[0];
        const std::string file =
            "Infos/" + std::string(editor->InfoData().Name.c_str()) + ".vaskinfo";
        editor->EditInfo();
        auto* quest = static_cast<QLineEdit*>(FieldOf(*editor, "Quest"));
        quest->setFocus();
        quest->setText("Q_ClosedWithTheProgram");
        QTest::keyClicks(quest, "x");
        QVERIFY(editor->HasUnsavedChanges());

        QString asked;
        AnswerNextQuestion("Cancel", &asked);
        QVERIFY(!window.close());
        QVERIFY2(asked.contains(editor->InfoData().Name.c_str()), qPrintable(asked));
        QVERIFY(window.isVisible());
        QCOMPARE(OpenEditors().size(), std::size_t(1));

        OnNextModalOf<UserDialog>([](UserDialog& question) {
            AnswerNextQuestion("Yes"); // then "File <...> does already exist. Continue?"
            for (QPushButton* button : question.findChildren<QPushButton*>()) {
                if (button->text() == "Save")
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        QVERIFY(window.close());
        QVERIFY(!window.isVisible());
        QTRY_COMPARE(OpenEditors().size(), std::size_t(0));
        QVERIFY(VaskTest::ReadFile(file).find("Q_ClosedWithTheProgramx") != std::string::npos);
    }

    void switchingWorkspaceForgetsTheOldFolder() {
        fs::create_directories("other/Infos");
        fs::copy_file("Infos/Bob_Greeting.vaskinfo", "other/Infos/Bob_Greeting.vaskinfo");
        VaskTest::WriteFile("other/Settings.ini",
                            "VASKRESMAN_PATH = /opt/tool, \nSHOWHELP_EXE = other-browser,");
        // A text table of the same size and time as the first folder's, as copies of one
        // mod have.
        std::string table = VaskTest::ReadFile("infosa.csv");
        table.replace(table.find("Kolvar"), 6, "Volkar");
        VaskTest::WriteFile("other/infosa.csv", table);
        fs::last_write_time("other/infosa.csv", fs::last_write_time("infosa.csv"));
        const QString other = QFileInfo("other").canonicalFilePath();
        const QString first = QDir::currentPath();

        MainForm window;
        window.show();
        QCOMPARE(window.WorkspaceLabel()->text(), QDir::toNativeSeparators(first));
        window.ReadInfoCache();
        window.ReadTemplateCache();
        QVERIFY(Rows(window.TemplateList()) > 0);
        QVERIFY(TextTables::LookUp("infosa.csv", "BOB_GREET_01").find("Kolvar") !=
                std::string::npos);
        window.BuildReferences();
        FinishJobs(window);
        QVERIFY(References().Outlines().size() > 1);

        // An editor with unsaved changes that the user keeps open keeps the folder.
        window.InfoList()->selectRow(0);
        window.OpenSelection();
        QTRY_COMPARE(OpenEditors().size(), std::size_t(1));
        InfoForm* editor = OpenEditors()[0];
        editor->EditInfo();
        auto* quest = static_cast<QLineEdit*>(FieldOf(*editor, "Quest"));
        quest->setFocus();
        QTest::keyClicks(quest, "x");
        QVERIFY(editor->HasUnsavedChanges());
        // The question names the info and the workspace that would replace it.
        QString asked;
        AnswerNextQuestion("Cancel", &asked);
        QVERIFY(!window.SwitchWorkspace(other));
        QVERIFY2(asked.contains(editor->InfoData().Name.c_str()), qPrintable(asked));
        QVERIFY2(asked.contains(QDir::toNativeSeparators(other)), qPrintable(asked));
        QCOMPARE(QDir::currentPath(), first);
        QCOMPARE(OpenEditors().size(), std::size_t(1));

        const std::string before = VaskTest::ReadFile(
            "Infos/" + std::string(editor->InfoData().Name.c_str()) + ".vaskinfo");
        const std::string edited =
            "Infos/" + std::string(editor->InfoData().Name.c_str()) + ".vaskinfo";
        AnswerNextQuestion("Discard");
        QVERIFY(window.SwitchWorkspace(other));
        QCOMPARE(VaskTest::ReadFile(first.toStdString() + "/" + edited), before);
        QCOMPARE(QDir::currentPath(), other);
        QVERIFY(References().Outlines().size() <= 1); // the old folder's infos are gone
        QTRY_COMPARE(OpenEditors().size(), std::size_t(0));
        QCOMPARE(InfoManager::InfoFiles.GetSize(), 0u);
        QCOMPARE(window.WorkspaceLabel()->text(), QDir::toNativeSeparators(other));
        QCOMPARE(Rows(window.InfoList()), 0);
        QCOMPARE(Rows(window.TemplateList()), 0);
        QVERIFY(window.SelectedName()->text().isEmpty());
        QCOMPARE(QString::fromStdString(Settings::exe_showhelp), QString("other-browser"));
        QCOMPARE(QString::fromStdString(Settings::path_vaskresman), QString("/opt/tool"));
        QVERIFY(TextTables::LookUp("infosa.csv", "BOB_GREET_01").find("Volkar") !=
                std::string::npos);
        FinishJobs(window);
        QCOMPARE(References().Outlines().size(), std::size_t(1));
        QCOMPARE(RecentWorkspaces().value(0), other);
        window.ReadInfoCache(); // no "infocache" here
        QCOMPARE(Rows(window.InfoList()), 0);

        // The first folder again: both in the recent list, the newest first.
        QCOMPARE(RecentWorkspaces().value(1), QString());
        QVERIFY(window.SwitchWorkspace(first));
        QCOMPARE(RecentWorkspaces().mid(0, 2),
                 (QStringList{QFileInfo(first).canonicalFilePath(), other}));
        QCOMPARE(QString::fromStdString(Settings::exe_showhelp), QString("xdg-open"));

        // A folder without "Settings.ini" has the default settings, not the last folder's,
        // without a word; one whose "Settings.ini" cannot be read says so.
        fs::create_directories("bare/Infos");
        const QString broken = first + "/broken";
        fs::create_directories((broken + "/Infos").toStdString());
        VaskTest::WriteFile((broken + "/Settings.ini").toStdString(), "not the settings");
        SeenMessage seen;
        AnswerNextMessage(seen);
        QVERIFY(window.SwitchWorkspace("bare"));
        StopWatching();
        QCOMPARE(seen.count, 0);
        QCOMPARE(QString::fromStdString(Settings::exe_showhelp),
                 QString(Settings::DefaultHelpProgram));
        QVERIFY(Settings::path_vaskresman.empty());
        QVERIFY(MessageAfter([&] {
                    QVERIFY(window.SwitchWorkspace(broken));
                }).startsWith("FileManager|Failed to load settings!"));
    }

    // Started in a folder without infos, the program offers the last workspace.
    void startOutsideAWorkspaceOffersTheLast() {
        const QString demo = QDir::currentPath();
        QVERIFY(LooksLikeWorkspace(demo));
        RememberWorkspace(demo);
        fs::create_directory("empty");
        QVERIFY(QDir::setCurrent("empty"));
        QVERIFY(!LooksLikeWorkspace(QDir::currentPath()));
        for (const QString& button :
             {QString("Open ") + QDir::toNativeSeparators(demo), QString("Stay here")}) {
            OnNextModalOf<WorkspaceOfferDialog>([button](WorkspaceOfferDialog& offer) {
                QPushButton* chosen = nullptr;
                for (QPushButton* b : offer.findChildren<QPushButton*>())
                    chosen = b->text() == button ? b : chosen;
                QVERIFY(chosen);
                chosen->click();
            });
            QCOMPARE(OfferWorkspace(), button == "Stay here" ? QString() : demo);
        }
        QVERIFY(QDir::setCurrent(demo));
    }

    void twentyThousandRowsListFilterAndScroll() {
        MainForm window;
        window.show();
        InfoManager::InfoFileCache.ClearContent();
        for (int i = 0; i < 20000; ++i) {
            VaskInfoCache record;
            record.Name = Char48(("Info_" + std::to_string(i)).c_str());
            record.Owner = Char48(i % 2 ? "Bob" : "Mira");
            InfoManager::InfoFileCache.PushBack(record);
        }
        window.ClearInfoFilter(); // lists the whole cache
        QCOMPARE(Rows(window.InfoList()), 20000);
        window.InfoList()->scrollToBottom();
        window.InfoList()->selectRow(19999);
        QCOMPARE(window.SelectedName()->text(), QString("Info_19999"));
        window.InfoFilterBox()->setText("Bob");
        window.InfoFilterType()->setCurrentText("Owner");
        window.FilterInfos();
        QCOMPARE(Rows(window.InfoList()), 10000);

        // A name of the full 48 characters is filtered for whole; the box takes no more.
        VaskInfoCache full;
        full.Name = Char48(std::string(48, 'n'));
        InfoManager::InfoFileCache.PushBack(full);
        window.InfoFilterBox()->setText(QString("n").repeated(60));
        window.InfoFilterType()->setCurrentText("Name");
        window.FilterInfos();
        QCOMPARE(Rows(window.InfoList()), 1);
    }

    void templateTabListsAndFilters() {
        MainForm window;
        window.show();
        window.ReadTemplateCache();
        const int all = Rows(window.TemplateList());
        QVERIFY(all >= 5);
        QCOMPARE(CutColumns(window.TemplateList()).join(", "), QString());
        window.TemplateFilterBox()->setText("It_Gold");
        window.TemplateFilterType()->setCurrentText("Name");
        QTest::keyClick(window.TemplateFilterBox(), Qt::Key_Return);
        QCOMPARE(Rows(window.TemplateList()), 1);
        QVERIFY(Cell(window.TemplateList(), 0, 1).startsWith("{"));
        window.ClearTemplateFilter();
        QCOMPARE(Rows(window.TemplateList()), all);
    }
};

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
