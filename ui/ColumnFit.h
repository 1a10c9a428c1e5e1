// Columns of a list or grid that follow what they show, so that their texts are not cut.
#pragma once

#include <vector>

class QTableView;

namespace VaskEdit {

enum class ColumnFit {
    ToContents,   // as wide as header and cells, at most widest
    AtLeastUsual, // the same, but never narrower than the usual width
};

// Whenever the view's rows are set anew, its columns (but a last one that stretches) take
// the width of their header and cells (of the first thousand rows); while the view is
// empty they keep their usual widths.
void FitColumnsOnChange(QTableView* view, std::vector<int> usual,
                        ColumnFit fit = ColumnFit::ToContents, int widest = 400);

} // namespace VaskEdit
