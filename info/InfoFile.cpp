// Reading and writing the info file: the lists found by their structure, members by
// key; writing fills the info template and the block templates.
#include "engine/Failure.h"
#include "engine/File.h"
#include "engine/Member.h"
#include "info/InfoFileName.h"
#include "info/InfoRegions.h"
#include "info/ListEntries.h"
#include "info/MemberTable.h"
#include "info/RegionMembers.h"
#include "info/ValueShape.h"
#include "info/VaskInfo.h"

#include <algorithm>
#include <variant>

namespace VaskEdit {

namespace {
const Char16 PerkListOpener("iredPerks = [\r\n");
const Char16 PerkListCloser("];\r\n");
const Char16 CommandListOpener("nfoCommands {\r\n");
const Char16 ConditionListOpener("oConditions {\r\n");

// Reads a group of members inside its region; a member the region lacks keeps its value.
void ReadGroup(std::string_view region, VaskInfo& info, MemberGroup group) {
    RegionMembers members(region);
    for (const InfoMember& member : InfoMemberTable()) {
        if (member.group != group)
            continue;
        std::visit(
            [&](auto field) { members.Read(info.*field, Char16(member.readKey), member.unquote); },
            member.record);
    }
}

// Copies the template up to the line of the key's placeholder and passes over that line:
// a member the record holds no readable value for is left out rather than written as
// "= ;", which the game cannot read. A file without the member's line keeps it so.
void LeaveOutMember(Stream& output, Stream& cursor, const Char16& key) {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    if (!TesselEngine::Detail::LocatePlaceholder(cursor, key, &start, &end))
        return;
    const char* bytes = cursor.GetBuffer();
    std::uint32_t lineStart = end + 1;
    while (lineStart > start && bytes[lineStart - 1] != '\n')
        --lineStart;
    if (lineStart > start)
        TesselEngine::Detail::CopyTemplateRange(output, cursor, start, lineStart - 1);
    std::uint32_t next = cursor.GetPosition();
    while (next < cursor.GetSize() && bytes[next] != '\n')
        ++next;
    cursor.SetPosition(std::min(next + 1, cursor.GetSize()));
}

void WriteGroup(Stream& output, Stream& cursor, const VaskInfo& info, MemberGroup group) {
    for (const InfoMember& member : InfoMemberTable()) {
        if (member.group != group)
            continue;
        std::visit(
            [&](auto field) {
                // Quoted members hold text, which may be empty.
                if (!member.unquote && IsUnreadableValue((info.*field).View())) {
                    LeaveOutMember(output, cursor, Char16(member.writeKey));
                    return;
                }
                TesselEngine::WriteMember(output, cursor, info.*field, Char16(member.writeKey));
                if (group == MemberGroup::Name) // it stands twice
                    TesselEngine::WriteMember(output, cursor, info.*field, Char16(member.readKey));
            },
            member.record);
    }
}

bool LoadFile(const Char256& path, Stream& text) {
    TesselEngine::WinAPI::File file(path);
    return file.LoadWhole(text);
}
} // namespace

void VaskInfo::LoadFromStream(Stream& text) {
    const std::string_view all(text.GetBuffer(), text.GetSize());
    LoadFromText(all, FindInfoRegions(all));
}

void VaskInfo::LoadFromText(std::string_view all, const InfoRegions& regions) {
    // The token holds the name's quotes as well: read it whole, so that a name of the
    // full 48 characters keeps its last one.
    TesselEngine::Char64 quotedName;
    const std::string_view nameToken = regions.Name(all);
    quotedName.Assign(nameToken.data(), nameToken.size());
    TesselEngine::String::Remove(quotedName, '"');
    Name.Assign(quotedName.data, quotedName.Length());

    // The info's members are searched before and between the lists, never inside them.
    ReadGroup(regions.Head(all), *this, MemberGroup::Head);
    ReadGroup(regions.Tail(all), *this, MemberGroup::Tail);
    // Room for the entries at once: growing step by step would move the large records.
    RequiredPerks.Reserve(RequiredPerks.GetSize() +
                          static_cast<std::uint32_t>(regions.perks.size()));
    InfoCommands.Reserve(InfoCommands.GetSize() +
                         static_cast<std::uint32_t>(regions.commands.size()));
    InfoConditions.Reserve(InfoConditions.GetSize() +
                           static_cast<std::uint32_t>(regions.conditions.size()));
    for (const EntrySpan& entry : regions.perks) {
        InfoRequiredPerk perk;
        ReadPerkEntry(all, entry, perk);
        RequiredPerks.PushBack(std::move(perk));
    }
    for (const EntrySpan& entry : regions.commands) {
        InfoCommand command;
        ReadEntry(all, entry, command);
        InfoCommands.PushBack(std::move(command));
    }
    for (const EntrySpan& entry : regions.conditions) {
        InfoCondition condition;
        ReadEntry(all, entry, condition);
        InfoConditions.PushBack(std::move(condition));
    }
}

bool VaskInfo::LoadDataFromFile(const char* name) {
    const Char48 infoName(name);
    if (!IsValidInfoName(infoName.View())) {
        TesselEngine::SetFailure(TesselEngine::Operation::Read, InfoFilePath(infoName).Str(),
                                 TesselEngine::Cause::InvalidName);
        return false;
    }
    Stream text;
    const Char256 path = InfoFilePath(infoName);
    if (!LoadFile(path, text))
        return false;
    ReadFingerprint = TesselEngine::FingerprintOf(path.Str(), {text.GetBuffer(), text.GetSize()});
    LoadFromStream(text);
    return true;
}

bool VaskInfo::LoadFromAbsolutePath(const char* path) {
    Stream text;
    if (!LoadFile(Char256(path), text))
        return false;
    ReadFingerprint = TesselEngine::FingerprintOf(path, {text.GetBuffer(), text.GetSize()});
    LoadFromStream(text);
    return true;
}

std::uint32_t VaskInfo::GetTextSize() {
    std::uint64_t total = 0;
    for (const InfoMember& member : InfoMemberTable())
        total += TextOf(*this, member).size(); // the name once, although it is written twice
    for (const auto& perk : RequiredPerks)
        total += MeasureRequiredPerk(this, perk);
    for (auto& command : InfoCommands)
        total += MeasureCommand(this, command);
    for (auto& condition : InfoConditions)
        total += MeasureCondition(this, condition);
    return total > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(total);
}

bool VaskInfo::WriteToStream(Stream& output) {
    // Measuring also sets the type indexes that the block writers dispatch on.
    const std::uint64_t capacity = std::uint64_t{EmptyInfoStream.GetSize()} + GetTextSize();
    if (capacity == 0) {
        output.Free();
        return true; // no template and no values: an empty text
    }
    if (capacity > 0xFFFFFFFFull || !output.Allocate(static_cast<std::uint32_t>(capacity)))
        return false;
    // A cursor of its own: the template stays as it is, so that infos can be written on
    // several threads at once.
    Stream cursor = TesselEngine::TemplateCursor(EmptyInfoStream);
    WriteGroup(output, cursor, *this, MemberGroup::Name);
    WriteGroup(output, cursor, *this, MemberGroup::Head);
    TesselEngine::WriteThrough(output, cursor, PerkListOpener);
    const std::uint32_t perks = RequiredPerks.GetSize();
    for (std::uint32_t i = 0; i < perks; ++i)
        WriteRequiredPerk(output, RequiredPerks[i], i + 1 == perks);
    TesselEngine::WriteThrough(output, cursor, PerkListCloser);
    WriteGroup(output, cursor, *this, MemberGroup::Tail);
    TesselEngine::WriteThrough(output, cursor, CommandListOpener);
    for (auto& command : InfoCommands)
        WriteCommandBlock(output, command);
    TesselEngine::WriteThrough(output, cursor, ConditionListOpener);
    for (auto& condition : InfoConditions)
        WriteConditionBlock(output, condition);
    TesselEngine::WriteRest(output, cursor);
    output.TrimTrailingZeros();
    return true;
}

bool VaskInfo::WriteDataToFile() {
    using TesselEngine::Cause;
    const auto failed = [this](Cause cause) {
        TesselEngine::SetFailure(TesselEngine::Operation::Save, InfoFilePath(Name).Str(), cause);
        return false;
    };
    if (!IsValidInfoName(Name.View()))
        return failed(Cause::InvalidName);
    Stream output;
    if (!WriteToStream(output))
        return failed(Cause::TooLarge); // more text than one stream holds
    return TesselEngine::WinAPI::File(InfoFilePath(Name)).SaveWithBackup(output);
}

bool VaskInfo::LoadEmptyInfo(Char256 path) {
    return TesselEngine::LoadTemplate(path, EmptyInfoStream);
}

void VaskInfo::UnloadEmptyInfo() {
    EmptyInfoStream.Free();
}

} // namespace VaskEdit
