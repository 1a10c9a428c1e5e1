// The cutting of an info's lists into entries, on any file. The spans it finds stand in
// order inside their lists, every entry that was kept whole stands in the saved text
// unchanged, and a file whose structure is sound (the only kind a save writes) reads
// back with as many perks, commands and conditions.
#include "FuzzSupport.h"

#include "info/InfoRegions.h"
#include "info/ListLayout.h"
#include "info/TextTable.h"
#include "info/VaskInfo.h"

#include <string_view>

namespace {
void ExpectOrderedEntries(std::string_view text, const VaskEdit::ListSpan& list) {
    if (!list.found)
        return;
    FUZZ_EXPECT(list.head < list.body && list.body <= list.closer && list.closer <= list.end &&
                list.end <= text.size());
    std::uint32_t previous = list.body;
    for (const VaskEdit::EntrySpan& entry : VaskEdit::CutEntries(text, list.body, list.closer)) {
        FUZZ_EXPECT(previous <= entry.begin && entry.begin <= entry.name);
        FUZZ_EXPECT(entry.name <= entry.nameEnd && entry.nameEnd <= entry.open);
        FUZZ_EXPECT(text[entry.open] == '{' && entry.open <= entry.close);
        FUZZ_EXPECT(entry.close < entry.end || entry.unclosed > 0);
        FUZZ_EXPECT(entry.end <= list.closer);
        previous = entry.end;
    }
}

struct Counts {
    std::uint32_t perks, commands, conditions;
    bool operator==(const Counts&) const = default;
};

Counts Read(TesselEngine::IO::Stream& text, VaskEdit::VaskInfo& info) {
    info.LoadFromStream(text);
    return {info.RequiredPerks.GetSize(), info.InfoCommands.GetSize(),
            info.InfoConditions.GetSize()};
}

template <typename List> void ExpectKeptIn(const List& entries, std::string_view saved) {
    for (const auto& entry : entries)
        FUZZ_EXPECT(saved.find(entry.PreservedBlock) != std::string_view::npos);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VaskFuzz::EnterScratchDirectory();
    VaskFuzz::LoadShippedTemplates();
    VaskEdit::TextTables::Clear();
    TesselEngine::IO::Stream source;
    if (!VaskFuzz::CopyToStream(source, data, size))
        return 0;
    const std::string_view text(source.GetBuffer(), source.GetSize());
    const VaskEdit::InfoLists lists = VaskEdit::FindInfoLists(text);
    ExpectOrderedEntries(text, lists.perks);
    ExpectOrderedEntries(text, lists.commands);
    ExpectOrderedEntries(text, lists.conditions);

    // A damaged structure is read by guesses, and the save refuses it.
    const bool damaged = !VaskEdit::StructureDamage(text, VaskEdit::FindInfoRegions(text)).empty();
    VaskEdit::VaskInfo info;
    const Counts read = Read(source, info);
    TesselEngine::IO::Stream saved;
    FUZZ_EXPECT(info.WriteToStream(saved));
    const std::string_view written(saved.GetBuffer(), saved.GetSize());
    ExpectKeptIn(info.RequiredPerks, written);
    ExpectKeptIn(info.InfoCommands, written);
    ExpectKeptIn(info.InfoConditions, written);

    if (damaged)
        return 0;
    VaskEdit::VaskInfo again;
    FUZZ_EXPECT(Read(saved, again) == read);
    return 0;
}
