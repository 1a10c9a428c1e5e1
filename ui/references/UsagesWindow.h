// Where one value is used in the infos of "Infos/": a row for each use (info, place,
// owner). A row opens its info with that place shown, by a double click or Enter. The
// list follows the index when the reference service says that it changed.
#pragma once

#include "library/ReferenceIndex.h"

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QTableView;

namespace VaskEdit {

class CacheTableModel;
class ReferenceService;

class UsagesWindow : public QDialog {
    Q_OBJECT

public:
    UsagesWindow(std::string value, ReferenceService* references, QWidget* parent = nullptr);

    QTableView* List() const { return list; }
    QString Summary() const;
    // Opens the info of that row at its place; false when it cannot.
    bool OpenRow(int row);
    // Lists the uses as the index holds them now.
    void Refresh();

private:
    std::string value;
    std::vector<Usage> usages;
    CacheTableModel* model;
    QTableView* list;
    QLabel* summary;
};

// Shows the uses of the value in a window of their own, once the index is built (see
// WaitForReferences), owned by the service's home window; null when the wait was
// cancelled or the value is blank.
UsagesWindow* ShowUsages(QWidget* parent, const std::string& value, ReferenceService* references);

} // namespace VaskEdit
