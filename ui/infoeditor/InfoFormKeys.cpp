// The info editor's keys: shortcuts of its own window, and a filter on its own widgets
// for what must be seen before the controls (the read-only notice, the item box that
// opens the template box, the fields' context menus).
#include "ui/common/WindowWidgetsFilter.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>

namespace VaskEdit {

namespace {
bool IsModifierOnly(int key) {
    return key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Shift ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

QKeySequence SequenceOf(const QKeyEvent& key) {
    return QKeySequence(key.keyCombination().key() |
                        (key.modifiers() & ~Qt::KeypadModifier).toInt());
}
} // namespace

void InfoForm::BuildKeys() {
    const auto add = [this](const QKeySequence& sequence, QWidget* owner,
                            Qt::ShortcutContext context, const std::function<void()>& action) {
        auto* shortcut = new QShortcut(sequence, owner);
        shortcut->setContext(context);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    const auto key = [this, add](const QKeySequence& sequence,
                                 const std::function<void()>& action) {
        add(sequence, this, Qt::WindowShortcut, action);
        windowKeys.push_back(sequence);
    };
    // Keys that change the info answer with the read-only notice while it is read-only.
    const auto editKey = [this, key](const QKeySequence& sequence,
                                     const std::function<void()>& action) {
        key(sequence, [this, action] {
            if (Editable())
                action();
            else
                ShowReadOnlyMessage(this);
        });
    };
    key(Qt::Key_Escape, [this] { Cancel(); });
    key(Qt::SHIFT | Qt::Key_F12, [this] { FindUsagesIn(nullptr); });
    const Qt::Key tabKeys[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3};
    for (int tab = 0; tab < 3; ++tab)
        key(Qt::ALT | tabKeys[tab], [this, tab] { tabs->setCurrentIndex(tab); });
    editKey(Qt::ALT | Qt::Key_Up, [this] { MoveSelectedEntry(-1); });
    editKey(Qt::ALT | Qt::Key_Down, [this] { MoveSelectedEntry(1); });
    editKey(Qt::ALT | Qt::Key_A, [this] { AddEntry(); });
    editKey(Qt::ALT | Qt::Key_E, [this] { EditEntry(); });
    editKey(Qt::ALT | Qt::Key_D, [this] { DeleteEntry(); });
    key(Qt::CTRL | Qt::Key_S, [this] { Save(); });
    // The menu entry "Apply" has its own shortcut; the boxes must leave it to the window.
    windowKeys.push_back(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    windowKeys.push_back(QKeySequence(Qt::ALT | Qt::Key_Left));
    windowKeys.push_back(QKeySequence(Qt::ALT | Qt::Key_Right));
    // Undo in a box means the window's undo: the box's own would bypass the stack.
    editKey(Qt::CTRL | Qt::Key_Z, [this] { Undo(); });
    editKey(Qt::CTRL | Qt::Key_Y, [this] { Redo(); });
    editKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, [this] { Redo(); });
    // Copy and paste act on entries only when a grid has the focus; in a box they copy
    // and paste its text.
    for (QTableView* grid : grids) {
        for (const bool copy : {true, false}) {
            add(copy ? Qt::CTRL | Qt::Key_C : Qt::CTRL | Qt::Key_V, grid, Qt::WidgetShortcut,
                [this, copy] {
                    if (!Editable())
                        ShowReadOnlyMessage(this);
                    else if (copy)
                        CopyEntry();
                    else
                        PasteEntries();
                });
        }
    }
    FilterWindowWidgets(this, this);
}

bool InfoForm::IsWindowKey(const QKeyEvent& key, const QWidget* target) const {
    const QKeySequence sequence = SequenceOf(key);
    if (std::find(windowKeys.begin(), windowKeys.end(), sequence) != windowKeys.end())
        return true;
    const bool onGrid = std::find(grids.begin(), grids.end(), target) != grids.end();
    return onGrid && (sequence == QKeySequence(Qt::CTRL | Qt::Key_C) ||
                      sequence == QKeySequence(Qt::CTRL | Qt::Key_V));
}

bool InfoForm::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    // Dialogs opened over the window are its children too, but not its controls.
    const bool mine = widget && !closing && (widget == this || isAncestorOf(widget));
    if (!mine)
        return QMainWindow::eventFilter(watched, event);
    if (widget == goldCostItemBox) {
        if (event->type() == QEvent::MouseButtonPress) {
            PickGoldCostItem();
            return true;
        }
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                reason == Qt::ShortcutFocusReason)
                PickGoldCostItem();
        }
    }
    if (event->type() == QEvent::ContextMenu &&
        ShowFieldMenu(widget, static_cast<QContextMenuEvent*>(event)->globalPos()))
        return true;
    // The window's keys are not the control's: left unaccepted, they go to the shortcuts.
    if (event->type() == QEvent::ShortcutOverride)
        return IsWindowKey(*static_cast<QKeyEvent*>(event), widget);
    if (event->type() == QEvent::KeyPress)
        return HandleKey(*static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

bool InfoForm::HandleKey(const QKeyEvent& key) {
    if (IsModifierOnly(key.key()) || Editable())
        return false;
    // Any other key would change the read-only info.
    ShowReadOnlyMessage(this);
    return true;
}

} // namespace VaskEdit
