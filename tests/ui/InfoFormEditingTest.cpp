// The info editor's editing steps: undo and redo of every kind of change, moving
// entries (keys, buttons and drag and drop), copy and paste between windows, the
// unsaved-changes mark and the question on closing.
#include "UiTestSupport.h"
#include "info/EntryBlockText.h"
#include "library/InfoManager.h"
#include "support/Workspace.h"
#include "ui/InfoCommandForm.h"
#include "ui/InfoForm.h"
#include "ui/InfoPerkForm.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QUndoStack>
#include <algorithm>

#include <memory>

using namespace VaskEdit;
using namespace VaskUiTest;

namespace {

std::vector<std::string> CommandNames(const InfoRef& info) {
    std::vector<std::string> names;
    for (const auto& command : info.InfoCommands)
        names.push_back(command.Command);
    return names;
}

void Select(InfoForm& form, int tab, int row) {
    form.Tabs()->setCurrentIndex(tab);
    form.Grid(tab)->setCurrentIndex(form.Grid(tab)->model()->index(row, 0));
    form.Grid(tab)->setFocus();
}

// Opens an editor on the info in Edit mode.
std::unique_ptr<InfoForm> OpenForEditing(const char* name) {
    auto form = std::make_unique<InfoForm>();
    form->show();
    form->InfoEditor_OnOpen(LoadInfo(name), InfoFormEditMode::View);
    form->EditInfo();
    return form;
}
} // namespace

class InfoFormEditingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<VaskTest::Workspace> workspace;

private slots:
    void init() {
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
    }

    // Each kind of change, then every undo restores the state before it exactly, and
    // every redo the state after it.
    void undoAndRedoRestoreTheExactWorkingCopy() {
        auto form = OpenForEditing("Mira_Teach");
        std::vector<InfoRef> states{form->InfoData()};
        const auto step = [&] { states.push_back(form->InfoData()); };

        // Typing in one box is one step.
        QTest::keyClicks(form->Field("Owner"), "xyz");
        QCOMPARE(form->UndoStack()->count(), 1);
        QCOMPARE(form->InfoData().Owner, std::string("Miraxyz"));
        step();
        QTest::keyClicks(form->Field("Quest"), "Q");
        step();
        // A command added through its dialog.
        OnNextModalOf<InfoCommandForm>([](InfoCommandForm& dialog) {
            dialog.findChild<QComboBox*>("typeList")->setCurrentIndex(5); // Back
            dialog.Save();
        });
        form->Tabs()->setCurrentIndex(0);
        form->AddEntry();
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
        QTest::keyClick(form->Grid(0), Qt::Key_Down, Qt::AltModifier);
        step();
        Select(*form, 2, 2);
        form->MoveSelectedEntry(-1);
        step();
        QCOMPARE(form->UndoStack()->count(), 7);
        for (std::size_t i = 1; i < states.size(); ++i)
            QVERIFY(states[i] != states[i - 1]);

        for (std::size_t i = states.size() - 1; i > 0; --i) {
            QTest::keyClick(form->Grid(0), Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(form->InfoData() == states[i - 1]);
        }
        QCOMPARE(static_cast<QLineEdit*>(form->Field("Owner"))->text(), QString("Mira"));
        QCOMPARE(form->Grid(1)->model()->rowCount(), 1);
        for (std::size_t i = 1; i < states.size(); ++i) {
            if (i % 2)
                QTest::keyClick(form->Field("Owner"), Qt::Key_Y, Qt::ControlModifier);
            else
                QTest::keyClick(form->Grid(0), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY(form->InfoData() == states[i]);
        }
        QCOMPARE(static_cast<QLineEdit*>(form->Field("Owner"))->text(), QString("Miraxyz"));
        AnswerNextQuestion("Yes");
        form->close();
    }

    // The title marks unsaved changes; undoing back to the opened state clears it, and
    // typing a box back to its text leaves no step.
    void titleShowsUnsavedChanges() {
        auto form = OpenForEditing("Lena_Room");
        QCOMPARE(form->windowTitle(), QString("Info Editor"));
        QTest::keyClicks(form->Field("Owner"), "a");
        QCOMPARE(form->windowTitle(), QString("Info Editor*"));
        QTest::keyClick(form->Field("Owner"), Qt::Key_Backspace);
        QCOMPARE(form->UndoStack()->count(), 0);
        QCOMPARE(form->windowTitle(), QString("Info Editor"));
        Select(*form, 0, 0);
        form->DeleteEntry();
        QCOMPARE(form->windowTitle(), QString("Info Editor*"));
        form->Undo();
        QCOMPARE(form->windowTitle(), QString("Info Editor"));
        form->close();
        QVERIFY(!form->isVisible());
    }

    // The window's close control and Escape ask before unsaved changes are lost.
    void closingWithUnsavedChangesAsks() {
        auto form = OpenForEditing("Lena_Room");
        QTest::keyClicks(form->Field("Partner"), "x");
        const QString question = "Caution|Are you sure?";
        QString asked;
        AnswerNextQuestion("No", &asked);
        form->close();
        QCOMPARE(asked, question);
        QVERIFY(form->isVisible());
        asked.clear();
        AnswerNextQuestion("No", &asked);
        QTest::keyClick(form->Field("Owner"), Qt::Key_Escape);
        QCOMPARE(asked, question);
        QVERIFY(form->isVisible());
        asked.clear();
        AnswerNextQuestion("Yes", &asked);
        form->close();
        QCOMPARE(asked, question);
        QVERIFY(!form->isVisible());
    }

    // Buttons, keys and drag and drop reorder; the file holds the new order.
    void reorderIsSavedInTheNewOrder() {
        auto form = OpenForEditing("Bob_Haggle");
        const auto before = CommandNames(form->InfoData());
        QCOMPARE(before.size(), std::size_t(4));
        Select(*form, 0, 3);
        QTest::mouseClick(form->Button("Move up"), Qt::LeftButton);
        QCOMPARE(form->Grid(0)->currentIndex().row(), 2);
        QTest::keyClick(form->Grid(0), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(form->UndoStack()->count(), 2);
        // The first row cannot go further up.
        Select(*form, 0, 0);
        QTest::keyClick(form->Grid(0), Qt::Key_Up, Qt::AltModifier);
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

        AnswerNextQuestion("Yes");
        form->Save();
        VaskInfo saved;
        QVERIFY(saved.LoadDataFromFile("Bob_Haggle"));
        std::vector<std::string> names;
        for (const auto& command : saved.InfoCommands)
            names.push_back(command.Command.Str());
        QCOMPARE(names, moved);
    }

    // Rows cannot be moved or dragged while the info is only viewed.
    void viewModeMovesNothing() {
        InfoForm form;
        form.show();
        form.InfoEditor_OnOpen(LoadInfo("Bob_Haggle"), InfoFormEditMode::View);
        auto* model = form.Grid(0)->model();
        QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsDragEnabled));
        std::unique_ptr<QMimeData> drag(model->mimeData({model->index(0, 0)}));
        QVERIFY(!model->dropMimeData(drag.get(), Qt::MoveAction, 3, 0, {}));
        const auto before = CommandNames(form.InfoData());
        form.MoveEntryRow(0, 0, 2);
        QVERIFY(CommandNames(form.InfoData()) == before);
        SeenMessage readOnly;
        AnswerNextMessage(readOnly);
        QTest::keyClick(form.Grid(0), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(readOnly.count, 1);
    }

    // Ctrl+C in one window and Ctrl+V in another: the pasted entries equal the copied
    // ones, and the clipboard holds the file's block text.
    void pastedBlocksEqualTheCopiedOnes() {
        auto from = OpenForEditing("Mira_Teach");
        auto to = OpenForEditing("Lena_Room");
        for (int tab : {0, 1, 2}) {
            Select(*from, tab, 0);
            QTest::keyClick(from->Grid(tab), Qt::Key_C, Qt::ControlModifier);
            const std::string block =
                tab == 0 ? CommandBlockText(from->InfoData().InfoCommands[0])
                         : (tab == 1 ? ConditionBlockText(from->InfoData().InfoConditions[0])
                                     : PerkBlockText(from->InfoData().RequiredPerks[0]));
            QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(block));

            to->Tabs()->setCurrentIndex(tab);
            to->Grid(tab)->clearSelection();
            to->Grid(tab)->setFocus();
            const int rows = to->Grid(tab)->model()->rowCount();
            QTest::keyClick(to->Grid(tab), Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(to->Grid(tab)->model()->rowCount(), rows + 1);
        }
        QVERIFY(to->InfoData().InfoCommands.back() == from->InfoData().InfoCommands[0]);
        QVERIFY(to->InfoData().InfoConditions.back() == from->InfoData().InfoConditions[0]);
        QVERIFY(to->InfoData().RequiredPerks.back() == from->InfoData().RequiredPerks[0]);

        // Text from a text editor, pasted below the selected row; other text pastes nothing.
        QApplication::clipboard()->setText("            gCInfoCommandEnd {\r\n"
                                           "                int Version = 1;\r\n"
                                           "            }\r\n");
        Select(*to, 0, 0);
        QTest::keyClick(to->Grid(0), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(to->InfoData().InfoCommands[1].Command, std::string("End"));
        const auto steps = to->UndoStack()->count();
        QApplication::clipboard()->setText("no_blocks_here");
        QTest::keyClick(to->Grid(0), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(to->UndoStack()->count(), steps);
        // In a box, Ctrl+V pastes text, not entries.
        auto* quest = static_cast<QLineEdit*>(to->Field("Quest"));
        quest->setFocus();
        QTest::keyClick(quest, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(quest->text().contains("no_blocks_here"));
        // A block of a type without a class, cut off before it ends, is kept with the
        // closing line it lacks, so that the info writes it.
        QApplication::clipboard()->setText("            gCInfoCommandNarratorSay {\r\n"
                                           "                int Version = 1;\r\n");
        const auto commands = to->InfoData().InfoCommands.size();
        to->Grid(0)->setFocus();
        QTest::keyClick(to->Grid(0), Qt::Key_V, Qt::ControlModifier);
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
};

QTEST_MAIN(InfoFormEditingTest)
#include "InfoFormEditingTest.moc"
