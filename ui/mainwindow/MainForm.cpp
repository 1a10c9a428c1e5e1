// The main window's layout and keys; the actions are in MainFormActions.cpp.
#include "ui/mainwindow/MainForm.h"
#include "engine/Failure.h"
#include "info/ResourceTemplates.h"
#include "library/InfoManager.h"
#include "library/Journal.h"
#include "tools/Settings.h"
#include "ui/common/ColumnFit.h"
#include "ui/common/ReferenceService.h"
#include "ui/common/RowList.h"
#include "ui/common/SystemString.h"
#include "ui/common/WindowWidgetsFilter.h"
#include "ui/dialogs/DialogLook.h"
#include "ui/dialogs/Messages.h"
#include "ui/dialogs/UserWaitDialog.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/InfoOpening.h"
#include "ui/mainwindow/AboutBox.h"
#include "ui/mainwindow/CreditBox.h"
#include "ui/mainwindow/Workspaces.h"
#include "ui/references/ReferenceRequests.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace VaskEdit {

namespace {
QGroupBox* Group(const QString& title) {
    auto* group = new QGroupBox(title);
    PaintPanel(group, Silver);
    return group;
}

QTableView* ListView(CacheTableModel* model, std::vector<int> widths) {
    QTableView* view = NewRowList(model);
    view->setShowGrid(true);
    view->horizontalHeader()->setHighlightSections(false);
    // The columns grow with their texts; the last takes the room that is left.
    FitColumnsOnChange(view, widths, ColumnFit::AtLeastUsual);
    // The selection stays visible when the list loses the focus.
    QPalette palette = view->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    view->setPalette(palette);
    return view;
}

QLineEdit* ReadOnlyBox() {
    auto* box = new QLineEdit;
    box->setReadOnly(true);
    return box;
}

// The filters compare with the cached fields, which hold 48 characters.
constexpr int CachedFieldLength = 48;

QLineEdit* FilterBox() {
    auto* box = new QLineEdit;
    box->setStyleSheet("background-color: " + PaleYellow.name() + ";");
    return box;
}
// The main window's own keys work from any of its controls: a text box would otherwise
// take Ctrl+E (the end of its line) for itself. It watches the window's widgets only.
class WindowKeys : public QObject {
public:
    explicit WindowKeys(QWidget* window) : QObject(window), window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ours = key->key() == Qt::Key_E || key->key() == Qt::Key_N;
        // Left unaccepted, the key goes on to the window's shortcuts.
        return ours && key->modifiers() == Qt::ControlModifier && widget &&
               widget->window() == window;
    }

private:
    QWidget* window;
};

// The menu bar places its corner widget by the widget's size hint: the bar's hint is
// its fitted size, so that it is placed whole.
class StripProgressBar : public QProgressBar {
public:
    QSize sizeHint() const override { return minimumSize(); }
};
} // namespace

MainForm::MainForm(std::vector<std::string> args, QWidget* parent)
    : QMainWindow(parent), arguments(std::move(args)) {
    setWindowTitle("VaskEdit");
    infoModel = new CacheTableModel({"Filename", "Owner", "Quest"}, this);
    connect(infoModel, &QAbstractItemModel::modelReset, this, &MainForm::ShowInfoCount);
    templateModel = new CacheTableModel({"Name", "GUID", "File"}, this);

    indexing = new ReferenceService(this);
    AnswerReferenceRequests(*indexing);
    // A rename: the cache as the rename wrote it, listed through the filter in force.
    connect(indexing, &ReferenceService::renamed, this,
            [this](const QString& oldName, const QString& newName) {
                ReloadInfoCache();
                ShowChangedInfos(ToSystemString(oldName), ToSystemString(newName));
                const QModelIndexList listed = infoModel->match(
                    infoModel->index(0, 0), Qt::DisplayRole, newName, 1, Qt::MatchExactly);
                if (listed.isEmpty())
                    statusBar()->showMessage(
                        "\"" + newName + "\" is not listed: it does not match the filter.", 20000);
            });
    BuildMenus();
    progress = new StripProgressBar;
    progress->setFixedSize(762, 23);
    progress->setTextVisible(false);
    progress->setRange(0, 100);
    progress->hide();
    menuBar()->setCornerWidget(progress, Qt::TopRightCorner);
    menuBar()->installEventFilter(this);

    tabs = new QTabWidget;
    tabs->addTab(BuildInfoTab(), "Info");
    tabs->addTab(BuildTemplateTab(), "Template");
    AddConversationsView();
    setCentralWidget(tabs);
    // The folder everything is read from and written to, always in sight.
    workspaceLabel = new QLabel(CurrentWorkspace());
    workspaceLabel->setToolTip("Workspace: the folder the infos are read from and written to");
    workspaceLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(workspaceLabel, 1);
    ShowInfoCount();
    resize(1043, 644 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());

    auto* newInfo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this);
    connect(newInfo, &QShortcut::activated, this, &MainForm::NewInfo);
    auto* openSelection = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), this);
    connect(openSelection, &QShortcut::activated, this, &MainForm::OpenSelection);
    FilterWindowWidgets(this, new WindowKeys(this));
    // The list follows what the editors write, wherever they were opened from.
    WatchOpenedEditors(this, [this](InfoForm* editor) {
        connect(editor, &InfoForm::infoSaved, this, &MainForm::FollowSavedInfo);
        editor->SetReferences(indexing);
    });

    // Start-up: the info library, then the settings; failures are shown and start-up goes on.
    if (!InfoManager::Initialize())
        ShowMessage(this, "InfoManager", "Error: Important resource files \nare missing!");
    ReadSettingsFile();
}

void MainForm::ReadSettingsFile(bool quietWhenMissing) {
    // A value too long for its setting is kept whole and reported: its program is then
    // refused, not cut to another one.
    if (FileManager::LoadSettings())
        return;
    if (quietWhenMissing && TesselEngine::LastFailure().cause == TesselEngine::Cause::NotFound)
        return;
    ShowMessage(this, "FileManager", "Failed to load settings!\n" + LastFailureText());
}

MainForm::~MainForm() {
    WaitForJobs();
    InfoManager::Shutdown();
}

void MainForm::BuildMenus() {
    QMenu* file = menuBar()->addMenu("File");
    file->addAction("Open", this, &MainForm::OpenFile);
    AddWorkspaceMenus(file);
    file->addAction("Settings", this, &MainForm::ShowSettings);
    file->addSeparator();
    file->addAction("Export Texts...", this, &MainForm::ExportTexts);
    file->addAction("Import Texts...", this, &MainForm::ImportTexts);
    AddEditMenu();
    QMenu* tools = menuBar()->addMenu("Tools");
    tools->addAction("Split Info-hdrdoc", this, &MainForm::SplitHdrdoc);
    tools->addAction("Merge Infos to .hdrdoc", this, &MainForm::MergeInfos);
    tools->addSeparator();
    tools->addAction("Check Infos", this, &MainForm::CheckInfos);
    QMenu* help = menuBar()->addMenu("Help");
    help->addAction("Show Help", this, &MainForm::ShowHelp);
    QMenu* about = menuBar()->addMenu("About");
    about->addAction("Info", this, [this] { AboutBox(this).exec(); });
    about->addAction("Credits", this, [this] { CreditBox(this).exec(); });
}

QWidget* MainForm::BuildInfoTab() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);

    auto* cache = Group("Cache");
    auto* cacheLayout = new QVBoxLayout(cache);
    auto* cacheButtons = new QHBoxLayout;
    auto* readCache = new QPushButton("Read Cache");
    auto* updateCache = new QPushButton("Update Cache");
    cacheButtons->addWidget(readCache);
    cacheButtons->addWidget(updateCache);
    cacheButtons->addStretch();
    infoCount = new QLabel;
    cacheButtons->addWidget(infoCount);
    cacheLayout->addLayout(cacheButtons);
    infoList = ListView(infoModel, {136, 207, 219});
    cacheLayout->addWidget(infoList);
    auto* filterRow = new QHBoxLayout;
    infoFilter = FilterBox();
    infoFilter->setMaxLength(CachedFieldLength); // no cached value is longer
    infoFilterType = new QComboBox;
    infoFilterType->addItems({"", "Name", "Owner", "Quest"});
    auto* filterOk = new QPushButton("OK");
    auto* filterClear = new QPushButton("Clear");
    filterRow->addWidget(new QLabel("Filter"));
    filterRow->addWidget(infoFilter, 1);
    filterRow->addWidget(new QLabel("Filtertype"));
    filterRow->addWidget(infoFilterType);
    filterRow->addWidget(filterOk);
    filterRow->addWidget(filterClear);
    cacheLayout->addLayout(filterRow);
    layout->addWidget(cache, 3);

    auto* side = new QVBoxLayout;
    auto* selection = Group("Selection");
    auto* selectionLayout = new QGridLayout(selection);
    selectedName = ReadOnlyBox();
    selectedOwner = ReadOnlyBox();
    selectedQuest = ReadOnlyBox();
    auto* open = new QPushButton("Open");
    auto* filterOwner = new QPushButton("Filter");
    auto* filterQuest = new QPushButton("Filter");
    auto* notepad = new QPushButton("Open With Notepad");
    selectionLayout->addWidget(new QLabel("Name"), 0, 0);
    selectionLayout->addWidget(selectedName, 0, 1);
    selectionLayout->addWidget(open, 0, 2);
    selectionLayout->addWidget(new QLabel("Owner"), 1, 0);
    selectionLayout->addWidget(selectedOwner, 1, 1);
    selectionLayout->addWidget(filterOwner, 1, 2);
    selectionLayout->addWidget(new QLabel("Quest"), 2, 0);
    selectionLayout->addWidget(selectedQuest, 2, 1);
    selectionLayout->addWidget(filterQuest, 2, 2);
    selectionLayout->addWidget(notepad, 3, 1, 1, 2);
    side->addWidget(selection);

    auto* control = Group("Info Control");
    auto* controlLayout = new QHBoxLayout(control);
    searchBox = FilterBox();
    auto* go = new QPushButton("Go");
    controlLayout->addWidget(new QLabel("Search"));
    controlLayout->addWidget(searchBox, 1);
    searchType = new QComboBox;
    searchType->addItems({"File text", "Spoken text"});
    searchType->setToolTip("Search the info files, or the lines the infos show");
    controlLayout->addWidget(searchType);
    controlLayout->addWidget(go);
    side->addWidget(control);
    side->addStretch();
    auto* bottom = new QHBoxLayout;
    auto* newInfo = new QPushButton("New Info");
    auto* openSelection = new QPushButton("Open Selection");
    bottom->addWidget(newInfo);
    bottom->addWidget(openSelection);
    side->addLayout(bottom);
    layout->addLayout(side, 2);

    connect(readCache, &QPushButton::clicked, this, &MainForm::ReadInfoCache);
    connect(updateCache, &QPushButton::clicked, this, &MainForm::UpdateInfoCache);
    connect(filterOk, &QPushButton::clicked, this, &MainForm::FilterInfos);
    // What the user types filters the list after a short pause; OK and Enter keep their
    // meaning. Only the user's own typing and choosing start it.
    auto* typedPause = new QTimer(this);
    typedPause->setSingleShot(true);
    typedPause->setInterval(300);
    connect(typedPause, &QTimer::timeout, this, &MainForm::FilterAsTyped);
    connect(infoFilter, &QLineEdit::textEdited, typedPause, qOverload<>(&QTimer::start));
    connect(infoFilterType, &QComboBox::activated, typedPause, qOverload<>(&QTimer::start));
    connect(filterClear, &QPushButton::clicked, this, &MainForm::ClearInfoFilter);
    connect(open, &QPushButton::clicked, this, &MainForm::OpenSelection);
    connect(filterOwner, &QPushButton::clicked, this, &MainForm::FilterBySelectedOwner);
    connect(filterQuest, &QPushButton::clicked, this, &MainForm::FilterBySelectedQuest);
    connect(notepad, &QPushButton::clicked, this, &MainForm::OpenWithNotepad);
    connect(go, &QPushButton::clicked, this, &MainForm::Search);
    connect(newInfo, &QPushButton::clicked, this, &MainForm::NewInfo);
    connect(openSelection, &QPushButton::clicked, this, &MainForm::OpenSelection);
    connect(infoList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainForm::InfoRowSelected);
    // Double-click or Enter on a row opens it.
    connect(infoList, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        infoList->selectRow(index.row());
        OpenSelection();
    });
    infoFilter->installEventFilter(this);
    searchBox->installEventFilter(this);
    BuildInfoListActions();
    return page;
}

QWidget* MainForm::BuildTemplateTab() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    auto* cache = Group("Cache");
    auto* cacheLayout = new QVBoxLayout(cache);
    auto* buttons = new QHBoxLayout;
    auto* readCache = new QPushButton("Read Cache");
    auto* updateCache = new QPushButton("Update Cache");
    updateCache->setEnabled(false);
    buttons->addWidget(readCache);
    buttons->addWidget(updateCache);
    buttons->addStretch();
    cacheLayout->addLayout(buttons);
    templateList = ListView(templateModel, {201, 352, 110});
    cacheLayout->addWidget(templateList);
    auto* filterRow = new QHBoxLayout;
    templateFilter = FilterBox();
    templateFilter->setMaxLength(CachedFieldLength);
    templateFilterType = new QComboBox;
    templateFilterType->addItems({"", "Name", "GUID"});
    auto* ok = new QPushButton("OK");
    auto* clear = new QPushButton("Clear");
    filterRow->addWidget(new QLabel("Filter"));
    filterRow->addWidget(templateFilter, 1);
    filterRow->addWidget(new QLabel("Filtertype"));
    filterRow->addWidget(templateFilterType);
    filterRow->addWidget(ok);
    filterRow->addWidget(clear);
    cacheLayout->addLayout(filterRow);
    layout->addWidget(cache, 3);

    auto* selection = Group("Selection");
    auto* selectionLayout = new QGridLayout(selection);
    templateName = ReadOnlyBox();
    templateGuid = ReadOnlyBox();
    templateFile = ReadOnlyBox();
    auto* open = new QPushButton("Open");
    auto* notepad = new QPushButton("Open With Notepad");
    open->setEnabled(false);
    notepad->setEnabled(false);
    selectionLayout->addWidget(new QLabel("Name"), 0, 0);
    selectionLayout->addWidget(templateName, 0, 1);
    selectionLayout->addWidget(new QLabel("GUID"), 1, 0);
    selectionLayout->addWidget(templateGuid, 1, 1);
    selectionLayout->addWidget(new QLabel("File"), 2, 0);
    selectionLayout->addWidget(templateFile, 2, 1);
    selectionLayout->addWidget(open, 3, 0);
    selectionLayout->addWidget(notepad, 3, 1);
    selectionLayout->setRowStretch(4, 1);
    layout->addWidget(selection, 2);

    connect(readCache, &QPushButton::clicked, this, &MainForm::ReadTemplateCache);
    connect(ok, &QPushButton::clicked, this, &MainForm::FilterTemplates);
    connect(clear, &QPushButton::clicked, this, &MainForm::ClearTemplateFilter);
    connect(templateList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainForm::TemplateRowSelected);
    templateFilter->installEventFilter(this);
    return page;
}

void MainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce) {
        shownOnce = true;
        if (JournalExists()) {
            // Nothing reads the half-changed files before the question is answered.
            QTimer::singleShot(0, this, [this] {
                OfferRecovery();
                OfferInfoRecovery();
                OpenCommandLineArguments();
                BuildReferences();
            });
            return;
        }
        QTimer::singleShot(0, this, [this] {
            OfferInfoRecovery();
            OpenCommandLineArguments();
        });
        BuildReferences();
    }
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    // Before the menu bar places its corner widget for its new width.
    if (watched == menuBar() && event->type() == QEvent::Resize)
        FitProgressBar(static_cast<QResizeEvent*>(event)->size().width());
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (enter && modifiers == Qt::NoModifier) {
            if (watched == infoFilter)
                FilterInfos();
            else if (watched == searchBox)
                Search();
            else if (watched == templateFilter)
                FilterTemplates();
            else
                return QMainWindow::eventFilter(watched, event);
            return true;
        }
        if (enter && watched != nullptr)
            return true; // Enter with a modifier does nothing in these boxes
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace VaskEdit
