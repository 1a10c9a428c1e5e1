// The script window on a small conversation: a choice followed by its number key, Back,
// a cycle said, conditions marked false hiding their choices, a line that opens its
// command in the editor, and a saved info and a changed text shown at once.
#include "ui/script/ScriptWindow.h"
#include "UiTestSupport.h"
#include "engine/String.h"
#include "info/VaskInfo.h"
#include "library/InfoManager.h"
#include "library/TextExchange.h"
#include "support/UserStateHome.h"
#include "support/Workspace.h"
#include "ui/common/ReferenceService.h"
#include "ui/conversations/ConversationTreeModel.h"
#include "ui/conversations/ConversationsView.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/mainwindow/MainForm.h"
#include "ui/script/ScriptChoicesModel.h"
#include "ui/script/ScriptRowsModel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include <filesystem>
#include <functional>
#include <memory>

using namespace VaskEdit;
using namespace VaskUiTest;
namespace fs = std::filesystem;

namespace {
void Fill(VaskInfo& info, const std::string& parent, const char* sort, const char* speaker,
          const char* line) {
    info.SetParent(parent.c_str());
    info.SetSortID(sort);
    info.SetOwner("Mira");
    if (*line) {
        InfoCommand& say = info.InfoCommands[info.AddCommand()];
        say.Command = Char32("Say");
        say.Entity1 = Char48(speaker);
        say.Entity2 = Char48("PC_Hero");
        say.LocString = Char48(line);
    }
}

void Condition(VaskInfo& info, const char* type, const char* value) {
    InfoCondition& condition = info.InfoConditions[info.AddCondition()];
    condition.Condition = Char32(type);
    condition.ID1 = Char48(value);
}

void Write(const std::string& name, const std::function<void(VaskInfo&)>& fill) {
    VaskInfo info;
    TesselEngine::SetMember(info.Name, name.c_str());
    fill(info);
    QVERIFY2(info.WriteDataToFile(), name.c_str());
}

QStringList Texts(const ScriptRowsModel& model) {
    QStringList texts;
    for (const ScriptRowsModel::Row& row : model.Rows())
        texts.push_back(row.text);
    return texts;
}

// The choices as the table shows them: "number|choice|conditions" a row.
QStringList Shown(const ScriptChoicesModel& model) {
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells.push_back(model.index(row, column).data().toString());
        rows.push_back(cells.join('|'));
    }
    return rows;
}

QString Reading(const ScriptWindow& script) {
    return QString::fromStdString(script.Path().back().info);
}
} // namespace

class ScriptWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<VaskTest::Workspace> workspace;
    std::unique_ptr<VaskTest::UserStateHome> state;
    std::unique_ptr<MainForm> window;

    // Hello offers Ask and Bye; Ask leads on to Again, and Again back to Hello.
    void OpenWindow() {
        window = std::make_unique<MainForm>();
        Write("Hello", [](VaskInfo& info) {
            Fill(info, "Again", "0", "Mira", "HELLO");
            InfoCommand& end = info.InfoCommands[info.AddCommand()];
            end.Command = Char32("End");
        });
        Write("Ask", [](VaskInfo& info) {
            Fill(info, "Hello", "1", "PC_Hero", "ASK");
            Condition(info, "PlayerKnows", "Hello");
        });
        Write("Bye", [](VaskInfo& info) {
            Fill(info, "Hello", "2", "PC_Hero", "BYE");
            Condition(info, "PlayerNotKnows", "Ask");
        });
        Write("Again", [](VaskInfo& info) {
            Fill(info, "Ask", "0", "Mira", "");
            InfoCommand& description = info.InfoCommands[info.AddCommand()];
            description.Command = Char32("Description");
            description.LocString = Char48("AGAIN");
            Condition(info, "PlayerKnows", "Hello");
        });
        VaskTest::WriteFile("infodescsa.csv", "AGAIN|choice|Once more.|\r\n");
        VaskTest::WriteFile("infosa.csv", "HELLO|line|Hello there.|\r\nASK|line|Tell me more.|\r\n"
                                          "BYE|line|Farewell.|\r\n");
        QSignalSpy built(window->Indexing(), &ReferenceService::changed);
        window->BuildReferences();
        QVERIFY(built.wait(10000));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // The info selected in the main window, read through View > Read as Script.
    ScriptWindow* ReadHello() {
        window->SelectedName()->setText("Hello");
        QAction* read = nullptr;
        for (QAction* menu : window->menuBar()->actions()) {
            if (menu->text() != "View")
                continue;
            for (QAction* item : menu->menu()->actions()) {
                if (item->text() == "Read as Script")
                    read = item;
            }
        }
        if (!read || read->shortcut() != QKeySequence("Ctrl+Shift+R"))
            return nullptr;
        read->trigger();
        const std::vector<ScriptWindow*> shown = Shown<ScriptWindow>();
        ScriptWindow* script = shown.size() == 1 ? shown[0] : nullptr;
        if (script) {
            script->activateWindow();
            if (!QTest::qWaitForWindowActive(script))
                return nullptr;
        }
        return script;
    }

private slots:
    void init() {
        state = std::make_unique<VaskTest::UserStateHome>();
        workspace = std::make_unique<VaskTest::Workspace>();
        workspace->CopyFromSource("demo");
        workspace->CopyResources();
        fs::remove_all("Infos");
        fs::create_directory("Infos");
    }

    void cleanup() {
        StopWatching();
        CloseEditors();
        for (ScriptWindow* script : Shown<ScriptWindow>())
            delete script;
        window.reset();
        InfoManager::InfoFiles.Deallocate();
        workspace.reset();
        state.reset();
    }

    // The number keys follow choices, Backspace and Back step back, a way back to the
    // path is said and not followed, and the path read shows above.
    void numberKeysFollowAndBackStepsBack() {
        OpenWindow();
        ScriptWindow* script = ReadHello();
        QVERIFY(script);
        QCOMPARE(script->windowTitle(), QString("Script - Hello"));
        QCOMPARE(Texts(*script->Lines()), QStringList({"Mira: Hello there.", "(End)"}));
        QVERIFY(script->Lines()->Rows()[0].tip.contains("HELLO"));
        QCOMPARE(Shown(*script->Choices()), QStringList({"1|Ask: Tell me more.|PlayerKnows Hello",
                                                         "2|Bye: Farewell.|PlayerNotKnows Ask"}));
        QVERIFY(!script->BackButton()->isEnabled());
        const auto* pathRows = static_cast<ScriptRowsModel*>(script->PathView()->model());
        QCOMPARE(Texts(*pathRows), QStringList({"Nothing yet: this is where the reading starts."}));

        PressKey(script->ChoicesView(), Qt::Key_2);
        QCOMPARE(Reading(*script), QString("Bye"));
        QCOMPARE(Texts(*script->Lines()), QStringList({"PC_Hero: Farewell."}));
        QCOMPARE(script->Choices()->rowCount(), 0);
        PressKey(script->ChoicesView(), Qt::Key_Backspace);
        QCOMPARE(Reading(*script), QString("Hello"));

        PressKey(script->ChoicesView(), Qt::Key_1);
        PressKey(script->ChoicesView(), Qt::Key_1);
        QCOMPARE(Reading(*script), QString("Again"));
        QCOMPARE(Texts(*pathRows), QStringList({"1. Hello: Hello there.   -> choice 1",
                                                "2. Ask: Tell me more.   -> choice 1"}));
        QCOMPARE(Shown(*script->Choices()), QStringList({"1|Hello: Hello there.  (read above)|"}));
        PressKey(script->ChoicesView(), Qt::Key_1);
        QCOMPARE(Reading(*script), QString("Hello"));
        QVERIFY(script->Path().back().cycle);
        QCOMPARE(script->Path().size(), std::size_t{4});
        QCOMPARE(script->Choices()->rowCount(), 0);
        QVERIFY(!script->FollowNumber(1)); // nothing is read past a cycle

        QTest::mouseClick(script->BackButton(), Qt::LeftButton);
        QCOMPARE(Reading(*script), QString("Again"));
        // A click on a step of the path goes back to it.
        const QRect first =
            script->PathView()->visualRect(script->PathView()->model()->index(0, 0));
        QTest::mouseClick(script->PathView()->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(Reading(*script), QString("Hello"));
        QCOMPARE(script->Path().size(), std::size_t{1});

        // A click on a choice follows it.
        const QRect bye = script->ChoicesView()->visualRect(script->Choices()->index(1, 1));
        QTest::mouseClick(script->ChoicesView()->viewport(), Qt::LeftButton, {}, bye.center());
        QCOMPARE(Reading(*script), QString("Bye"));
        QCOMPARE(Texts(*script->Lines()), QStringList({"PC_Hero: Farewell."}));
        QCOMPARE(script->Choices()->rowCount(), 0);
    }

    // A condition marked false strikes out the choices that need it; the other switch
    // hides them, and their number no longer follows them. Nothing is written.
    void choicesWithAConditionMarkedFalseHide() {
        OpenWindow();
        ScriptWindow* script = ReadHello();
        QVERIFY(script);
        const std::string before = VaskTest::ReadFile("Infos/Ask.vaskinfo");
        QMenu menu;
        script->FillMarkMenu(menu, 0);
        QCOMPARE(menu.actions().size(), 1);
        QCOMPARE(menu.actions()[0]->text(), QString("False in this reading: PlayerKnows Hello"));
        menu.actions()[0]->trigger();
        QCOMPARE(script->MarkedFalse(), std::set<std::string>{"PlayerKnows Hello"});
        QCOMPARE(script->Choices()->rowCount(), 2); // shown, struck out
        QVERIFY(script->Choices()->index(0, 1).data(Qt::FontRole).value<QFont>().strikeOut());

        QTest::mouseClick(script->HideMarkedButton(), Qt::LeftButton);
        QCOMPARE(Shown(*script->Choices()), QStringList({"2|Bye: Farewell.|PlayerNotKnows Ask"}));
        PressKey(script->ChoicesView(), Qt::Key_1);
        QCOMPARE(Reading(*script), QString("Hello"));
        // The mark holds along the reading: Again needs it too.
        PressKey(script->ChoicesView(), Qt::Key_2);
        QCOMPARE(Reading(*script), QString("Bye"));
        PressKey(script->ChoicesView(), Qt::Key_Backspace);

        QTest::mouseClick(script->ShowAllButton(), Qt::LeftButton);
        QCOMPARE(script->Choices()->rowCount(), 2);
        QMenu again;
        script->FillMarkMenu(again, 0);
        QVERIFY(again.actions()[0]->isChecked());
        again.actions()[0]->trigger(); // unmarked
        QVERIFY(script->MarkedFalse().empty());
        QVERIFY(!script->Choices()->index(0, 1).data(Qt::FontRole).value<QFont>().strikeOut());
        QCOMPARE(VaskTest::ReadFile("Infos/Ask.vaskinfo"), before);
    }

    // The Conversations tab reads from the selected info; with none selected, from the
    // owner shown; with neither, it says so.
    void conversationsTabReadsAsScript() {
        OpenWindow();
        Write("Top", [](VaskInfo& info) { Fill(info, "", "0", "Mira", "ASK"); });
        QSignalSpy built(window->Indexing(), &ReferenceService::changed);
        window->BuildReferences();
        QVERIFY(built.wait(10000));
        ConversationsView& view = *window->Conversations();
        view.Tree()->setCurrentIndex({});
        QCOMPARE(MessageAfter([&] { QVERIFY(!view.ReadAsScript()); }),
                 QString("Caution!|No selected item!"));

        const QModelIndexList ask =
            view.Model()->match(view.Model()->index(0, 0), Qt::DisplayRole, "Ask", 1,
                                Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(ask.size(), 1);
        view.Tree()->setCurrentIndex(ask.first());
        ScriptWindow* fromAsk = view.ReadAsScript();
        QVERIFY(fromAsk);
        QCOMPARE(fromAsk->windowTitle(), QString("Script - Ask"));
        QCOMPARE(Reading(*fromAsk), QString("Ask"));

        view.ScopeBox()->setCurrentText("Owner");
        view.NameBox()->setText("Mira");
        QVERIFY(view.ShowScope());
        view.Tree()->setCurrentIndex({});
        // Hello, Ask and Again are a cycle no top leads to: its first info is offered too.
        ScriptWindow* owner = view.ReadAsScript();
        QVERIFY(owner);
        QCOMPARE(owner->windowTitle(), QString("Script - owner Mira"));
        QCOMPARE(Shown(*owner->Choices()),
                 QStringList({"1|Top: Tell me more.|", "2|Again: (Once more.)|PlayerKnows Hello"}));
    }

    // A double click on a line opens its info with that command selected; a save and a
    // changed display text show in the script at once.
    void linesOpenTheirCommandAndChangesShow() {
        OpenWindow();
        ScriptWindow* script = ReadHello();
        QVERIFY(script);
        const QRect end = script->LinesView()->visualRect(script->Lines()->index(1, 0));
        QTest::mouseClick(script->LinesView()->viewport(), Qt::LeftButton, {}, end.center());
        QTest::mouseDClick(script->LinesView()->viewport(), Qt::LeftButton, {}, end.center());
        QTRY_COMPARE(OpenEditors().size(), std::size_t{1});
        InfoForm* editor = OpenEditors()[0];
        QCOMPARE(editor->Grid(0)->currentIndex().row(), 1);

        // The info saved with another line: the library writes it, the editor says so.
        const std::uint32_t hello = LoadInfo("Hello");
        InfoManager::InfoFiles[hello].InfoCommands[0].LocString = Char48("BYE");
        QVERIFY(InfoManager::WriteVaskInfo(hello));
        emit editor->infoSaved("Hello");
        QCOMPARE(Texts(*script->Lines()), QStringList({"Mira: Farewell.", "(End)"}));

        // A display text changed in its table.
        TextImport import;
        import.changes.push_back({"infosa.csv", "BYE", "Farewell.", "Goodbye, then."});
        QVERIFY(ApplyTextImport(import));
        window->Indexing()->AnnounceTexts();
        QCOMPARE(Texts(*script->Lines()), QStringList({"Mira: Goodbye, then.", "(End)"}));
        QCOMPARE(Shown(*script->Choices()).last(),
                 QString("2|Bye: Goodbye, then.|PlayerNotKnows Ask"));
    }
};

QTEST_MAIN(ScriptWindowTest)
#include "ScriptWindowTest.moc"
