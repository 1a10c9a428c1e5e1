// Where the boxes of a conversation graph go: a row of boxes for each depth, children in
// the row below their parent, each parent centred over its children, and the
// conversations side by side on shelves. Free of Qt, so that it can be timed on its own.
#pragma once

#include "library/Conversations.h"

#include <cstddef>
#include <span>
#include <vector>

namespace VaskEdit {

struct GraphPlace {
    int layer = 0;              // the row of boxes; a child's is its parent's + 1
    double column = 0;          // in box widths; boxes of a row stand at least 1 apart
    std::ptrdiff_t parent = -1; // the parent's position among the lines; -1 for a root
};

// One place per line, in the lines' order. The lines are depth first, as
// ConversationForest gives them, or a run of them that begins with a root of the run.
// Conversations stand side by side; given a shape (the whole's width in columns for
// each row, say 0.7) they go on shelves, one below the other, so that the whole comes
// near that shape rather than one long row.
std::vector<GraphPlace> LayOutForest(std::span<const ConversationLine> lines, double shape = 0);

} // namespace VaskEdit
