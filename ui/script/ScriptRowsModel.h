// The rows of a script list (the path read, the lines of an info): a text each, with a
// tool tip, and shown plain, grey (what the player does not read), italic (what the
// player reads that no one says) or bold.
#pragma once

#include <QAbstractListModel>
#include <QBrush>
#include <QString>
#include <vector>

namespace VaskEdit {

class ScriptRowsModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum class Look { Plain, Grey, Italic, Bold };
    struct Row {
        QString text;
        QString tip;
        Look look = Look::Plain;
        int command = -1; // the command's position in its info; -1 for no command
    };

    using QAbstractListModel::QAbstractListModel;

    void SetRows(std::vector<Row> rows);
    const std::vector<Row>& Rows() const { return rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<Row> rows;
};

// The colour of what is shown quieter than the text around it.
QBrush GreyText();

} // namespace VaskEdit
