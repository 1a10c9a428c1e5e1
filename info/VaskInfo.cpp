#include "info/VaskInfo.h"
#include "engine/String.h"
#include "info/MemberTable.h"

namespace VaskEdit {

using TesselEngine::SetMember;

VaskInfo::VaskInfo() {
    for (const InfoMember& member : InfoMemberTable())
        SetText(*this, member, member.initial);
}

void VaskInfo::ReleaseLists() {
    InfoCommands.Deallocate();
    InfoConditions.Deallocate();
    RequiredPerks.Deallocate();
}

std::uint32_t VaskInfo::AddCommand() {
    InfoCommands.PushBack(InfoCommand{});
    return InfoCommands.GetSize() - 1;
}

std::uint32_t VaskInfo::AddCondition() {
    InfoConditions.PushBack(InfoCondition{});
    return InfoConditions.GetSize() - 1;
}

std::uint32_t VaskInfo::AddRequiredPerk() {
    RequiredPerks.PushBack(InfoRequiredPerk{});
    return RequiredPerks.GetSize() - 1;
}

void VaskInfo::SetMainSortID(const char* text) {
    SetMember(MainSortID, text);
}
void VaskInfo::SetSortID(const char* text) {
    SetMember(SortID, text);
}
void VaskInfo::SetOwner(const char* text) {
    SetMember(Owner, text);
}
void VaskInfo::SetPartner(const char* text) {
    SetMember(Partner, text);
}
void VaskInfo::SetInfoGiven(const char* text) {
    SetMember(InfoGiven, text);
}
void VaskInfo::SetParent(const char* text) {
    SetMember(Parent, text);
}
void VaskInfo::SetQuest(const char* text) {
    SetMember(Quest, text);
}
void VaskInfo::SetConditionType(const char* text) {
    SetMember(ConditionType, text);
}
void VaskInfo::SetInfoType(const char* text) {
    SetMember(InfoType, text);
}
void VaskInfo::SetGameModeType(const char* text) {
    SetMember(GameModeType, text);
}
void VaskInfo::SetGoldCost(const char* text) {
    SetMember(GoldCost, text);
}
void VaskInfo::SetGoldCostScript(const char* text) {
    SetMember(GoldCostScript, text);
}
void VaskInfo::SetGoldCostItem(const char* text) {
    SetMember(GoldCostItem, text);
}
void VaskInfo::SetDialogPartnerAutoPositioningEnabled(const char* text) {
    SetMember(DialogPartnerAutoPositioningEnabled, text);
}
void VaskInfo::SetClearChildren(const char* text) {
    SetMember(ClearChildren, text);
}
void VaskInfo::SetPermanent(const char* text) {
    SetMember(Permanent, text);
}
void VaskInfo::SetStartChapter(const char* text) {
    SetMember(StartChapter, text);
}
void VaskInfo::SetEndChapter(const char* text) {
    SetMember(EndChapter, text);
}
void VaskInfo::SetSmalltalkPartner(const char* text) {
    SetMember(SmalltalkPartner, text);
}
void VaskInfo::SetSmalltalkRewind(const char* text) {
    SetMember(SmalltalkRewind, text);
}
void VaskInfo::SetSmalltalkInnerRange(const char* text) {
    SetMember(SmalltalkInnerRange, text);
}
void VaskInfo::SetSmalltalkInnerRangeTestWithLOS(const char* text) {
    SetMember(SmalltalkInnerRangeTestWithLOS, text);
}
void VaskInfo::SetSmalltalkOuterRange(const char* text) {
    SetMember(SmalltalkOuterRange, text);
}
void VaskInfo::SetSmalltalkExitRoutineName(const char* text) {
    SetMember(SmalltalkExitRoutineName, text);
}
void VaskInfo::SetSmalltalkPartnerExitRoutineName(const char* text) {
    SetMember(SmalltalkPartnerExitRoutineName, text);
}

} // namespace VaskEdit
