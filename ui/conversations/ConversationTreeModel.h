// The conversations of one scope as a tree: every line of the forest a row under its
// parent's row, with the info's name (and the cycle or missing-parent note), its first
// spoken line and its conditions. The tree is built from the lines in one pass and the
// texts are made only for the rows a view asks for, so all 20,000 infos stay quick.
#pragma once

#include "library/Conversations.h"

#include <QAbstractItemModel>
#include <QString>
#include <optional>
#include <vector>

namespace VaskEdit {

class ConversationTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Column { NameColumn, FirstLineColumn, ConditionsColumn, ColumnCount };

    explicit ConversationTreeModel(QObject* parent = nullptr);

    // Takes the infos and the forest made of them (lines point into infos).
    void SetForest(std::vector<InfoOutline> infos, std::vector<ConversationLine> lines);

    const std::vector<InfoOutline>& Infos() const { return infos; }
    const std::vector<ConversationLine>& Lines() const { return lines; }
    // The forest line of a row, or -1 for none.
    int LineOf(const QModelIndex& index) const;
    QModelIndex IndexOfLine(int line, int column = NameColumn) const;
    // The info a row shows.
    const InfoOutline& InfoOf(int line) const;
    // The lines of the whole conversation that holds the line: its root and everything
    // below, as a run of lines [first, end).
    std::pair<int, int> ConversationOf(int line) const;
    // The first line of the info of that name, or -1.
    int FindLine(const std::string& name) const;
    QString FirstLine(int line) const;

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const std::vector<int>& ChildrenOf(int line) const;

    std::vector<InfoOutline> infos;
    std::vector<ConversationLine> lines;
    std::vector<int> parentOf; // -1 for a root
    std::vector<int> rowOf;    // position under its parent
    std::vector<std::vector<int>> childrenOf;
    std::vector<int> roots;
    // Looked up in "infosa.csv" the first time a row shows it.
    mutable std::vector<std::optional<QString>> firstLines;
};

} // namespace VaskEdit
