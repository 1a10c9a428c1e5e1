#include "info/InfoRegions.h"
#include "engine/Stream.h"

#include <algorithm>

namespace VaskEdit {

InfoRegions FindInfoRegions(std::string_view text) {
    InfoRegions regions;
    const auto size = static_cast<std::uint32_t>(text.size());
    // The name token as the stream reader takes a short value: from the first double
    // quote to the next stop byte or blank.
    TesselEngine::IO::Stream stream = TesselEngine::IO::Stream::View(text.data(), size);
    stream.SkipTo('"');
    regions.nameBegin = std::min(stream.GetPosition(), size);
    const std::string_view token = stream.TakeToken(true);
    regions.nameEnd = std::min<std::uint32_t>(regions.nameBegin + token.size(), size);
    const std::uint32_t afterName = std::min(stream.GetPosition(), size);

    const InfoLists lists = FindInfoLists(text);
    const std::uint32_t commandsAt = lists.commands.found     ? lists.commands.head
                                     : lists.conditions.found ? lists.conditions.head
                                                              : size;
    if (lists.perks.found)
        regions.perks = CutEntries(text, lists.perks.body, lists.perks.closer);
    // Members follow the perk list; when its closer is missing, they follow its last entry.
    std::uint32_t tailStart = afterName;
    if (lists.perks.closed)
        tailStart = lists.perks.end;
    else if (lists.perks.found)
        tailStart = regions.perks.empty() ? lists.perks.body : regions.perks.back().end;
    regions.headBegin = afterName;
    regions.headEnd = std::max(lists.perks.found ? lists.perks.head : commandsAt, afterName);
    regions.tailBegin = tailStart;
    regions.tailEnd = std::max(commandsAt, tailStart);
    if (lists.commands.found)
        regions.commands = CutEntries(text, lists.commands.body, lists.commands.closer);
    if (lists.conditions.found)
        regions.conditions = CutEntries(text, lists.conditions.body, lists.conditions.closer);
    return regions;
}

std::string StructureDamage(std::string_view text, const InfoRegions& regions) {
    // An entry out of place says best where a bracket is missing.
    for (const auto& [entries, name] :
         {std::pair{&regions.perks, "RequiredPerks"}, std::pair{&regions.commands, "InfoCommands"},
          std::pair{&regions.conditions, "InfoConditions"}}) {
        if (std::string damage = EntryDamage(text, *entries, name); !damage.empty())
            return damage;
    }
    return BracketDamage(text);
}

} // namespace VaskEdit
