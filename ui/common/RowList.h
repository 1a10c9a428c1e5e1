// The read-only lists of the windows: whole rows, one chosen at a time, a line each, no
// row numbers, the last column taking the room that is left.
#pragma once

class QAbstractItemModel;
class QTableView;

namespace VaskEdit {

QTableView* NewRowList(QAbstractItemModel* model);

} // namespace VaskEdit
