// Completion of the name boxes: a box that names an info, a quest, a person or a
// template offers the names the workspace knows as the writer types, each with what it
// says beside it, and takes only the name. The lists are shared by every box and filled
// again only when the reference index or the info or template cache changed, never per
// key.
#pragma once

#include "info/NameKinds.h"
#include "library/NameLists.h"

#include <QAbstractListModel>
#include <QObject>

#include <cstdint>
#include <optional>

class QCompleter;
class QLineEdit;

namespace VaskEdit {

// The names of one kind; the completion role holds the name alone.
class KnownNamesModel : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr int NameRole = Qt::UserRole + 1;

    using QAbstractListModel::QAbstractListModel;
    void Take(std::vector<KnownName> names);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    // Converted once per fill: the completer asks for every row on every filter.
    std::vector<QString> ids;
    std::vector<QString> lines;
    std::vector<QString> shown;
};

class NameCompletion : public QObject {
    Q_OBJECT

public:
    static NameCompletion& Shared();

    // Gives the box a completer over the names of the kind (None: takes it away).
    void Attach(QLineEdit* box, NameKind kind);
    // Fills the lists when what they come from changed since they were filled.
    void Refresh();
    // How often the lists were filled (for the checks that they are not filled per key).
    int Fills() const { return fills; }
    KnownNamesModel* Model(NameKind kind);

private:
    NameCompletion();

    KnownNamesModel infos;
    KnownNamesModel quests;
    KnownNamesModel persons;
    KnownNamesModel templates;
    std::optional<std::uint64_t> filledAt;
    int fills = 0;
};

} // namespace VaskEdit
