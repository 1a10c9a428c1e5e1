// The main window's "Conversations" tab and the "View" menu that brings it up.
#include "ui/common/ReferenceService.h"
#include "ui/conversations/ConversationsView.h"
#include "ui/mainwindow/MainForm.h"

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

namespace VaskEdit {

void MainForm::AddConversationsView() {
    conversations = new ConversationsView;
    tabs->addTab(conversations, "Conversations");
    connect(indexing, &ReferenceService::changed, conversations, &ConversationsView::Refresh);

    // Before "Tools", where a view menu stands.
    auto* view = new QMenu("View", menuBar());
    view->addAction("Conversations", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this,
                    &MainForm::ShowConversations);
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

} // namespace VaskEdit
