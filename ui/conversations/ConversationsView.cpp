#include "ui/conversations/ConversationsView.h"
#include "library/ConversationScript.h"
#include "library/ReferenceIndex.h"
#include "ui/common/ReferenceService.h"
#include "ui/common/SystemString.h"
#include "ui/conversations/ConversationGraph.h"
#include "ui/conversations/ConversationTreeModel.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/InfoOpening.h"
#include "ui/references/ReferenceWait.h"
#include "ui/script/ScriptWindow.h"

#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStringListModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <set>

namespace VaskEdit {

namespace {
// Up to this many lines the tree opens whole; beyond, its conversations open one by one.
constexpr std::size_t ExpandAllLimit = 5000;

bool SameOutline(const InfoOutline& a, const InfoOutline& b) {
    return a.name == b.name && a.parent == b.parent && a.owner == b.owner && a.quest == b.quest &&
           a.mainSortId == b.mainSortId && a.sortId == b.sortId && a.firstLine == b.firstLine &&
           a.conditions == b.conditions;
}

bool SameOutlines(const std::vector<InfoOutline>& a, const std::vector<InfoOutline>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameOutline);
}

QString Count(std::size_t n, const char* one, const char* many) {
    return QString::number(n) + " " + (n == 1 ? one : many);
}
} // namespace

ConversationsView::ConversationsView(QWidget* parent) : QWidget(parent) {
    model = new ConversationTreeModel(this);

    scopeBox = new QComboBox;
    scopeBox->addItems({"All", "Owner", "Quest"});
    nameBox = new QLineEdit;
    nameBox->setPlaceholderText("Owner or quest");
    nameBox->setEnabled(false);
    completer = new QCompleter(new QStringListModel(this), this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    nameBox->setCompleter(completer);
    auto* show = new QPushButton("Show");
    auto* graph = new QPushButton("Graph");
    graph->setToolTip("The conversation of the selected info as a graph");
    auto* graphAll = new QPushButton("Graph All");
    graphAll->setToolTip("Every conversation shown as a graph");
    auto* script = new QPushButton("Read as Script");
    script->setToolTip("The conversation from the selected info as the player reads it; with "
                       "no info selected, the owner's or quest's shown");

    auto* scopeRow = new QHBoxLayout;
    scopeRow->addWidget(new QLabel("Scope"));
    scopeRow->addWidget(scopeBox);
    scopeRow->addWidget(nameBox, 1);
    scopeRow->addWidget(show);
    scopeRow->addSpacing(20);
    scopeRow->addWidget(graph);
    scopeRow->addWidget(graphAll);
    scopeRow->addWidget(script);

    tree = new QTreeView;
    tree->setModel(model);
    tree->setUniformRowHeights(true); // the view then measures no row of 20,000
    tree->setExpandsOnDoubleClick(false);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    tree->header()->setStretchLastSection(true);
    tree->setColumnWidth(ConversationTreeModel::NameColumn, 300);
    tree->setColumnWidth(ConversationTreeModel::FirstLineColumn, 380);

    status = new QLabel;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(scopeRow);
    layout->addWidget(tree, 1);
    layout->addWidget(status);

    connect(scopeBox, &QComboBox::currentIndexChanged, this, &ConversationsView::ScopeChosen);
    connect(nameBox, &QLineEdit::returnPressed, this, &ConversationsView::ShowScope);
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& name) {
                nameBox->setText(name);
                ShowScope();
            });
    connect(show, &QPushButton::clicked, this, &ConversationsView::ShowScope);
    connect(graph, &QPushButton::clicked, this, [this] { ShowGraph(false); });
    connect(graphAll, &QPushButton::clicked, this, [this] { ShowGraph(true); });
    connect(script, &QPushButton::clicked, this, [this] { ReadAsScript(); });
    connect(tree, &QTreeView::activated, this,
            [this](const QModelIndex& index) { OpenLine(model->LineOf(index)); });
    connect(tree, &QTreeView::customContextMenuRequested, this,
            &ConversationsView::ShowContextMenu);
    if (References().IsBuilt())
        Fill(References().Outlines());
    else
        status->setText("The infos of \"Infos/\" are being read...");
}

QString ConversationsView::Status() const {
    return status->text();
}

void ConversationsView::Refresh() {
    if (!References().IsBuilt()) {
        Fill({}); // nothing of another folder stays
        status->setText("The infos of \"Infos/\" could not be read; \"Update Cache\" reads them "
                        "again.");
        return;
    }
    Fill(References().Outlines());
}

void ConversationsView::ScopeChosen() {
    const bool all = scopeBox->currentIndex() == 0;
    nameBox->setEnabled(!all);
    UpdateCompletions();
    if (all)
        ShowScope();
    else
        nameBox->setFocus();
}

bool ConversationsView::ShowScope() {
    const int chosen = scopeBox->currentIndex();
    if (chosen != 0 && !StringIsValid(nameBox->text())) {
        ShowMessage(this, "Caution!", "Invalid filter text!");
        return false;
    }
    scope = chosen == 1   ? ConversationScope::Owner
            : chosen == 2 ? ConversationScope::Quest
                          : ConversationScope::All;
    scopeName = chosen == 0 ? std::string() : ToSystemString(nameBox->text().trimmed());
    if (!model->Infos().empty())
        Fill(model->Infos());
    else if (References().IsBuilt())
        Fill(References().Outlines());
    return true;
}

void ConversationsView::Fill(std::vector<InfoOutline> infos) {
    // The current info stays current when it is still shown.
    const int currentLine = model->LineOf(tree->currentIndex());
    const std::string currentName =
        currentLine >= 0 ? model->InfoOf(currentLine).name : std::string();

    std::vector<ConversationLine> lines = ConversationForest(infos, scope, scopeName);
    std::size_t roots = 0, cycles = 0, missing = 0;
    for (const ConversationLine& line : lines) {
        roots += line.depth == 0;
        cycles += line.cycle;
        missing += !line.missingParent.empty();
    }
    const std::size_t shown = lines.size() - cycles;
    model->SetForest(std::move(infos), std::move(lines));
    UpdateCompletions();
    if (model->Lines().size() <= ExpandAllLimit)
        tree->expandAll();

    QString text =
        Count(shown, "info", "infos") + " in " + Count(roots, "conversation", "conversations");
    if (cycles)
        text += ", " + Count(cycles, "cycle", "cycles");
    if (missing)
        text += ", " + Count(missing, "missing parent", "missing parents");
    if (const QString notReadWhole = NotReadWholeText(); !notReadWhole.isEmpty())
        text += ". " + notReadWhole.chopped(1); // its own full stop follows
    status->setText(text + ".");

    const int again = currentName.empty() ? -1 : model->FindLine(currentName);
    if (again >= 0) {
        tree->setCurrentIndex(model->IndexOfLine(again));
        tree->scrollTo(tree->currentIndex());
    }
}

void ConversationsView::UpdateCompletions() {
    std::set<std::string> names;
    const bool quests = scopeBox->currentIndex() == 2;
    for (const InfoOutline& info : model->Infos()) {
        const std::string& name = quests ? info.quest : info.owner;
        if (!name.empty())
            names.insert(name);
    }
    QStringList list;
    list.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names)
        list.push_back(FromSystemString(name));
    static_cast<QStringListModel*>(completer->model())->setStringList(list);
}

bool ConversationsView::OpenLine(int line) {
    if (line < 0)
        return false;
    InfoForm* form = OpenInfoByName(this, FromSystemString(model->InfoOf(line).name));
    if (!form)
        return false;
    // Previous Info and Next Info walk the conversation in the tree's order.
    const auto [first, end] = model->ConversationOf(line);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(end - first));
    for (int at = first; at < end; ++at)
        names.push_back(model->InfoOf(at).name);
    form->SetWalk(InfoWalk(names, model->InfoOf(line).name));
    return true;
}

ConversationGraph* ConversationsView::ShowGraph(bool everything) {
    const int currentLine = model->LineOf(tree->currentIndex());
    int first = 0;
    int end = static_cast<int>(model->Lines().size());
    QString title;
    if (everything) {
        title = scope == ConversationScope::All ? QString("All conversations")
                : scope == ConversationScope::Owner
                    ? "Conversations of owner " + FromSystemString(scopeName)
                    : "Conversations of quest " + FromSystemString(scopeName);
    } else {
        if (currentLine < 0) {
            ShowMessage(this, "Caution!", "No selected item!");
            return nullptr;
        }
        std::tie(first, end) = model->ConversationOf(currentLine);
        title = "Conversation " + FromSystemString(model->InfoOf(first).name);
    }
    if (first == end) {
        ShowMessage(this, "Caution", "No infos to show.");
        return nullptr;
    }
    const std::span<const ConversationLine> lines(model->Lines().data() + first,
                                                  static_cast<std::size_t>(end - first));
    std::vector<ConversationGraph::BoxText> texts;
    texts.reserve(lines.size());
    for (int line = first; line < end; ++line) {
        const ConversationLine& at = model->Lines()[static_cast<std::size_t>(line)];
        texts.push_back({FromSystemString(model->InfoOf(line).name), model->FirstLine(line),
                         FromSystemString(LineNote(at)), at.cycle});
    }
    std::vector<QString> names;
    names.reserve(texts.size());
    for (const auto& text : texts)
        names.push_back(text.name);

    auto* window = new QWidget(this, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(title + " - Graph");
    auto* graph = new ConversationGraph;
    graph->SetForest(lines, std::move(texts));
    auto* hint = new QLabel("Drag to move, wheel or + and - to zoom, 0 to see all; double-click "
                            "a box or press Enter to open its info.");
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(hint);
    layout->addWidget(graph, 1);
    window->resize(1000, 650);
    std::vector<std::string> walked;
    walked.reserve(names.size());
    for (const QString& name : names)
        walked.push_back(ToSystemString(name));
    connect(graph, &ConversationGraph::boxActivated, window, [window, names, walked](int box) {
        const auto at = static_cast<std::size_t>(box);
        if (InfoForm* form = OpenInfoByName(window, names[at]))
            form->SetWalk(InfoWalk(walked, walked[at]));
    });
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    connect(close, &QShortcut::activated, window, &QWidget::close);
    window->show();
    graph->ShowAround(currentLine >= first && currentLine < end ? currentLine - first : -1);
    graph->setFocus();
    return graph;
}

ScriptWindow* ConversationsView::ReadAsScript() {
    if (const int line = model->LineOf(tree->currentIndex()); line >= 0)
        return ReadAsScript({ConversationScope::All, model->InfoOf(line).name});
    if (scope == ConversationScope::All) {
        ShowMessage(this, "Caution!", "No selected item!");
        return nullptr;
    }
    return ReadAsScript({scope, scopeName});
}

ScriptWindow* ConversationsView::ReadAsScript(const ScriptStart& start) {
    if (!WaitForReferences(this, references))
        return nullptr;
    return ScriptWindow::Open(this, start, references);
}

void ConversationsView::ShowContextMenu(const QPoint& position) {
    const int line = model->LineOf(tree->indexAt(position));
    if (line < 0)
        return;
    tree->setCurrentIndex(model->IndexOfLine(line));
    QMenu menu(this);
    menu.addAction("Open", this, [this, line] { OpenLine(line); });
    menu.addAction("Graph", this, [this] { ShowGraph(false); });
    menu.addSeparator();
    const InfoOutline& info = model->InfoOf(line);
    menu.addAction("Read as Script", this, [this, name = info.name] {
        ReadAsScript({ConversationScope::All, name});
    });
    if (!info.owner.empty())
        menu.addAction("Read Owner " + FromSystemString(info.owner) + " as Script", this,
                       [this, owner = info.owner] {
                           ReadAsScript({ConversationScope::Owner, owner});
                       });
    if (!info.quest.empty())
        menu.addAction("Read Quest " + FromSystemString(info.quest) + " as Script", this,
                       [this, quest = info.quest] {
                           ReadAsScript({ConversationScope::Quest, quest});
                       });
    menu.exec(tree->viewport()->mapToGlobal(position));
}

bool ConversationsView::event(QEvent* event) {
    // Back from an editor window: what was saved there shows.
    if (event->type() == QEvent::WindowActivate && isVisible() && References().IsBuilt()) {
        std::vector<InfoOutline> infos = References().Outlines();
        if (!SameOutlines(infos, model->Infos()))
            Fill(std::move(infos));
    }
    return QWidget::event(event);
}

} // namespace VaskEdit
