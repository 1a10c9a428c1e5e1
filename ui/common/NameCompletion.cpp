#include "ui/common/NameCompletion.h"

#include "library/ReferenceIndex.h"
#include "ui/common/SystemString.h"

#include <QApplication>
#include <QCompleter>
#include <QEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>

namespace VaskEdit {

namespace {
// A click beside the open list goes where it was aimed: the list closes and the box or
// button under the pointer gets the click, instead of the click only closing the list
// (and the next keys going to the box the list belongs to).
class ClickThrough : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        auto* popup = static_cast<QWidget*>(watched);
        const auto* press = static_cast<QMouseEvent*>(event);
        const QPoint global = press->globalPosition().toPoint();
        if (popup->rect().contains(popup->mapFromGlobal(global)))
            return false;
        popup->hide();
        QWidget* target = QApplication::widgetAt(global);
        if (!target)
            return true;
        if (target->focusPolicy() & Qt::ClickFocus)
            target->setFocus(Qt::MouseFocusReason);
        QMouseEvent aimed(QEvent::MouseButtonPress, target->mapFromGlobal(global),
                          press->globalPosition(), press->button(), press->buttons(),
                          press->modifiers());
        QApplication::sendEvent(target, &aimed);
        return true;
    }
};

// Fills the lists when a box gets the focus, before the first key reaches it.
class RefreshOnFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            NameCompletion::Shared().Refresh();
        return QObject::eventFilter(watched, event);
    }
};

constexpr const char* FilterName = "nameCompletionRefresh";
} // namespace

void KnownNamesModel::Take(std::vector<KnownName> taken) {
    beginResetModel();
    ids.clear();
    lines.clear();
    shown.clear();
    ids.reserve(taken.size());
    lines.reserve(taken.size());
    shown.reserve(taken.size());
    for (const KnownName& name : taken) {
        ids.push_back(FromSystemString(name.id));
        shown.push_back(FromSystemString(name.shown));
        lines.push_back(name.shown.empty() ? ids.back() : ids.back() + "  \u2014  " + shown.back());
    }
    endResetModel();
}

int KnownNamesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ids.size());
}

QVariant KnownNamesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(ids.size()))
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return lines[row];
    case NameRole:
    case Qt::EditRole:
        return ids[row];
    case Qt::ToolTipRole:
        return shown[row];
    default:
        return {};
    }
}

NameCompletion& NameCompletion::Shared() {
    static NameCompletion* shared = new NameCompletion; // lives as long as the program
    return *shared;
}

NameCompletion::NameCompletion() = default;

KnownNamesModel* NameCompletion::Model(NameKind kind) {
    switch (kind) {
    case NameKind::Info:
        return &infos;
    case NameKind::Quest:
        return &quests;
    case NameKind::Person:
        return &persons;
    case NameKind::Template:
        return &templates;
    case NameKind::None:
        break;
    }
    return nullptr;
}

void NameCompletion::Refresh() {
    const std::uint64_t version = NamesVersion(References());
    if (filledAt == version)
        return;
    NameLists lists = GatherNames(References());
    infos.Take(std::move(lists.infos));
    quests.Take(std::move(lists.quests));
    persons.Take(std::move(lists.persons));
    templates.Take(std::move(lists.templates));
    filledAt = version;
    ++fills;
}

void NameCompletion::Attach(QLineEdit* box, NameKind kind) {
    if (!box)
        return;
    KnownNamesModel* model = Model(kind);
    // The box deletes a completer of its own that it is given another for.
    if (!model) {
        box->setCompleter(nullptr);
        return;
    }
    auto* completer = new QCompleter(model, box);
    completer->setCompletionRole(KnownNamesModel::NameRole);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setMaxVisibleItems(12);
    // Thousands of names: rows of one height spare the list measuring each.
    if (auto* list = qobject_cast<QListView*>(completer->popup()))
        list->setUniformItemSizes(true);
    // Installed after the completer's own filter, so it sees the clicks first.
    completer->popup()->installEventFilter(new ClickThrough(completer));
    box->setCompleter(completer);
    // The box takes a chosen name as the program's text; it is the user's edit.
    connect(completer, qOverload<const QString&>(&QCompleter::activated), box,
            [box] { emit box->textEdited(box->text()); });
    if (!box->findChild<QObject*>(FilterName, Qt::FindDirectChildrenOnly)) {
        auto* filter = new RefreshOnFocus(box);
        filter->setObjectName(FilterName);
        box->installEventFilter(filter);
    }
}

} // namespace VaskEdit
