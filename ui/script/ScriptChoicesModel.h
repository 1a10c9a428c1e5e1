// The choices of the info read: numbered as the reading numbers them, each with its
// first line and its conditions in one line. Conditions the writer marked false for
// this reading show struck out; the choices that need one can be hidden.
#pragma once

#include "library/ConversationScript.h"

#include <QAbstractTableModel>
#include <set>
#include <string>
#include <vector>

namespace VaskEdit {

class ScriptChoicesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NumberColumn, ChoiceColumn, ConditionsColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void SetChoices(std::vector<ScriptChoice> choices);
    const std::vector<ScriptChoice>& Choices() const { return choices; }

    // The conditions marked false, and whether the choices that need one are hidden.
    void SetMarkedFalse(const std::set<std::string>& marked, bool hide);
    bool NeedsMarkedFalse(const ScriptChoice& choice) const;

    // The choice (from 0) a row shows, and the row that shows a choice (-1 when hidden).
    int ChoiceOf(int row) const;
    int RowOf(int choice) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void Place();

    std::vector<ScriptChoice> choices;
    std::set<std::string> markedFalse;
    bool hideMarked = false;
    std::vector<int> shown; // the choices the rows show, in order
};

} // namespace VaskEdit
