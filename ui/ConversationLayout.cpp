#include "ui/ConversationLayout.h"

#include <algorithm>

namespace VaskEdit {

std::vector<GraphPlace> LayOutForest(std::span<const ConversationLine> lines) {
    const std::size_t n = lines.size();
    std::vector<GraphPlace> places(n);
    if (n == 0)
        return places;
    int shallowest = lines[0].depth;
    for (const ConversationLine& line : lines)
        shallowest = std::min(shallowest, line.depth);

    // Depth first, a line's parent is the nearest line before it one level up. Leaves
    // take the next free column from left to right, so that every subtree keeps to its
    // own run of columns and no two boxes of a layer meet.
    std::vector<std::ptrdiff_t> firstChild(n, -1), lastChild(n, -1);
    std::vector<std::size_t> path; // the lines above the current one
    double nextLeaf = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int depth = lines[i].depth;
        while (!path.empty() && lines[path.back()].depth >= depth)
            path.pop_back();
        GraphPlace& place = places[i];
        place.layer = depth - shallowest;
        if (path.empty()) {
            if (i > 0)
                nextLeaf += 0.5; // a little room between two conversations
        } else {
            const std::size_t parent = path.back();
            place.parent = static_cast<std::ptrdiff_t>(parent);
            if (firstChild[parent] < 0)
                firstChild[parent] = static_cast<std::ptrdiff_t>(i);
            lastChild[parent] = static_cast<std::ptrdiff_t>(i);
        }
        const bool leaf = i + 1 == n || lines[i + 1].depth <= depth;
        if (leaf)
            place.column = nextLeaf++;
        path.push_back(i);
    }
    // Children come after their parent: from the end, every parent finds its children placed.
    for (std::size_t i = n; i-- > 0;) {
        if (firstChild[i] >= 0)
            places[i].column = (places[static_cast<std::size_t>(firstChild[i])].column +
                                places[static_cast<std::size_t>(lastChild[i])].column) /
                               2;
    }
    return places;
}

} // namespace VaskEdit
