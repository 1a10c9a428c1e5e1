// How the infos of "Infos/" stand against the game document "w_info.hdrdoc": what a
// merge adds, changes and leaves as it was.
#pragma once

#include <cstddef>

namespace VaskEdit {

struct MergeCounts {
    bool compared = false;     // false without a game document or a listing of "Infos/"
    std::size_t added = 0;     // a file whose info the document lacks
    std::size_t changed = 0;   // a file whose bytes differ from the document's info
    std::size_t unchanged = 0; // a file holding exactly the document's info
};

MergeCounts CountAgainstGameDocument();

} // namespace VaskEdit
