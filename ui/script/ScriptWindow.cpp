#include "ui/script/ScriptWindow.h"
#include "info/InfoValues.h"
#include "info/Slots.h"
#include "library/ReferenceIndex.h"
#include "ui/common/ReferenceService.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoOpening.h"
#include "ui/script/ScriptChoicesModel.h"
#include "ui/script/ScriptRowsModel.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace VaskEdit {

namespace {
QString Text(const std::string& bytes) {
    return FromSystemString(bytes);
}

// The first line the step's info speaks, for the path.
std::string FirstSpoken(const ScriptStep& step) {
    for (const ScriptLine& line : step.lines) {
        if (line.kind == ScriptLine::Kind::Spoken && !line.text.empty())
            return line.text;
    }
    return {};
}

ScriptRowsModel::Row LineRow(const ScriptLine& line) {
    ScriptRowsModel::Row row;
    row.command = line.commandIndex;
    if (line.kind == ScriptLine::Kind::Spoken) {
        row.text =
            (line.speaker.empty() ? QString("?") : Text(line.speaker)) + ": " +
            (line.text.empty() ? "(no text for " + Text(line.textId) + ")" : Text(line.text));
    } else if (line.ShowsText()) {
        // A description or log text: the player reads it, though no one says it.
        row.look = ScriptRowsModel::Look::Italic;
        row.text = "(" + Text(line.command) + ") " + Text(line.text);
    } else {
        row.look = ScriptRowsModel::Look::Grey;
        row.text = "(" + Text(line.summary) + ")";
    }
    if (line.ShowsText())
        row.tip = "Text id " + Text(line.textId) + " in " + Text(line.table);
    row.tip += QString(row.tip.isEmpty() ? "" : "\n") + "Command " +
               QString::number(line.commandIndex + 1) + ": " + Text(line.summary) +
               "\nDouble-click to open it in the editor.";
    return row;
}
} // namespace

QString ScriptTitle(const ScriptStart& start) {
    const QString name = Text(start.name);
    switch (start.scope) {
    case ConversationScope::Owner:
        return "Script - owner " + name;
    case ConversationScope::Quest:
        return "Script - quest " + name;
    case ConversationScope::All:
        break;
    }
    return "Script - " + name;
}

ScriptWindow::ScriptWindow(ScriptStart scriptStart, ReferenceService* references, QWidget* parent)
    : QWidget(parent, Qt::Window), start(std::move(scriptStart)) {
    setWindowTitle(ScriptTitle(start));
    setAttribute(Qt::WA_DeleteOnClose);

    pathModel = new ScriptRowsModel(this);
    linesModel = new ScriptRowsModel(this);
    choicesModel = new ScriptChoicesModel(this);

    pathView = new QListView;
    pathView->setModel(pathModel);
    pathView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pathView->setUniformItemSizes(true);
    pathView->setMaximumHeight(120);
    pathView->setToolTip("The infos read so far; a click goes back to one.");
    heading = new QLabel;
    heading->setTextFormat(Qt::PlainText);
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.15);
    heading->setFont(big);
    linesView = new QListView;
    linesView->setModel(linesModel);
    linesView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    linesView->setWordWrap(true);
    linesView->setAlternatingRowColors(true);
    choicesLabel = new QLabel;
    choicesView = new QTableView;
    choicesView->setModel(choicesModel);
    choicesView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    choicesView->setSelectionBehavior(QAbstractItemView::SelectRows);
    choicesView->setSelectionMode(QAbstractItemView::SingleSelection);
    choicesView->setContextMenuPolicy(Qt::CustomContextMenu);
    choicesView->verticalHeader()->hide();
    choicesView->horizontalHeader()->setStretchLastSection(true);
    choicesView->setColumnWidth(ScriptChoicesModel::NumberColumn, 32);
    choicesView->setColumnWidth(ScriptChoicesModel::ChoiceColumn, 430);
    choicesView->setWordWrap(false);

    backButton = new QPushButton("Back");
    backButton->setToolTip("Back to the info read before (Backspace)");
    showAll = new QRadioButton("Show all choices");
    hideMarked = new QRadioButton("Hide choices whose conditions I have marked false");
    showAll->setChecked(true);
    auto* switchGroup = new QButtonGroup(this);
    switchGroup->addButton(showAll);
    switchGroup->addButton(hideMarked);
    marks = new QLabel;
    clearMarks = new QPushButton("Clear Marks");
    auto* close = new QPushButton("Close");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backButton);
    buttons->addSpacing(12);
    buttons->addWidget(showAll);
    buttons->addWidget(hideMarked);
    buttons->addStretch(1);
    buttons->addWidget(marks);
    buttons->addWidget(clearMarks);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Read so far"));
    layout->addWidget(pathView);
    layout->addWidget(heading);
    layout->addWidget(linesView, 3);
    layout->addWidget(choicesLabel);
    layout->addWidget(choicesView, 2);
    layout->addLayout(buttons);
    resize(960, 620);

    connect(pathView, &QListView::clicked, this,
            [this](const QModelIndex& at) { BackTo(static_cast<std::size_t>(at.row())); });
    // A double click activates the line, and so does Enter.
    connect(linesView, &QListView::activated, this,
            [this](const QModelIndex& at) { OpenLine(at.row()); });
    connect(choicesView, &QTableView::clicked, this,
            [this](const QModelIndex& at) { FollowNumber(choicesModel->ChoiceOf(at.row()) + 1); });
    connect(choicesView, &QTableView::customContextMenuRequested, this,
            &ScriptWindow::ShowChoicesMenu);
    connect(backButton, &QPushButton::clicked, this, &ScriptWindow::Back);
    connect(hideMarked, &QRadioButton::toggled, this, &ScriptWindow::ShowMarks);
    connect(clearMarks, &QPushButton::clicked, this, [this] {
        markedFalse.clear();
        ShowMarks();
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (int number = 1; number <= 9; ++number) {
        auto* key = new QShortcut(QKeySequence(Qt::Key_0 + number), this);
        connect(key, &QShortcut::activated, this, [this, number] { FollowNumber(number); });
    }
    auto* back = new QShortcut(QKeySequence(Qt::Key_Backspace), this);
    connect(back, &QShortcut::activated, this, &ScriptWindow::Back);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    if (references) {
        connect(references, &ReferenceService::changed, this, &ScriptWindow::Refresh);
        connect(references, &ReferenceService::renamed, this, &ScriptWindow::Refresh);
        connect(references, &ReferenceService::saved, this, &ScriptWindow::Refresh);
        connect(references, &ReferenceService::textsChanged, this, &ScriptWindow::Refresh);
    }
    Refresh();
}

ScriptWindow::~ScriptWindow() = default;

ScriptWindow* ScriptWindow::Open(QWidget* parent, const ScriptStart& start,
                                 ReferenceService* references) {
    auto* window = new ScriptWindow(start, references, parent);
    if (!window->Refusal().empty()) {
        const QString why = Text(window->Refusal());
        delete window;
        ShowMessage(parent, "Caution!", "Nothing to read: " + why + ".");
        return nullptr;
    }
    window->show();
    window->choicesView->setFocus();
    return window;
}

void ScriptWindow::Refresh() {
    // The choices taken so far, by name: the path follows them as far as they still lead.
    std::vector<std::string> taken;
    for (const ScriptStep& step : path) {
        if (step.taken >= 0 && static_cast<std::size_t>(step.taken) < step.choices.size())
            taken.push_back(step.choices[static_cast<std::size_t>(step.taken)].info);
    }
    infos = References().IsBuilt() ? References().Outlines() : std::vector<InfoOutline>();
    index = std::make_unique<ScriptIndex>(infos);
    refusal.clear();
    path = {index->First(start, &refusal)};
    for (const std::string& name : taken) {
        const std::vector<ScriptChoice>& choices = path.back().choices;
        const auto found = std::find_if(choices.begin(), choices.end(),
                                        [&name](const ScriptChoice& c) { return c.info == name; });
        if (path.back().cycle || found == choices.end())
            break;
        Follow(static_cast<std::size_t>(found - choices.begin()));
    }
    Show();
}

void ScriptWindow::Follow(std::size_t choice) {
    if (path.back().cycle || choice >= path.back().choices.size())
        return;
    path.back().taken = static_cast<int>(choice);
    ScriptStep next = index->Follow(path, choice);
    path.push_back(std::move(next));
}

bool ScriptWindow::FollowNumber(int number) {
    const int choice = number - 1;
    if (choice < 0 || choicesModel->RowOf(choice) < 0)
        return false;
    Follow(static_cast<std::size_t>(choice));
    Show();
    return true;
}

bool ScriptWindow::Back() {
    if (path.size() < 2)
        return false;
    BackTo(path.size() - 2);
    return true;
}

void ScriptWindow::BackTo(std::size_t step) {
    if (step >= path.size())
        return;
    path.resize(step + 1);
    path.back().taken = -1;
    Show();
}

void ScriptWindow::MarkFalse(const std::string& condition, bool marked) {
    if (marked)
        markedFalse.insert(condition);
    else
        markedFalse.erase(condition);
    ShowMarks();
}

void ScriptWindow::Show() {
    ShowPath();
    ShowStep();
    ShowMarks();
}

void ScriptWindow::ShowPath() {
    std::vector<ScriptRowsModel::Row> rows;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const ScriptStep& step = path[i];
        ScriptRowsModel::Row row;
        if (step.info.empty()) {
            row.text = ScriptTitle(start).mid(9) + ": the infos to start with";
            row.look = ScriptRowsModel::Look::Grey;
        } else {
            row.text = Text(step.info);
            if (const std::string first = FirstSpoken(step); !first.empty())
                row.text += ": " + Text(first);
        }
        row.text = QString::number(i + 1) + ". " + row.text + "   -> choice " +
                   QString::number(step.taken + 1);
        row.tip = "Choice " + QString::number(step.taken + 1) +
                  " was taken here; click to go "
                  "back to this step.";
        rows.push_back(std::move(row));
    }
    if (rows.empty())
        rows.push_back({"Nothing yet: this is where the reading starts.",
                        {},
                        ScriptRowsModel::Look::Grey,
                        -1});
    pathModel->SetRows(std::move(rows));
    pathView->scrollToBottom();
    backButton->setEnabled(path.size() > 1);
}

void ScriptWindow::ShowStep() {
    const ScriptStep& step = path.back();
    std::vector<ScriptRowsModel::Row> rows;
    if (!refusal.empty()) {
        heading->setText("Nothing to read: " + Text(refusal) + ".");
    } else if (step.cycle) {
        heading->setText(Text(step.info) + " (read above: a cycle, not followed)");
        rows.push_back({"This info was read above on this path; Back steps back.",
                        {},
                        ScriptRowsModel::Look::Grey,
                        -1});
    } else if (step.info.empty()) {
        heading->setText(ScriptTitle(start).mid(9) + ": choose the info to start with");
    } else {
        heading->setText(Text(step.info));
        for (const ScriptLine& line : step.lines)
            rows.push_back(LineRow(line));
        if (rows.empty())
            rows.push_back({"(no commands)", {}, ScriptRowsModel::Look::Grey, -1});
    }
    linesModel->SetRows(std::move(rows));
    choicesModel->SetChoices(step.choices);
    if (step.cycle || !refusal.empty())
        choicesLabel->setText("");
    else if (step.choices.empty())
        choicesLabel->setText("No choices: the conversation ends here.");
    else
        choicesLabel->setText("Choices: a click or the number key follows one, Backspace steps "
                              "back; right-click to mark a condition false.");
}

void ScriptWindow::ShowMarks() {
    choicesModel->SetMarkedFalse(markedFalse, hideMarked->isChecked());
    marks->setText(markedFalse.empty()
                       ? QString()
                       : QString::number(markedFalse.size()) +
                             (markedFalse.size() == 1 ? " condition" : " conditions") +
                             " marked false");
    QString tip;
    for (const std::string& condition : markedFalse)
        tip += (tip.isEmpty() ? "" : "\n") + Text(condition);
    marks->setToolTip(tip);
    clearMarks->setEnabled(!markedFalse.empty());
}

void ScriptWindow::FillMarkMenu(QMenu& menu, int choice) {
    const std::vector<ScriptChoice>& choices = choicesModel->Choices();
    if (choice < 0 || static_cast<std::size_t>(choice) >= choices.size())
        return;
    const ScriptChoice& at = choices[static_cast<std::size_t>(choice)];
    if (at.conditions.empty()) {
        menu.addAction("No conditions")->setEnabled(false);
        return;
    }
    for (const std::string& condition : at.conditions) {
        QAction* action = menu.addAction("False in this reading: " + Text(condition));
        action->setCheckable(true);
        action->setChecked(markedFalse.contains(condition));
        connect(action, &QAction::toggled, this,
                [this, condition](bool marked) { MarkFalse(condition, marked); });
    }
}

void ScriptWindow::ShowChoicesMenu(const QPoint& position) {
    const int choice = choicesModel->ChoiceOf(choicesView->indexAt(position).row());
    if (choice < 0)
        return;
    QMenu menu(this);
    menu.addAction("Follow", this, [this, choice] { FollowNumber(choice + 1); });
    menu.addSeparator();
    FillMarkMenu(menu, choice);
    menu.exec(choicesView->viewport()->mapToGlobal(position));
}

bool ScriptWindow::OpenLine(int row) {
    const auto& rows = linesModel->Rows();
    const ScriptStep& step = path.back();
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size() || step.info.empty() ||
        rows[static_cast<std::size_t>(row)].command < 0)
        return false;
    Place place;
    place.list = PlaceList::Command;
    place.entry = static_cast<std::uint16_t>(rows[static_cast<std::size_t>(row)].command);
    place.field = static_cast<std::uint8_t>(Slot::Text);
    return OpenInfoAt(this, Text(step.info), place) != nullptr;
}

} // namespace VaskEdit
