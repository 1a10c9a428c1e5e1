#include "ui/mainwindow/SpokenLinesModel.h"
#include "ui/common/SystemString.h"

namespace VaskEdit {

namespace {
const char* const Headers[] = {"Info", "Place", "Command", "Speaker", "Listener", "Text"};
constexpr int Columns = 6;
} // namespace

SpokenLinesModel::SpokenLinesModel(QObject* parent) : QAbstractTableModel(parent) {}

void SpokenLinesModel::SetLines(std::vector<SpokenLine> found) {
    beginResetModel();
    lines = std::move(found);
    endResetModel();
}

int SpokenLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines.size());
}

int SpokenLinesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant SpokenLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= lines.size())
        return {};
    const SpokenLine& line = lines[static_cast<std::size_t>(index.row())];
    if (role == Qt::ToolTipRole)
        return FromSystemString(line.table + ": " + line.id);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0:
        return FromSystemString(line.info);
    case 1:
        return "InfoCommands[" + QString::number(line.entry) + "]";
    case 2:
        return FromSystemString(line.command);
    case 3:
        return FromSystemString(line.speaker);
    case 4:
        return FromSystemString(line.listener);
    default:
        return FromSystemString(line.text);
    }
}

QVariant SpokenLinesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= Columns)
        return {};
    return QString(Headers[section]);
}

} // namespace VaskEdit
