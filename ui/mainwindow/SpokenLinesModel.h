// The lines a search of spoken texts found, as a read-only table: info, place of the
// command, command type, speaker, listener and the text. Converted to the widgets'
// text only for the rows the view shows, so that tens of thousands list at once.
#pragma once

#include "library/SpokenSearch.h"

#include <QAbstractTableModel>
#include <vector>

namespace VaskEdit {

class SpokenLinesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit SpokenLinesModel(QObject* parent = nullptr);

    void SetLines(std::vector<SpokenLine> lines);
    const std::vector<SpokenLine>& Lines() const { return lines; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<SpokenLine> lines;
};

} // namespace VaskEdit
