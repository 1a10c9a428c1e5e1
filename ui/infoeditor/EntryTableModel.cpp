#include "ui/infoeditor/EntryTableModel.h"
#include "ui/common/SystemString.h"

#include <QMimeData>

namespace VaskEdit {

namespace {
const QString RowMimeType = "application/x-vaskedit-entry-row";
} // namespace

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

void EntryTableModel::SetCellNotes(Tip cellTip, Note cellNote) {
    tip = std::move(cellTip);
    note = std::move(cellNote);
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows())
        return {};
    if (role == Qt::ToolTipRole && tip) {
        const QString text = tip(index.row(), index.column());
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    if (role != Qt::DisplayRole)
        return {};
    const QString text = FromSystemString(cell(index.row(), index.column()));
    // The note comes first: a narrow column still shows it.
    const std::string before = note ? note(index.row(), index.column()) : std::string();
    return before.empty() ? text : "[" + FromSystemString(before) + "] " + text;
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= headers.size())
        return {};
    return headers[section];
}

void EntryTableModel::EnableRowMoves(CanMove can, MoveRow move) {
    canMove = std::move(can);
    moveRow = std::move(move);
}

Qt::ItemFlags EntryTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (moveRow && canMove())
        flags |=
            index.isValid() ? Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled : Qt::ItemIsDropEnabled;
    return flags;
}

Qt::DropActions EntryTableModel::supportedDragActions() const {
    return Qt::MoveAction;
}

Qt::DropActions EntryTableModel::supportedDropActions() const {
    return Qt::MoveAction;
}

QStringList EntryTableModel::mimeTypes() const {
    return {RowMimeType};
}

QMimeData* EntryTableModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty())
        return nullptr;
    // The table's address keeps a row from being dropped into another table.
    auto* data = new QMimeData;
    data->setData(RowMimeType, QByteArray::number(reinterpret_cast<quintptr>(this)) + ' ' +
                                   QByteArray::number(indexes.first().row()));
    return data;
}

int EntryTableModel::DraggedRow(const QMimeData* data) const {
    if (!data || !data->hasFormat(RowMimeType))
        return -1;
    const QList<QByteArray> parts = data->data(RowMimeType).split(' ');
    bool ok = parts.size() == 2;
    if (!ok || parts[0].toULongLong(&ok) != reinterpret_cast<quintptr>(this) || !ok)
        return -1;
    const int row = parts[1].toInt(&ok);
    return ok && row >= 0 && row < rowCount() ? row : -1;
}

bool EntryTableModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                      const QModelIndex&) const {
    return action == Qt::MoveAction && moveRow && canMove() && DraggedRow(data) >= 0;
}

bool EntryTableModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                   int column, const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    const int from = DraggedRow(data);
    // Dropped on a row: it takes that row's place. Dropped between rows: it goes before
    // the row below, which is one place less when it comes from above.
    int to = parent.isValid() ? parent.row() : (row < 0 ? rowCount() : row);
    if (!parent.isValid() && to > from)
        --to;
    to = std::min(to, rowCount() - 1);
    return to != from && moveRow(from, to);
}

} // namespace VaskEdit
