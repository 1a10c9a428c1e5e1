// Columns of a list or grid that follow what they show, so that their texts are not cut.
#pragma once

#include <vector>

class QTableView;

namespace VaskEdit {

enum class ColumnFit {
    ToContents,   // as wide as header and cells, at most widest
    AtLeastUsual, // the same, but never narrower than the usual width
};

enum class LastColumn {
    TakesTheRest, // the last column gets what the others leave
    KeepsAThird,  // the others narrow (the widest first) so that it keeps a third of the view
};

// Whenever the view's rows are set anew, its columns (but a last one that stretches) take
// the width of their header and cells (of the first thousand rows); while the view is
// empty they keep their usual widths. A cell too narrow for its text shows it whole as its
// tool tip (above any tip of the model).
void FitColumnsOnChange(QTableView* view, std::vector<int> usual,
                        ColumnFit fit = ColumnFit::ToContents, int widest = 400,
                        LastColumn last = LastColumn::TakesTheRest);

// The widths that fit into room: the widest are brought down to one common width, never
// below least, until the sum fits (or every column is at least).
std::vector<int> NarrowedToFit(std::vector<int> widths, int room, int least);

} // namespace VaskEdit
