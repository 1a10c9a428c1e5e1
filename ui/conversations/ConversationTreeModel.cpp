#include "ui/conversations/ConversationTreeModel.h"
#include "ui/common/SystemString.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace VaskEdit {

namespace {
// Rows carry their line + 1 in the index's id; 0 is the invisible root.
quintptr IdOf(int line) {
    return static_cast<quintptr>(line) + 1;
}
} // namespace

ConversationTreeModel::ConversationTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void ConversationTreeModel::SetForest(std::vector<InfoOutline> newInfos,
                                      std::vector<ConversationLine> newLines) {
    beginResetModel();
    infos = std::move(newInfos);
    lines = std::move(newLines);
    const std::size_t n = lines.size();
    parentOf.assign(n, -1);
    rowOf.assign(n, 0);
    childrenOf.assign(n, {});
    roots.clear();
    firstLines.assign(infos.size(), std::nullopt);
    // Depth first, a line's parent is the nearest line before it one level up.
    std::vector<int> path;
    for (std::size_t i = 0; i < n; ++i) {
        const int line = static_cast<int>(i);
        while (!path.empty() &&
               lines[static_cast<std::size_t>(path.back())].depth >= lines[i].depth)
            path.pop_back();
        std::vector<int>& siblings =
            path.empty() ? roots : childrenOf[static_cast<std::size_t>(path.back())];
        parentOf[i] = path.empty() ? -1 : path.back();
        rowOf[i] = static_cast<int>(siblings.size());
        siblings.push_back(line);
        path.push_back(line);
    }
    endResetModel();
}

const std::vector<int>& ConversationTreeModel::ChildrenOf(int line) const {
    return line < 0 ? roots : childrenOf[static_cast<std::size_t>(line)];
}

int ConversationTreeModel::LineOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return -1;
    return static_cast<int>(index.internalId()) - 1;
}

QModelIndex ConversationTreeModel::IndexOfLine(int line, int column) const {
    if (line < 0 || static_cast<std::size_t>(line) >= lines.size())
        return {};
    return createIndex(rowOf[static_cast<std::size_t>(line)], column, IdOf(line));
}

const InfoOutline& ConversationTreeModel::InfoOf(int line) const {
    return infos[lines[static_cast<std::size_t>(line)].info];
}

std::pair<int, int> ConversationTreeModel::ConversationOf(int line) const {
    int root = line;
    while (parentOf[static_cast<std::size_t>(root)] >= 0)
        root = parentOf[static_cast<std::size_t>(root)];
    const int rootRow = rowOf[static_cast<std::size_t>(root)];
    const int end = static_cast<std::size_t>(rootRow + 1) < roots.size()
                        ? roots[static_cast<std::size_t>(rootRow + 1)]
                        : static_cast<int>(lines.size());
    return {root, end};
}

int ConversationTreeModel::FindLine(const std::string& name) const {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (infos[lines[i].info].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

QString ConversationTreeModel::FirstLine(int line) const {
    const std::size_t info = lines[static_cast<std::size_t>(line)].info;
    if (!firstLines[info])
        firstLines[info] = FromSystemString(FirstLineText(infos[info]));
    return *firstLines[info];
}

QModelIndex ConversationTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column >= ColumnCount || row < 0)
        return {};
    const std::vector<int>& children = ChildrenOf(LineOf(parent));
    if (static_cast<std::size_t>(row) >= children.size())
        return {};
    return createIndex(row, column, IdOf(children[static_cast<std::size_t>(row)]));
}

QModelIndex ConversationTreeModel::parent(const QModelIndex& child) const {
    const int line = LineOf(child);
    if (line < 0)
        return {};
    return IndexOfLine(parentOf[static_cast<std::size_t>(line)]);
}

int ConversationTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != NameColumn)
        return 0;
    return static_cast<int>(ChildrenOf(LineOf(parent)).size());
}

int ConversationTreeModel::columnCount(const QModelIndex&) const {
    return ColumnCount;
}

QVariant ConversationTreeModel::data(const QModelIndex& index, int role) const {
    const int line = LineOf(index);
    if (line < 0)
        return {};
    const ConversationLine& at = lines[static_cast<std::size_t>(line)];
    const InfoOutline& info = infos[at.info];
    const bool noted = at.cycle || !at.missingParent.empty();
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NameColumn:
            return FromSystemString(info.name + LineNote(at));
        case FirstLineColumn:
            return FirstLine(line);
        case ConditionsColumn:
            return FromSystemString(info.conditions);
        }
        break;
    case Qt::ToolTipRole:
        if (index.column() != NameColumn)
            return data(index, Qt::DisplayRole);
        if (at.cycle)
            return "\"" + FromSystemString(info.name) +
                   "\" comes again here: its parents lead back to it.";
        if (!at.missingParent.empty())
            return "Its parent \"" + FromSystemString(at.missingParent) + "\" is no info.";
        break;
    case Qt::ForegroundRole:
        if (noted && index.column() == NameColumn)
            return QBrush(QColor(at.cycle ? Qt::darkGray : Qt::darkRed));
        break;
    case Qt::FontRole:
        if (noted && index.column() == NameColumn) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        break;
    }
    return {};
}

QVariant ConversationTreeModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return "Name";
    case FirstLineColumn:
        return "First Line";
    case ConditionsColumn:
        return "Conditions";
    }
    return {};
}

} // namespace VaskEdit
