// The lines of the last search of spoken texts, one row a command: which info, where
// among its commands, who speaks to whom, and the text. A row opens its info with that
// command selected, by a double click or Enter.
#pragma once

#include "library/SpokenSearch.h"

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QTableView;

namespace VaskEdit {

class SpokenLinesModel;

class SpokenLinesWindow : public QDialog {
    Q_OBJECT

public:
    explicit SpokenLinesWindow(QWidget* parent = nullptr);

    // Lists what a search for text found in how many infos (complete, or up to where it
    // was cancelled).
    void ShowLines(const std::string& text, std::vector<SpokenLine> lines, std::size_t infos,
                   bool cancelled);
    // Opens the info of that row at its command; false when it cannot.
    bool OpenRow(int row);

    QTableView* List() const { return list; }
    QString Summary() const;

private:
    SpokenLinesModel* model;
    QTableView* list;
    QLabel* summary;
};

} // namespace VaskEdit
