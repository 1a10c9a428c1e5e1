// What a merge of "Infos/" changes against the game document "w_info.hdrdoc": infos new,
// changed, renamed and unchanged, and the infos of the document that no file holds, which
// the merged document will lack. Shown before a merge and said after it.
#pragma once

#include "library/InfoSetDiff.h"
#include "library/Jobs.h"

#include <string>
#include <vector>

namespace VaskEdit {

struct MergeReview {
    bool compared = false; // false without a game document, or when "Infos/" is unreadable
    std::string failure;   // why they could not be compared
    InfoSetDiff diff;      // base: the game document; now: "Infos/"
    // The infos the merged document holds: every file of "Infos/".
    std::size_t Written() const {
        return diff.added.size() + diff.changed.size() + diff.renamed.size() + diff.unchanged;
    }
    // The game document's infos that the merged document lacks; a renamed one is there
    // under its new name and is not among them.
    const std::vector<std::string>& LeftOut() const { return diff.removed; }
};

// Compares the workspace's "Infos/" with its "w_info.hdrdoc"; cancel is checked once the
// files have been read.
MergeReview ReviewMerge(const Jobs::CancelFn& cancel = {});

// "51 infos written, against "w_info.hdrdoc": 1 new, 2 changed, 1 renamed, 47 unchanged."
std::string MergeCountsLine(const MergeReview& review);

} // namespace VaskEdit
