// The info editor's ways into the index of where values are used: "Find Usages" on every
// field and grid cell (context menu, Shift+F12, "Tools"), "Rename..." in Edit mode, and
// showing the place of a use when a usages window opens the info.
#include "ui/common/ReferenceService.h"
#include "ui/common/SystemString.h"
#include "ui/infoeditor/EntryGrids.h"
#include "ui/infoeditor/GridCells.h"
#include "ui/infoeditor/InfoFieldsPanel.h"
#include "ui/infoeditor/InfoForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>

namespace VaskEdit {

namespace {
const QString FindUsagesEntry = "Find Usages\tShift+F12";

// The grid or list that the widget is, or lies in (its viewport).
QTableView* ViewOf(QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        if (auto* view = qobject_cast<QTableView*>(widget))
            return view;
    }
    return nullptr;
}
} // namespace

void InfoForm::BuildReferenceMenu(QMenu* tools) {
    tools->addAction(FindUsagesEntry, this, [this] { FindUsagesIn(nullptr); });
    renameAction = tools->addAction("Rename...", this, &InfoForm::RenameShownInfo);
    renameAction->setEnabled(false);
}

void InfoForm::AddUsagesEntry(QMenu* menu, QWidget* target) {
    std::string value;
    menu->addAction(FindUsagesEntry, this, [this, target] { FindUsagesIn(target); })
        ->setEnabled(UsageValue(target, &value));
}

void InfoForm::AddUsagesMenus() {
    std::vector<QTableView*> views = grids;
    views.push_back(entryGrids->ConditionList());
    views.push_back(entryGrids->PerkList());
    for (QTableView* view : views) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& at) {
            const QModelIndex index = view->indexAt(at);
            if (!index.isValid())
                return;
            view->setCurrentIndex(index);
            QMenu menu;
            AddUsagesEntry(&menu, view);
            menu.exec(view->viewport()->mapToGlobal(at));
        });
    }
}

bool InfoForm::ShowFieldMenu(QWidget* widget, const QPoint& at) {
    // Seen before the control: a disabled check box or list (View) gets its menu too.
    const int field = fieldsPanel->FieldAt(widget);
    if (field < 0)
        return false;
    QWidget* control = fieldsPanel->Control(static_cast<std::size_t>(field));
    // A box keeps its own entries (copy, select all) above.
    auto* box = qobject_cast<QLineEdit*>(control);
    QMenu* menu = box ? box->createStandardContextMenu() : new QMenu(control);
    if (box)
        menu->addSeparator();
    AddUsagesEntry(menu, control);
    menu->exec(at);
    delete menu;
    return true;
}

bool InfoForm::UsageValue(QWidget* target, std::string* value) const {
    value->clear();
    if (const int field = fieldsPanel->FieldAt(target); field >= 0)
        *value = fieldsPanel->StoredText(static_cast<std::size_t>(field), infoData);
    if (QTableView* view = ViewOf(target); view && isAncestorOf(view)) {
        const QModelIndex index = view->currentIndex();
        if (index.isValid())
            *value = static_cast<EntryTableModel*>(view->model())
                         ->StoredCell(index.row(), index.column());
    }
    return StringIsValid(FromSystemString(*value));
}

void InfoForm::FindUsagesIn(QWidget* target) {
    std::string value;
    if (!UsageValue(target ? target : QApplication::focusWidget(), &value)) {
        QApplication::beep();
        return;
    }
    if (references)
        references->RequestUsages(this, value);
    else
        QApplication::beep(); // a lone editor has no index to ask
}

void InfoForm::RenameShownInfo() {
    if (editMode != InfoFormEditMode::Edit || loadedName.empty())
        return;
    if (references)
        references->RequestRename(this, FromSystemString(loadedName));
}

void InfoForm::ShowPlace(const Place& place) {
    if (place.list == PlaceList::Member) {
        fieldsPanel->Focus(InfoMemberTable()[place.field]);
        return;
    }
    const int tab =
        place.list == PlaceList::Command ? 0 : (place.list == PlaceList::Condition ? 1 : 2);
    tabs->setCurrentIndex(tab);
    QTableView* grid = Grid(tab);
    const QModelIndex index = grid->model()->index(place.entry, GridColumnOf(tab, place.SlotOf()));
    if (!index.isValid())
        return;
    grid->setCurrentIndex(index);
    grid->scrollTo(index);
    grid->setFocus(Qt::OtherFocusReason);
}

} // namespace VaskEdit
