// The check report's findings as a list: severity, info and what was found. A row's
// info opens in an editor window with a double click or Enter.
#pragma once

#include "library/CheckReport.h"

#include <QDialog>

class QLabel;
class QTableView;

namespace VaskEdit {

class CacheTableModel;

class CheckReportWindow : public QDialog {
    Q_OBJECT

public:
    // cancelled: the list covers only the files checked before the user cancelled.
    CheckReportWindow(const std::vector<Finding>& findings, bool cancelled,
                      QWidget* parent = nullptr);

    QTableView* List() const { return list; }
    QString Summary() const;
    // Opens the info of that row; false for a row about the workspace as a whole.
    bool OpenRow(int row);

private:
    CacheTableModel* model;
    QTableView* list;
    QLabel* summary;
};

} // namespace VaskEdit
