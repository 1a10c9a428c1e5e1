#include "ui/script/ScriptRowsModel.h"

#include <QBrush>
#include <QFont>
#include <QPalette>

namespace VaskEdit {

QBrush GreyText() {
    // Half way to the background: quieter than the text, still easy to read, in a light
    // or a dark palette alike.
    const QPalette palette;
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    return QColor((text.red() * 11 + base.red() * 9) / 20,
                  (text.green() * 11 + base.green() * 9) / 20,
                  (text.blue() * 11 + base.blue() * 9) / 20);
}

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
            return GreyText();
        return {};
    case Qt::FontRole:
        if (row.look == Look::Bold || row.look == Look::Italic) {
            QFont font;
            font.setBold(row.look == Look::Bold);
            font.setItalic(row.look == Look::Italic);
            return font;
        }
        return {};
    default:
        return {};
    }
}

} // namespace VaskEdit
