#include "ui/script/ScriptRowsModel.h"

#include <QBrush>
#include <QFont>
#include <QPalette>

namespace VaskEdit {

void ScriptRowsModel::SetRows(std::vector<Row> newRows) {
    beginResetModel();
    rows = std::move(newRows);
    endResetModel();
}

int ScriptRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

QVariant ScriptRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row& row = rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.text;
    case Qt::ToolTipRole:
        return row.tip.isEmpty() ? QVariant() : QVariant(row.tip);
    case Qt::ForegroundRole:
        if (row.look == Look::Grey)
            return QPalette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::FontRole:
        if (row.look == Look::Bold) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

} // namespace VaskEdit
