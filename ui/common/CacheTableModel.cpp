#include "ui/common/CacheTableModel.h"
#include "ui/common/SystemString.h"

namespace VaskEdit {

CacheTableModel::CacheTableModel(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), headers(std::move(headers)) {}

void CacheTableModel::SetRows(std::vector<Row> newRows) {
    beginResetModel();
    rows = std::move(newRows);
    endResetModel();
}

int CacheTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int CacheTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant CacheTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.column() > 2)
        return {};
    return FromSystemString(
        rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())]);
}

QVariant CacheTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= headers.size())
        return {};
    return headers[section];
}

} // namespace VaskEdit
