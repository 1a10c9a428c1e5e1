#include "info/ListEntries.h"
#include "info/EntryBlocks.h"
#include "info/RegionMembers.h"
#include "info/TextTokens.h"

#include <type_traits>

namespace VaskEdit {

namespace {
constexpr std::string_view PerkClass = "gCRequiredPerk";

// The type's short name: the class name without the prefix of its kind. A name without
// that prefix is kept as it stands; it names no supported type.
Char32 ShortName(std::string_view className, std::string_view prefix, bool* prefixed) {
    *prefixed = className.starts_with(prefix) && className.size() > prefix.size();
    return Char32(*prefixed ? className.substr(prefix.size()) : className);
}

// Whether a written block reads back as one entry: a value that holds a brace could
// close the block early or leave it open, and move its neighbours out of the list.
bool StandsAsOneEntry(std::string_view block) {
    const auto first = NextEntry(block, 0, static_cast<std::uint32_t>(block.size()));
    return first && first->unclosed == 0 &&
           block.find_first_not_of(" \t\r\n", first->close + 1) == std::string_view::npos;
}

// Whether what the writer makes of the record keeps every token of the entry's text.
// Without a loaded template there is nothing to compare with; the entry is taken as read.
template <typename Write>
bool WritesBackWhole(std::string_view original, const Stream& templ, std::uint32_t room,
                     Write write) {
    if (templ.GetSize() == 0)
        return true;
    Stream written;
    if (!written.Allocate(room))
        return false;
    write(written);
    const std::string_view rewritten(written.GetBuffer(), written.GetPosition());
    // The same bytes keep every token: most blocks were written by the editor itself.
    return (rewritten == original || KeepsEveryToken(original, rewritten)) &&
           StandsAsOneEntry(rewritten);
}
} // namespace

std::string KeptEntryText(std::string_view text, const EntrySpan& span) {
    std::string kept(span.Text(text));
    if (span.unclosed == 0)
        return kept;
    std::size_t indent = 0;
    while (indent < kept.size() && (kept[indent] == ' ' || kept[indent] == '\t'))
        ++indent;
    if (!kept.empty() && kept.back() != '\n')
        kept += "\r\n";
    for (const char closer : MissingClosers(text, span))
        kept += kept.substr(0, indent) + closer + "\r\n";
    return kept;
}

template <typename Record>
void ReadEntry(std::string_view text, const EntrySpan& span, Record& record) {
    using Traits = EntryRecord<Record>;
    record.ClearSlots();
    bool prefixed = false;
    Traits::Name(record) = ShortName(span.Name(text), ClassPrefix(Traits::Kind), &prefixed);
    RegionMembers members(span.Body(text));
    members.Read(record.Version, Char16("Version"), false);
    const EntryType* type =
        prefixed ? FindClassType(Traits::Kind, Traits::Name(record).View()) : nullptr;
    if (type && span.unclosed == 0) {
        Traits::TypeIndex(record) = type->value;
        bool whole = ReadParameters(type->parameters, members, record);
        if constexpr (std::is_same_v<Record, InfoCommand>) {
            if (type->useValues)
                record.UseValues = true;
            if (!type->textTable.empty())
                LookUpLocText(std::string(type->textTable).c_str(), record);
        }
        whole =
            whole && WritesBackWhole(span.Text(text), Template(*type), MeasureEntry(record),
                                     [&](Stream& out) { WriteEntryMembers(*type, out, record); });
        if (whole)
            return;
    }
    record.PreservedBlock = KeptEntryText(text, span);
}

template void ReadEntry<InfoCommand>(std::string_view, const EntrySpan&, InfoCommand&);
template void ReadEntry<InfoCondition>(std::string_view, const EntrySpan&, InfoCondition&);

void ReadPerkEntry(std::string_view text, const EntrySpan& span, InfoRequiredPerk& perk) {
    perk = InfoRequiredPerk{};
    if (span.Name(text) == PerkClass && span.unclosed == 0) {
        RegionMembers members(span.Body(text));
        // The perk's own text ends with its "}": the separator after it is the list's.
        const std::string_view own = text.substr(span.begin, span.close + 1 - span.begin);
        const bool whole =
            ReadParameters(PerkParameters(), members, perk) &&
            WritesBackWhole(own, InfoRequiredPerk::PerkStream, MeasureRequiredPerk(nullptr, perk),
                            [&](Stream& out) { WriteRequiredPerk(out, perk, true); });
        if (whole)
            return;
    }
    // Without what follows its "}": the writer adds the separator and the line end.
    perk.PreservedBlock = KeptEntryText(text, span);
    if (span.unclosed == 0)
        perk.PreservedBlock.resize(span.close + 1 - span.begin);
    while (!perk.PreservedBlock.empty() &&
           (perk.PreservedBlock.back() == '\n' || perk.PreservedBlock.back() == '\r'))
        perk.PreservedBlock.pop_back();
}

} // namespace VaskEdit
