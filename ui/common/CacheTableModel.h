// A read-only table of three text columns over a snapshot of a library list (the info
// cache, a filter result, the template cache). Tens of thousands of rows list, filter
// and scroll without delay because the view asks only for the rows it shows.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <array>
#include <string>
#include <vector>

namespace VaskEdit {

class CacheTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using Row = std::array<std::string, 3>; // the library's 8-bit texts

    CacheTableModel(QStringList headers, QObject* parent = nullptr);

    void SetRows(std::vector<Row> rows);
    const Row& RowAt(int row) const { return rows[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList headers;
    std::vector<Row> rows;
};

} // namespace VaskEdit
