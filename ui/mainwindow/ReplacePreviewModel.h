// The changes a replace would make, one row a line of a text table: the infos that
// show it, table, id, the text before and after. Each row has a check box, checked at
// first; only checked rows are written.
#pragma once

#include "library/TextExchange.h"

#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace VaskEdit {

class ReplacePreviewModel : public QAbstractTableModel {
    Q_OBJECT

public:
    struct Row {
        TextChange change;
        std::string infos; // the names of the infos that show the line, ", " between
        bool checked = true;
    };

    explicit ReplacePreviewModel(QObject* parent = nullptr);

    void SetRows(std::vector<Row> rows);
    const std::vector<Row>& Rows() const { return rows; }
    // The changes of the checked rows, in the order listed.
    std::vector<TextChange> Checked() const;
    void CheckAll(bool checked);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void checksChanged();

private:
    std::vector<Row> rows;
};

} // namespace VaskEdit
