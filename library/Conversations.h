// The infos as conversations: each info under the info its Parent names, as a forest
// printed depth first.
#pragma once

#include "library/ReferenceIndex.h"

#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

// Which infos a forest takes: all of them, or those whose Owner (Quest) is the name.
enum class ConversationScope { All, Owner, Quest };

struct ConversationLine {
    int depth = 0;
    std::size_t info = 0; // position in the outlines the forest was made of
    // An info met again on its own path: printed once more and not descended into.
    bool cycle = false;
    // A root whose Parent names no info at all: that name.
    std::string missingParent;
};

// The taken infos, each once (an info on a cycle once more). A root is a taken info
// whose Parent is empty or names no taken info; children follow their parent one level
// deeper. Siblings are ordered by MainSortID, then SortID, then name. A cycle that no
// root leads to starts from its first info in that order, with what hangs below it.
std::vector<ConversationLine> ConversationForest(const std::vector<InfoOutline>& infos,
                                                 ConversationScope scope, std::string_view name);

// " (cycle)", " (missing parent NAME)" or nothing: what follows the name of the line.
std::string LineNote(const ConversationLine& line);

// The display text of the info's first spoken line; empty when there is none.
std::string FirstLineText(const InfoOutline& info);

} // namespace VaskEdit
