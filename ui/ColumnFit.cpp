#include "ui/ColumnFit.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace VaskEdit {

namespace {
void Fit(QTableView* view, const std::vector<int>& usual, ColumnFit fit, int widest) {
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
        int width = std::min(view->columnWidth(column), widest);
        if (fit == ColumnFit::AtLeastUsual && at < usual.size())
            width = std::max(width, usual[at]);
        view->setColumnWidth(column, width);
    }
}
} // namespace

void FitColumnsOnChange(QTableView* view, std::vector<int> usual, ColumnFit fit, int widest) {
    Fit(view, usual, fit, widest);
    QObject::connect(view->model(), &QAbstractItemModel::modelReset, view,
                     [view, usual, fit, widest] { Fit(view, usual, fit, widest); });
}

} // namespace VaskEdit
