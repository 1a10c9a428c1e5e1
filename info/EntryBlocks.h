// One reader and one writer for the blocks of commands and conditions (and the members
// of required perks), driven by the catalogue's parameters: a record's members are
// reached through its slots, its type through its short name.
#pragma once

#include "info/EntryTypes.h"
#include "info/InfoCondition.h"
#include "info/RegionMembers.h"

#include <span>

namespace VaskEdit {

// What the generic code needs to know of a record of a list entry.
template <typename Record> struct EntryRecord;
template <> struct EntryRecord<InfoCommand> {
    static constexpr EntryKind Kind = EntryKind::Command;
    static Char32& Name(InfoCommand& r) { return r.Command; }
    static const Char32& Name(const InfoCommand& r) { return r.Command; }
    static std::uint32_t& TypeIndex(InfoCommand& r) { return r.CommandTypeIndex; }
    static std::uint32_t TypeIndex(const InfoCommand& r) { return r.CommandTypeIndex; }
};
template <> struct EntryRecord<InfoCondition> {
    static constexpr EntryKind Kind = EntryKind::Condition;
    static Char32& Name(InfoCondition& r) { return r.Condition; }
    static const Char32& Name(const InfoCondition& r) { return r.Condition; }
    static std::uint32_t& TypeIndex(InfoCondition& r) { return r.ConditionTypeIndex; }
    static std::uint32_t TypeIndex(const InfoCondition& r) { return r.ConditionTypeIndex; }
};

// Reads the parameters into the record's slots; false when one is missing or a value does
// not fit its slot.
template <typename Record>
bool ReadParameters(std::span<const Parameter> parameters, RegionMembers& source, Record& record) {
    bool fits = true;
    for (const Parameter& parameter : parameters) {
        const Char16 key(parameter.readKey);
        fits = VisitSlot(
                   record, parameter.slot,
                   [&](auto& member) { return source.Read(member, key, !parameter.keepQuotes); },
                   true) &&
               fits;
    }
    return fits;
}

// Fills the template from the cursor with the record's slots at the parameters' write keys.
template <typename Record>
void WriteParameters(std::span<const Parameter> parameters, Stream& output, Stream& cursor,
                     const Record& record) {
    for (const Parameter& parameter : parameters) {
        const Char16 key(parameter.writeKey);
        VisitSlot(
            record, parameter.slot,
            [&](const auto& member) {
                TesselEngine::WriteMember(output, cursor, member, key);
                return true;
            },
            false);
    }
}

// Writes a block of the type from the record: its template with the slots filled in.
template <typename Record>
void WriteEntryMembers(const EntryType& type, Stream& output, const Record& record) {
    Stream cursor = TesselEngine::TemplateCursor(Template(type));
    WriteParameters(type.parameters, output, cursor, record);
    TesselEngine::WriteRest(output, cursor);
}

// The record's block: its kept text as it was read, or its type's template filled in;
// nothing for a record without either.
template <typename Record> bool WriteEntryBlock(Stream& output, const Record& record) {
    if (!record.PreservedBlock.empty())
        output.WriteData(record.PreservedBlock.data(),
                         static_cast<std::uint32_t>(record.PreservedBlock.size()));
    else if (const EntryType* type =
                 FindClassType(EntryRecord<Record>::Kind, EntryRecord<Record>::TypeIndex(record)))
        WriteEntryMembers(*type, output, record);
    return true;
}

// What the record can add to a writer's output; sets its type index from its name.
template <typename Record> std::uint32_t MeasureEntry(Record& record) {
    std::uint64_t total = EntryRecord<Record>::Name(record).Length() + record.Version.Length() +
                          record.PreservedBlock.size();
    for (int slot = 0; slot <= static_cast<int>(Slot::InvertTest); ++slot)
        total += VisitSlot(
            record, static_cast<Slot>(slot), [](const auto& member) { return member.Length(); },
            std::size_t{0});
    if (const EntryType* type =
            FindClassType(EntryRecord<Record>::Kind, EntryRecord<Record>::Name(record).View())) {
        EntryRecord<Record>::TypeIndex(record) = type->value;
        total += Template(*type).GetSize();
    }
    return total > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(total);
}

} // namespace VaskEdit
