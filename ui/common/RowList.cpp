#include "ui/common/RowList.h"

#include <QHeaderView>
#include <QTableView>

namespace VaskEdit {

QTableView* NewRowList(QAbstractItemModel* model) {
    auto* view = new QTableView;
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(false);
    view->verticalHeader()->setVisible(false);
    view->verticalHeader()->setDefaultSectionSize(20);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

} // namespace VaskEdit
