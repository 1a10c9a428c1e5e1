// Reading and writing the info file: the lists found by their structure, members by
// key; writing fills the info template and the block templates.
#include "engine/Failure.h"
#include "engine/File.h"
#include "engine/Member.h"
#include "info/InfoFileName.h"
#include "info/ListEntries.h"
#include "info/RegionMembers.h"
#include "info/VaskInfo.h"

#include <algorithm>
#include <variant>

namespace VaskEdit {

namespace {
using MemberRef =
    std::variant<Char8 VaskInfo::*, Char16 VaskInfo::*, Char32 VaskInfo::*, Char48 VaskInfo::*>;

struct InfoMember {
    const char* writeKey;
    const char* readKey;
    MemberRef member;
    bool strip; // the reader removes double quotes
};

// Rows in file order. The first group stands before the perk list, the second
// between the perk list and the command list.
const InfoMember HeadMembers[] = {
    {"MainSortID", "MainSortID", &VaskInfo::MainSortID, false},
    {"int SortID ", " SortID", &VaskInfo::SortID, false},
    {"bCString Owner", "bCString Owner", &VaskInfo::Owner, true},
    {"Proxy Partner", "Proxy Partner", &VaskInfo::Partner, true},
    {"InfoGiven ", "InfoGiven ", &VaskInfo::InfoGiven, false},
    {"ExecutionTimes", "ExecutionTimes", &VaskInfo::LastExecutionTimestamp, false},
    {"bCString Parent", "bCString Parent", &VaskInfo::Parent, true},
    {"Proxy Quest", "Proxy Quest", &VaskInfo::Quest, true},
    {"gEInfoCondType", "gEInfoCondType", &VaskInfo::ConditionType, false},
    {"gEInfoType", "gEInfoType", &VaskInfo::InfoType, false},
    {"GameModeType", "GameModeType", &VaskInfo::GameModeType, false},
    {"GoldCost", "GoldCost", &VaskInfo::GoldCost, false},
    {"GoldCostScript", "GoldCostScript", &VaskInfo::GoldCostScript, true},
    {"GoldCostItem", "GoldCostItem", &VaskInfo::GoldCostItem, false},
};

const InfoMember TailMembers[] = {
    {"AutoPositioning", "AutoPositioning", &VaskInfo::DialogPartnerAutoPositioningEnabled, false},
    {"ClearChildren", "ClearChildren", &VaskInfo::ClearChildren, false},
    {"Permanent", "Permanent", &VaskInfo::Permanent, false},
    {"CommandIndex", "CommandIndex", &VaskInfo::CurrentInfoCommandIndex, false},
    {"InfoIsRunnig", "InfoIsRunnig", &VaskInfo::InfoIsRunnig, false},
    {"StartChapter", "StartChapter", &VaskInfo::StartChapter, false},
    {"EndChapter", "EndChapter", &VaskInfo::EndChapter, false},
    {"GivenCmdIndex", "GivenCmdIndex", &VaskInfo::CommentGivenCmdIndex, false},
    {"talkPartner ", "talkPartner ", &VaskInfo::SmalltalkPartner, true},
    {"talkGivenCmd", "talkGivenCmd", &VaskInfo::SmalltalkGivenCmdIndex, false},
    {"SmalltalkRewind", "SmalltalkRewind", &VaskInfo::SmalltalkRewind, false},
    {"talkInnerRange", "talkInnerRange", &VaskInfo::SmalltalkInnerRange, false},
    {"TestWithLOS", "TestWithLOS", &VaskInfo::SmalltalkInnerRangeTestWithLOS, false},
    {"talkOuterRange", "talkOuterRange", &VaskInfo::SmalltalkOuterRange, false},
    {"talkExitR", "talkExitR", &VaskInfo::SmalltalkExitRoutineName, true},
    {"talkPartnerExit", "talkPartnerExit", &VaskInfo::SmalltalkPartnerExitRoutineName, true},
};

const Char16 PerkListOpener("iredPerks = [\r\n");
const Char16 PerkListCloser("];\r\n");
const Char16 CommandListOpener("nfoCommands {\r\n");
const Char16 ConditionListOpener("oConditions {\r\n");

// Reads a group of members inside its region; a member the region lacks keeps its value.
template <typename Rows> void ReadRows(std::string_view region, VaskInfo& info, const Rows& rows) {
    RegionMembers members(region);
    for (const auto& row : rows)
        std::visit([&](auto member) { members.Read(info.*member, Char16(row.readKey), row.strip); },
                   row.member);
}

template <typename Rows> void WriteRows(Stream& output, VaskInfo& info, const Rows& rows) {
    for (const auto& row : rows)
        std::visit(
            [&](auto member) {
                TesselEngine::WriteMember(output, VaskInfo::EmptyInfoStream, info.*member,
                                          Char16(row.writeKey));
            },
            row.member);
}

bool LoadFile(const Char256& path, Stream& text) {
    TesselEngine::WinAPI::File file(path);
    if (!file.OpenRead())
        return false;
    const bool read = file.ReadStream(text);
    file.Close();
    return read;
}
} // namespace

void VaskInfo::LoadFromStream(Stream& text) {
    text.Reset();
    text.SkipTo('"');
    // The token holds the name's quotes as well: read it whole, so that a name of the
    // full 48 characters keeps its last one.
    TesselEngine::Char64 quotedName;
    text.ReadToken(quotedName);
    TesselEngine::String::Remove(quotedName, '"');
    Name.Assign(quotedName.data, quotedName.Length());

    // The lists are found by their structure; the info's members are searched before and
    // between them, never inside them.
    const std::string_view all(text.GetBuffer(), text.GetSize());
    const auto size = static_cast<std::uint32_t>(all.size());
    const InfoLists lists = FindInfoLists(all);
    const std::uint32_t afterName = std::min(text.GetPosition(), size);
    const std::uint32_t commandsAt = lists.commands.found     ? lists.commands.head
                                     : lists.conditions.found ? lists.conditions.head
                                                              : size;
    const std::uint32_t headEnd = lists.perks.found ? lists.perks.head : commandsAt;
    std::vector<EntrySpan> perks;
    if (lists.perks.found)
        perks = CutEntries(all, lists.perks.body, lists.perks.closer);
    // Members follow the perk list; when its closer is missing, they follow its last entry.
    std::uint32_t tailStart = afterName;
    if (lists.perks.closed)
        tailStart = lists.perks.end;
    else if (lists.perks.found)
        tailStart = perks.empty() ? lists.perks.body : perks.back().end;
    ReadRows(all.substr(afterName, std::max(headEnd, afterName) - afterName), *this, HeadMembers);
    ReadRows(all.substr(tailStart, std::max(commandsAt, tailStart) - tailStart), *this,
             TailMembers);

    for (const EntrySpan& entry : perks) {
        InfoRequiredPerk perk;
        ReadPerkEntry(all, entry, perk);
        RequiredPerks.PushBack(std::move(perk));
    }
    if (lists.commands.found) {
        for (const EntrySpan& entry : CutEntries(all, lists.commands.body, lists.commands.closer)) {
            InfoCommand command;
            ReadCommandEntry(all, entry, command);
            InfoCommands.PushBack(std::move(command));
        }
    }
    if (lists.conditions.found) {
        for (const EntrySpan& entry :
             CutEntries(all, lists.conditions.body, lists.conditions.closer)) {
            InfoCondition condition;
            ReadConditionEntry(all, entry, condition);
            InfoConditions.PushBack(std::move(condition));
        }
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
    if (!LoadFile(InfoFilePath(infoName), text))
        return false;
    LoadFromStream(text);
    return true;
}

bool VaskInfo::LoadFromAbsolutePath(const char* path) {
    Stream text;
    if (!LoadFile(Char256(path), text))
        return false;
    LoadFromStream(text);
    return true;
}

std::uint32_t VaskInfo::GetTextSize() {
    std::uint64_t total = 0;
    auto add = [&](const auto& rows) {
        for (const auto& row : rows)
            std::visit([&](auto member) { total += (this->*member).Length(); }, row.member);
    };
    total += Name.Length();
    add(HeadMembers);
    add(TailMembers);
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
    Stream& templ = EmptyInfoStream;
    templ.Reset();
    TesselEngine::WriteMember(output, templ, Name, Char16("  "));
    TesselEngine::WriteMember(output, templ, Name, Char16("bCString Name "));
    WriteRows(output, *this, HeadMembers);
    TesselEngine::WriteThrough(output, templ, PerkListOpener);
    const std::uint32_t perks = RequiredPerks.GetSize();
    for (std::uint32_t i = 0; i < perks; ++i)
        WriteRequiredPerk(output, RequiredPerks[i], i + 1 == perks);
    TesselEngine::WriteThrough(output, templ, PerkListCloser);
    WriteRows(output, *this, TailMembers);
    TesselEngine::WriteThrough(output, templ, CommandListOpener);
    for (auto& command : InfoCommands)
        WriteCommandBlock(output, command);
    TesselEngine::WriteThrough(output, templ, ConditionListOpener);
    for (auto& condition : InfoConditions)
        WriteConditionBlock(output, condition);
    TesselEngine::WriteRest(output, templ);
    templ.Reset();
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
