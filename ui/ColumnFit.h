// Columns of a list or grid that follow what they show, so that their texts are not cut.
#pragma once

#include <vector>

class QTableView;

namespace VaskEdit {

enum class ColumnFit {
    AtLeastUsual, // as wide as header and cells, never narrower than the usual width
    ToContents,   // as wide as header and cells (at most widest); the usual width while empty
};

// Fits the columns (but a last one that stretches) whenever the view's rows are set anew.
void FitColumnsOnChange(QTableView* view, std::vector<int> usual, ColumnFit fit, int widest = 400);

} // namespace VaskEdit
