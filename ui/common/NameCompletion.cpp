#include "ui/common/NameCompletion.h"

#include "library/ReferenceIndex.h"
#include "ui/common/SystemString.h"

#include <QCompleter>
#include <QEvent>
#include <QLineEdit>

namespace VaskEdit {

namespace {
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
    names = std::move(taken);
    endResetModel();
}

int KnownNamesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(names.size());
}

QVariant KnownNamesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(names.size()))
        return {};
    const KnownName& name = names[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return name.shown.empty()
                   ? FromSystemString(name.id)
                   : FromSystemString(name.id) + "  \u2014  " + FromSystemString(name.shown);
    case NameRole:
    case Qt::EditRole:
        return FromSystemString(name.id);
    case Qt::ToolTipRole:
        return FromSystemString(name.shown);
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
