// The info editor window on the demo workspace: viewing, keys, editing the lists, undo
// and redo, moving, copy and paste, saving, cancelling and closing.
#include "ui/infoeditor/InfoForm.h"
#include "UiTestSupport.h"
#include "engine/Backup.h"
#include "engine/platform/Platform.h"
#include "info/EntryBlockText.h"
#include "library/InfoManager.h"
#include "library/RecoveryFiles.h"
#include "library/TemplateManager.h"
#include "support/UserStateHome.h"
#include "support/Workspace.h"
#include "ui/common/ColumnFit.h"
#include "ui/common/WindowPlacement.h"
#include "ui/dialogs/UserDialog.h"
#include "ui/entrydialogs/DisplayTextBox.h"
#include "ui/entrydialogs/InfoCommandForm.h"
#include "ui/entrydialogs/InfoPerkForm.h"
#include "ui/entrydialogs/TemplateBox.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <QUndoStack>

#include <algorithm>
#include <filesystem>
#include <memory>

using namespace VaskEdit;
using namespace VaskUiTest;
using TesselEngine::Platform::FaultInjection;
namespace fs = std::filesystem;

namespace {

QLineEdit* Box(InfoForm& form, const char* caption) {
    return static_cast<QLineEdit*>(FieldOf(form, caption));
}

int Rows(InfoForm& form, int tab) {
    return form.Grid(tab)->model()->rowCount();
}

std::vector<std::string> CommandNames(const InfoRef& info) {
    std::vector<std::string> names;
    for (const auto& command : info.InfoCommands)
        names.push_back(command.Command);
    return names;
}

// The commands of the info's file, by type.
std::vector<std::string> SavedCommandNames(const char* name) {
    VaskInfo saved;
    if (!saved.LoadDataFromFile(name))
        return {"(unreadable)"};
    std::vector<std::string> names;
    for (const auto& command : saved.InfoCommands)
        names.push_back(command.Command.Str());
    return names;
}

void Select(InfoForm& form, int tab, int row) {
    form.Tabs()->setCurrentIndex(tab);
    form.Grid(tab)->setCurrentIndex(form.Grid(tab)->model()->index(row, 0));
    form.Grid(tab)->setFocus();
}

// An editor shown on the demo info (0 and New for a new info), read-only.
std::unique_ptr<InfoForm> Open(const char* name, InfoFormEditMode mode = InfoFormEditMode::View) {
    auto form = std::make_unique<InfoForm>();
    form->show();
    form->InfoEditor_OnOpen(name ? LoadInfo(name) : 0, mode);
    return form;
}

std::unique_ptr<InfoForm> OpenForEditing(const char* name) {
    auto form = Open(name);
    form->EditInfo();
    return form;
}

// Saves, answering "Yes" to the question whether the existing file may be replaced.
void SaveOverTheFile(InfoForm& form) {
    AnswerNextQuestion("Yes");
    form.Save();
}

// "+" with a new Back command, saved in its dialog.
void AddBackCommand(InfoForm& form) {
    OnNextModalOf<InfoCommandForm>([](InfoCommandForm& dialog) {
        dialog.findChild<QComboBox*>("typeList")->setCurrentText("Back");
        dialog.Save();
    });
    form.Tabs()->setCurrentIndex(0);
    QTest::mouseClick(form.Button("+"), Qt::LeftButton);
}

// "E" on a command, its dialog handled by action.
void EditCommand(InfoForm& form, int row, std::function<void(InfoCommandForm&)> action) {
    OnNextModalOf<InfoCommandForm>(std::move(action));
    Select(form, 0, row);
    QTest::mouseClick(form.Button("E"), Qt::LeftButton);
}

QString CommandCell(InfoForm& form, int row, const char* column) {
    const int at = QString(column) == "String" ? 5 : 6;
    return form.Grid(0)->model()->index(row, at).data().toString();
}

// True when the box shows its whole text: with the cursor at the end, the first
// character is still at the box's left edge.
bool ShowsWholeText(QLineEdit* box) {
    box->end(false);
    const QPoint left(box->contentsRect().left() + 3, box->height() / 2);
    return box->cursorPositionAt(left) == 0;
}

const char* const BuySwordPath = "Infos/Bob_BuySword.vaskinfo";

// The info's file as another program leaves it: the quest set to quest.
std::string ChangeQuestOutside(const std::string& quest) {
    std::string text = VaskTest::ReadFile(BuySwordPath);
    const std::size_t at = text.find("Quest = \"");
    text.replace(at, text.find('"', at + 9) + 1 - at, "Quest = \"" + quest + "\"");
    VaskTest::WriteFile(BuySwordPath, text);
    return text;
}

void TypeQuest(InfoForm& form, const char* quest) {
    Box(form, "Quest")->selectAll();
    QTest::keyClicks(Box(form, "Quest"), quest);
}

bool FileHas(const char* path, const std::string& part) {
    return VaskTest::ReadFile(path).find(part) != std::string::npos;
}

} // namespace

class InfoFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<VaskTest::Workspace> workspace;
    // Copies of unsaved work go to the test's own state folder.
    std::unique_ptr<VaskTest::UserStateHome> state;

private slots:
    void init() {
        state = std::make_unique<VaskTest::UserStateHome>();
        workspace = std::make_unique<VaskTest::Workspace>();
        workspace->CopyFromSource("demo");
        workspace->CopyResources();
        InfoManager::Shutdown();
        InfoManager::InfoFiles.Deallocate();
        QVERIFY(InfoManager::Initialize());
    }

    void cleanup() {
        StopWatching();
        InfoManager::Shutdown();
        InfoManager::InfoFiles.Deallocate();
        workspace.reset();
        state.reset();
    }

    // Typed work is copied out of the workspace two seconds after the last change, with
    // everything typed; a save removes the copy, and so does closing without saving.
    void unsavedWorkIsKeptForRecoveryUntilSavedOrDiscarded() {
        const std::string folder = RecoveryFolder(CurrentWorkspacePath());
        const std::string infoBefore = VaskTest::ReadFile("Infos/Bob_BuySword.vaskinfo");
        auto form = OpenForEditing("Bob_BuySword");
        Box(*form, "Quest")->selectAll();
        QTest::keyClicks(Box(*form, "Quest"), "Q_Typed");
        QTest::qWait(1000);
        QVERIFY(ListRecoveryFiles(folder).empty());
        QTRY_VERIFY_WITH_TIMEOUT(ListRecoveryFiles(folder).size() == 1, 4000);

        const std::vector<RecoveryEntry> listed = ListRecoveryFiles(folder);
        QCOMPARE(listed[0].path, form->RecoveryFile());
        QCOMPARE(listed[0].infoName, std::string("Bob_BuySword"));
        QCOMPARE(listed[0].changes, std::string("Quest"));
        const std::optional<RecoveryRecord> kept = ReadRecoveryFile(form->RecoveryFile());
        QVERIFY(kept);
        QCOMPARE(kept->copy, form->InfoData());
        QCOMPARE(kept->copy.Quest, std::string("Q_Typed"));
        QCOMPARE(kept->mode, std::string("Edit"));
        QCOMPARE(VaskTest::ReadFile("Infos/Bob_BuySword.vaskinfo"), infoBefore);

        // Further typing is kept again, but not sooner than ten seconds after the last copy.
        QTest::keyClicks(Box(*form, "Quest"), "2");
        QTest::qWait(3000);
        QCOMPARE(ReadRecoveryFile(form->RecoveryFile())->copy.Quest, std::string("Q_Typed"));

        // Undone to what is saved: nothing left to recover.
        form->Undo();
        QVERIFY(!form->HasUnsavedChanges());
        QVERIFY(ListRecoveryFiles(folder).empty());
        form->Redo();
        QTRY_VERIFY_WITH_TIMEOUT(ListRecoveryFiles(folder).size() == 1, 4000);

        SaveOverTheFile(*form);
        QVERIFY(form->isHidden());
        QVERIFY(ListRecoveryFiles(folder).empty());
        QVERIFY(VaskTest::ReadFile("Infos/Bob_BuySword.vaskinfo").find("Q_Typed") !=
                std::string::npos);

        // Closed, and the question whether to lose the changes answered Yes.
        auto other = OpenForEditing("Bob_Greeting");
        QTest::keyClicks(Box(*other, "Owner"), "x");
        QTRY_VERIFY_WITH_TIMEOUT(ListRecoveryFiles(folder).size() == 1, 4000);
        AnswerNextQuestion("No");
        QVERIFY(!other->close());
        QCOMPARE(ListRecoveryFiles(folder).size(), std::size_t(1));
        AnswerNextQuestion("Yes");
        QVERIFY(other->close());
        QVERIFY(ListRecoveryFiles(folder).empty());

        // "Cancel", its question answered Yes, discards the work and its copy.
        auto third = OpenForEditing("Bob_Greeting");
        QTest::keyClicks(Box(*third, "Owner"), "y");
        QTRY_VERIFY_WITH_TIMEOUT(ListRecoveryFiles(folder).size() == 1, 4000);
        AnswerNextQuestion("Yes");
        third->Cancel();
        QVERIFY(third->isHidden());
        QVERIFY(ListRecoveryFiles(folder).empty());
    }

    // A copy that cannot be written is said in the window without stopping the typing;
    // the next change tries again and clears the notice once it succeeds.
    void aCopyThatCannotBeWrittenIsSaidInTheWindow() {
        VaskTest::WriteFile(state->Folder() / "VaskEdit", "in the way");
        auto form = OpenForEditing("Bob_BuySword");
        QTest::keyClicks(Box(*form, "Quest"), "x");
        QTRY_VERIFY_WITH_TIMEOUT(form->statusBar()->currentMessage().startsWith(
                                     "Unsaved changes could not be kept for recovery: "),
                                 4000);
        fs::remove(state->Folder() / "VaskEdit");
        QTest::keyClicks(Box(*form, "Quest"), "y");
        QTRY_VERIFY_WITH_TIMEOUT(!form->RecoveryFile().empty() && fs::exists(form->RecoveryFile()),
                                 4000);
        QVERIFY(form->statusBar()->currentMessage().isEmpty());
    }

    // A window opened on a recovery file shows the work as it was, unsaved, and keeps it
    // in a file of its own; nothing is written to the workspace.
    void restoredWorkOpensUnsavedAsItWas() {
        const std::string folder = RecoveryFolder(CurrentWorkspacePath());
        const std::string infoBefore = VaskTest::ReadFile("Infos/Bob_BuySword.vaskinfo");
        RecoveryRecord record;
        {
            auto source = OpenForEditing("Bob_BuySword");
            record.copy = source->InfoData();
        }
        record.copy.Quest = "Q_Restored";
        record.copy.InfoCommands.pop_back();
        // A display text typed in the command dialog and not yet written to its table.
        record.copy.InfoCommands[0].Text = "Words not yet in the table";
        record.copy.InfoCommands[0].TextPending = true;
        record.mode = "Edit";
        record.loadedName = "Bob_BuySword";
        record.savedAt = 1000;
        const std::string file = NewRecoveryFilePath(folder);
        QVERIFY(WriteRecoveryFile(file, record));

        InfoForm form;
        form.show();
        form.RestoreRecovered(record, file);
        QCOMPARE(form.EditMode(), InfoFormEditMode::Edit);
        QCOMPARE(Box(form, "Quest")->text(), QString("Q_Restored"));
        QCOMPARE(Rows(form, 0), static_cast<int>(record.copy.InfoCommands.size()));
        QCOMPARE(form.InfoData(), record.copy);
        QCOMPARE(CommandCell(form, 0, "Text"), QString("Words not yet in the table"));
        QVERIFY(form.HasUnsavedChanges());
        QCOMPARE(form.windowTitle(), QString("Info Editor*"));
        QCOMPARE(VaskTest::ReadFile("Infos/Bob_BuySword.vaskinfo"), infoBefore);

        const std::vector<RecoveryEntry> listed = ListRecoveryFiles(folder);
        QCOMPARE(listed.size(), std::size_t(1));
        QVERIFY(listed[0].path != file);
        QCOMPARE(listed[0].path, form.RecoveryFile());
        QCOMPARE(ReadRecoveryFile(listed[0].path)->copy, record.copy);
    }

    // The window opens at 1170 × 734, small enough for a 1366 × 768 screen, and nothing
    // it shows is cut at that size: choices, the item's GUID, the lists' columns.
    void fitsASmallScreenWithNothingCut() {
        auto form = Open("Bob_BuySword");
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QSize minimum = form->minimumSizeHint();
        QVERIFY2(
            minimum.width() <= 1170 && minimum.height() <= 734,
            qPrintable(QString("at least %1 x %2").arg(minimum.width()).arg(minimum.height())));
        QCOMPARE(form->size(), QSize(1170, 734));

        for (auto* choice : form->findChildren<QComboBox*>()) {
            QStyleOptionComboBox option;
            option.initFrom(choice);
            const int field = choice->style()
                                  ->subControlRect(QStyle::CC_ComboBox, &option,
                                                   QStyle::SC_ComboBoxEditField, choice)
                                  .width();
            for (int i = 0; i < choice->count(); ++i)
                QVERIFY2(choice->fontMetrics().horizontalAdvance(choice->itemText(i)) <= field,
                         qPrintable(choice->itemText(i)));
        }
        QLineEdit* item = Box(*form, "GoldCostItem");
        QVERIFY(item->text().contains("52CED392"));
        QVERIFY(ShowsWholeText(item));

        QVERIFY(Rows(*form, 0) >= 3);
        for (int tab = 1; tab < 3; ++tab) {
            form->Tabs()->setCurrentIndex(tab);
            QCOMPARE(CutColumns(form->Grid(tab)).join(", "), QString());
        }
        QCOMPARE(CutColumns(form->ConditionList()).join(", "), QString());

        // The commands' Text keeps a third of the grid, at this size and narrower; what the
        // other columns then cut shows whole as the cell's tool tip.
        form->Tabs()->setCurrentIndex(0);
        QTableView* grid = form->Grid(0);
        const int text = grid->model()->columnCount() - 1;
        for (const int width : {1170, 1000}) {
            form->resize(width, form->height());
            QTRY_VERIFY(grid->columnWidth(text) * 3 >= grid->viewport()->width() - 3);
            QVERIFY(grid->horizontalScrollBar()->maximum() == 0);
        }
        QVERIFY(!CutColumns(grid).isEmpty());
        const QModelIndex reference = grid->model()->index(1, 3);
        QVERIFY(reference.data().toString().contains("{"));
        QVERIFY(CutColumns(grid).contains("ID1"));
        const QRect cell = grid->visualRect(reference);
        QHelpEvent hover(QEvent::ToolTip, cell.center(),
                         grid->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid->viewport(), &hover);
        QTRY_VERIFY(QToolTip::text().startsWith(reference.data().toString()));
    }

    void narrowedColumnsFitTheirRoom() {
        // The widest come down to one width; narrow ones keep theirs; nothing below least.
        QCOMPARE(NarrowedToFit({50, 50, 150, 400, 150, 200}, 570, 50),
                 (std::vector<int>{50, 50, 117, 117, 117, 117}));
        QCOMPARE(NarrowedToFit({100, 300}, 400, 50), (std::vector<int>{100, 300}));
        QCOMPARE(NarrowedToFit({100, 300}, 300, 50), (std::vector<int>{100, 200}));
        QCOMPARE(NarrowedToFit({40, 300, 300}, 100, 50), (std::vector<int>{40, 50, 50}));
    }

    // Editors opened one after another step down and right while they fit, and go back to
    // the corner instead of leaving the screen (a 1366 x 768 screen with a taskbar).
    // A new line starts with the info's owner speaking to its partner, a new quest entry
    // with the info's quest; what the writer changes is what is stored.
    void newEntriesStartWithTheInfosNames() {
        auto form = OpenForEditing("Mira_HealingHerbs");
        const int rows = Rows(*form, 0);
        QStringList seen;
        OnNextModalOf<InfoCommandForm>([&seen](InfoCommandForm& dialog) {
            auto* types = dialog.findChild<QComboBox*>("typeList");
            const auto box = [&dialog](int n) {
                return dialog.findChild<QLineEdit*>(QString("rowBox%1").arg(n));
            };
            types->setCurrentText("Say");
            seen << box(1)->text() << box(2)->text();
            types->setCurrentText("RunQuest");
            seen << box(1)->text();
            box(1)->setText("Q_Other");
            dialog.Save();
        });
        form->Tabs()->setCurrentIndex(0);
        QTest::mouseClick(form->Button("+"), Qt::LeftButton);
        QCOMPARE(seen, (QStringList{"Mira", "PC_Hero", "Q_HealingHerbs"}));
        QCOMPARE(Rows(*form, 0), rows + 1);
        QCOMPARE(form->InfoData().InfoCommands.back().ID1, std::string("Q_Other"));

        // A stored entry given another type in its dialog is not filled in.
        QString shown = "?";
        EditCommand(*form, 0, [&shown](InfoCommandForm& dialog) {
            dialog.findChild<QComboBox*>("typeList")->setCurrentText("Say");
            shown = dialog.findChild<QLineEdit*>("rowBox1")->text();
            dialog.reject();
        });
        QCOMPARE(shown, QString());
    }

    void cascadedEditorsStayWhollyOnTheScreen() {
        const QRect screen(0, 0, 1366, 728);
        for (const QSize frame : {QSize(1180, 770), QSize(1180, 650), QSize(600, 400)}) {
            QPoint at = screen.topLeft();
            int steps = 0;
            for (int i = 0; i < 40; ++i) {
                const QPoint next = CascadePosition(at, frame, screen);
                QVERIFY2(screen.contains(QRect(next, frame)) || next == screen.topLeft(),
                         qPrintable(QString("%1,%2").arg(next.x()).arg(next.y())));
                steps += next != screen.topLeft();
                at = next;
            }
            // A window that leaves room steps on; one as tall as the screen stays put.
            QCOMPARE(steps > 0, frame.height() + 32 <= screen.height());
        }
        // A window taller than the screen with its title bar is made to fit, not below
        // its least height; one that fits keeps its height.
        QCOMPARE(FittedHeight(734, 30, 560, 728), 698);
        QCOMPARE(FittedHeight(734, 30, 720, 728), 720);
        QCOMPARE(FittedHeight(734, 30, 560, 1040), 734);
        QCOMPARE(FittedHeight(698, 30, 560, 728), 698);
        // On a second screen, the corner is that screen's.
        const QRect right(1366, 0, 1920, 1040);
        QCOMPARE(CascadePosition(QPoint(2000, 400), QSize(1180, 700), right), right.topLeft());
    }

    // Tabbing into the GoldCostItem box opens the template box once; a click, too.
    void goldCostItemOpensOneTemplateBox() {
        auto form = Open("Bob_BuySword");
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        int opened = 0;
        for (int i = 0; i < 2; ++i) // a second box would be answered, and counted
            OnNextModalOf<TemplateBox>([&opened](TemplateBox& box) {
                ++opened;
                box.reject();
            });
        Box(*form, "GoldCostItem")->setFocus(Qt::TabFocusReason);
        QTest::qWait(100);
        QCOMPARE(opened, 1);

        Box(*form, "Owner")->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(Box(*form, "GoldCostItem"), Qt::LeftButton);
        QTest::qWait(100);
        QCOMPARE(opened, 2);
    }

    // Viewing shows the info and its lists; keys are answered read-only, but switch tabs.
    void viewShowsTheInfoAndAnswersKeysReadOnly() {
        auto form = Open("Mira_HealingHerbs");
        QCOMPARE(Box(*form, "InfoName")->text(), QString("Mira_HealingHerbs"));
        QCOMPARE(Box(*form, "Quest")->text(), QString("Q_HealingHerbs"));
        QCOMPARE(Box(*form, "SortID")->text(), QString("10"));
        QCOMPARE(static_cast<QComboBox*>(FieldOf(*form, "InfoType"))->currentText(),
                 QString("gEInfoType_News"));
        QCOMPARE(Rows(*form, 0), 6);
        QCOMPARE(form->Grid(0)->model()->index(1, 0).data().toString(), QString("Say"));
        QCOMPARE(Rows(*form, 1), 2);
        QCOMPARE(form->ConditionList()->model()->rowCount(), 2);
        QCOMPARE(form->ConditionList()->model()->index(0, 1).data().toString(),
                 QString("Q_HealingHerbs"));
        QVERIFY(!form->Button("+")->isEnabled());
        QVERIFY(Box(*form, "Owner")->isReadOnly());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(MessageAfter([&] { QTest::keyClick(FieldOf(*form, "Owner"), Qt::Key_X); }),
                 ReadOnlyMessage);
        QCOMPARE(Box(*form, "Owner")->text(), QString("Mira"));

        // Alt with a digit switches tabs without a message; Alt with a letter is answered.
        SeenMessage unexpected;
        AnswerNextMessage(unexpected);
        for (const auto& [key, tab] : {std::pair{Qt::Key_2, 1}, {Qt::Key_3, 2}, {Qt::Key_1, 0}}) {
            PressKey(FieldOf(*form, "Owner"), key, Qt::AltModifier);
            QCOMPARE(form->Tabs()->currentIndex(), tab);
        }
        QCOMPARE(unexpected.count, 0);
        PressKey(FieldOf(*form, "Owner"), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(unexpected.count, 1);
        QCOMPARE(Rows(*form, 0), 6);
    }

    void editAddDeleteAndSaveWritesTheCommandsInOrder() {
        auto form = Open("Bob_Haggle");
        QTest::mouseClick(form->Button("Edit"), Qt::LeftButton);
        QVERIFY(form->EditMode() == InfoFormEditMode::Edit);
        QVERIFY(!Box(*form, "Owner")->isReadOnly());

        AddBackCommand(*form);
        QCOMPARE(Rows(*form, 0), 5);
        // "+" and Cancel leaves the list as it was.
        OnNextModalOf<InfoCommandForm>([](InfoCommandForm& dialog) { dialog.reject(); });
        QTest::mouseClick(form->Button("+"), Qt::LeftButton);
        QCOMPARE(Rows(*form, 0), 5);
        // "-" on the first row (the Description).
        Select(*form, 0, 0);
        QTest::mouseClick(form->Button("-"), Qt::LeftButton);
        QCOMPARE(Rows(*form, 0), 4);

        QString asked;
        AnswerNextQuestion("Yes", &asked); // the file exists: overwrite
        QTest::mouseClick(form->Button("Save"), Qt::LeftButton);
        QCOMPARE(asked, QString("InfoManager|File <Bob_Haggle>\n does already exist. Continue?"));
        QVERIFY(!form->isVisible());
        QCOMPARE(SavedCommandNames("Bob_Haggle"),
                 (std::vector<std::string>{"Say", "Say", "GiveXP", "Back"}));
    }

    void savingUnchangedKeepsTheFileByteForByte() {
        for (const char* name : {"Dray_Briefing", "Narrator_Ending", "Bob_Haggle",
                                 "Mira_TeachSkill", "Sven_Story", "Bob_BuySword"}) {
            const std::string path = std::string("Infos/") + name + ".vaskinfo";
            const std::string before = VaskTest::ReadFile(path);
            SaveOverTheFile(*OpenForEditing(name));
            QCOMPARE(QString::fromStdString(VaskTest::ReadFile(path)),
                     QString::fromStdString(before));
        }
    }

    // A hand-edited file whose untouched save would cut a value: the window says so
    // when the info is opened, nothing is written by looking, and the first save asks.
    void fileThatWouldNotReadBackIsNoticedAndTheSaveAsks() {
        std::string text = VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo");
        text.replace(text.find("Owner = \"Bob\""), 13, "Owner = \"Old Bob\"");
        VaskTest::WriteFile("Infos/Bob_Haggle.vaskinfo", text);
        auto form = Open("Bob_Haggle");
        QVERIFY(form->SaveNotice()->isHidden());
        form->SetSourceFile("Infos/Bob_Haggle.vaskinfo");
        QVERIFY(form->SaveNotice()->isVisible());
        QVERIFY(form->SaveNotice()->text().contains("- 5:         bCString Owner = \"Old Bob\";"));
        QVERIFY(form->SaveNotice()->text().contains("+ 5:         bCString Owner = \"Old\";"));

        form->EditInfo();
        QString asked;
        AnswerNextQuestion("No", &asked);
        form->Save();
        QVERIFY(asked.startsWith("Caution|Saving changes 1 line of the file"));
        QCOMPARE(QString::fromStdString(VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo")),
                 QString::fromStdString(text));
        AnswerNextQuestion("Yes");
        SaveOverTheFile(*form);
        QVERIFY(VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo").find("Owner = \"Old\";") !=
                std::string::npos);
    }

    // An info read from a file that is not its own asks before its save replaces another
    // file; one read from a damaged file is not saved at all.
    void saveOfAFileNotItsOwnAsksAndOfADamagedOneRefuses() {
        const std::string haggle = VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo");
        VaskTest::WriteFile("Infos/Bob_Haggle_Night.vaskinfo", haggle);
        auto form = Open("Bob_Haggle");
        form->SetSourceFile("Infos/Bob_Haggle_Night.vaskinfo");
        form->EditInfo();
        QString asked;
        AnswerNextQuestion("No", &asked);
        form->Save();
        QVERIFY2(asked.contains("\"Infos/Bob_Haggle_Night.vaskinfo\" holds the info "
                                "\"Bob_Haggle\", whose file is \"Infos/Bob_Haggle.vaskinfo\""),
                 qPrintable(asked));

        std::string open = haggle;
        open.erase(open.find("        }\r\n        bTRefPtrArray InfoConditions"), 11);
        VaskTest::WriteFile("Infos/Bob_Haggle.vaskinfo", open);
        auto damaged = Open("Bob_Haggle");
        damaged->SetSourceFile("Infos/Bob_Haggle.vaskinfo");
        damaged->EditInfo();
        QVERIFY(MessageAfter([&] { damaged->Save(); }).contains("is damaged"));
        QCOMPARE(QString::fromStdString(VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo")),
                 QString::fromStdString(open));
    }

    // An emptied number box saves the number a new info starts with, never "= ;".
    void emptiedNumberBoxSavesItsDefault() {
        auto form = OpenForEditing("Bob_BuySword");
        for (const char* caption : {"GoldCost", "StartChapter"}) {
            Box(*form, caption)->selectAll();
            QTest::keyClick(Box(*form, caption), Qt::Key_Delete);
        }
        SaveOverTheFile(*form);
        const std::string saved = VaskTest::ReadFile("Infos/Bob_BuySword.vaskinfo");
        QVERIFY(saved.find("int GoldCost = 0;") != std::string::npos);
        QVERIFY(saved.find("int StartChapter = -1;") != std::string::npos);
        QVERIFY(saved.find("= ;") == std::string::npos);
    }

    void newInfoNeedsANameAndAnOwner() {
        auto form = Open(nullptr, InfoFormEditMode::New);
        QCOMPARE(Box(*form, "SortID")->text(), QString("0"));
        QCOMPARE(Box(*form, "StartChapter")->text(), QString("-1"));
        QCOMPARE(Box(*form, "InnerRange")->text(), QString("600"));
        QCOMPARE(MessageAfter([&] { form->Save(); }), QString("Caution!|Invalid info name!"));
        Box(*form, "InfoName")->setText("Brand_New");
        QCOMPARE(MessageAfter([&] { form->Save(); }), QString("Caution!|Invalid owner name!"));
        QVERIFY(!fs::exists("Infos/Brand_New.vaskinfo"));

        Box(*form, "Owner")->setText("Bob");
        AnswerNextQuestion("No"); // "Are you sure?"
        form->Save();
        QVERIFY(!fs::exists("Infos/Brand_New.vaskinfo"));
        AnswerNextQuestion("Yes");
        form->Save();
        VaskInfo saved;
        QVERIFY(saved.LoadDataFromFile("Brand_New"));
        QCOMPARE(QString::fromStdString(saved.LastExecutionTimestamp.Str()), QString("-1"));
    }

    // "Apply" writes the info and keeps the window open in Edit mode, editable and with
    // nothing unsaved; the next change is applied to the same file. A new info applied
    // goes on as that info.
    void applyWritesAndKeepsTheWindowOpenForEditing() {
        auto form = OpenForEditing("Bob_BuySword");
        Box(*form, "Quest")->selectAll();
        QTest::keyClicks(Box(*form, "Quest"), "Q_Applied");
        QVERIFY(form->HasUnsavedChanges());
        AnswerNextQuestion("Yes"); // the file exists
        form->Apply();
        QVERIFY(form->isVisible());
        QVERIFY(form->EditMode() == InfoFormEditMode::Edit);
        QVERIFY(!form->HasUnsavedChanges());
        QVERIFY(!Box(*form, "Quest")->isReadOnly());
        VaskInfo saved;
        QVERIFY(saved.LoadDataFromFile("Bob_BuySword"));
        QCOMPARE(QString::fromStdString(saved.Quest.Str()), QString("Q_Applied"));

        QTest::keyClicks(Box(*form, "Quest"), "2");
        AnswerNextQuestion("Yes");
        form->Apply();
        QVERIFY(form->isVisible());
        VaskInfo again;
        QVERIFY(again.LoadDataFromFile("Bob_BuySword"));
        QCOMPARE(QString::fromStdString(again.Quest.Str()), QString("Q_Applied2"));

        auto fresh = Open(nullptr, InfoFormEditMode::New);
        Box(*fresh, "InfoName")->setText("Applied_New");
        Box(*fresh, "Owner")->setText("Bob");
        AnswerNextQuestion("Yes"); // "Are you sure?"
        fresh->Apply();
        QVERIFY(fs::exists("Infos/Applied_New.vaskinfo"));
        QVERIFY(fresh->isVisible());
        QVERIFY(fresh->EditMode() == InfoFormEditMode::Edit);
        QCOMPARE(fresh->LoadedName(), std::string("Applied_New"));
        QVERIFY(!Box(*fresh, "Owner")->isReadOnly());
        Box(*fresh, "Owner")->setText("Lena");
        AnswerNextQuestion("Yes"); // the file exists now
        fresh->Save();
        QVERIFY(fresh->isHidden());
        VaskInfo applied;
        QVERIFY(applied.LoadDataFromFile("Applied_New"));
        QCOMPARE(QString::fromStdString(applied.Owner.Str()), QString("Lena"));
    }

    // Ctrl+Shift+S applies from any box; the File menu offers "Apply" with that key and
    // the top strip has its button.
    void controlShiftSApplies() {
        auto form = OpenForEditing("Bob_BuySword");
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        Box(*form, "Quest")->setFocus();
        Box(*form, "Quest")->selectAll();
        QTest::keyClicks(Box(*form, "Quest"), "Q_Keyed");
        AnswerNextQuestion("Yes");
        PressKey(Box(*form, "Quest"), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(!form->HasUnsavedChanges());
        QVERIFY(form->isVisible());
        QCOMPARE(Box(*form, "Quest")->text(), QString("Q_Keyed"));
        VaskInfo saved;
        QVERIFY(saved.LoadDataFromFile("Bob_BuySword"));
        QCOMPARE(QString::fromStdString(saved.Quest.Str()), QString("Q_Keyed"));

        QAction* apply = nullptr;
        for (QAction* menu : form->menuBar()->actions()) {
            if (menu->text() != "File")
                continue;
            for (QAction* action : menu->menu()->actions()) {
                if (action->text() == "Apply")
                    apply = action;
            }
        }
        QVERIFY(apply);
        QCOMPARE(apply->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        QVERIFY(form->Button("Apply"));
    }

    // "Cancel" asks outside View; the window's close control and Escape ask before
    // unsaved changes are lost.
    void cancellingAndClosingAsk() {
        auto form = OpenForEditing("Lena_Room");
        AnswerNextQuestion("No");
        form->Cancel();
        QVERIFY(form->isVisible());

        QTest::keyClicks(FieldOf(*form, "Partner"), "x");
        const QString question = "Caution|Are you sure?";
        QString asked;
        AnswerNextQuestion("No", &asked);
        form->close();
        QCOMPARE(asked, question);
        QVERIFY(form->isVisible());
        asked.clear();
        AnswerNextQuestion("No", &asked);
        PressKey(FieldOf(*form, "Owner"), Qt::Key_Escape);
        QCOMPARE(asked, question);
        QVERIFY(form->isVisible());
        asked.clear();
        AnswerNextQuestion("Yes", &asked);
        form->close();
        QCOMPARE(asked, question);
        QVERIFY(!form->isVisible());

        auto other = OpenForEditing("Lena_Greeting");
        AnswerNextQuestion("Yes");
        PressKey(FieldOf(*other, "Owner"), Qt::Key_Escape);
        QVERIFY(!other->isVisible());
        // Without changes, closing asks nothing.
        StopWatching();
        auto unchanged = OpenForEditing("Bob_Trade");
        asked.clear();
        AnswerNextQuestion("Yes", &asked);
        unchanged->close();
        QVERIFY(!unchanged->isVisible());
        QCOMPARE(asked, QString());
    }

    void closingUnloadsByNameAndByMark() {
        const std::uint32_t shown = LoadInfo("Lena_Room");
        LoadInfo("Lena_Greeting");
        {
            InfoForm form;
            form.show();
            form.InfoEditor_OnOpen(shown, InfoFormEditMode::View);
            // Another window's record, marked for unloading.
            InfoManager::InfoFiles[1].EditMark = 1;
            LoadInfo("Bob_Trade");
            form.close();
        }
        QCOMPARE(InfoManager::InfoFiles.GetSize(), 1u);
        QCOMPARE(QString::fromStdString(InfoManager::InfoFiles[0].Name.Str()),
                 QString("Bob_Trade"));
    }

    void editMarksOnlyARecordOfTheShownName() {
        auto form = Open("Bob_Trade");
        Box(*form, "InfoName")->setText("Not_Loaded"); // no record has this name
        form->EditInfo();
        QCOMPARE(int(InfoManager::InfoFiles[0].EditMark), 0);
    }

    void failedWriteIsReportedAndTheWindowStays() {
        auto form = OpenForEditing("Lena_Room");
        Box(*form, "InfoName")->setText("Blocked");
        fs::create_directory("Infos/Blocked.vaskinfo"); // nothing can be written there
        QCOMPARE(MessageAfter([&] { SaveOverTheFile(*form); }),
                 QString("Error|Could not save \"Infos/Blocked.vaskinfo\": it is a folder."));
        QVERIFY(form->isVisible());
        QCOMPARE(form->InfoData().InfoCommands.size(), std::size_t(4));
        QCOMPARE(Box(*form, "Owner")->text(), QString("Lena"));

        // In the words of the command line's resave (CliTest).
        auto bob = OpenForEditing("Bob_Greeting");
        const std::string before = VaskTest::ReadFile("Infos/Bob_Greeting.vaskinfo");
        fs::permissions("Infos/Bob_Greeting.vaskinfo", fs::perms::owner_read);
        const QString refused = MessageAfter([&] { SaveOverTheFile(*bob); });
        fs::permissions("Infos/Bob_Greeting.vaskinfo", fs::perms::owner_all);
        QCOMPARE(refused, QString("Error|Could not save \"Infos/Bob_Greeting.vaskinfo\": the "
                                  "file is read-only."));
        QVERIFY(bob->isVisible());
        QCOMPARE(VaskTest::ReadFile("Infos/Bob_Greeting.vaskinfo"), before);
    }

    // The boxes take no more than their members keep and refuse what the file would cut:
    // Owner "Old Bob" was saved and came back as "Old".
    void memberBoxesRefuseWhatTheFileWouldCut() {
        auto form = Open(nullptr, InfoFormEditMode::New);
        Box(*form, "Owner")->setText(QString(60, 'o'));
        QCOMPARE(Box(*form, "Owner")->text().size(), 48);
        QTest::keyClicks(Box(*form, "SortID"), "1234567890");
        QVERIFY(Box(*form, "SortID")->text().trimmed().size() <= 8);
        for (const char* caption :
             {"InfoName", "Owner", "Partner", "ParentInfo", "Quest", "GoldCostScript",
              "SmallTalkPartner", "ExitRoutineName", "PartnerExitRoutineName"}) {
            QLineEdit* box = Box(*form, caption);
            box->clear();
            box->setFocus();
            QTest::keyClicks(box, "Old Bob/x;\"y");
            QCOMPARE(box->text(), QString("OldBobxy"));
            QVERIFY2(box->toolTip().contains("blanks"), caption);
            // A character that an info file cannot hold would be saved as "?".
            box->clear();
            for (const char* typed : {"Q", "_", "\xe6\x97\xa5", "\xc3\xa4"}) {
                QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(typed));
                QApplication::sendEvent(box, &key);
            }
            QCOMPARE(box->text(), QString::fromUtf8("Q_\xc3\xa4"));
            QVERIFY2(box->toolTip().contains("Windows-1252"), caption);
        }
    }

    void unknownChoiceIsShownAndKept() {
        std::string text = VaskTest::ReadFile("Infos/Lena_Room.vaskinfo");
        const std::string from = "gEInfoType_Info";
        text.replace(text.find(from), from.size(), "gEInfoType_Special");
        VaskTest::WriteFile("Infos/Lena_Room.vaskinfo", text);
        auto form = OpenForEditing("Lena_Room");
        QCOMPARE(static_cast<QComboBox*>(FieldOf(*form, "InfoType"))->currentText(),
                 QString("gEInfoType_Special"));
        SaveOverTheFile(*form);
        QCOMPARE(QString::fromStdString(VaskTest::ReadFile("Infos/Lena_Room.vaskinfo")),
                 QString::fromStdString(text));
    }

    // Each kind of change, then every undo restores the state before it exactly, and
    // every redo the state after it. The title marks unsaved changes; typing a box back
    // to its text leaves no step.
    void undoAndRedoRestoreTheExactWorkingCopy() {
        auto form = OpenForEditing("Mira_Teach");
        QTest::keyClicks(FieldOf(*form, "Owner"), "a");
        QCOMPARE(form->windowTitle(), QString("Info Editor*"));
        QTest::keyClick(FieldOf(*form, "Owner"), Qt::Key_Backspace);
        QCOMPARE(form->UndoStack()->count(), 0);
        QCOMPARE(form->windowTitle(), QString("Info Editor"));
        std::vector<InfoRef> states{form->InfoData()};
        const auto step = [&] { states.push_back(form->InfoData()); };

        // Typing in one box is one step.
        QTest::keyClicks(FieldOf(*form, "Owner"), "xyz");
        QCOMPARE(form->UndoStack()->count(), 1);
        QCOMPARE(form->InfoData().Owner, std::string("Miraxyz"));
        step();
        QTest::keyClicks(FieldOf(*form, "Quest"), "Q");
        step();
        AddBackCommand(*form);
        step();
        // A perk edited through its dialog.
        Select(*form, 2, 1);
        OnNextModalOf<InfoPerkForm>([](InfoPerkForm& dialog) {
            if (auto* value = dialog.findChild<QLineEdit*>("rowBox1")) // Value
                value->setText("9");
            dialog.Save();
        });
        form->EditEntry();
        QVERIFY(form->InfoData().RequiredPerks != states.back().RequiredPerks);
        step();
        // The condition deleted, a command moved with Alt+Down, a perk moved up.
        Select(*form, 1, 0);
        form->DeleteEntry();
        step();
        Select(*form, 0, 0);
        PressKey(form->Grid(0), Qt::Key_Down, Qt::AltModifier);
        step();
        Select(*form, 2, 2);
        form->MoveSelectedEntry(-1);
        step();
        QCOMPARE(form->UndoStack()->count(), 7);
        for (std::size_t i = 1; i < states.size(); ++i)
            QVERIFY(states[i] != states[i - 1]);

        for (std::size_t i = states.size() - 1; i > 0; --i) {
            PressKey(form->Grid(0), Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(form->InfoData() == states[i - 1]);
        }
        QCOMPARE(Box(*form, "Owner")->text(), QString("Mira"));
        QCOMPARE(Rows(*form, 1), 1);
        QCOMPARE(form->windowTitle(), QString("Info Editor"));
        for (std::size_t i = 1; i < states.size(); ++i) {
            if (i % 2)
                PressKey(FieldOf(*form, "Owner"), Qt::Key_Y, Qt::ControlModifier);
            else
                PressKey(form->Grid(0), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY(form->InfoData() == states[i]);
        }
        QCOMPARE(Box(*form, "Owner")->text(), QString("Miraxyz"));
        AnswerNextQuestion("Yes");
        form->close();
    }

    // A Say's display text is edited beside its id as a step of its own; the text follows
    // the id, new Says get free ids, and saving writes only those display fields.
    void displayTextsAreEditedUndoneAndWrittenToTheirTable() {
        const std::string table = VaskTest::ReadFile("infosa.csv");
        auto form = OpenForEditing("Bob_Haggle");
        const QString robbery = "That price is robbery.";
        const QString fair = QString::fromUtf8("Fair enough, 5 \u20ac.");
        QCOMPARE(CommandCell(*form, 1, "Text"), robbery);
        EditCommand(*form, 1, [&](InfoCommandForm& dialog) {
            DisplayTextBox* box = dialog.DisplayTextBox();
            QVERIFY(box && !box->isReadOnly());
            QCOMPARE(box->text(), robbery);
            box->selectAll();
            QTest::keyClicks(box, "Fair enough, 5 ");
            TypeCharacters(box, QString::fromUtf8("\u20ac."));
            // The table cannot hold a bar or a character outside Windows-1252.
            QTest::keyClicks(box, "|");
            TypeCharacters(box, QString::fromUtf8("\u2192"));
            QCOMPARE(box->text(), fair);
            dialog.Save();
        });
        QCOMPARE(CommandCell(*form, 1, "Text"), fair);
        form->Undo();
        QCOMPARE(CommandCell(*form, 1, "Text"), robbery);
        form->Redo();
        QCOMPARE(CommandCell(*form, 1, "Text"), fair);
        // A pasted copy shows the unsaved text too.
        QApplication::clipboard()->clear();
        Select(*form, 0, 1);
        form->CopyEntry();
        form->PasteEntries();
        QCOMPARE(CommandCell(*form, 2, "Text"), fair);
        form->Undo();

        // The text follows the id: the window's unsaved text first, then the table's.
        EditCommand(*form, 2, [&](InfoCommandForm& dialog) {
            auto* id = dialog.findChild<QLineEdit*>("rowBox3");
            id->setText("BOB_HAGGLE_01");
            QCOMPARE(dialog.DisplayTextBox()->text(), fair);
            id->setText("NO_SUCH_LINE");
            QCOMPARE(dialog.DisplayTextBox()->text(), QString());
            id->setText("BOB_GREET_01");
            dialog.Save();
        });
        const QString greeting = "Welcome to Kolvar, stranger. Best prices this side of the river.";
        QCOMPARE(CommandCell(*form, 2, "Text"), greeting);

        // New Says with no id get the info's next free ones.
        for (const char* line : {"Deal.", "Done."}) {
            OnNextModalOf<InfoCommandForm>([line](InfoCommandForm& dialog) {
                dialog.findChild<QComboBox*>("typeList")->setCurrentText("Say");
                QTest::keyClicks(dialog.DisplayTextBox(), line);
                dialog.Save();
            });
            form->Tabs()->setCurrentIndex(0);
            QTest::mouseClick(form->Button("+"), Qt::LeftButton);
        }
        QCOMPARE(CommandCell(*form, 4, "String"), QString("BOB_HAGGLE_03"));
        QCOMPARE(CommandCell(*form, 5, "String"), QString("BOB_HAGGLE_04"));
        QCOMPARE(CommandCell(*form, 5, "Text"), QString("Done."));

        SaveOverTheFile(*form);
        QVERIFY(!form->isVisible());
        std::string expected = table;
        expected.replace(expected.find(robbery.toStdString()), robbery.size(),
                         "Fair enough, 5 \x80.");
        expected += "BOB_HAGGLE_03||Deal.|\r\nBOB_HAGGLE_04||Done.|\r\n";
        QCOMPARE(VaskTest::ReadFile("infosa.csv"), expected);
        VaskInfo saved;
        QVERIFY(saved.LoadDataFromFile("Bob_Haggle"));
        QCOMPARE(saved.InfoCommands.GetSize(), std::uint32_t(6));
        QCOMPARE(saved.InfoCommands[2].LocString.Str(), std::string("BOB_GREET_01"));
        QCOMPARE(saved.InfoCommands[4].Text.Str(), std::string("Deal."));
    }

    // The info refers to its texts: when their table cannot be written, the info is not
    // written either, and the window says why.
    void unwritableTableLeavesTheInfoUnsaved() {
        auto form = OpenForEditing("Bob_Haggle");
        const std::string info = VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo");
        const std::string table = VaskTest::ReadFile("infosa.csv");
        Box(*form, "Owner")->setText("Bobby");
        EditCommand(*form, 1, [](InfoCommandForm& dialog) {
            QTest::keyClicks(dialog.DisplayTextBox(), " Really.");
            dialog.Save();
        });
        fs::remove("infosa.csv");
        fs::create_directory("infosa.csv");
        QCOMPARE(MessageAfter([&] { SaveOverTheFile(*form); }),
                 QString("Error|The texts cannot be written, so the info is not saved.\n"
                         "Could not read \"infosa.csv\": it is a folder."));
        QVERIFY(form->isVisible());
        QCOMPARE(VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo"), info);
        QVERIFY(fs::is_directory("infosa.csv"));

        // The table is written, then the info's own write fails: the table goes back to
        // what the unchanged info refers to.
        fs::remove("infosa.csv");
        VaskTest::WriteFile("infosa.csv", table);
        FaultInjection::replacesBeforeFailing = 1;
        FaultInjection::failReplaces = 1;
        const QString failed = MessageAfter([&] { SaveOverTheFile(*form); });
        FaultInjection::Clear();
        QVERIFY(failed.startsWith("Error|"));
        QVERIFY(form->isVisible());
        QCOMPARE(VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo"), info);
        QCOMPARE(VaskTest::ReadFile("infosa.csv"), table);
        AnswerNextQuestion("Yes");
        form->close();
    }

    // A text line changed in its table by someone else after the window changed it is
    // not overwritten: the save says so and keeps the window's text pending; lines the
    // window did not change are kept as the others left them.
    void aTextLineChangedMeanwhileIsNotOverwritten() {
        auto form = OpenForEditing("Bob_Haggle");
        const std::string info = VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo");
        const auto setText = [&](const char* text) {
            EditCommand(*form, 1, [text](InfoCommandForm& dialog) {
                dialog.DisplayTextBox()->selectAll();
                QTest::keyClicks(dialog.DisplayTextBox(), text);
                dialog.Save();
            });
        };
        setText("Mine.");
        std::string theirs = VaskTest::ReadFile("infosa.csv");
        theirs.replace(theirs.find("That price is robbery."), 22, "Their robbery.");
        theirs.replace(theirs.find("ten percent off."), 16, "five percent off.");
        VaskTest::WriteFile("infosa.csv", theirs);

        const QString said = MessageAfter([&] { SaveOverTheFile(*form); });
        QVERIFY2(said.startsWith("Error|The texts cannot be written, so the info is not saved.\n"
                                 "Could not save \"infosa.csv\": it was changed by someone else"),
                 qPrintable(said));
        QVERIFY(form->isVisible());
        QCOMPARE(VaskTest::ReadFile("infosa.csv"), theirs);
        QCOMPARE(VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo"), info);
        QCOMPARE(CommandCell(*form, 1, "Text"), QString("Mine."));
        QVERIFY(form->InfoData().InfoCommands[1].TextPending);

        // Set again over their text, the window's text goes in; the other line stays theirs.
        setText("Mine again.");
        SaveOverTheFile(*form);
        QVERIFY(!form->isVisible());
        const std::string table = VaskTest::ReadFile("infosa.csv");
        QVERIFY(table.find("BOB_HAGGLE_01|line|Mine again.|") != std::string::npos);
        QVERIFY(table.find("five percent off.") != std::string::npos);
    }

    // Buttons, keys and drag and drop reorder; the file holds the new order.
    void reorderIsSavedInTheNewOrder() {
        auto form = OpenForEditing("Bob_Haggle");
        const auto before = CommandNames(form->InfoData());
        QCOMPARE(before.size(), std::size_t(4));
        Select(*form, 0, 3);
        QTest::mouseClick(form->Button("Move up"), Qt::LeftButton);
        QCOMPARE(form->Grid(0)->currentIndex().row(), 2);
        PressKey(form->Grid(0), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(form->UndoStack()->count(), 2);
        // The first row cannot go further up.
        Select(*form, 0, 0);
        PressKey(form->Grid(0), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(form->UndoStack()->count(), 2);
        // Dragging the first row and dropping it below the last one.
        auto* model = form->Grid(0)->model();
        std::unique_ptr<QMimeData> drag(model->mimeData({model->index(0, 0)}));
        QVERIFY(model->canDropMimeData(drag.get(), Qt::MoveAction, 4, 0, {}));
        QVERIFY(model->dropMimeData(drag.get(), Qt::MoveAction, 4, 0, {}));
        const auto moved = CommandNames(form->InfoData());
        QCOMPARE(moved, (std::vector<std::string>{before[3], before[1], before[2], before[0]}));
        // A row of another table is not taken.
        auto* perks = form->Grid(2)->model();
        std::unique_ptr<QMimeData> foreign(perks->mimeData({perks->index(0, 0)}));
        QVERIFY(!model->canDropMimeData(foreign.get(), Qt::MoveAction, 0, 0, {}));

        SaveOverTheFile(*form);
        QCOMPARE(SavedCommandNames("Bob_Haggle"), moved);
    }

    // Rows cannot be moved or dragged while the info is only viewed.
    // A GUID cell names its template beside it ("templatecache" is read when the cache is
    // empty); every cell's tool tip names its parameter as the entry's dialog row does.
    void gridCellsNameTheirTemplateAndParameter() {
        TemplateManager::TemplateCache.ClearContent();
        auto form = Open("Bob_BuySword");
        const auto cell = [&](int tab, int row, int column, int role = Qt::DisplayRole) {
            return form->Grid(tab)->model()->index(row, column).data(role).toString();
        };
        QCOMPARE(cell(0, 2, 0), QString("DestroyItem"));
        QCOMPARE(cell(0, 2, 3), QString("[It_Gold] {52CED392-324A-E703-AD39-A2846EF838D0}"));
        QCOMPARE(cell(0, 2, 3, Qt::ToolTipRole), QString("Item [ eCTemplateEntityProxy ]"));
        QCOMPARE(cell(1, 0, 3), QString("[It_Gold] {52CED392-324A-E703-AD39-A2846EF838D0}"));
        // The working copy keeps the GUID alone.
        QCOMPARE(form->InfoData().InfoCommands[2].ID1,
                 std::string("{52CED392-324A-E703-AD39-A2846EF838D0}"));
        QCOMPARE(cell(0, 3, 0), QString("End"));
        QVERIFY(!form->Grid(0)->model()->index(3, 1).data(Qt::ToolTipRole).isValid());

        // A GUID that no template has is shown alone.
        form.reset();
        TemplateManager::TemplateCache.ClearContent();
        VaskTest::WriteFile("templatecache",
                            "It_Other,It_Other,{00000000-0000-0000-0000-000000000001},");
        form = Open("Mira_HealingHerbs");
        QCOMPARE(cell(0, 1, 1), QString("Mira"));
        QCOMPARE(cell(0, 1, 1, Qt::ToolTipRole), QString("Speaker [ bCString ]"));
        form.reset();
        form = Open("Bob_BuySword");
        QCOMPARE(cell(0, 2, 3), QString("{52CED392-324A-E703-AD39-A2846EF838D0}"));
        TemplateManager::TemplateCache.ClearContent();
    }

    void viewModeMovesNothing() {
        auto form = Open("Bob_Haggle");
        auto* model = form->Grid(0)->model();
        QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsDragEnabled));
        std::unique_ptr<QMimeData> drag(model->mimeData({model->index(0, 0)}));
        QVERIFY(!model->dropMimeData(drag.get(), Qt::MoveAction, 3, 0, {}));
        const auto before = CommandNames(form->InfoData());
        form->MoveEntryRow(0, 0, 2);
        QVERIFY(CommandNames(form->InfoData()) == before);
        QCOMPARE(MessageAfter([&] { PressKey(form->Grid(0), Qt::Key_Z, Qt::ControlModifier); }),
                 ReadOnlyMessage);
    }

    // Ctrl+C in one window and Ctrl+V in another: the pasted entries equal the copied
    // ones, and the clipboard holds the file's block text.
    void pastedBlocksEqualTheCopiedOnes() {
        auto from = OpenForEditing("Mira_Teach");
        auto to = OpenForEditing("Lena_Room");
        for (int tab : {0, 1, 2}) {
            Select(*from, tab, 0);
            PressKey(from->Grid(tab), Qt::Key_C, Qt::ControlModifier);
            const std::string block =
                tab == 0 ? CommandBlockText(from->InfoData().InfoCommands[0])
                         : (tab == 1 ? ConditionBlockText(from->InfoData().InfoConditions[0])
                                     : PerkBlockText(from->InfoData().RequiredPerks[0]));
            QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(block));

            to->Tabs()->setCurrentIndex(tab);
            to->Grid(tab)->clearSelection();
            to->Grid(tab)->setFocus();
            const int rows = Rows(*to, tab);
            PressKey(to->Grid(tab), Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(Rows(*to, tab), rows + 1);
        }
        QVERIFY(to->InfoData().InfoCommands.back() == from->InfoData().InfoCommands[0]);
        QVERIFY(to->InfoData().InfoConditions.back() == from->InfoData().InfoConditions[0]);
        QVERIFY(to->InfoData().RequiredPerks.back() == from->InfoData().RequiredPerks[0]);

        // Text from a text editor, pasted below the selected row; other text pastes nothing.
        QApplication::clipboard()->setText("            gCInfoCommandEnd {\r\n"
                                           "                int Version = 1;\r\n"
                                           "            }\r\n");
        Select(*to, 0, 0);
        PressKey(to->Grid(0), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(to->InfoData().InfoCommands[1].Command, std::string("End"));
        const auto steps = to->UndoStack()->count();
        QApplication::clipboard()->setText("no_blocks_here");
        PressKey(to->Grid(0), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(to->UndoStack()->count(), steps);
        // In a box, Ctrl+V pastes text, not entries.
        QLineEdit* quest = Box(*to, "Quest");
        quest->setFocus();
        PressKey(quest, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(quest->text().contains("no_blocks_here"));
        // A block of a type without a class, cut off before it ends, is kept with the
        // closing line it lacks, so that the info writes it.
        QApplication::clipboard()->setText("            gCInfoCommandNarratorSay {\r\n"
                                           "                int Version = 1;\r\n");
        const auto commands = to->InfoData().InfoCommands.size();
        to->Grid(0)->setFocus();
        PressKey(to->Grid(0), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(to->InfoData().InfoCommands.size(), commands + 1);
        const std::string closed = "            gCInfoCommandNarratorSay {\r\n"
                                   "                int Version = 1;\r\n"
                                   "            }\r\n";
        QVERIFY(std::any_of(to->InfoData().InfoCommands.begin(), to->InfoData().InfoCommands.end(),
                            [&](const InfoCommandRef& c) { return c.PreservedBlock == closed; }));

        AnswerNextQuestion("Yes");
        to->close();
        AnswerNextQuestion("Yes");
        from->close();
    }

    // A save over a file that another program changed since the window read it says so;
    // Cancel writes nothing, Save anyway replaces it and keeps the other version under
    // Backup/, Reload shows the file's version after asking to lose the window's work.
    void saveOverAnOutsideChangeAsksAndEachAnswerDoesWhatItSays() {
        auto form = OpenForEditing("Bob_BuySword");
        TypeQuest(*form, "Q_Window");
        const std::string outside = ChangeQuestOutside("Q_Outside");

        QString asked;
        AnswerNextQuestion("Cancel", &asked);
        form->Save();
        QVERIFY2(asked.startsWith("Changed on disk|\"Infos/Bob_BuySword.vaskinfo\" was changed "
                                  "on disk since this window read it."),
                 qPrintable(asked));
        QVERIFY(form->isVisible());
        QCOMPARE(QString::fromStdString(VaskTest::ReadFile(BuySwordPath)),
                 QString::fromStdString(outside));

        // Reload, but keep the window's work when asked whether to lose it.
        AnswerNextQuestion("Reload");
        AnswerNextQuestion("No");
        form->Save();
        QCOMPARE(Box(*form, "Quest")->text(), QString("Q_Window"));
        // Reload for good: the window shows the file's version and nothing is written.
        AnswerNextQuestion("Reload");
        AnswerNextQuestion("Yes");
        form->Save();
        QVERIFY(form->isVisible());
        QCOMPARE(Box(*form, "Quest")->text(), QString("Q_Outside"));
        QVERIFY(!form->HasUnsavedChanges());
        QCOMPARE(form->EditMode(), InfoFormEditMode::Edit);
        QCOMPARE(QString::fromStdString(VaskTest::ReadFile(BuySwordPath)),
                 QString::fromStdString(outside));

        // Now the window's version is that one: a save goes through with the usual question.
        TypeQuest(*form, "Q_Mine");
        const std::string second = ChangeQuestOutside("Q_Second");
        AnswerNextQuestion("Save anyway");
        form->Save();
        QVERIFY(!form->isVisible());
        QVERIFY(FileHas(BuySwordPath, "Quest = \"Q_Mine\""));
        const std::vector<std::string> backups = TesselEngine::Backup::List(BuySwordPath);
        QVERIFY(!backups.empty());
        QCOMPARE(QString::fromStdString(VaskTest::ReadFile(backups.back())),
                 QString::fromStdString(second));
    }

    // A change made while the save asked whether to replace the file is seen too.
    void aChangeWhileTheSaveAsksIsSeenBeforeTheWrite() {
        auto form = OpenForEditing("Bob_BuySword");
        TypeQuest(*form, "Q_Window");
        std::string outside;
        OnNextModalOf<UserDialog>([&](UserDialog& question) {
            outside = ChangeQuestOutside("Q_Meanwhile");
            for (QPushButton* button : question.findChildren<QPushButton*>()) {
                if (button->text() == "Yes")
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        QString asked;
        AnswerNextQuestion("Cancel", &asked);
        form->Save();
        QVERIFY2(asked.contains("was changed on disk"), qPrintable(asked));
        QVERIFY(form->isVisible());
        QCOMPARE(QString::fromStdString(VaskTest::ReadFile(BuySwordPath)),
                 QString::fromStdString(outside));
        AnswerNextQuestion("Yes");
        form->close();
    }

    // A file deleted meanwhile is said too; Save anyway writes it anew.
    void saveOverADeletedFileSaysSoAndCanWriteItAnew() {
        auto form = OpenForEditing("Bob_BuySword");
        TypeQuest(*form, "Q_Window");
        fs::remove(BuySwordPath);
        QString asked;
        AnswerNextQuestion("Cancel", &asked);
        form->Save();
        QVERIFY2(asked.contains("was deleted since this window read it"), qPrintable(asked));
        QVERIFY(!fs::exists(BuySwordPath));
        AnswerNextQuestion("Save anyway");
        form->Save();
        QVERIFY(!form->isVisible());
        QVERIFY(FileHas(BuySwordPath, "Quest = \"Q_Window\""));
    }

    // Gaining focus looks at the file: one question for each outside version, none for a
    // file that was only touched, and the window's own save is not an outside change.
    void focusAsksOncePerOutsideVersion() {
        auto form = OpenForEditing("Bob_BuySword");
        QString asked;
        AnswerNextQuestion("Cancel", &asked);
        const std::string same = VaskTest::ReadFile(BuySwordPath);
        VaskTest::WriteFile(BuySwordPath, same); // touched, the same bytes
        form->CheckOutsideChange();
        QVERIFY(asked.isEmpty());
        StopWatching();

        ChangeQuestOutside("Q_Outside");
        AnswerNextQuestion("Cancel", &asked);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(form.get(), &activate);
        QTRY_VERIFY(!asked.isEmpty());
        QVERIFY(asked.contains("was changed on disk"));
        QVERIFY(asked.contains("Save anyway"));

        asked.clear();
        AnswerNextQuestion("Cancel", &asked);
        form->CheckOutsideChange(); // the same version again: no question
        QVERIFY(asked.isEmpty());
        StopWatching();

        const std::string third = ChangeQuestOutside("Q_Third");
        AnswerNextQuestion("Save anyway", &asked);
        form->CheckOutsideChange();
        QVERIFY(!asked.isEmpty());
        QVERIFY(!form->isVisible()); // saved right away, without a second question
        QVERIFY(FileHas(BuySwordPath, "Quest = \"\""));
        QCOMPARE(QString::fromStdString(
                     VaskTest::ReadFile(TesselEngine::Backup::List(BuySwordPath).back())),
                 QString::fromStdString(third));
    }

    // Work restored from its recovery copy was begun on the file as it was read then: a
    // change made to the file since is seen as one when the restored work is saved.
    void restoredWorkSeesAChangeMadeToTheFileSince() {
        auto source = OpenForEditing("Bob_BuySword");
        source->SetSourceFile(BuySwordPath);
        TypeQuest(*source, "Q_Kept");
        QTRY_VERIFY_WITH_TIMEOUT(!source->RecoveryFile().empty(), 4000);
        const std::string file = source->RecoveryFile();
        const std::optional<RecoveryRecord> kept = ReadRecoveryFile(file);
        QVERIFY(kept);
        QVERIFY(kept->sourceRead.taken);
        QVERIFY(kept->sourceRead == source->WatchedFingerprint());
        source->hide(); // as a program that ended without saving: the copy stays
        const std::string outside = ChangeQuestOutside("Q_Outside");

        InfoForm form;
        form.show();
        form.RestoreRecovered(*kept, file);
        QString asked;
        AnswerNextQuestion("Cancel", &asked);
        form.Save();
        QVERIFY2(asked.contains("was changed on disk since this window read it"),
                 qPrintable(asked));
        QCOMPARE(QString::fromStdString(VaskTest::ReadFile(BuySwordPath)),
                 QString::fromStdString(outside));
        AnswerNextQuestion("Yes");
        form.close();
        AnswerNextQuestion("Yes");
        source->close();
    }

    // Two windows on one info: the second save sees the first as an outside change.
    void secondWindowSeesTheFirstWindowsSave() {
        auto first = OpenForEditing("Bob_BuySword");
        auto second = OpenForEditing("Bob_BuySword");
        TypeQuest(*first, "Q_First");
        TypeQuest(*second, "Q_Second");
        SaveOverTheFile(*first);
        QVERIFY(!first->isVisible());
        const std::string saved = VaskTest::ReadFile(BuySwordPath);
        QVERIFY(FileHas(BuySwordPath, "Quest = \"Q_First\""));

        QString asked;
        AnswerNextQuestion("Cancel", &asked);
        second->Save();
        QVERIFY(asked.contains("was changed on disk"));
        QCOMPARE(QString::fromStdString(VaskTest::ReadFile(BuySwordPath)),
                 QString::fromStdString(saved));
        AnswerNextQuestion("Yes");
        second->close();
    }
};

QTEST_MAIN(InfoFormTest)
#include "InfoFormTest.moc"
