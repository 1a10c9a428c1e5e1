// A three-way merge of one info at the level of its places: what ours and theirs changed
// against their common base is put together where the changes do not meet; the same
// place changed two ways is a conflict. Entries inserted by both sides are kept, ours
// first.
#pragma once

#include <string>
#include <vector>

namespace VaskEdit {

class VaskInfo;

struct MergeConflict {
    std::string place; // "Owner", "InfoCommands[2].Entity1", "InfoCommands[2]"
    std::string base, ours, theirs;
};

// Fills merged (a fresh record) and gives the conflicts; merged is whole only when there
// are none.
std::vector<MergeConflict> MergeInfos(const VaskInfo& base, const VaskInfo& ours,
                                      const VaskInfo& theirs, VaskInfo& merged);

// "InfoCommands[2].Entity1: base "A", ours "B", theirs "C"".
std::string ConflictLine(const MergeConflict& conflict);

} // namespace VaskEdit
