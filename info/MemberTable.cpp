#include "info/MemberTable.h"

#include <type_traits>
#include <utility>

namespace VaskEdit {

namespace {
using G = MemberGroup;
using F = FieldKind;
constexpr bool Unquote = true;
constexpr bool Keep = false;
constexpr std::string_view Guid = "{00000000-0000-0000-0000-000000000000}";

// A member whose read and write keys are one text.
constexpr InfoMember Row(std::string_view name, G group, std::string_view key, bool unquote,
                         MemberText record, std::string InfoMembers::*copy,
                         std::string_view initial, std::string_view label, F field,
                         std::string_view fresh = {}, const ChoiceList* choices = nullptr) {
    return {name, group, key, key, unquote, record, copy, initial, label, field, fresh, choices};
}

using V = VaskInfo;
using R = InfoMembers;

// In file order. The name stands twice in the file, behind the template's two leading
// blanks (its write key) and as the member "bCString Name " (its read key, which the
// writer fills too); the reader takes the first quoted text instead.
constexpr InfoMember Table[] = {
    {"Name",
     G::Name,
     "bCString Name ",
     "  ",
     Unquote,
     &V::Name,
     &R::Name,
     "",
     "InfoName",
     F::Text,
     {},
     nullptr},
    Row("MainSortID", G::Head, "MainSortID", Keep, &V::MainSortID, &R::MainSortID, "", "MainSortID",
        F::Number, "0"),
    {"SortID", G::Head, " SortID", "int SortID ", Keep, &V::SortID, &R::SortID, "", "SortID",
     F::Number, "0", nullptr},
    Row("Owner", G::Head, "bCString Owner", Unquote, &V::Owner, &R::Owner, "", "Owner", F::Text),
    Row("Partner", G::Head, "Proxy Partner", Unquote, &V::Partner, &R::Partner, "", "Partner",
        F::Text),
    Row("InfoGiven", G::Head, "InfoGiven ", Keep, &V::InfoGiven, &R::InfoGiven, "False",
        "InfoGiven", F::Check),
    Row("LastExecutionTimestamp", G::Head, "ExecutionTimes", Keep, &V::LastExecutionTimestamp,
        &R::LastExecutionTimestamp, "-1", "", F::None),
    Row("Parent", G::Head, "bCString Parent", Unquote, &V::Parent, &R::Parent, "", "ParentInfo",
        F::Text),
    Row("Quest", G::Head, "Proxy Quest", Unquote, &V::Quest, &R::Quest, "", "Quest", F::Text),
    Row("ConditionType", G::Head, "gEInfoCondType", Keep, &V::ConditionType, &R::ConditionType, "",
        "ConditionType", F::Choice, "gEInfoCondType_General", ChoicesOf(Enumeration::InfoCondType)),
    Row("InfoType", G::Head, "gEInfoType", Keep, &V::InfoType, &R::InfoType, "", "InfoType",
        F::Choice, "gEInfoType_Info", ChoicesOf(Enumeration::InfoType)),
    Row("GameModeType", G::Head, "GameModeType", Keep, &V::GameModeType, &R::GameModeType, "",
        "GameModeType", F::Choice, "gEInfoGameModeType_Normal",
        ChoicesOf(Enumeration::InfoGameModeType)),
    // Read with its blank: without it the key matches GoldCostScript and GoldCostItem as
    // well, and a file without the member's line would give it their value.
    {"GoldCost", G::Head, "GoldCost ", "GoldCost", Keep, &V::GoldCost, &R::GoldCost, "", "GoldCost",
     F::Number, "0", nullptr},
    Row("GoldCostScript", G::Head, "GoldCostScript", Unquote, &V::GoldCostScript,
        &R::GoldCostScript, "", "GoldCostScript", F::Text),
    Row("GoldCostItem", G::Head, "GoldCostItem", Keep, &V::GoldCostItem, &R::GoldCostItem, "",
        "GoldCostItem", F::Guid, Guid),
    Row("DialogPartnerAutoPositioningEnabled", G::Tail, "AutoPositioning", Keep,
        &V::DialogPartnerAutoPositioningEnabled, &R::DialogPartnerAutoPositioningEnabled, "True",
        "DialogPartnerAutoPositioningEnabled", F::Check),
    Row("ClearChildren", G::Tail, "ClearChildren", Keep, &V::ClearChildren, &R::ClearChildren, "",
        "ClearChildren", F::Check),
    Row("Permanent", G::Tail, "Permanent", Keep, &V::Permanent, &R::Permanent, "", "Permanent",
        F::Check),
    Row("CurrentInfoCommandIndex", G::Tail, "CommandIndex", Keep, &V::CurrentInfoCommandIndex,
        &R::CurrentInfoCommandIndex, "0", "", F::None),
    Row("InfoIsRunnig", G::Tail, "InfoIsRunnig", Keep, &V::InfoIsRunnig, &R::InfoIsRunnig, "False",
        "", F::None),
    Row("StartChapter", G::Tail, "StartChapter", Keep, &V::StartChapter, &R::StartChapter, "",
        "StartChapter", F::Number, "-1"),
    Row("EndChapter", G::Tail, "EndChapter", Keep, &V::EndChapter, &R::EndChapter, "", "EndChapter",
        F::Number, "-1"),
    Row("CommentGivenCmdIndex", G::Tail, "GivenCmdIndex", Keep, &V::CommentGivenCmdIndex,
        &R::CommentGivenCmdIndex, "0", "", F::None),
    // The blank keeps the key from matching "talkPartnerExit".
    Row("SmalltalkPartner", G::Tail, "talkPartner ", Unquote, &V::SmalltalkPartner,
        &R::SmalltalkPartner, "", "SmallTalkPartner", F::Text),
    Row("SmalltalkGivenCmdIndex", G::Tail, "talkGivenCmd", Keep, &V::SmalltalkGivenCmdIndex,
        &R::SmalltalkGivenCmdIndex, "-1", "", F::None),
    Row("SmalltalkRewind", G::Tail, "SmalltalkRewind", Keep, &V::SmalltalkRewind,
        &R::SmalltalkRewind, "", "Rewind", F::Check),
    Row("SmalltalkInnerRange", G::Tail, "talkInnerRange", Keep, &V::SmalltalkInnerRange,
        &R::SmalltalkInnerRange, "", "InnerRange", F::Number, "600"),
    Row("SmalltalkInnerRangeTestWithLOS", G::Tail, "TestWithLOS", Keep,
        &V::SmalltalkInnerRangeTestWithLOS, &R::SmalltalkInnerRangeTestWithLOS, "", "TestWithLOS",
        F::Check),
    Row("SmalltalkOuterRange", G::Tail, "talkOuterRange", Keep, &V::SmalltalkOuterRange,
        &R::SmalltalkOuterRange, "", "OuterRange", F::Number, "1200"),
    Row("SmalltalkExitRoutineName", G::Tail, "talkExitR", Unquote, &V::SmalltalkExitRoutineName,
        &R::SmalltalkExitRoutineName, "", "ExitRoutineName", F::Text),
    Row("SmalltalkPartnerExitRoutineName", G::Tail, "talkPartnerExit", Unquote,
        &V::SmalltalkPartnerExitRoutineName, &R::SmalltalkPartnerExitRoutineName, "",
        "PartnerExitRoutineName", F::Text),
};
} // namespace

std::span<const InfoMember> InfoMemberTable() {
    return Table;
}

std::size_t Capacity(const InfoMember& member) {
    return std::visit(
        [](auto field) {
            return std::remove_cvref_t<decltype(std::declval<VaskInfo&>().*field)>::Capacity;
        },
        member.record);
}

std::string_view TextOf(const VaskInfo& info, const InfoMember& member) {
    return std::visit([&](auto field) { return (info.*field).View(); }, member.record);
}

void SetText(VaskInfo& info, const InfoMember& member, std::string_view text) {
    std::visit([&](auto field) { (info.*field).Assign(text.data(), text.size()); }, member.record);
}

} // namespace VaskEdit
