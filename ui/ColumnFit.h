// Columns of a list or grid that follow what they show, so that their texts are not cut.
#pragma once

#include <vector>

class QTableView;

namespace VaskEdit {

// Whenever the view's rows are set anew, its columns (but a last one that stretches) take
// the width of their header and cells, at most widest; while the view is empty they keep
// their usual widths.
void FitColumnsOnChange(QTableView* view, std::vector<int> usual, int widest = 400);

} // namespace VaskEdit
