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
    return AfterReading(References().NotReadWhole(), !usages.empty(), usages.empty() ? 1 : 0);
}

int Tree(ConversationScope scope, const std::string& name) {
    if (!BuildIndex("tree"))
        return 1;
    const std::vector<InfoOutline> infos = References().Outlines();
    const std::vector<ConversationLine> lines = ConversationForest(infos, scope, name);
    for (const ConversationLine& line : lines) {
        const InfoOutline& info = infos[line.info];
        std::cout << std::string(2 * static_cast<std::size_t>(line.depth), ' ') << info.name
                  << LineNote(line) << '\t' << RowField(Windows1252ToUtf8(FirstLineText(info)))
                  << '\n';
    }
    return AfterReading(References().NotReadWhole(), !lines.empty(), 0);
}

int Script(const ScriptStart& start, const std::vector<int>& path) {
    if (!BuildIndex("script"))
        return 1;
    const ScriptReading reading = ReadScript(References().Outlines(), start, path);
    std::string out;
    for (const std::string& line : ScriptText(reading))
        out += Windows1252ToUtf8(line) + '\n';
    std::cout << out;
    if (!reading.refusal.empty())
        return Fail("Error: " + reading.refusal + ".");
    return AfterReading(References().NotReadWhole(), true, 0);
}

int Rename(const std::string& oldName, const std::string& newName) {
    if (!BuildIndex("rename"))
        return 1;
    const RenameOutcome outcome = RenameInfo(References(), oldName, newName);
    // A use in a file the reader could not take whole may not have been found.
    const std::vector<std::string> notReadWhole = References().NotReadWhole();
    if (!outcome.refusal.empty())
        return AfterReading(notReadWhole, true, Fail("Not renamed: " + outcome.refusal));
    if (!outcome.done && !outcome.putBack.AllAsItWas())
        return FailPutBack("Not renamed", outcome.failure, outcome.putBack);
    if (!outcome.done)
        return Fail("Not renamed; every file is as it was.", outcome.failure);
    for (const std::string& line : outcome.lines)
        std::cout << line << '\n';
    return AfterReading(notReadWhole, true, 0);
}

int SearchText(const std::string& text) {
    if (text.empty()) {
        Fail("Invalid filter text!");
        return UsageError;
    }
    if (!BuildIndex("search"))
        return 1;
    const std::vector<InfoOutline> found = InfosShowing(References().Outlines(), text);
    for (const InfoOutline& info : found)
        PrintInfoRow(info.name, info.owner, info.quest);
    return AfterReading(References().NotReadWhole(), !found.empty(), 0);
}

} // namespace VaskCli
