// A read-only table over one list of the editor's working copy (its commands,
// conditions or perks). The rows are made on request from the list itself, so the grid
// always shows the list as it stands after Rebuild. Rows can be dragged to another
// place in the same table when row moves are enabled.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

namespace VaskEdit {

class EntryTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using RowCount = std::function<int()>;
    using Cell = std::function<std::string(int row, int column)>;

    EntryTableModel(QStringList headers, RowCount rows, Cell cell, QObject* parent = nullptr);
    // A cell's tool tip, and a note shown in brackets before its text (empty: none);
    // StoredCell gives the text without the note.
    using Tip = std::function<QString(int row, int column)>;
    using Note = std::function<std::string(int row, int column)>;
    void SetCellNotes(Tip tip, Note note);
    std::string StoredCell(int row, int column) const { return cell(row, column); }
    // Shows the list anew after it changed.
    void Rebuild();
    // Lets rows be dragged within this table while canMove() says yes; moveRow(from, to)
    // does the move so that the row ends at index to.
    using CanMove = std::function<bool()>;
    using MoveRow = std::function<bool(int from, int to)>;
    void EnableRowMoves(CanMove canMove, MoveRow moveRow);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

private:
    QStringList headers;
    RowCount rows;
    Cell cell;
    Tip tip;
    Note note;
    CanMove canMove;
    MoveRow moveRow;

    // The row a drag from this table carries, or -1 for any other drag.
    int DraggedRow(const QMimeData* data) const;
};

} // namespace VaskEdit
