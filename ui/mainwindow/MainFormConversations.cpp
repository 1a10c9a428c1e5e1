// The main window's "Conversations" tab and the "View" menu that brings it up.
#include "library/ConversationScript.h"
#include "ui/common/ReferenceService.h"
#include "ui/common/SystemString.h"
#include "ui/conversations/ConversationsView.h"
#include "ui/dialogs/Messages.h"
#include "ui/mainwindow/MainForm.h"
#include "ui/references/ReferenceWait.h"
#include "ui/script/ScriptWindow.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

namespace VaskEdit {

void MainForm::AddConversationsView() {
    conversations = new ConversationsView;
    tabs->addTab(conversations, "Conversations");
    conversations->SetReferences(indexing);
    connect(indexing, &ReferenceService::changed, conversations, &ConversationsView::Refresh);

    // Before "Tools", where a view menu stands.
    auto* view = new QMenu("View", menuBar());
    view->addAction("Conversations", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this,
                    &MainForm::ShowConversations);
    view->addAction("Read as Script", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), this,
                    [this] { ReadSelectedAsScript(); });
    QAction* before = nullptr;
    for (QAction* menu : menuBar()->actions()) {
        if (menu->text() == "Tools")
            before = menu;
    }
    menuBar()->insertMenu(before, view);
}

void MainForm::ShowConversations() {
    tabs->setCurrentWidget(conversations);
}

ScriptWindow* MainForm::ReadSelectedAsScript() {
    const QString name = selectedName->text().trimmed();
    if (!StringIsValid(name)) {
        ShowMessage(this, "Caution!", "No selected item!");
        return nullptr;
    }
    if (!WaitForReferences(this, indexing))
        return nullptr;
    return ScriptWindow::Open(this, {ConversationScope::All, ToSystemString(name)}, indexing);
}

} // namespace VaskEdit
