#include "info/InfoRefConversion.h"
#include "engine/String.h"
#include "info/MemberTable.h"

namespace VaskEdit {

namespace {
template <std::size_t N> void Assign(std::string& to, const TesselEngine::FixedText<N>& from) {
    to = from.Str();
}
// As the record setters store a text.
template <std::size_t N> void Assign(TesselEngine::FixedText<N>& to, const std::string& from) {
    TesselEngine::SetMember(to, from.c_str());
}

// Copies the text of every slot that both entries have; a command's values only when
// values is set.
template <typename To, typename From> void CopySlots(To& to, const From& from, bool values) {
    for (int i = 0; i <= static_cast<int>(Slot::InvertTest); ++i) {
        const auto slot = static_cast<Slot>(i);
        if (!values && CommandValueIndex(slot) >= 0)
            continue;
        VisitSlot(
            to, slot,
            [&](auto& target) {
                return VisitSlot(
                    from, slot,
                    [&](const auto& source) {
                        Assign(target, source);
                        return true;
                    },
                    false);
            },
            false);
    }
}
} // namespace

InfoCommandRef MakeCommandRef(const InfoCommand& c) {
    InfoCommandRef entry;
    Assign(entry.Command, c.Command);
    Assign(entry.Version, c.Version);
    CopySlots(entry, c, c.UseValues);
    entry.UseValues = c.UseValues;
    entry.PreservedBlock = c.PreservedBlock;
    return entry;
}

InfoConditionRef MakeConditionRef(const InfoCondition& c) {
    InfoConditionRef entry;
    Assign(entry.Condition, c.Condition);
    Assign(entry.Version, c.Version);
    CopySlots(entry, c, false);
    entry.PreservedBlock = c.PreservedBlock;
    return entry;
}

InfoRequiredPerkRef MakePerkRef(const InfoRequiredPerk& perk) {
    InfoRequiredPerkRef entry;
    CopySlots(entry, perk, false);
    entry.PreservedBlock = perk.PreservedBlock;
    return entry;
}

void StoreCommandRef(const InfoCommandRef& entry, InfoCommand& command) {
    command.SetCommand(entry.Command.c_str());
    CopySlots(command, entry, entry.UseValues);
    if (entry.UseValues)
        command.UseValues = true;
    command.PreservedBlock = entry.PreservedBlock;
}

void StoreConditionRef(const InfoConditionRef& entry, InfoCondition& condition) {
    condition.SetCondition(entry.Condition.c_str());
    CopySlots(condition, entry, false);
    condition.PreservedBlock = entry.PreservedBlock;
}

void StorePerkRef(const InfoRequiredPerkRef& entry, InfoRequiredPerk& perk) {
    CopySlots(perk, entry, false);
    perk.PreservedBlock = entry.PreservedBlock;
}

InfoRef MakeInfoRef(const VaskInfo& info) {
    InfoRef copy;
    for (const InfoMember& member : InfoMemberTable())
        copy.*member.copy = std::string(TextOf(info, member));
    for (const auto& perk : info.RequiredPerks)
        copy.RequiredPerks.push_back(MakePerkRef(perk));
    for (const auto& command : info.InfoCommands)
        copy.InfoCommands.push_back(MakeCommandRef(command));
    for (const auto& condition : info.InfoConditions)
        copy.InfoConditions.push_back(MakeConditionRef(condition));
    return copy;
}

void StoreInfoRef(const InfoRef& copy, VaskInfo& record, bool passOnHiddenMembers) {
    for (const InfoMember& member : InfoMemberTable()) {
        // The record has its name already; the members no field shows only when passed on.
        if (member.group == MemberGroup::Name ||
            (member.field == FieldKind::None && !passOnHiddenMembers))
            continue;
        SetText(record, member, std::string_view((copy.*member.copy).c_str()));
    }
    for (const auto& entry : copy.RequiredPerks)
        StorePerkRef(entry, record.RequiredPerks[record.AddRequiredPerk()]);
    for (const auto& entry : copy.InfoCommands)
        StoreCommandRef(entry, record.InfoCommands[record.AddCommand()]);
    for (const auto& entry : copy.InfoConditions)
        StoreConditionRef(entry, record.InfoConditions[record.AddCondition()]);
}

} // namespace VaskEdit
