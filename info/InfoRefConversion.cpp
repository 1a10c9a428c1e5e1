#include "info/InfoRefConversion.h"
#include "engine/String.h"

namespace VaskEdit {

namespace {
template <std::size_t N> std::string T(const TesselEngine::FixedText<N>& text) {
    return text.Str();
}
} // namespace

InfoCommandRef MakeCommandRef(const InfoCommand& c) {
    InfoCommandRef entry{T(c.Command), T(c.Version), T(c.Entity1),    T(c.Entity2),   T(c.Entity3),
                         T(c.ID1),     T(c.ID2),     T(c.ID3),        T(c.LocString), T(c.Text),
                         c.UseValues,  {},           c.PreservedBlock};
    if (c.UseValues) {
        for (std::size_t k = 0; k < entry.Value.size(); ++k)
            entry.Value[k] = T(c.Value[k]);
    }
    return entry;
}

InfoConditionRef MakeConditionRef(const InfoCondition& c) {
    return {T(c.Condition), T(c.Version), T(c.Entity1), T(c.Entity2),   T(c.ID1),
            T(c.ID2),       T(c.ID3),     T(c.ID4),     T(c.LocString), c.PreservedBlock};
}

InfoRequiredPerkRef MakePerkRef(const InfoRequiredPerk& perk) {
    return {T(perk.Perk), T(perk.Value), T(perk.InvertTest), perk.PreservedBlock};
}

void StoreCommandRef(const InfoCommandRef& entry, InfoCommand& command) {
    command.SetCommand(entry.Command.c_str());
    command.SetEntity1(entry.Entity1.c_str());
    command.SetEntity2(entry.Entity2.c_str());
    command.SetEntity3(entry.Entity3.c_str());
    command.SetID1(entry.ID1.c_str());
    command.SetID2(entry.ID2.c_str());
    command.SetID3(entry.ID3.c_str());
    command.SetLocString(entry.LocString.c_str());
    command.SetText(entry.Text.c_str());
    if (entry.UseValues) {
        command.UseValues = true;
        for (std::uint32_t k = 0; k < entry.Value.size(); ++k)
            command.SetValue(entry.Value[k].c_str(), k);
    }
    command.PreservedBlock = entry.PreservedBlock;
}

void StoreConditionRef(const InfoConditionRef& entry, InfoCondition& condition) {
    condition.SetCondition(entry.Condition.c_str());
    condition.SetEntity1(entry.Entity1.c_str());
    condition.SetEntity2(entry.Entity2.c_str());
    condition.SetID1(entry.ID1.c_str());
    condition.SetID2(entry.ID2.c_str());
    condition.SetID3(entry.ID3.c_str());
    condition.SetID4(entry.ID4.c_str());
    condition.SetLocString(entry.LocString.c_str());
    condition.PreservedBlock = entry.PreservedBlock;
}

void StorePerkRef(const InfoRequiredPerkRef& entry, InfoRequiredPerk& perk) {
    perk.SetPerk(entry.Perk.c_str());
    perk.SetValue(entry.Value.c_str());
    perk.SetInvertTest(entry.InvertTest.c_str());
    perk.PreservedBlock = entry.PreservedBlock;
}

InfoRef MakeInfoRef(const VaskInfo& info) {
    InfoRef copy;
    copy.Name = T(info.Name);
    copy.MainSortID = T(info.MainSortID);
    copy.SortID = T(info.SortID);
    copy.Owner = T(info.Owner);
    copy.Partner = T(info.Partner);
    copy.InfoGiven = T(info.InfoGiven);
    copy.LastExecutionTimestamp = T(info.LastExecutionTimestamp);
    copy.Parent = T(info.Parent);
    copy.Quest = T(info.Quest);
    copy.ConditionType = T(info.ConditionType);
    copy.InfoType = T(info.InfoType);
    copy.GameModeType = T(info.GameModeType);
    copy.GoldCost = T(info.GoldCost);
    copy.GoldCostScript = T(info.GoldCostScript);
    copy.GoldCostItem = T(info.GoldCostItem);
    copy.DialogPartnerAutoPositioningEnabled = T(info.DialogPartnerAutoPositioningEnabled);
    copy.ClearChildren = T(info.ClearChildren);
    copy.Permanent = T(info.Permanent);
    copy.CurrentInfoCommandIndex = T(info.CurrentInfoCommandIndex);
    copy.InfoIsRunnig = T(info.InfoIsRunnig);
    copy.StartChapter = T(info.StartChapter);
    copy.EndChapter = T(info.EndChapter);
    copy.CommentGivenCmdIndex = T(info.CommentGivenCmdIndex);
    copy.SmalltalkPartner = T(info.SmalltalkPartner);
    copy.SmalltalkGivenCmdIndex = T(info.SmalltalkGivenCmdIndex);
    copy.SmalltalkRewind = T(info.SmalltalkRewind);
    copy.SmalltalkInnerRange = T(info.SmalltalkInnerRange);
    copy.SmalltalkInnerRangeTestWithLOS = T(info.SmalltalkInnerRangeTestWithLOS);
    copy.SmalltalkOuterRange = T(info.SmalltalkOuterRange);
    copy.SmalltalkExitRoutineName = T(info.SmalltalkExitRoutineName);
    copy.SmalltalkPartnerExitRoutineName = T(info.SmalltalkPartnerExitRoutineName);
    for (const auto& perk : info.RequiredPerks)
        copy.RequiredPerks.push_back(MakePerkRef(perk));
    for (const auto& command : info.InfoCommands)
        copy.InfoCommands.push_back(MakeCommandRef(command));
    for (const auto& condition : info.InfoConditions)
        copy.InfoConditions.push_back(MakeConditionRef(condition));
    return copy;
}

void StoreInfoRef(const InfoRef& copy, VaskInfo& record, bool passOnHiddenMembers) {
    record.SetOwner(copy.Owner.c_str());
    record.SetPartner(copy.Partner.c_str());
    record.SetMainSortID(copy.MainSortID.c_str());
    record.SetSortID(copy.SortID.c_str());
    record.SetParent(copy.Parent.c_str());
    record.SetClearChildren(copy.ClearChildren.c_str());
    record.SetPermanent(copy.Permanent.c_str());
    record.SetStartChapter(copy.StartChapter.c_str());
    record.SetEndChapter(copy.EndChapter.c_str());
    record.SetQuest(copy.Quest.c_str());
    record.SetConditionType(copy.ConditionType.c_str());
    record.SetInfoType(copy.InfoType.c_str());
    record.SetGameModeType(copy.GameModeType.c_str());
    record.SetGoldCost(copy.GoldCost.c_str());
    record.SetGoldCostItem(copy.GoldCostItem.c_str());
    record.SetGoldCostScript(copy.GoldCostScript.c_str());
    record.SetSmalltalkPartner(copy.SmalltalkPartner.c_str());
    record.SetSmalltalkExitRoutineName(copy.SmalltalkExitRoutineName.c_str());
    record.SetSmalltalkPartnerExitRoutineName(copy.SmalltalkPartnerExitRoutineName.c_str());
    record.SetSmalltalkInnerRange(copy.SmalltalkInnerRange.c_str());
    record.SetSmalltalkOuterRange(copy.SmalltalkOuterRange.c_str());
    record.SetSmalltalkInnerRangeTestWithLOS(copy.SmalltalkInnerRangeTestWithLOS.c_str());
    record.SetSmalltalkRewind(copy.SmalltalkRewind.c_str());
    record.SetInfoGiven(copy.InfoGiven.c_str());
    record.SetDialogPartnerAutoPositioningEnabled(copy.DialogPartnerAutoPositioningEnabled.c_str());
    if (passOnHiddenMembers) {
        TesselEngine::SetMember(record.LastExecutionTimestamp, copy.LastExecutionTimestamp.c_str());
        TesselEngine::SetMember(record.CurrentInfoCommandIndex,
                                copy.CurrentInfoCommandIndex.c_str());
        TesselEngine::SetMember(record.InfoIsRunnig, copy.InfoIsRunnig.c_str());
        TesselEngine::SetMember(record.CommentGivenCmdIndex, copy.CommentGivenCmdIndex.c_str());
        TesselEngine::SetMember(record.SmalltalkGivenCmdIndex, copy.SmalltalkGivenCmdIndex.c_str());
    }
    for (const auto& entry : copy.RequiredPerks)
        StorePerkRef(entry, record.RequiredPerks[record.AddRequiredPerk()]);
    for (const auto& entry : copy.InfoCommands)
        StoreCommandRef(entry, record.InfoCommands[record.AddCommand()]);
    for (const auto& entry : copy.InfoConditions)
        StoreConditionRef(entry, record.InfoConditions[record.AddCondition()]);
}

} // namespace VaskEdit
