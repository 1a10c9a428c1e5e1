// Where the boxes of a conversation graph go: one layer for each depth, children in the
// layer below their parent, each parent centred over its children. Free of Qt, so that
// it can be timed on its own.
#pragma once

#include "library/Conversations.h"

#include <cstddef>
#include <span>
#include <vector>

namespace VaskEdit {

struct GraphPlace {
    int layer = 0;              // the line's depth below the shallowest line's
    double column = 0;          // in box widths; boxes of a layer stand at least 1 apart
    std::ptrdiff_t parent = -1; // the parent's position among the lines; -1 for a root
};

// One place per line, in the lines' order. The lines are depth first, as
// ConversationForest gives them, or a run of them that begins with a root of the run.
std::vector<GraphPlace> LayOutForest(std::span<const ConversationLine> lines);

} // namespace VaskEdit
