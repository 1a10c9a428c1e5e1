// The info editor's layout, its fields and how they load from and store into the
// working copy. The actions are in InfoFormActions.cpp.
#include "ui/infoeditor/InfoForm.h"
#include "info/MemberTable.h"
#include "library/InfoManager.h"
#include "tools/ExternalTools.h"
#include "ui/common/ColumnFit.h"
#include "ui/common/SystemString.h"
#include "ui/common/WindowPlacement.h"
#include "ui/dialogs/DialogLook.h"
#include "ui/dialogs/ProgramConfirmation.h"
#include "ui/entrydialogs/MaskedBox.h"
#include "ui/entrydialogs/ReadableCharacters.h"
#include "ui/infoeditor/GridCells.h"
#include "ui/infoeditor/InfoOpening.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

namespace VaskEdit {

namespace {
// Number fields hold 8-character members: a sign or digit, a digit and six more digits.
const QString NumberMask = "#9000000; ";

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

// Shows a member's text in its box (through the mask, if any) and lets the box refuse
// what the file would give back cut.
void ShowInBox(QWidget* control, const QString& mask, const std::string& text, int capacity) {
    auto* box = static_cast<QLineEdit*>(control);
    ShowMasked(box, mask, text, capacity);
    RefuseUnreadableCharacters(box, static_cast<std::size_t>(capacity));
}

// The first of the texts that passes StringIsValid, or nothing.
std::string FirstValid(std::initializer_list<const std::string*> texts) {
    for (const std::string* text : texts) {
        if (StringIsValid(FromSystemString(*text)))
            return *text;
    }
    return {};
}
// The width of a box that shows a whole GUID in its widest letters.
int WholeGuidWidth(const QLineEdit* box) {
    const QFontMetrics metrics = box->fontMetrics();
    int widest = 0;
    for (const QChar letter : QStringLiteral("0123456789ABCDEF"))
        widest = std::max(widest, metrics.horizontalAdvance(letter));
    // The box keeps two pixels on each side of its text, and one more for the cursor.
    constexpr int Gaps = 2 + 2 + 1;
    const QMargins margins = box->textMargins();
    const int text =
        32 * widest + metrics.horizontalAdvance("{----}") + margins.left() + margins.right() + Gaps;
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    return box->style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(text, 0), box)
        .width();
}

// Each new editor a step below and to the right of the one opened last, so that it does
// not hide it, and wholly on the screen.
void Cascade(InfoForm* form) {
    static QPointer<InfoForm> last;
    if (last && last->isVisible())
        form->move(CascadePosition(last->pos(), last->frameGeometry().size(),
                                   last->screen()->availableGeometry()));
    last = form;
}
} // namespace

namespace {
struct EditorWatch {
    QPointer<QObject> owner;
    std::function<void(InfoForm*)> opened;
};

EditorWatch& Watch() {
    static EditorWatch watch;
    return watch;
}
} // namespace

void WatchOpenedEditors(QObject* owner, std::function<void(InfoForm*)> opened) {
    Watch() = {owner, std::move(opened)};
}

InfoForm* ShowNewInfoEditor() {
    auto* form = new InfoForm;
    form->setAttribute(Qt::WA_DeleteOnClose);
    if (const EditorWatch& watch = Watch(); watch.owner && watch.opened)
        watch.opened(form);
    Cascade(form);
    form->show();
    FitOnScreen(form); // a laptop's screen with a taskbar is shorter than the editor
    return form;
}

InfoForm* OpenInfoEditor(std::uint32_t index, InfoFormEditMode mode,
                         const std::string& sourcePath) {
    InfoForm* form = ShowNewInfoEditor();
    form->InfoEditor_OnOpen(index, mode);
    if (!sourcePath.empty())
        form->SetSourceFile(sourcePath);
    return form;
}

InfoForm::InfoForm(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle("Info Editor");
    for (const InfoMember& member : InfoMemberTable()) {
        if (member.field != FieldKind::None)
            fields.emplace_back(member);
    }
    undoStack = new QUndoStack(this);
    connect(undoStack, &QUndoStack::cleanChanged, this, &InfoForm::UpdateTitle);
    recoveryFolder = RecoveryFolder(CurrentWorkspacePath());
    recoveryTimer = new QTimer(this);
    recoveryTimer->setSingleShot(true);
    connect(recoveryTimer, &QTimer::timeout, this, [this] { WriteRecovery(); });
    connect(undoStack, &QUndoStack::indexChanged, this, &InfoForm::ScheduleRecoveryWrite);
    connect(undoStack, &QUndoStack::cleanChanged, this, &InfoForm::ScheduleRecoveryWrite);
    BuildLayout();
    resize(1170, 734); // fits a 1366 x 768 screen with the window's frame
    BuildKeys();
}

InfoForm::~InfoForm() {
    // The stack clears itself when it is deleted with the children, after this part of
    // the window is gone: its signals must not reach the window any more.
    undoStack->disconnect(this);
    closing = true;
    UnloadOnClose();
}

QWidget* InfoForm::MakeControl(FieldControl& field) {
    switch (field.kind) {
    case FieldKind::Check:
        field.control = new QCheckBox(field.caption);
        break;
    case FieldKind::Choice: {
        auto* box = new QComboBox;
        for (const std::string_view name : field.member.choices->names)
            box->addItem(FromSystemString(name));
        box->setEditable(false);
        // Every choice is shown whole: the longest sets the box's width.
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        field.control = box;
        break;
    }
    default: {
        auto* box = new QLineEdit;
        box->setMaxLength(field.capacity);
        box->setMinimumWidth(60); // the bands share the window's width
        if (field.kind == FieldKind::Text) {
            PaintBox(box, PaleYellow);
            RefuseUnreadableCharacters(box, static_cast<std::size_t>(field.capacity));
        } else if (field.kind == FieldKind::Number) {
            PaintBox(box, PaleGreen);
            box->setInputMask(NumberMask);
            connect(box, &QLineEdit::inputRejected, qApp, &QApplication::beep);
        } else {
            PaintBox(box, PaleBlue);
            box->setInputMask(GuidInputMask);
            box->setMinimumWidth(WholeGuidWidth(box));
            // Its clicks and focus reach the filter on the window's widgets: a filter of
            // its own as well would open the template box twice.
            connect(box, &QLineEdit::inputRejected, qApp, &QApplication::beep);
        }
        field.control = box;
    }
    }
    field.control->setObjectName(field.caption);
    // Only what the user does becomes an undo step, not what the program shows.
    const std::size_t index = static_cast<std::size_t>(&field - fields.data());
    const auto edited = [this, index] { OnFieldEdited(index); };
    if (auto* box = qobject_cast<QLineEdit*>(field.control))
        connect(box, &QLineEdit::textEdited, this, edited);
    else if (auto* check = qobject_cast<QCheckBox*>(field.control))
        connect(check, &QCheckBox::clicked, this, edited);
    else if (auto* choice = qobject_cast<QComboBox*>(field.control))
        connect(choice, &QComboBox::activated, this, edited);
    return field.control;
}

QWidget* InfoForm::Control(const InfoMember& member) const {
    for (const auto& field : fields) {
        if (&field.member == &member)
            return field.control;
    }
    return nullptr;
}

QPushButton* InfoForm::AddButton(const QString& caption) {
    QPushButton* button = NewButton(caption, this);
    buttons.push_back(button);
    return button;
}

QPushButton* InfoForm::Button(const QString& caption) const {
    // The strip buttons exist once per tab: the one on the shown tab comes first.
    QPushButton* hidden = nullptr;
    for (QPushButton* button : buttons) {
        if (button->text() != caption)
            continue;
        if (button->isVisible())
            return button;
        if (!hidden)
            hidden = button;
    }
    return hidden;
}

void InfoForm::BuildLayout() {
    QMenu* file = menuBar()->addMenu("File");
    file->addAction("Save", this, &InfoForm::Save);
    // The boxes leave the key to the window (see BuildKeys).
    QAction* apply = file->addAction("Apply", this, &InfoForm::Apply);
    apply->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addAction("Cancel", this, &InfoForm::Cancel);
    BuildEditMenu();
    BuildReferenceMenu(menuBar()->addMenu("Tools"));
    QMenu* help = menuBar()->addMenu("Help");
    help->addAction("Show Help", this, [this] { ShowHelpPage(this, InfoEditor); });

    // Each member's control, made where the layout places it.
    auto labeled = [this](std::string InfoMembers::*member) {
        for (auto& field : fields) {
            if (field.copy == member)
                return MakeControl(field);
        }
        return static_cast<QWidget*>(nullptr);
    };
    auto* central = new QWidget;
    auto* page = new QVBoxLayout(central);

    // Top strip: the buttons, Owner and Partner; the condition list at the right edge.
    auto* top = new QHBoxLayout;
    saveButton = AddButton("Save");
    applyButton = AddButton("Apply");
    applyButton->setToolTip("Save and keep editing (Ctrl+Shift+S)");
    editButton = AddButton("Edit");
    newButton = AddButton("New");
    copyButton = AddButton("Copy");
    cancelButton = AddButton("Cancel");
    for (QPushButton* button :
         {saveButton, applyButton, editButton, newButton, copyButton, cancelButton})
        top->addWidget(button);
    auto* people = new QGridLayout;
    people->addWidget(new QLabel("Owner"), 0, 0);
    people->addWidget(labeled(&InfoMembers::Owner), 0, 1);
    people->addWidget(new QLabel("Partner"), 1, 0);
    people->addWidget(labeled(&InfoMembers::Partner), 1, 1);
    top->addLayout(people, 1);

    conditionListModel = new EntryTableModel(
        {"Name", "Description"},
        [this] { return static_cast<int>(infoData.InfoConditions.size()); },
        [this](int row, int column) {
            const auto& c = infoData.InfoConditions[static_cast<std::size_t>(row)];
            return column == 0 ? c.Condition : FirstValid({&c.Entity1, &c.Entity2, &c.ID1});
        },
        this);
    perkListModel = new EntryTableModel(
        {"Perk", "Value", "InvertTest"},
        [this] { return static_cast<int>(infoData.RequiredPerks.size()); },
        [this](int row, int column) {
            const auto& p = infoData.RequiredPerks[static_cast<std::size_t>(row)];
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
    auto* side = new QWidget;
    side->setFixedWidth(290);
    auto* sideLists = new QVBoxLayout(side);
    sideLists->setContentsMargins(0, 0, 0, 0);
    sideLists->addWidget(new QLabel("InfoConditions"));
    sideLists->addWidget(conditionList);
    sideLists->addWidget(new QLabel("RequiredPerks"));
    sideLists->addWidget(perkList);

    // Middle band: General, Type with GoldCost, Smalltalk.
    auto* general = new QGroupBox("General");
    auto* g = new QGridLayout(general);
    g->addWidget(new QLabel("InfoName"), 0, 0);
    g->addWidget(labeled(&InfoMembers::Name), 0, 1, 1, 3);
    g->addWidget(new QLabel("MainSortID"), 1, 0);
    g->addWidget(labeled(&InfoMembers::MainSortID), 1, 1);
    g->addWidget(new QLabel("SortID"), 1, 2);
    g->addWidget(labeled(&InfoMembers::SortID), 1, 3);
    g->addWidget(new QLabel("ParentInfo"), 2, 0);
    g->addWidget(labeled(&InfoMembers::Parent), 2, 1, 1, 2);
    openParentButton = AddButton("Open");
    g->addWidget(openParentButton, 2, 3);
    g->addWidget(labeled(&InfoMembers::ClearChildren), 3, 1);
    g->addWidget(labeled(&InfoMembers::Permanent), 3, 3);
    g->addWidget(new QLabel("StartChapter"), 4, 0);
    g->addWidget(labeled(&InfoMembers::StartChapter), 4, 1);
    g->addWidget(new QLabel("EndChapter"), 4, 2);
    g->addWidget(labeled(&InfoMembers::EndChapter), 4, 3);
    g->addWidget(new QLabel("Quest"), 5, 0);
    g->addWidget(labeled(&InfoMembers::Quest), 5, 1, 1, 3);

    auto* typeGroup = new QGroupBox("Type");
    auto* t = new QGridLayout(typeGroup);
    t->addWidget(new QLabel("ConditionType"), 0, 0);
    t->addWidget(labeled(&InfoMembers::ConditionType), 0, 1);
    t->addWidget(new QLabel("InfoType"), 1, 0);
    t->addWidget(labeled(&InfoMembers::InfoType), 1, 1);
    t->addWidget(new QLabel("GameModeType"), 2, 0);
    t->addWidget(labeled(&InfoMembers::GameModeType), 2, 1);
    auto* gold = new QGroupBox("GoldCost");
    auto* gc = new QGridLayout(gold);
    gc->addWidget(new QLabel("GoldCost"), 0, 0);
    gc->addWidget(labeled(&InfoMembers::GoldCost), 0, 1);
    // The GUID below its caption, at the group's whole width.
    gc->addWidget(new QLabel("GoldCostItem"), 1, 0, 1, 2);
    gc->addWidget(labeled(&InfoMembers::GoldCostItem), 2, 0, 1, 2);
    gc->addWidget(new QLabel("GoldCostScript"), 3, 0);
    gc->addWidget(labeled(&InfoMembers::GoldCostScript), 3, 1);
    auto* typeColumn = new QVBoxLayout;
    typeColumn->addWidget(typeGroup);
    typeColumn->addWidget(gold);

    auto* smalltalk = new QGroupBox("Smalltalk");
    auto* s = new QGridLayout(smalltalk);
    // One column of captions: the longest of them leaves no room for a second.
    s->addWidget(new QLabel("SmallTalkPartner"), 0, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkPartner), 0, 1, 1, 2);
    s->addWidget(new QLabel("ExitRoutineName"), 1, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkExitRoutineName), 1, 1, 1, 2);
    s->addWidget(new QLabel("PartnerExitRoutineName"), 2, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkPartnerExitRoutineName), 2, 1, 1, 2);
    s->addWidget(new QLabel("InnerRange"), 3, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkInnerRange), 3, 1);
    s->addWidget(new QLabel("OuterRange"), 4, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkOuterRange), 4, 1);
    s->addWidget(labeled(&InfoMembers::SmalltalkInnerRangeTestWithLOS), 5, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkRewind), 5, 1, 1, 2);
    auto* smalltalkColumn = new QVBoxLayout;
    smalltalkColumn->addWidget(smalltalk);
    smalltalkColumn->addWidget(labeled(&InfoMembers::InfoGiven));
    smalltalkColumn->addWidget(labeled(&InfoMembers::DialogPartnerAutoPositioningEnabled));

    auto* band = new QHBoxLayout;
    band->addWidget(general);
    band->addLayout(typeColumn);
    band->addLayout(smalltalkColumn);
    auto* upper = new QVBoxLayout;
    upper->addLayout(top);
    upper->addLayout(band);
    saveNotice = new QLabel;
    saveNotice->setObjectName("saveNotice");
    saveNotice->setWordWrap(true);
    saveNotice->setTextFormat(Qt::PlainText);
    saveNotice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    saveNotice->setStyleSheet("QLabel#saveNotice { background: #fff4c2; border: 1px solid #d9b400;"
                              " padding: 4px; }");
    saveNotice->hide();
    page->addWidget(saveNotice);
    page->addLayout(upper);

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
            specs[0].headers, [this] { return static_cast<int>(infoData.InfoCommands.size()); },
            [this, slotText](int row, int column) {
                const auto& c = infoData.InfoCommands[static_cast<std::size_t>(row)];
                if (column == GridColumnOf(0, Slot::Text))
                    return GridTextOf(c);
                return column == 0 ? c.Command : slotText(c, 0, column);
            },
            this),
        new EntryTableModel(
            specs[1].headers, [this] { return static_cast<int>(infoData.InfoConditions.size()); },
            [this, slotText](int row, int column) {
                const auto& c = infoData.InfoConditions[static_cast<std::size_t>(row)];
                return column == 0 ? c.Condition : slotText(c, 1, column);
            },
            this),
        new EntryTableModel(
            specs[2].headers, [this] { return static_cast<int>(infoData.RequiredPerks.size()); },
            [this, slotText](int row, int column) {
                const auto& p = infoData.RequiredPerks[static_cast<std::size_t>(row)];
                return column == 0 ? std::string("RequiredPerk") : slotText(p, 2, column);
            },
            this),
    };
    for (int tab = 0; tab < GridCount; ++tab) {
        EntryTableModel* model = gridModels[static_cast<std::size_t>(tab)];
        model->SetCellNotes(
            [this, tab](int row, int column) {
                const auto at = static_cast<std::size_t>(row);
                const std::string type = tab == 0   ? infoData.InfoCommands[at].Command
                                         : tab == 1 ? infoData.InfoConditions[at].Condition
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
            QPushButton* button = AddButton(captions[b]);
            button->setToolTip(tips[b] + specs[i].what);
            button->setFixedWidth(30);
            strip->addWidget(button);
            stripButtons.push_back(button);
            void (InfoForm::*action)() =
                b == 0 ? &InfoForm::AddEntry
                       : (b == 1 ? &InfoForm::EditEntry : &InfoForm::DeleteEntry);
            connect(button, &QPushButton::clicked, this, [this, i, action] {
                tabs->setCurrentIndex(static_cast<int>(i));
                (this->*action)();
            });
        }
        for (int delta : {-1, 1}) {
            QPushButton* button = AddButton(delta < 0 ? "Move up" : "Move down");
            button->setToolTip("Move selected " + specs[i].what + (delta < 0 ? " up" : " down"));
            strip->addWidget(button);
            stripButtons.push_back(button);
            connect(button, &QPushButton::clicked, this, [this, i, delta] {
                tabs->setCurrentIndex(static_cast<int>(i));
                MoveSelectedEntry(delta);
            });
        }
        strip->addStretch();
        layout->addLayout(strip);
        QTableView* grid = ReadOnlyGrid(gridModels[i]);
        // Rows are dragged to their new place while the info is editable.
        gridModels[i]->EnableRowMoves(
            [this] { return Editable(); },
            [this, i](int from, int to) { return MoveEntryRow(static_cast<int>(i), from, to); });
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
        connect(grid, &QTableView::doubleClicked, this, [this] {
            if (Editable())
                EditEntry();
        });
        connect(grid, &QTableView::clicked, this, [this, i](const QModelIndex& index) {
            if (editMode == InfoFormEditMode::View)
                OpenEntryDialog(static_cast<int>(i), index.row(), EntryEditMode::View);
        });
    }
    auto* lower = new QHBoxLayout;
    lower->addWidget(tabs, 1);
    lower->addWidget(side);
    page->addLayout(lower, 1);
    setCentralWidget(central);

    connect(conditionList, &QTableView::activated, this, [this] { tabs->setCurrentIndex(1); });
    connect(conditionList, &QTableView::clicked, this, [this] { tabs->setCurrentIndex(1); });
    connect(perkList, &QTableView::activated, this, [this] { tabs->setCurrentIndex(2); });
    connect(perkList, &QTableView::clicked, this, [this] { tabs->setCurrentIndex(2); });
    connect(saveButton, &QPushButton::clicked, this, &InfoForm::Save);
    connect(applyButton, &QPushButton::clicked, this, &InfoForm::Apply);
    connect(cancelButton, &QPushButton::clicked, this, &InfoForm::Cancel);
    connect(editButton, &QPushButton::clicked, this, &InfoForm::EditInfo);
    connect(copyButton, &QPushButton::clicked, this, &InfoForm::CopyInfo);
    connect(newButton, &QPushButton::clicked, this, &InfoForm::NewInfo);
    connect(openParentButton, &QPushButton::clicked, this, &InfoForm::OpenParent);
    nameBox = BoxOf(&InfoMembers::Name);
    ownerBox = BoxOf(&InfoMembers::Owner);
    parentBox = BoxOf(&InfoMembers::Parent);
    goldCostItemBox = BoxOf(&InfoMembers::GoldCostItem);
    AddUsagesMenus();
}

QLineEdit* InfoForm::BoxOf(std::string InfoMembers::*member) const {
    for (const auto& field : fields) {
        if (field.copy == member)
            return qobject_cast<QLineEdit*>(field.control);
    }
    return nullptr;
}

void InfoForm::LoadFields() {
    for (auto& field : fields) {
        field.loaded = infoData.*field.copy;
        field.loadedChecked = field.loaded == "True";
    }
    ShowFields();
}

void InfoForm::ShowFields() {
    for (auto& field : fields) {
        const std::string& text = infoData.*field.copy;
        switch (field.kind) {
        case FieldKind::Check:
            static_cast<QCheckBox*>(field.control)->setChecked(text == "True");
            break;
        case FieldKind::Choice: {
            auto* box = static_cast<QComboBox*>(field.control);
            const QString shown = FromSystemString(text);
            // A stored value that is none of the choices is shown as it is, as an extra
            // entry, and saved unchanged unless the user picks another.
            if (box->findText(shown) < 0)
                box->insertItem(0, shown);
            box->setCurrentIndex(box->findText(shown));
            break;
        }
        case FieldKind::Text:
            ShowInBox(field.control, QString(), text, field.capacity);
            break;
        case FieldKind::Number:
            ShowInBox(field.control, NumberMask, text, field.capacity);
            break;
        case FieldKind::Guid:
            ShowInBox(field.control, GuidInputMask, text, field.capacity);
            break;
        case FieldKind::None:
            break;
        }
    }
}

void InfoForm::StoreFields() {
    for (auto& field : fields)
        infoData.*field.copy = StoredText(field);
}

std::string InfoForm::StoredText(const FieldControl& field) const {
    switch (field.kind) {
    case FieldKind::Check: {
        const bool checked = static_cast<QCheckBox*>(field.control)->isChecked();
        // An untouched box keeps the text it was loaded from, whatever it was.
        return checked == field.loadedChecked && !field.loaded.empty()
                   ? field.loaded
                   : (checked ? "True" : "False");
    }
    case FieldKind::Choice:
        return ToSystemString(static_cast<QComboBox*>(field.control)->currentText(),
                              static_cast<std::size_t>(field.capacity) + 1);
    case FieldKind::Text:
        return ToSystemString(static_cast<QLineEdit*>(field.control)->text(),
                              static_cast<std::size_t>(field.capacity) + 1);
    case FieldKind::Number:
    case FieldKind::Guid:
        return BoxBytes(static_cast<QLineEdit*>(field.control));
    case FieldKind::None:
        break;
    }
    return infoData.*field.copy;
}

void InfoForm::InfoEditor_ClearGUI() {
    for (auto& field : fields) {
        field.loaded.clear();
        switch (field.kind) {
        case FieldKind::Check:
            // Check boxes keep their state; what they show counts as loaded.
            field.loadedChecked = static_cast<QCheckBox*>(field.control)->isChecked();
            break;
        case FieldKind::Choice: {
            auto* box = static_cast<QComboBox*>(field.control);
            box->setCurrentIndex(box->findText(field.initial));
            break;
        }
        case FieldKind::Text:
            ShowInBox(field.control, QString(), std::string(), field.capacity);
            break;
        case FieldKind::Number:
            ShowInBox(field.control, NumberMask, ToSystemString(field.initial), field.capacity);
            break;
        case FieldKind::Guid:
            ShowInBox(field.control, GuidInputMask, ToSystemString(field.initial), field.capacity);
            break;
        case FieldKind::None:
            break;
        }
    }
    infoData.RequiredPerks.clear();
    infoData.InfoCommands.clear();
    infoData.InfoConditions.clear();
    RebuildAll();
}

void InfoForm::RebuildCommandGridView() {
    gridModels[0]->Rebuild();
}

void InfoForm::RebuildConditionGridView() {
    gridModels[1]->Rebuild();
    conditionListModel->Rebuild();
}

void InfoForm::RebuildPerkGridView() {
    gridModels[2]->Rebuild();
    perkListModel->Rebuild();
}

void InfoForm::RebuildAll() {
    RebuildCommandGridView();
    RebuildConditionGridView();
    RebuildPerkGridView();
}

} // namespace VaskEdit
