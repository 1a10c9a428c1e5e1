#include "ui/EntryTableModel.h"
#include "ui/SystemString.h"

namespace VaskEdit {

EntryTableModel::EntryTableModel(QStringList headers, RowCount rows, Cell cell, QObject* parent)
    : QAbstractTableModel(parent), headers(std::move(headers)), rows(std::move(rows)),
      cell(std::move(cell)) {}

void EntryTableModel::Rebuild() {
    beginResetModel();
    endResetModel();
}

int EntryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows();
}

int EntryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers.size());
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows())
        return {};
    return FromSystemString(cell(index.row(), index.column()));
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= headers.size())
        return {};
    return headers[section];
}

} // namespace VaskEdit
