// Reading one entry of an info's lists into its record. The entry's members are searched
// inside its braces only. An entry that its type's template cannot write back without
// losing some of its text (another version, an annotation, a value longer than its slot,
// a member the type does not know, a block inside it), and an entry of a type without a
// class, keeps its whole text, which saving writes back unchanged.
#pragma once

#include "info/InfoCondition.h"
#include "info/ListLayout.h"

#include <string>
#include <string_view>

namespace VaskEdit {

// For InfoCommand and InfoCondition.
template <typename Record>
void ReadEntry(std::string_view text, const EntrySpan& span, Record& record);
void ReadPerkEntry(std::string_view text, const EntrySpan& span, InfoRequiredPerk& perk);

// The entry that stands at or after the stream's position, as the readers of single
// blocks take it: false when none follows before the end or a closing bracket; otherwise
// the entry is read and the position moves past it.
template <typename Record, typename Read>
bool ReadNextEntry(Stream& source, Record& record, Read read) {
    const std::string_view text(source.GetBuffer(), source.GetSize());
    const std::uint32_t from =
        source.GetPosition() < source.GetSize() ? source.GetPosition() : source.GetSize();
    const auto entry = NextEntry(text, from, source.GetSize());
    if (!entry)
        return false;
    read(text, *entry, record);
    source.SetPosition(entry->end);
    return true;
}

// The text that a kept entry writes back: the entry's text, and for an entry whose
// braces never close, a closing line for each, so that the file stays readable.
std::string KeptEntryText(std::string_view text, const EntrySpan& span);

} // namespace VaskEdit
