// The info editor's entry grids: the tabs of commands, conditions and required perks with
// their button strips, and the side lists of conditions and perks, all shown from the
// working copy's lists.
#include "ui/infoeditor/EntryGrids.h"
#include "ui/common/ColumnFit.h"
#include "ui/common/SystemString.h"
#include "ui/infoeditor/GridCells.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace VaskEdit {

namespace {
QTableView* ReadOnlyGrid(EntryTableModel* model) {
    auto* view = new QTableView;
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSortingEnabled(false);
    view->verticalHeader()->setVisible(false);
    view->horizontalHeader()->setMinimumSectionSize(50);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

// The first of the texts that passes StringIsValid, or nothing.
std::string FirstValid(std::initializer_list<const std::string*> texts) {
    for (const std::string* text : texts) {
        if (StringIsValid(FromSystemString(*text)))
            return *text;
    }
    return {};
}
} // namespace

EntryGrids::EntryGrids(const InfoRef& copy, const Hooks& hooks, QObject* parent)
    : QObject(parent), commandText(hooks.commandText) {
    // The lists are read as they are at each rebuild.
    const InfoRef* data = &copy;
    const auto& makeButton = hooks.makeButton;
    const auto& editable = hooks.editable;
    const auto& moveRow = hooks.moveRow;
    conditionListModel = new EntryTableModel(
        {"Name", "Description"}, [data] { return static_cast<int>(data->InfoConditions.size()); },
        [data](int row, int column) {
            const auto& c = data->InfoConditions[static_cast<std::size_t>(row)];
            return column == 0 ? c.Condition : FirstValid({&c.Entity1, &c.Entity2, &c.ID1});
        },
        this);
    perkListModel = new EntryTableModel(
        {"Perk", "Value", "InvertTest"},
        [data] { return static_cast<int>(data->RequiredPerks.size()); },
        [data](int row, int column) {
            const auto& p = data->RequiredPerks[static_cast<std::size_t>(row)];
            return column == 0 ? p.Perk : (column == 1 ? p.Value : p.InvertTest);
        },
        this);
    conditionList = ReadOnlyGrid(conditionListModel);
    conditionList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FitColumnsOnChange(conditionList, {123, 156});
    perkList = ReadOnlyGrid(perkListModel);
    perkList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FitColumnsOnChange(perkList, {123, 57, 98});
    // Beside the tabs below, where they have the height; the window's width goes to the
    // members above.
    side = new QWidget;
    side->setFixedWidth(290);
    auto* sideLists = new QVBoxLayout(side);
    sideLists->setContentsMargins(0, 0, 0, 0);
    sideLists->addWidget(new QLabel("InfoConditions"));
    sideLists->addWidget(conditionList);
    sideLists->addWidget(new QLabel("RequiredPerks"));
    sideLists->addWidget(perkList);

    // Bottom: the three tabs with their strips and grids.
    tabs = new QTabWidget;
    struct TabSpec {
        QString title;
        QStringList headers;
        std::vector<int> widths;
        QString what;
    };
    const std::vector<TabSpec> specs = {
        {"Commands",
         {"Command", "Entity1", "Entity2", "ID1", "ID2", "String", "Text"},
         {150, 50, 50, 200, 150, 200},
         "InfoCommand"},
        {"Conditions",
         {"Condition", "Entity1", "Entity2", "ID1", "ID2", "ID3", "ID4"},
         {150, 200, 50, 200, 150, 150},
         "InfoCondition"},
        {"RequiredPerks",
         {"Condition", "Perk", "Value", "InvertTest"},
         {150, 150, 150},
         "RequiredPerk"},
    };
    // Each column after the type shows one slot of the entry.
    const auto slotText = [](const auto& entry, int tab, int column) {
        return VisitSlot(
            entry, *GridColumnSlot(tab, column), [](const std::string& text) { return text; },
            std::string());
    };
    gridModels = {
        new EntryTableModel(
            specs[0].headers, [data] { return static_cast<int>(data->InfoCommands.size()); },
            [this, data, slotText](int row, int column) {
                const auto& c = data->InfoCommands[static_cast<std::size_t>(row)];
                if (column == GridColumnOf(0, Slot::Text))
                    return commandText(c);
                return column == 0 ? c.Command : slotText(c, 0, column);
            },
            this),
        new EntryTableModel(
            specs[1].headers, [data] { return static_cast<int>(data->InfoConditions.size()); },
            [data, slotText](int row, int column) {
                const auto& c = data->InfoConditions[static_cast<std::size_t>(row)];
                return column == 0 ? c.Condition : slotText(c, 1, column);
            },
            this),
        new EntryTableModel(
            specs[2].headers, [data] { return static_cast<int>(data->RequiredPerks.size()); },
            [data, slotText](int row, int column) {
                const auto& p = data->RequiredPerks[static_cast<std::size_t>(row)];
                return column == 0 ? std::string("RequiredPerk") : slotText(p, 2, column);
            },
            this),
    };
    for (int tab = 0; tab < GridCount; ++tab) {
        EntryTableModel* model = gridModels[static_cast<std::size_t>(tab)];
        model->SetCellNotes(
            [data, tab](int row, int column) {
                const auto at = static_cast<std::size_t>(row);
                const std::string type = tab == 0   ? data->InfoCommands[at].Command
                                         : tab == 1 ? data->InfoConditions[at].Condition
                                                    : std::string();
                return GridCellTip(tab, type, column);
            },
            [model](int row, int column) {
                return column == 0 ? std::string() : TemplateNameOf(model->StoredCell(row, column));
            });
    }
    for (std::size_t i = 0; i < specs.size(); ++i) {
        auto* tab = new QWidget;
        auto* layout = new QVBoxLayout(tab);
        auto* strip = new QHBoxLayout;
        const QString tips[] = {"Add a new ", "Edit selected ", "Delete selected "};
        const QString captions[] = {"+", "E", "-"};
        for (int b = 0; b < 3; ++b) {
            QPushButton* button = makeButton(captions[b]);
            button->setToolTip(tips[b] + specs[i].what);
            button->setFixedWidth(30);
            strip->addWidget(button);
            stripButtons.push_back(button);
            void (EntryGrids::*request)() =
                b == 0 ? &EntryGrids::addRequested
                       : (b == 1 ? &EntryGrids::editRequested : &EntryGrids::deleteRequested);
            connect(button, &QPushButton::clicked, this, [this, i, request] {
                tabs->setCurrentIndex(static_cast<int>(i));
                emit(this->*request)();
            });
        }
        for (int delta : {-1, 1}) {
            QPushButton* button = makeButton(delta < 0 ? "Move up" : "Move down");
            button->setToolTip("Move selected " + specs[i].what + (delta < 0 ? " up" : " down"));
            strip->addWidget(button);
            stripButtons.push_back(button);
            connect(button, &QPushButton::clicked, this, [this, i, delta] {
                tabs->setCurrentIndex(static_cast<int>(i));
                emit moveRequested(delta);
            });
        }
        strip->addStretch();
        layout->addLayout(strip);
        QTableView* grid = ReadOnlyGrid(gridModels[i]);
        // Rows are dragged to their new place while the info is editable.
        gridModels[i]->EnableRowMoves(editable, [moveRow, i](int from, int to) {
            return moveRow(static_cast<int>(i), from, to);
        });
        grid->setDragEnabled(true);
        grid->setAcceptDrops(true);
        grid->setDropIndicatorShown(true);
        grid->setDragDropOverwriteMode(false);
        grid->setDragDropMode(QAbstractItemView::InternalMove);
        grid->setDefaultDropAction(Qt::MoveAction);
        // A template's reference, "[name] {guid}", is shown whole whatever the font draws.
        const int reference = grid->fontMetrics().horizontalAdvance(
            "[It_Template_Name] {00000000-0000-0000-0000-000000000000}");
        // The spoken lines are what the writer reads: the Text column keeps a third.
        FitColumnsOnChange(grid, specs[i].widths, ColumnFit::ToContents,
                           std::max(400, reference + 16),
                           i == 0 ? LastColumn::KeepsAThird : LastColumn::TakesTheRest);
        layout->addWidget(grid);
        grids.push_back(grid);
        tabs->addTab(tab, specs[i].title);
        connect(grid, &QTableView::doubleClicked, this, [this] { emit cellDoubleClicked(); });
        connect(grid, &QTableView::clicked, this, [this, i](const QModelIndex& index) {
            emit cellClicked(static_cast<int>(i), index.row());
        });
    }
    connect(conditionList, &QTableView::activated, this, [this] { tabs->setCurrentIndex(1); });
    connect(conditionList, &QTableView::clicked, this, [this] { tabs->setCurrentIndex(1); });
    connect(perkList, &QTableView::activated, this, [this] { tabs->setCurrentIndex(2); });
    connect(perkList, &QTableView::clicked, this, [this] { tabs->setCurrentIndex(2); });
}

void EntryGrids::SetEditable(bool editable) {
    for (QPushButton* button : stripButtons)
        button->setEnabled(editable);
}

void EntryGrids::RebuildCommands() {
    gridModels[0]->Rebuild();
}

void EntryGrids::RebuildConditions() {
    gridModels[1]->Rebuild();
    conditionListModel->Rebuild();
}

void EntryGrids::RebuildPerks() {
    gridModels[2]->Rebuild();
    perkListModel->Rebuild();
}

} // namespace VaskEdit
