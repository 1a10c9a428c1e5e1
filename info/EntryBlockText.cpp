#include "info/EntryBlockText.h"
#include "info/InfoRefConversion.h"
#include "info/ListEntries.h"

namespace VaskEdit {

namespace {
using TesselEngine::IO::Stream;

template <typename Record, typename Entry, typename Store, typename Measure, typename Write>
std::string BlockText(const Entry& entry, Store store, Measure measure, Write write) {
    Record record;
    store(entry, record);
    Stream output;
    if (!output.Allocate(measure(record)) || !write(output, record))
        return {};
    return {output.GetBuffer(), output.GetPosition()};
}

// Every block of the kind anywhere in the text, read as the info reader reads an entry.
template <typename Record, typename Entry, typename Read, typename Make>
std::vector<Entry> ReadBlocks(std::string_view text, std::string_view prefix, Read read,
                              Make make) {
    std::vector<Entry> entries;
    if (text.size() > 0xFFFFFFFFu)
        return entries;
    for (const EntrySpan& span : FindNamedBlocks(text, prefix)) {
        Record record;
        read(text, span, record);
        entries.push_back(make(record));
    }
    return entries;
}
} // namespace

std::string CommandBlockText(const InfoCommandRef& entry) {
    return BlockText<InfoCommand>(
        entry, StoreCommandRef, [](InfoCommand& c) { return MeasureCommand(nullptr, c); },
        WriteCommandBlock);
}

std::string ConditionBlockText(const InfoConditionRef& entry) {
    return BlockText<InfoCondition>(
        entry, StoreConditionRef, [](InfoCondition& c) { return MeasureCondition(nullptr, c); },
        WriteConditionBlock);
}

std::string PerkBlockText(const InfoRequiredPerkRef& entry) {
    return BlockText<InfoRequiredPerk>(
        entry, StorePerkRef,
        [](const InfoRequiredPerk& perk) { return MeasureRequiredPerk(nullptr, perk); },
        [](Stream& output, const InfoRequiredPerk& perk) {
            return WriteRequiredPerk(output, perk, true);
        });
}

std::vector<InfoCommandRef> ReadCommandBlocks(std::string_view text) {
    return ReadBlocks<InfoCommand, InfoCommandRef>(text, "gCInfoCommand", ReadEntry<InfoCommand>,
                                                   MakeCommandRef);
}

std::vector<InfoConditionRef> ReadConditionBlocks(std::string_view text) {
    return ReadBlocks<InfoCondition, InfoConditionRef>(text, "gCInfoCondition",
                                                       ReadEntry<InfoCondition>, MakeConditionRef);
}

std::vector<InfoRequiredPerkRef> ReadPerkBlocks(std::string_view text) {
    return ReadBlocks<InfoRequiredPerk, InfoRequiredPerkRef>(text, "gCRequiredPerk", ReadPerkEntry,
                                                             MakePerkRef);
}

} // namespace VaskEdit
