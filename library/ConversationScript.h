// A conversation in the order the player reads it: an info's spoken lines and the
// texts it shows, then the infos below it as numbered choices, one of them taken, and so
// on. Conditions are not evaluated: each choice shows what it needs. Texts are bytes in
// Windows-1252, looked up in the text tables.
#pragma once

#include "library/Conversations.h"
#include "library/ReferenceIndex.h"

#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

struct ScriptStart {
    ConversationScope scope = ConversationScope::All; // Owner or Quest: their top infos
    std::string name; // the owner, the quest, or (scope All) the info to start with
};

struct ScriptReading {
    std::vector<std::string> lines;
    std::string refusal; // an unknown info, or a path that names no choice
};

// Reads from the start, taking at each list of choices the one the path numbers (from
// 1), and the first once the path is used up. An info met again on the path read so far
// is said, not read again.
ScriptReading ReadScript(const std::vector<InfoOutline>& infos, const ScriptStart& start,
                         const std::vector<int>& path);

} // namespace VaskEdit
