#include "ui/mainwindow/ReplacePreviewModel.h"
#include "ui/common/SystemString.h"

namespace VaskEdit {

namespace {
const char* const Headers[] = {"Infos", "Table", "Id", "Before", "After"};
constexpr int Columns = 5;
} // namespace

ReplacePreviewModel::ReplacePreviewModel(QObject* parent) : QAbstractTableModel(parent) {}

void ReplacePreviewModel::SetRows(std::vector<Row> changes) {
    beginResetModel();
    rows = std::move(changes);
    endResetModel();
    emit checksChanged();
}

std::vector<TextChange> ReplacePreviewModel::Checked() const {
    std::vector<TextChange> checked;
    for (const Row& row : rows) {
        if (row.checked)
            checked.push_back(row.change);
    }
    return checked;
}

void ReplacePreviewModel::CheckAll(bool checked) {
    for (Row& row : rows)
        row.checked = checked;
    if (!rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
    emit checksChanged();
}

int ReplacePreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int ReplacePreviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant ReplacePreviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= rows.size())
        return {};
    const Row& row = rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::CheckStateRole && index.column() == 0)
        return row.checked ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case 0:
        return row.infos.empty() ? QString("(no info)") : FromSystemString(row.infos);
    case 1:
        return FromSystemString(row.change.table);
    case 2:
        return FromSystemString(row.change.id);
    case 3:
        return FromSystemString(row.change.before);
    default:
        return FromSystemString(row.change.after);
    }
}

bool ReplacePreviewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != 0 || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= rows.size())
        return false;
    rows[static_cast<std::size_t>(index.row())].checked =
        value.value<Qt::CheckState>() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit checksChanged();
    return true;
}

Qt::ItemFlags ReplacePreviewModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant ReplacePreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= Columns)
        return {};
    return QString(Headers[section]);
}

} // namespace VaskEdit
