// A read-only table over one list of the editor's working copy (its commands,
// conditions or perks). The rows are made on request from the list itself, so the grid
// always shows the list as it stands after Rebuild.
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
    // Shows the list anew after it changed.
    void Rebuild();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList headers;
    RowCount rows;
    Cell cell;
};

} // namespace VaskEdit
