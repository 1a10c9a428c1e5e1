#include "ui/script/ScriptChoicesModel.h"
#include "ui/common/SystemString.h"
#include "ui/script/ScriptRowsModel.h"

#include <QFont>
#include <QPalette>
#include <algorithm>

namespace VaskEdit {

void ScriptChoicesModel::SetChoices(std::vector<ScriptChoice> newChoices) {
    beginResetModel();
    choices = std::move(newChoices);
    Place();
    endResetModel();
}

void ScriptChoicesModel::SetMarkedFalse(const std::set<std::string>& marked, bool hide) {
    beginResetModel();
    markedFalse = marked;
    hideMarked = hide;
    Place();
    endResetModel();
}

bool ScriptChoicesModel::NeedsMarkedFalse(const ScriptChoice& choice) const {
    return std::any_of(
        choice.conditions.begin(), choice.conditions.end(),
        [this](const std::string& condition) { return markedFalse.contains(condition); });
}

void ScriptChoicesModel::Place() {
    shown.clear();
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (!hideMarked || !NeedsMarkedFalse(choices[i]))
            shown.push_back(static_cast<int>(i));
    }
}

int ScriptChoicesModel::ChoiceOf(int row) const {
    return row >= 0 && row < rowCount() ? shown[static_cast<std::size_t>(row)] : -1;
}

int ScriptChoicesModel::RowOf(int choice) const {
    const auto found = std::find(shown.begin(), shown.end(), choice);
    return found == shown.end() ? -1 : static_cast<int>(found - shown.begin());
}

int ScriptChoicesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown.size());
}

int ScriptChoicesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScriptChoicesModel::data(const QModelIndex& index, int role) const {
    const int at = ChoiceOf(index.row());
    if (!index.isValid() || at < 0)
        return {};
    const ScriptChoice& choice = choices[static_cast<std::size_t>(at)];
    const bool needsFalse = NeedsMarkedFalse(choice);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NumberColumn:
            return QString::number(at + 1);
        case ChoiceColumn: {
            QString text = FromSystemString(choice.info);
            if (!choice.firstLine.empty())
                text += ": " + FromSystemString(choice.firstLine);
            else if (!choice.description.empty())
                text += ": (" + FromSystemString(choice.description) + ")";
            if (choice.readAbove)
                text += "  (read above)";
            return text;
        }
        case ConditionsColumn:
            return FromSystemString(choice.ConditionsLine());
        default:
            return {};
        }
    case Qt::ToolTipRole:
        if (index.column() == ConditionsColumn && !choice.conditions.empty()) {
            QString tip;
            for (const std::string& condition : choice.conditions)
                tip += (tip.isEmpty() ? "" : "\n") + FromSystemString(condition) +
                       (markedFalse.contains(condition) ? "  (marked false)" : "");
            return tip + "\nRight-click to mark a condition false for this reading.";
        }
        return {};
    case Qt::ForegroundRole:
        if (needsFalse)
            return GreyText();
        return {};
    case Qt::FontRole:
        if (needsFalse) {
            QFont struck;
            struck.setStrikeOut(true);
            return struck;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == NumberColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant ScriptChoicesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const names[ColumnCount] = {"#", "Choice", "Conditions"};
    return section >= 0 && section < ColumnCount ? QString(names[section]) : QVariant();
}

} // namespace VaskEdit
