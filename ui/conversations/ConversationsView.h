// The "Conversations" tab: the infos of all, or of one owner or quest, as the trees their
// Parent names make, read from the reference index. A row's info opens with a double
// click or Enter; the conversation of the current row, or all that are shown, open as a
// graph.
#pragma once

#include "library/Conversations.h"

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QTreeView;

namespace VaskEdit {

class ConversationGraph;
class ConversationTreeModel;
class ReferenceService;
class ScriptWindow;
struct ScriptStart;

class ConversationsView : public QWidget {
    Q_OBJECT

public:
    explicit ConversationsView(QWidget* parent = nullptr);

    QComboBox* ScopeBox() const { return scopeBox; }
    QLineEdit* NameBox() const { return nameBox; }
    QTreeView* Tree() const { return tree; }
    ConversationTreeModel* Model() const { return model; }
    QString Status() const;

    // Reads the infos from the reference index again, for the scope shown (once the
    // index has been built).
    void Refresh();
    // Shows the scope chosen in the boxes; a blank owner or quest is refused.
    bool ShowScope();
    // Opens the info of a forest line in an editor window.
    bool OpenLine(int line);
    // The conversation of the current row, or every conversation shown, in a window of
    // its own; null when there is nothing to draw.
    ConversationGraph* ShowGraph(bool everything);
    // The script of the current row's info; without one, of the owner or quest shown.
    ScriptWindow* ReadAsScript();
    ScriptWindow* ReadAsScript(const ScriptStart& start);
    // The service the script windows follow for saves and changed texts.
    void SetReferences(ReferenceService* service) { references = service; }

protected:
    bool event(QEvent* event) override;

private:
    void Fill(std::vector<InfoOutline> infos);
    void UpdateCompletions();
    void ScopeChosen();
    void ShowContextMenu(const QPoint& position);

    QComboBox* scopeBox;
    QLineEdit* nameBox;
    QCompleter* completer;
    QTreeView* tree;
    QLabel* status;
    ConversationTreeModel* model;
    // The scope shown, as it was when it was chosen.
    ConversationScope scope = ConversationScope::All;
    std::string scopeName;
    QPointer<ReferenceService> references;
};

} // namespace VaskEdit
