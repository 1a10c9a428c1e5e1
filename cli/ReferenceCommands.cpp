// The commands over the reference index: where a value is used, the conversations as a
// tree, renaming an info with its uses, and searching the texts the infos show.
#include "CommandSupport.h"
#include "Commands.h"

#include "library/Conversations.h"
#include "library/ReferenceIndex.h"
#include "library/RenameInfo.h"
#include "library/SpokenSearch.h"

#include <iostream>

namespace VaskCli {

using namespace VaskEdit;

int Usages(const std::string& value) {
    if (value.empty()) {
        Fail("Error: the value is empty.");
        return UsageError;
    }
    if (!BuildIndex("usages"))
        return 1;
    const std::vector<Usage> usages = References().Usages(value);
    for (const Usage& usage : usages)
        std::cout << usage.info << '\t' << PlaceName(usage.place) << '\n';
    return usages.empty() ? 1 : 0;
}

int Tree(ConversationScope scope, const std::string& name) {
    if (!BuildIndex("tree"))
        return 1;
    const std::vector<InfoOutline> infos = References().Outlines();
    for (const ConversationLine& line : ConversationForest(infos, scope, name)) {
        const InfoOutline& info = infos[line.info];
        std::cout << std::string(2 * static_cast<std::size_t>(line.depth), ' ') << info.name
                  << LineNote(line) << '\t' << RowField(Windows1252ToUtf8(FirstLineText(info)))
                  << '\n';
    }
    return 0;
}

int Rename(const std::string& oldName, const std::string& newName) {
    if (!BuildIndex("rename"))
        return 1;
    const RenameOutcome outcome = RenameInfo(References(), oldName, newName);
    if (!outcome.refusal.empty())
        return Fail("Not renamed: " + outcome.refusal);
    if (!outcome.done)
        return Fail("Not renamed; every file is as it was.", outcome.failure);
    for (const std::string& line : outcome.lines)
        std::cout << line << '\n';
    return 0;
}

int SearchText(const std::string& text) {
    if (text.empty()) {
        Fail("Invalid filter text!");
        return UsageError;
    }
    if (!BuildIndex("search"))
        return 1;
    for (const InfoOutline& info : InfosShowing(References().Outlines(), text))
        PrintInfoRow(info.name, info.owner, info.quest);
    return 0;
}

} // namespace VaskCli
