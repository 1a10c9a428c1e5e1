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
        const int usualWidth = at < usual.size() ? usual[at] : 0;
        if (fit == ColumnFit::ToContents && empty && usualWidth > 0) {
            view->setColumnWidth(column, usualWidth);
            continue;
        }
        view->resizeColumnToContents(column); // header and cells
        int width = view->columnWidth(column);
        if (fit == ColumnFit::AtLeastUsual)
            width = std::max(width, usualWidth);
        else
            width = std::min(width, widest);
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
