// The "Conversations" tab and its graph on a small workspace of infos with parents: every
// info in its tree, cycles and missing parents marked, rows and boxes that open their
// info, and a graph whose layers hold children below their parent without overlaps.
#include "UiTestSupport.h"
#include "engine/String.h"
#include "info/VaskInfo.h"
#include "library/InfoManager.h"
#include "support/UserStateHome.h"
#include "support/Workspace.h"
#include "ui/common/ReferenceService.h"
#include "ui/conversations/ConversationGraph.h"
#include "ui/conversations/ConversationTreeModel.h"
#include "ui/conversations/ConversationsView.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/mainwindow/MainForm.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>

using namespace VaskEdit;
using namespace VaskUiTest;
namespace fs = std::filesystem;

namespace {
// Writes an info through the info writer.
void Write(const std::string& name, const std::string& parent, const char* sort = "0",
           const std::function<void(VaskInfo&)>& fill = {}) {
    VaskInfo info;
    TesselEngine::SetMember(info.Name, name.c_str());
    info.SetParent(parent.c_str());
    info.SetSortID(sort);
    if (fill)
        fill(info);
    QVERIFY2(info.WriteDataToFile(), name.c_str());
}

QString EditedName() {
    const auto editors = OpenEditors();
    return editors.size() == 1 ? static_cast<QLineEdit*>(FieldOf(*editors[0], "InfoName"))->text()
                               : QString("%1 editors").arg(editors.size());
}

// The tree as a view walks it: a line for each row, indented by its depth.
QString Outline(const QAbstractItemModel& model, const QModelIndex& parent = {}, int depth = 0) {
    QString text;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        text += QString(2 * depth, ' ') + index.data().toString() + "\n";
        text += Outline(model, index, depth + 1);
    }
    return text;
}

// The first row whose name column reads text.
QModelIndex Row(const QAbstractItemModel& model, const QString& text) {
    const QModelIndexList found = model.match(model.index(0, 0), Qt::DisplayRole, text, 1,
                                              Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first();
}
} // namespace

class ConversationsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<VaskTest::Workspace> workspace;
    // Copies of unsaved editor work go to the test's own state folder.
    std::unique_ptr<VaskTest::UserStateHome> state;
    std::unique_ptr<MainForm> window;

    // The window on the workspace (shown or not), once its reference index is built.
    void OpenWindow(bool shown = false) {
        window = std::make_unique<MainForm>();
        Write("Root", "", "0", [](VaskInfo& info) {
            info.SetOwner("Mira");
            InfoCommand& say = info.InfoCommands[info.AddCommand()];
            say.Command = Char32("Say");
            say.Entity1 = Char48("Mira");
            say.Entity2 = Char48("PC_Hero");
            say.LocString = Char48("ROOT_01");
            say.ID1 = Char48("gEForcedDialogCam_None");
        });
        Write("Root_A", "Root", "1", [](VaskInfo& info) {
            info.SetOwner("Mira");
            InfoCondition& knows = info.InfoConditions[info.AddCondition()];
            knows.Condition = Char32("PlayerKnows");
            knows.ID1 = Char48("Root");
        });
        Write("Root_B", "Root", "2");
        Write("Deep", "Root_A");
        Write("Orphan", "Gone");
        Write("Loop_A", "Loop_B");
        Write("Loop_B", "Loop_A");
        VaskTest::WriteFile("infosa.csv", "ROOT_01|line|Welcome, traveller.|\r\n");
        BuildIndex(shown);
    }

    // The window builds the index when it is first shown.
    void BuildIndex(bool byShowing = false) {
        QSignalSpy built(window->Indexing(), &ReferenceService::changed);
        if (byShowing)
            window->show();
        else
            window->BuildReferences();
        QVERIFY(built.wait(10000));
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
        window.reset();
        InfoManager::InfoFiles.Deallocate();
        workspace.reset();
        state.reset();
    }

    // Every info appears under its parent; a cycle's repeat and a missing parent are
    // said and set apart; the scope takes one owner; a new build shows a new info.
    void treeShowsEveryInfoWithItsCyclesAndMissingParents() {
        OpenWindow();
        ConversationsView& view = *window->Conversations();
        const ConversationTreeModel& model = *view.Model();
        QCOMPARE(Outline(model), QString("Orphan (missing parent Gone)\n"
                                         "Root\n"
                                         "  Root_A\n"
                                         "    Deep\n"
                                         "  Root_B\n"
                                         "Loop_A\n"
                                         "  Loop_B\n"
                                         "    Loop_A (cycle)\n"));
        const QModelIndex root = Row(model, "Root");
        QCOMPARE(root.siblingAtColumn(ConversationTreeModel::FirstLineColumn).data().toString(),
                 QString("Welcome, traveller."));
        QCOMPARE(Row(model, "Root_A")
                     .siblingAtColumn(ConversationTreeModel::ConditionsColumn)
                     .data()
                     .toString(),
                 QString("PlayerKnows Root"));
        QCOMPARE(view.Status(), QString("7 infos in 3 conversations, 1 cycle, 1 missing parent."));

        view.ScopeBox()->setCurrentText("Owner");
        view.NameBox()->setText("  ");
        QCOMPARE(MessageAfter([&] { view.ShowScope(); }), QString("Caution!|Invalid filter text!"));
        view.NameBox()->setText("Mira");
        QTest::keyClick(view.NameBox(), Qt::Key_Return);
        QCOMPARE(Outline(model), QString("Root\n  Root_A\n"));

        view.ScopeBox()->setCurrentText("All");
        Write("Late", "Deep");
        BuildIndex();
        QVERIFY(Outline(model).contains("    Deep\n      Late\n"));

        // An info whose file the reader cannot take whole is named.
        std::string late = VaskTest::ReadFile("Infos/Late.vaskinfo");
        late.replace(late.find("InfoCommands {"), 14, "Commands {");
        VaskTest::WriteFile("Infos/Late.vaskinfo", late);
        BuildIndex();
        QCOMPARE(view.Status(), QString("8 infos in 3 conversations, 1 cycle, 1 missing parent. 1 "
                                        "info file could not be read whole: Late; run \"Tools\" > "
                                        "\"Check Infos\"."));
    }

    // A double click or Enter on a row, and a double click on a box of its graph, open
    // the info in an editor.
    void rowsAndBoxesOpenTheirInfo() {
        OpenWindow(true);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->ShowConversations();
        ConversationsView& view = *window->Conversations();
        QTreeView* tree = view.Tree();
        const QModelIndex rootA = Row(*view.Model(), "Root_A");
        const QPoint row = tree->visualRect(rootA).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, row);
        QTRY_COMPARE(EditedName(), QString("Root_A"));
        QVERIFY(tree->isExpanded(rootA)); // the double click opened, it did not fold
        // Next Info walks its conversation in the tree's order: Root, Root_A, Deep, Root_B.
        QCOMPARE(OpenEditors()[0]->windowTitle(), QString("Info Editor - 2 of 4"));
        QCOMPARE(QString::fromStdString(OpenEditors()[0]->Walk().NameAt(1)), QString("Deep"));
        CloseEditors();

        window->activateWindow();
        tree->setCurrentIndex(Row(*view.Model(), "Loop_A (cycle)"));
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Return);
        QTRY_COMPARE(EditedName(), QString("Loop_A"));
        CloseEditors();

        tree->setCurrentIndex(Row(*view.Model(), "Deep"));
        ConversationGraph* graph = view.ShowGraph(false);
        QVERIFY(graph);
        QVERIFY(QTest::qWaitForWindowExposed(graph->window()));
        QCOMPARE(graph->Boxes().size(), std::size_t(4)); // Root's conversation
        const InfoBoxItem* deep = graph->Boxes()[std::size_t(graph->CurrentBox())];
        QCOMPARE(deep->Text().name, QString("Deep"));
        graph->centerOn(deep);
        const QPoint middle = graph->mapFromScene(deep->sceneBoundingRect().center());
        QTest::mouseClick(graph->viewport(), Qt::LeftButton, {}, middle);
        QTest::mouseDClick(graph->viewport(), Qt::LeftButton, {}, middle);
        QTRY_COMPARE(EditedName(), QString("Deep"));
        QCOMPARE(OpenEditors()[0]->windowTitle(),
                 QString("Info Editor - %1 of 4").arg(graph->CurrentBox() + 1));
        graph->window()->close();
    }

    // A forest of some hundred infos, with a cycle and a missing parent: every box stands
    // in its depth's layer, below its parent's, and no two boxes meet.
    void graphPlacesChildrenALayerBelowWithoutOverlaps() {
        std::vector<InfoOutline> infos(300);
        std::minstd_rand random(16);
        for (std::size_t i = 0; i < infos.size(); ++i) {
            infos[i].name = "I" + std::to_string(i);
            // Roots now and then, otherwise a parent among the earlier infos.
            if (i % 40 != 0)
                infos[i].parent = "I" + std::to_string(random() % i);
        }
        infos[5].parent = "Gone";
        infos[10].parent = "I11";
        infos[11].parent = "I10";
        const std::vector<ConversationLine> lines =
            ConversationForest(infos, ConversationScope::All, {});
        std::vector<ConversationGraph::BoxText> texts;
        for (const ConversationLine& line : lines)
            texts.push_back({QString::fromStdString(infos[line.info].name), "A line.",
                             QString::fromStdString(LineNote(line)), line.cycle});
        ConversationGraph graph;
        graph.SetForest(lines, texts);
        const auto& boxes = graph.Boxes();
        QCOMPARE(boxes.size(), lines.size());

        // One step from every parent's row to its children's.
        qreal step = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const QRectF box = boxes[i]->sceneBoundingRect();
            QCOMPARE(boxes[i]->Text().name, texts[i].name);
            if (const InfoBoxItem* parent = graph.ParentOf(i)) {
                QCOMPARE(lines[std::size_t(parent->Box())].depth, lines[i].depth - 1);
                const QRectF above = parent->sceneBoundingRect();
                QVERIFY(above.bottom() < box.top());
                if (step == 0)
                    step = box.top() - above.top();
                QCOMPARE(box.top() - above.top(), step);
            } else {
                QCOMPARE(lines[i].depth, 0);
            }
            for (std::size_t j = 0; j < i; ++j)
                QVERIFY2(!boxes[j]->sceneBoundingRect().intersects(box),
                         qPrintable(texts[i].name + " meets " + texts[j].name));
        }
        QVERIFY(step > 0);
    }
};

QTEST_MAIN(ConversationsTest)
#include "ConversationsTest.moc"
