#include "ui/ColumnFit.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace VaskEdit {

namespace {
void Fit(QTableView* view, const std::vector<int>& usual, int widest) {
    const bool empty = view->model()->rowCount() == 0;
    // A last column that stretches takes what the others leave.
    const int fitted =
        view->model()->columnCount() - (view->horizontalHeader()->stretchLastSection() ? 1 : 0);
    for (int column = 0; column < fitted; ++column) {
        const auto at = static_cast<std::size_t>(column);
        if (empty && at < usual.size()) {
            view->setColumnWidth(column, usual[at]);
            continue;
        }
        view->resizeColumnToContents(column); // header and cells
        view->setColumnWidth(column, std::min(view->columnWidth(column), widest));
    }
}
} // namespace

void FitColumnsOnChange(QTableView* view, std::vector<int> usual, int widest) {
    Fit(view, usual, widest);
    QObject::connect(view->model(), &QAbstractItemModel::modelReset, view,
                     [view, usual, widest] { Fit(view, usual, widest); });
}

} // namespace VaskEdit
