// The info editor window: its menus and buttons around the fields panel and the entry
// grids, and how they show the working copy. The actions are in InfoFormActions.cpp.
#include "ui/infoeditor/InfoForm.h"
#include "info/MemberTable.h"
#include "library/InfoManager.h"
#include "tools/ExternalTools.h"
#include "ui/common/WindowPlacement.h"
#include "ui/dialogs/DialogLook.h"
#include "ui/dialogs/ProgramConfirmation.h"
#include "ui/infoeditor/EntryGrids.h"
#include "ui/infoeditor/InfoFieldsPanel.h"
#include "ui/infoeditor/InfoOpening.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

namespace VaskEdit {

namespace {
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
    file->addSeparator();
    // The keys are the window's own (see BuildKeys), so the boxes leave them to it.
    previousAction = file->addAction("Previous Info", this, [this] { StepInfo(-1); });
    previousAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    previousAction->setEnabled(false);
    nextAction = file->addAction("Next Info", this, [this] { StepInfo(1); });
    nextAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    nextAction->setEnabled(false);
    BuildEditMenu();
    BuildReferenceMenu(menuBar()->addMenu("Tools"));
    QMenu* help = menuBar()->addMenu("Help");
    help->addAction("Show Help", this, [this] { ShowHelpPage(this, InfoEditor); });

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
    openParentButton = AddButton("Open");
    fieldsPanel = new InfoFieldsPanel(openParentButton, this);
    connect(fieldsPanel, &InfoFieldsPanel::edited, this, &InfoForm::OnFieldEdited);
    top->addLayout(fieldsPanel->People(), 1);

    entryGrids =
        new EntryGrids(infoData,
                       {[this](const InfoCommandRef& command) { return GridTextOf(command); },
                        [this](const QString& caption) { return AddButton(caption); },
                        [this] { return Editable(); },
                        [this](int tab, int from, int to) { return MoveEntryRow(tab, from, to); }},
                       this);
    connect(entryGrids, &EntryGrids::addRequested, this, &InfoForm::AddEntry);
    connect(entryGrids, &EntryGrids::editRequested, this, &InfoForm::EditEntry);
    connect(entryGrids, &EntryGrids::deleteRequested, this, &InfoForm::DeleteEntry);
    connect(entryGrids, &EntryGrids::moveRequested, this, &InfoForm::MoveSelectedEntry);
    connect(entryGrids, &EntryGrids::cellDoubleClicked, this, [this] {
        if (Editable())
            EditEntry();
    });
    connect(entryGrids, &EntryGrids::cellClicked, this, [this](int tab, int row) {
        if (editMode == InfoFormEditMode::View)
            OpenEntryDialog(tab, row, EntryEditMode::View);
    });
    tabs = entryGrids->Tabs();
    grids = entryGrids->Grids();
    auto* upper = new QVBoxLayout;
    upper->addLayout(top);
    upper->addLayout(fieldsPanel->Band());
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

    auto* lower = new QHBoxLayout;
    lower->addWidget(tabs, 1);
    lower->addWidget(entryGrids->SideLists());
    page->addLayout(lower, 1);
    setCentralWidget(central);

    connect(saveButton, &QPushButton::clicked, this, &InfoForm::Save);
    connect(applyButton, &QPushButton::clicked, this, &InfoForm::Apply);
    connect(cancelButton, &QPushButton::clicked, this, &InfoForm::Cancel);
    connect(editButton, &QPushButton::clicked, this, &InfoForm::EditInfo);
    connect(copyButton, &QPushButton::clicked, this, &InfoForm::CopyInfo);
    connect(newButton, &QPushButton::clicked, this, &InfoForm::NewInfo);
    connect(openParentButton, &QPushButton::clicked, this, &InfoForm::OpenParent);
    nameBox = fieldsPanel->NameBox();
    ownerBox = fieldsPanel->OwnerBox();
    parentBox = fieldsPanel->ParentBox();
    goldCostItemBox = fieldsPanel->GoldCostItemBox();
    AddUsagesMenus();
}

QTableView* InfoForm::ConditionList() const {
    return entryGrids->ConditionList();
}

QWidget* InfoForm::Control(const InfoMember& member) const {
    return fieldsPanel->Control(member);
}

void InfoForm::LoadFields() {
    fieldsPanel->Load(infoData);
}

void InfoForm::ShowFields() {
    fieldsPanel->Show(infoData);
}

void InfoForm::StoreFields() {
    fieldsPanel->Store(infoData);
}

void InfoForm::InfoEditor_ClearGUI() {
    fieldsPanel->Clear();
    infoData.RequiredPerks.clear();
    infoData.InfoCommands.clear();
    infoData.InfoConditions.clear();
    RebuildAll();
}

void InfoForm::RebuildCommandGridView() {
    entryGrids->RebuildCommands();
}

void InfoForm::RebuildConditionGridView() {
    entryGrids->RebuildConditions();
}

void InfoForm::RebuildPerkGridView() {
    entryGrids->RebuildPerks();
}

void InfoForm::RebuildAll() {
    RebuildCommandGridView();
    RebuildConditionGridView();
    RebuildPerkGridView();
}

} // namespace VaskEdit
