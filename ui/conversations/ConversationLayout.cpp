#include "ui/conversations/ConversationLayout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace VaskEdit {

namespace {
// The outline of a laid-out subtree: for each of its rows the leftmost and rightmost box,
// stored from the bottom row up so that a parent adds its own row at the end. A value
// plus offset is a column relative to the subtree's root.
struct Contour {
    std::vector<double> left;
    std::vector<double> right;
    double offset = 0;

    std::size_t Height() const { return left.size(); }
    // Row k counted from the top.
    double Left(std::size_t k) const { return left[left.size() - 1 - k] + offset; }
    double Right(std::size_t k) const { return right[right.size() - 1 - k] + offset; }
};

// Sets next to the group of siblings placed so far (their contour, in the group's
// columns) as close as every shared row allows; gives its column in the group's columns
// and leaves the contour of both in group. Costs the height of the lower of the two.
double PlaceBeside(Contour& group, Contour&& next) {
    const std::size_t shared = std::min(group.Height(), next.Height());
    double at = -HUGE_VAL;
    for (std::size_t k = 0; k < shared; ++k)
        at = std::max(at, group.Right(k) + 1 - next.Left(k));
    next.offset += at;
    if (next.Height() > group.Height()) {
        // The taller one keeps its rows; the upper rows take the group's left side.
        for (std::size_t k = 0; k < shared; ++k)
            next.left[next.left.size() - 1 - k] = group.Left(k) - next.offset;
        group = std::move(next);
    } else {
        for (std::size_t k = 0; k < shared; ++k)
            group.right[group.right.size() - 1 - k] = next.Right(k) - group.offset;
    }
    return at;
}

// A conversation's run of lines and its extent in columns and rows.
struct Tree {
    std::size_t first = 0;
    std::size_t end = 0;
    double leftmost = 0;
    double rightmost = 0;
    int height = 0;
};

// Lays out every conversation on its own, its root in column 0 and row 0: a subtree
// keeps its shape wherever it stands, a parent stands centred over its first and last
// child, and the subtrees of siblings stand as close as their rows allow (the tidy tree
// drawing of Reingold and Tilford). Bottom up from the end of the lines, then top down.
std::vector<Tree> LayOutTrees(std::span<const ConversationLine> lines,
                              std::vector<GraphPlace>& places) {
    const std::size_t n = lines.size();
    // Depth first, a line's parent is the nearest line before it one level up.
    std::vector<std::ptrdiff_t> firstChild(n, -1), lastChild(n, -1), nextSibling(n, -1);
    std::vector<Tree> trees;
    std::vector<std::size_t> path; // the lines above the current one
    for (std::size_t i = 0; i < n; ++i) {
        while (!path.empty() && lines[path.back()].depth >= lines[i].depth)
            path.pop_back();
        if (path.empty()) {
            trees.push_back({i, i, 0, 0, 0});
        } else {
            const std::size_t parent = path.back();
            places[i].parent = static_cast<std::ptrdiff_t>(parent);
            places[i].layer = places[parent].layer + 1;
            if (lastChild[parent] >= 0)
                nextSibling[static_cast<std::size_t>(lastChild[parent])] =
                    static_cast<std::ptrdiff_t>(i);
            else
                firstChild[parent] = static_cast<std::ptrdiff_t>(i);
            lastChild[parent] = static_cast<std::ptrdiff_t>(i);
        }
        trees.back().end = i + 1;
        trees.back().height = std::max(trees.back().height, places[i].layer + 1);
        path.push_back(i);
    }

    // Children come after their parent: from the end, every parent finds its children
    // laid out. shift is a line's column relative to its parent's.
    std::vector<Contour> contours(n);
    std::vector<double> shift(n, 0);
    for (std::size_t v = n; v-- > 0;) {
        Contour group;
        if (firstChild[v] < 0) {
            group.left = {0};
            group.right = {0};
        } else {
            const auto first = static_cast<std::size_t>(firstChild[v]);
            group = std::move(contours[first]);
            shift[first] = 0;
            for (std::ptrdiff_t c = nextSibling[first]; c >= 0; c = nextSibling[std::size_t(c)])
                shift[std::size_t(c)] = PlaceBeside(group, std::move(contours[std::size_t(c)]));
            const double middle =
                (shift[first] + shift[static_cast<std::size_t>(lastChild[v])]) / 2;
            for (std::ptrdiff_t c = firstChild[v]; c >= 0; c = nextSibling[std::size_t(c)])
                shift[std::size_t(c)] -= middle;
            group.offset -= middle;
            group.left.push_back(-group.offset);
            group.right.push_back(-group.offset);
        }
        contours[v] = std::move(group);
    }
    for (Tree& tree : trees) {
        for (std::size_t i = tree.first; i < tree.end; ++i) {
            const std::ptrdiff_t parent = places[i].parent;
            places[i].column = parent < 0 ? 0 : places[std::size_t(parent)].column + shift[i];
            tree.leftmost = std::min(tree.leftmost, places[i].column);
            tree.rightmost = std::max(tree.rightmost, places[i].column);
        }
    }
    return trees;
}

// Half a column between two conversations side by side.
constexpr double Gap = 0.5;

double Width(const Tree& tree) {
    return tree.rightmost - tree.leftmost + 1;
}

// Puts the conversations on shelves no wider than the width (unless one is wider by
// itself), an empty row between two shelves; gives each one's column and row and the
// size of the whole.
template <typename Place>
std::pair<double, int> Shelve(const std::vector<Tree>& trees, double shelfWidth, Place place) {
    double x = 0;
    double widest = 0;
    int shelfTop = 0;
    int shelfHeight = 0;
    for (const Tree& tree : trees) {
        if (x > 0 && x + Width(tree) > shelfWidth) {
            shelfTop += shelfHeight + 1;
            shelfHeight = 0;
            x = 0;
        }
        place(tree, x - tree.leftmost, shelfTop);
        widest = std::max(widest, x + Width(tree));
        x += Width(tree) + Gap;
        shelfHeight = std::max(shelfHeight, tree.height);
    }
    return {widest, shelfTop + shelfHeight};
}
} // namespace

std::vector<GraphPlace> LayOutForest(std::span<const ConversationLine> lines, double shape) {
    std::vector<GraphPlace> places(lines.size());
    if (lines.empty())
        return places;
    const std::vector<Tree> trees = LayOutTrees(lines, places);

    // The shelf width whose whole comes nearest the shape, from the widest conversation
    // up to all in one row.
    double shelfWidth = HUGE_VAL;
    if (shape > 0) {
        double widest = 0;
        double total = 0;
        for (const Tree& tree : trees) {
            widest = std::max(widest, Width(tree));
            total += Width(tree) + Gap;
        }
        double bestMiss = HUGE_VAL;
        for (double width = widest;; width *= 1.25) {
            const auto [columns, rows] = Shelve(trees, width, [](const Tree&, double, int) {});
            const double miss = std::abs(std::log(columns / rows / shape));
            if (miss < bestMiss) {
                bestMiss = miss;
                shelfWidth = width;
            }
            if (width >= total)
                break;
        }
    }
    Shelve(trees, shelfWidth, [&](const Tree& tree, double column, int row) {
        for (std::size_t i = tree.first; i < tree.end; ++i) {
            places[i].column += column;
            places[i].layer += row;
        }
    });
    return places;
}

} // namespace VaskEdit
