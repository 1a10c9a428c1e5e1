#include "info/EntryTypes.h"

#include <array>
#include <iterator>

namespace VaskEdit {

namespace {
using S = Slot;
using E = Enumeration;

// ---------------------------------------------------------------------------------
// Parameters: a row, then the member's keys in the file. The reader keeps the double
// quotes of every value but a text's unless said otherwise.

constexpr Parameter Row(std::string_view label, std::string_view tag, RowKind kind, Slot slot,
                        const ChoiceList* choices = nullptr) {
    return {label, tag, kind, slot, choices, {}, {}, kind != RowKind::Text};
}
constexpr Parameter Text(std::string_view label, std::string_view tag, Slot slot) {
    return Row(label, tag, RowKind::Text, slot);
}
constexpr Parameter Number(std::string_view label, std::string_view tag, Slot slot) {
    return Row(label, tag, RowKind::Number, slot);
}
constexpr Parameter Decimal(std::string_view label, std::string_view tag, Slot slot) {
    return Row(label, tag, RowKind::Decimal, slot);
}
constexpr Parameter TemplateId(std::string_view label, Slot slot) {
    return Row(label, "[ eCTemplateEntityProxy ]", RowKind::TemplateId, slot);
}
constexpr Parameter YesNo(std::string_view label, std::string_view tag, Slot slot) {
    return Row(label, tag, RowKind::YesNo, slot, &YesNoList);
}
constexpr Parameter Choice(std::string_view label, std::string_view tag, Enumeration list,
                           Slot slot) {
    return Row(label, tag, RowKind::Choice, slot, ChoicesOf(list));
}

constexpr std::string_view BCString = "[ bCString ]";
constexpr std::string_view Int = "[ int ]";
constexpr std::string_view UnsignedInt = "[ unsigned int ]";
constexpr std::string_view Float = "[ float ]";
constexpr std::string_view Bool = "[ bool ]";
constexpr std::string_view QuestProxy = "[ gCQuestProxy ]";
constexpr std::string_view ScriptProxy = "[ eCScriptProxyScript ]";
constexpr std::string_view EntityStringProxy = "[ eCEntityStringProxy ]";
constexpr std::string_view InfoLocString = "[ gCInfoLocString ]";

// ---------------------------------------------------------------------------------
// Command types

constexpr Parameter AddCrewMemberParameters[] = {
    Text("NPC", BCString, S::ID1).At("bCString NPC "),
};

constexpr Parameter AddInfoSystemEndScriptParameters[] = {
    Text("Script", ScriptProxy, S::ID1).At("xyScript Script"),
    Text("Self", BCString, S::Entity1).At("String Self "),
    Text("Other", BCString, S::Entity2).At("String Other "),
    Number("Param", Int, S::ID2).At("Param "),
};

constexpr Parameter AddLogTextParameters[] = {
    Text("Text", "[ gCQuestDescLocString ]", S::LocString).At("LocString Text"),
    Text("Quest", QuestProxy, S::ID1).At("Proxy Quest "),
};

constexpr Parameter QuestActorParameters[] = {
    Text("Quest", QuestProxy, S::Entity1).At("Proxy Quest "),
    Text("Actor", EntityStringProxy, S::ID1).At("ringProxy Actor"),
    Choice("ActorType", "[ gEQuestActor ]", E::QuestActor, S::ID2).At(" ActorType "),
};

constexpr Parameter AttackParameters[] = {
    Text("Entity1", BCString, S::Entity1).At("String Entity1"),
    Text("Entity2", BCString, S::Entity2).At("String Entity2"),
    Text("Reason", BCString, S::ID1).At("String Reason"),
    Text("ExecutionScript", ScriptProxy, S::ID2).At("ExecutionScript"),
};

constexpr Parameter ClearGameEventParameters[] = {
    Text("GameEvent", BCString, S::ID1).At("String GameEven"),
};

constexpr Parameter QuestParameters[] = {
    Text("Quest", QuestProxy, S::ID1).At("Proxy Quest "),
};

constexpr Parameter CreateItemParameters[] = {
    Text("Entity1", BCString, S::Entity1).At("String Entity1"),
    TemplateId("Item", S::ID1).At("EntityProxy Item"),
    Number("Amount", UnsignedInt, S::ID2).At(" int Amount "),
    YesNo("ResetRansacked", Bool, S::Value0).At("ResetRansacked"),
    YesNo("OnScreenLog", Bool, S::Value1).At("OnScreenLog"),
};

constexpr Parameter DescriptionParameters[] = {
    Text("Text", "[ gCInfoDescLocString ]", S::LocString).At("LocString Text"),
};

constexpr Parameter DestroyItemParameters[] = {
    Text("Entity1", BCString, S::Entity1).At("String Entity1"),
    TemplateId("Item", S::ID1).At("EntityProxy Item"),
    Number("Amount", UnsignedInt, S::ID2).At(" int Amount "),
};

constexpr Parameter GiveParameters[] = {
    Text("Entity1", BCString, S::Entity1).At("String Entity1"),
    Text("Entity2", BCString, S::Entity2).At("String Entity2"),
    TemplateId("Item", S::ID1).At("EntityProxy Ite"),
    Number("Amount", UnsignedInt, S::ID2).At(" int Amount "),
    YesNo("ShowNPCAmount", Bool, S::ID3).At("ShowNPCAmount "),
    YesNo("ForceNormalStack", Bool, S::Entity3).At("StackForCommon"),
};

constexpr Parameter GiveXPParameters[] = {
    Number("Amount", UnsignedInt, S::ID1).At("int Amount ").QuotesRemoved(),
};

constexpr Parameter InfoWaitParameters[] = {
    Number("Time", UnsignedInt, S::ID1).At("igned int Time "),
};

constexpr Parameter NpcParameters[] = {
    Text("NPC", BCString, S::ID1).At("bCString NPC "),
};

constexpr Parameter PlayJingleParameters[] = {
    Text("Jingle", BCString, S::ID1).At("bCString Jingle"),
    YesNo("PlayAsMusic", Bool, S::ID2).At("PlayAsMusic "),
};

constexpr Parameter RunAIScriptParameters[] = {
    Text("AIScript", "[ gCScriptProxyAIFunction ]", S::ID1).At("nction AIScript"),
    Text("Self", BCString, S::Entity1).At("bCString Self"),
    Text("Other", BCString, S::Entity2).At("bCString Other"),
    Number("Param", Int, S::ID2).At(" Param "),
};

constexpr Parameter RunScriptParameters[] = {
    Text("Script", ScriptProxy, S::ID1).At("xyScript Script"),
    Text("Self", BCString, S::Entity1).At("bCString Self"),
    Text("Other", BCString, S::Entity2).At("bCString Other"),
    Choice("OtherType", "[ gEOtherType ]", E::OtherType, S::ID2).At(" OtherType "),
    Number("Param", Int, S::Value0).At(" Param "),
    Text("StringParam", BCString, S::ID3).At(" StringParam "),
};

constexpr Parameter SayParameters[] = {
    Text("Speaker", BCString, S::Entity1).At("Speaker ", "String Speaker"),
    Text("Listener", BCString, S::Entity2).At("Listener ", "String Listener"),
    Text("Text", InfoLocString, S::LocString).At("LocString Text"),
    Choice("ForcedDialogCam", "[ gEForcedDialogCam ]", E::ForcedDialogCam, S::ID1)
        .At("ForcedDialogCam"),
};

constexpr Parameter SayConfirmParameters[] = {
    Text("Speaker", BCString, S::Entity1).At("String Speaker"),
    Text("Listener", BCString, S::Entity2).At("String Listener"),
};

constexpr Parameter SaySVMParameters[] = {
    Text("Speaker", BCString, S::Entity1).At("Speaker ", "String Speaker"),
    Text("Listener", BCString, S::Entity2).At("Listener ", "String Listener"),
    Text("SVMID", BCString, S::ID2).At(" SVMID "),
    Text("Text", InfoLocString, S::LocString).At("LocString Text"),
    Choice("ForcedDialogCam", "[ gEForcedDialogCam ]", E::ForcedDialogCam, S::ID1)
        .At("ForcedDialogCam"),
};

constexpr Parameter SetGameEventParameters[] = {
    Text("GameEvent", BCString, S::ID1).At("String GameEven"),
    Number("Value", Int, S::Value0).At("Value"),
    Number("RandomValueMin", Int, S::Value1).At("RandomValueMin "),
    Number("RandomValueMax", Int, S::Value2).At("RandomValueMax"),
    YesNo("PreventLastOne", Bool, S::Value3).At("PreventLastOne"),
};

constexpr Parameter SetPartyEnabledParameters[] = {
    Text("Entity1", BCString, S::Entity1).At("String Entity1"),
    YesNo("PartyEnabled", Bool, S::ID1).At("PartyEnabled "),
};

constexpr Parameter SetRoutineParameters[] = {
    Text("Entity1", BCString, S::Entity1).At("CString Entity1"),
    Text("RoutineName", BCString, S::ID1).At("RoutineName "),
};

constexpr Parameter SetSectorStatusParameters[] = {
    Text("SectorName", BCString, S::Entity1).At("String SectorNa"),
    YesNo("SectorEnabled", Bool, S::ID1).At("SectorEnabled"),
};

constexpr Parameter SetTeachEnabledParameters[] = {
    Text("Entity1", BCString, S::Entity1).At("String Entity1"),
    YesNo("TeachEnabled", Bool, S::ID1).At("TeachEnabled "),
};

constexpr Parameter SetTradeEnabledParameters[] = {
    Text("Entity1", BCString, S::Entity1).At("String Entity1"),
    YesNo("TradeEnabled", Bool, S::ID1).At("TradeEnabled"),
};

constexpr Parameter SleepParameters[] = {
    Text("Entity1", BCString, S::Entity1).At("String Entity1"),
    Number("TargetHour", UnsignedInt, S::ID1).At("TargetHour "),
};

constexpr Parameter StartEffectParameters[] = {
    Text("Entity1", BCString, S::Entity1).At("String Entity1"),
    Text("EffectName", "[ gCEffectProxy ]", S::ID1).At("roxy EffectName"),
    YesNo("StopOnInfoEnd", Bool, S::Value0).At("StopOnInfoEnd "),
    YesNo("WaitForEffectEnd", Bool, S::Value1).At("WaitForEffectEn"),
};

constexpr Parameter StartFixCameraParameters[] = {
    Text("FixCamera", BCString, S::ID1).At("tring FixCamera"),
    Text("Target", BCString, S::ID2).At("String Target"),
    Decimal("OverrideFOV", Float, S::Value0).At("OverrideFOV "),
    Decimal("CamFOV", "[ float ] CamFOVAutoChangeSpeed", S::Value1).At("AutoChangeSpeed"),
    Decimal("CamFOV", "[ float ] CamFOVAutoChangeLimit", S::Value2).At("AutoChangeLimit"),
    Decimal("FOVChangeSpeed", Float, S::Value3).At("FOVChangeSpeed"),
    Decimal("MoveSpeedMax", Float, S::Value4).At("MoveSpeedMax "),
    Decimal("RotationSpeedMax", Float, S::Value5).At("tationSpeedMax"),
    Decimal("Move", "[ float ] MoveAcceleration", S::Value6).At("oveAcceleration"),
    Decimal("Move", "[ float ] MoveDecceleration", S::Value7).At("MoveDeccelerati"),
    Decimal("Rotation", "[ float ] RotationAcceleration", S::Value8).At("RotationAcceler"),
    Decimal("Rotation", "[ float ] RotationDecceleration", S::Value9).At("RotationDeccele"),
    Decimal("FocalRange", "[ float ] FocalRangeChangeSpeedMax", S::Value10).At("FocalRangeChang"),
    Decimal("FocalRatio", "[ float ] FocalRatioChangeSpeedMax", S::Value11).At("FocalRatioChang"),
    YesNo("AutoFocusEnabled", Bool, S::Value12).At("AutoFocusEnable"),
    YesNo("ForceCameraReset", Bool, S::Value13).At("ForceCameraRese"),
    YesNo("Rotation", "[ bool ] RotationSyncToMove", S::Value14).At("RotationSyncTo"),
};

constexpr Parameter SwitchCaseParameters[] = {
    Text("", "", S::Text).At("ase, Version 1]"),
};

// A supported type: the program has its class and template.
struct TypeBuilder {
    EntryType type;
    constexpr TypeBuilder Table(std::string_view table) const {
        TypeBuilder built = *this;
        built.type.textTable = table;
        return built;
    }
    constexpr TypeBuilder WithValues() const {
        TypeBuilder built = *this;
        built.type.useValues = true;
        return built;
    }
    constexpr TypeBuilder Locked() const {
        TypeBuilder built = *this;
        built.type.editable = false;
        return built;
    }
};

constexpr TypeBuilder Command(std::string_view name, std::string_view description,
                              std::span<const Parameter> parameters = {}) {
    return {{EntryKind::Command, 0, name, name, description, parameters, {}, true, true, false}};
}

// A type of the game without a class here: its blocks are kept as they were read.
constexpr TypeBuilder Unused(std::string_view entry, std::string_view name) {
    return {{EntryKind::Command,
             0,
             name,
             entry,
             "Unused! Unknown params!",
             {},
             {},
             false,
             false,
             false}};
}

constexpr TypeBuilder CommandList[] = {
    Command("AddCrewMember", "Adds a new member to the player's crew.", AddCrewMemberParameters),
    Command("AddInfoSystemEndScript", "", AddInfoSystemEndScriptParameters),
    Command("AddLogText", "Adds logtext to a quest.", AddLogTextParameters)
        .Table("questdescsa.csv"),
    Command("AddQuestActor", "", QuestActorParameters),
    Command("Attack", "Entity1 attacks Entity2.", AttackParameters),
    Command("Back", "Go back and skip the parent and its childs."),
    Command("ClearGameEvent", "Clear a GameEvent.", ClearGameEventParameters),
    Command("CloseQuest", "Close a Quest.", QuestParameters),
    Command("CreateItem", "Add an item to the inventory of Entity1.", CreateItemParameters)
        .WithValues(),
    Command("Description", "Info selection text.", DescriptionParameters).Table("infodescsa.csv"),
    Command("DestroyItem", "Destroy an item in the inventory of Entity1.", DestroyItemParameters),
    Command("End", "Ends the dialogue."),
    Unused("EndGame - unused", "EndGame"),
    Unused("FullStop - unused", "FullStop"),
    Command("Give", "<Entity1> gives <Entity2> <Amount> items.", GiveParameters),
    Command("GiveXP", "The player earns <Amount> XP.", GiveXPParameters),
    Command("InfoWait", "Wait <Time> milliseconds.", InfoWaitParameters),
    Command("KillNPC", "Kills <NPC>.", NpcParameters),
    Unused("NarratorEnd - unused", "NarratorEnd"),
    Unused("NarratorSay - unused", "NarratorSay"),
    Unused("NarratorStart - unused", "NarratorStart"),
    Unused("NuffSaid - unused", "NuffSaid"),
    Unused("PickPocket - unused", "PickPocket"),
    Command("PlayJingle", "", PlayJingleParameters),
    Command("RemoveCrewMember", "Removes a member from the players crew.", NpcParameters),
    Unused("RemoveNPC - unused", "RemoveNPC"),
    Command("RemoveQuestActor", "", QuestActorParameters),
    Command("RunAIScript", "Runs an AI Script.", RunAIScriptParameters),
    Unused("RunInfo - unused", "RunInfo"),
    Command("RunQuest", "Runs a Quest.", QuestParameters),
    Command("RunScript", "Runs a Script.", RunScriptParameters).WithValues(),
    Command("Say", "", SayParameters).Table("infosa.csv"),
    Command("SayConfirm", "", SayConfirmParameters),
    Unused("SayHoldingPosition - unused", "SayHoldingPosition"),
    Unused("SayKeepItUp - unused", "SayKeepItUp"),
    Command("SaySVM", "", SaySVMParameters).Table("infosa.csv"),
    Unused("SetDialogCamera - unused", "SetDialogCamera"),
    Command("SetGameEvent", "Sets a GameEvent.", SetGameEventParameters).WithValues(),
    Unused("SetGuardStatus - unused", "SetGuardStatus"),
    Command("SetPartyEnabled", "", SetPartyEnabledParameters),
    Command("SetRoutine", "", SetRoutineParameters),
    Command("SetSectorStatus", "", SetSectorStatusParameters),
    Command("SetTeachEnabled", "", SetTeachEnabledParameters),
    Command("SetTradeEnabled", "", SetTradeEnabledParameters),
    Unused("ShowPicture - unused", "ShowPicture"),
    Unused("ShowSubtitle - unused", "ShowSubtitle"),
    Command("Sleep", "", SleepParameters),
    Command("StartEffect", "", StartEffectParameters).WithValues(),
    Command("StartFixCamera", "", StartFixCameraParameters).WithValues(),
    Unused("StartTutorial - unused", "StartTutorial"),
    Command("StopFixCamera", ""),
    Command("SucceedQuest", "", QuestParameters),
    // Its one member, a free text, has no row: the dialog cannot store it.
    Command("SwitchCase", "Unknown params!", SwitchCaseParameters).Locked(),
    Command("SwitchDefault", ""),
    Command("SwitchEnd", ""),
    Unused("Teach - unused", "Teach"),
    Unused("TeleportNPC - unused", "TeleportNPC"),
    Unused("Use - unused", "Use"),
    Unused("UseCustom - unused", "UseCustom"),
    Unused("Wear - unused", "Wear"),
};
static_assert(std::size(CommandList) == 60);

// ---------------------------------------------------------------------------------
// Condition types

constexpr Parameter GameVariableParameters[] = {
    Text("GameVariable", BCString, S::Entity1).At("String GameVari"),
    Choice("Compare", "[ eEGameVarCompare ]", E::GameVarCompare, S::ID1).At("VarCompare Com"),
    Number("Value", Int, S::ID2).At("int Value "),
};

constexpr Parameter ItemAmountParameters[] = {
    Text("Owner", EntityStringProxy, S::Entity1).At("ringProxy Owner"),
    TemplateId("Item", S::ID1).At("EntityProxy Ite"),
    Number("ItemAmount", UnsignedInt, S::ID2).At("int ItemAmount "),
    YesNo("InvertTest", Bool, S::ID3).At(" InvertTest "),
};

constexpr Parameter LastExecutionTimestampParameters[] = {
    Text("Info", BCString, S::Entity1).At("bCString Info "),
    Choice("Compare", "[ eEExecutionTimestampCompare ]", E::ExecutionTimestampCompare, S::ID1)
        .At("tampCompare Com"),
    Decimal("TimeDistance", Float, S::ID2).At(" TimeDistance "),
};

constexpr Parameter NPCAreaStatusParameters[] = {
    Text("NPC", EntityStringProxy, S::Entity1).At("StringProxy NPC"),
    Text("AreaPropertyName", BCString, S::ID1).At("AreaPropertyNam"),
    YesNo("InArea", Bool, S::ID2).At("bool InArea "),
};

constexpr Parameter NPCCrewMemberParameters[] = {
    Text("NPC", EntityStringProxy, S::Entity1).At("StringProxy NPC"),
};

constexpr Parameter NPCRoutineStatusParameters[] = {
    Text("NPC", EntityStringProxy, S::Entity1).At("StringProxy NPC"),
    Text("RoutineName", BCString, S::ID1).At(" RoutineName "),
    YesNo("RoutineActive", Bool, S::ID2).At("RoutineActive"),
};

constexpr Parameter NPCStatusParameters[] = {
    Text("SecondaryNPC", EntityStringProxy, S::Entity1).At(" SecondaryNPC "),
    Choice("NPCStatus", "[ gEInfoNPCStatus ]", E::InfoNPCStatus, S::ID1).At("ondaryNPCStatus"),
};

constexpr Parameter OwnerInAreaParameters[] = {
    Text("AreaPropertyName", BCString, S::ID1).At("AreaPropertyNam"),
};

constexpr Parameter OwnerNearEntityParameters[] = {
    Text("Entity", EntityStringProxy, S::ID1).At("ingProxy Entity"),
};

constexpr Parameter PlayerKnowsParameters[] = {
    Text("PlayerKnows", BCString, S::ID1).At(" PlayerKnows "),
};

constexpr Parameter PlayerNotKnowsParameters[] = {
    Text("PlayerNotKnows", BCString, S::ID1).At("PlayerNotKnows"),
};

constexpr Parameter QuestStatusParameters[] = {
    Text("Quest", QuestProxy, S::ID1).At("Proxy Quest "),
    Choice("Status", "[ gEInfoQuestStatus ]", E::InfoQuestStatus, S::ID2).At("QuestStatus "),
    YesNo("IsCurrentStatus", Bool, S::ID3).At("IsCurrentStatus"),
};

constexpr Parameter ScriptParameters[] = {
    Text("ScriptName", BCString, S::ID1).At("ring ScriptName", "xyScript Script"),
    Text("Self", BCString, S::Entity1).At("bCString Self"),
    Text("Other", BCString, S::Entity2).At("bCString Other"),
    Choice("OtherType", "[ gEOtherType ]", E::OtherType, S::ID2).At(" OtherType "),
    Number("Param", Int, S::ID3).At("int Param "),
    Text("StringParam", BCString, S::ID4).At(" StringParam "),
};

constexpr Parameter SkillValueParameters[] = {
    Text("Entity", BCString, S::Entity1).At("bCString Entity"),
    Choice("CompareOperation", "[ gECompareOperation ]", E::CompareOperation, S::ID2)
        .At("CompareOperatio"),
    Number("Amount", Int, S::ID3).At("int Amount "),
    Choice("Skill", "[ gESkill ]", E::Skill, S::ID1).At("gESkill Skill"),
};

constexpr Parameter TeachEnabledParameters[] = {
    YesNo("TeachEnabled", Bool, S::ID1).At("TeachEnabled "),
};

constexpr TypeBuilder Condition(std::string_view name, std::span<const Parameter> parameters) {
    return {{EntryKind::Condition, 0, name, name, "", parameters, {}, true, true, false}};
}

constexpr TypeBuilder ConditionList[] = {
    // No class in the game's tool chain; its blocks are kept as they were read.
    {{EntryKind::Condition,
      0,
      "CanTeachSkill",
      "CanTeachSkill - unused",
      "",
      {},
      {},
      false,
      true,
      false}},
    Condition("GameVariable", GameVariableParameters),
    Condition("ItemAmount", ItemAmountParameters),
    Condition("LastExecutionTimestamp", LastExecutionTimestampParameters),
    Condition("NPCAreaStatus", NPCAreaStatusParameters),
    Condition("NPCCrewMember", NPCCrewMemberParameters),
    Condition("NPCRoutineStatus", NPCRoutineStatusParameters),
    Condition("NPCStatus", NPCStatusParameters),
    Condition("OwnerInArea", OwnerInAreaParameters),
    Condition("OwnerNearEntity", OwnerNearEntityParameters),
    Condition("PlayerKnows", PlayerKnowsParameters),
    Condition("PlayerNotKnows", PlayerNotKnowsParameters),
    Condition("QuestStatus", QuestStatusParameters),
    Condition("Script", ScriptParameters),
    Condition("SkillValue", SkillValueParameters),
    Condition("TeachEnabled", TeachEnabledParameters),
};
static_assert(std::size(ConditionList) == 16);

// ---------------------------------------------------------------------------------
// Required perks

constexpr Parameter PerkList[] = {
    Row("", "", RowKind::Choice, S::Perk).At("um gESkill Perk"),
    Number("Value", Int, S::Value).At("int Value "),
    YesNo("InvertTest", Bool, S::InvertTest).At("bool InvertTest"),
};

// The types with their values filled in: the value of a type is its position.
template <std::size_t N> constexpr std::array<EntryType, N> Numbered(const TypeBuilder (&list)[N]) {
    std::array<EntryType, N> types{};
    for (std::size_t i = 0; i < N; ++i) {
        types[i] = list[i].type;
        types[i].value = static_cast<std::uint32_t>(i);
    }
    return types;
}

constexpr auto Commands = Numbered(CommandList);
constexpr auto Conditions = Numbered(ConditionList);

std::array<TesselEngine::IO::Stream, std::size(CommandList)> CommandTemplates;
std::array<TesselEngine::IO::Stream, std::size(ConditionList)> ConditionTemplates;
} // namespace

std::string_view ClassPrefix(EntryKind kind) {
    return kind == EntryKind::Command ? "gCInfoCommand" : "gCInfoCondition";
}

std::string ClassName(const EntryType& type) {
    return std::string(ClassPrefix(type.kind)) + std::string(type.name);
}

std::span<const EntryType> EntryTypes(EntryKind kind) {
    if (kind == EntryKind::Command)
        return Commands;
    return Conditions;
}

const EntryType* FindEntryType(EntryKind kind, std::uint32_t value) {
    const auto types = EntryTypes(kind);
    return value < types.size() ? &types[value] : nullptr;
}

const EntryType* FindEntryType(EntryKind kind, std::string_view shortName) {
    for (const EntryType& type : EntryTypes(kind)) {
        if (type.name == shortName)
            return &type;
    }
    return nullptr;
}

const EntryType* FindEntryTypeByEntry(EntryKind kind, std::string_view entryText) {
    for (const EntryType& type : EntryTypes(kind)) {
        if (type.entry == entryText)
            return &type;
    }
    return nullptr;
}

const EntryType* FindClassType(EntryKind kind, std::string_view shortName) {
    const EntryType* type = FindEntryType(kind, shortName);
    return type && type->hasClass ? type : nullptr;
}

const EntryType* FindClassType(EntryKind kind, std::uint32_t value) {
    const EntryType* type = FindEntryType(kind, value);
    return type && type->hasClass ? type : nullptr;
}

TesselEngine::IO::Stream& TemplateStorage(const EntryType& type) {
    return type.kind == EntryKind::Command ? CommandTemplates[type.value]
                                           : ConditionTemplates[type.value];
}

const TesselEngine::IO::Stream& Template(const EntryType& type) {
    return TemplateStorage(type);
}

std::span<const Parameter> PerkParameters() {
    return PerkList;
}

std::span<const Parameter> PerkRows() {
    return std::span<const Parameter>(PerkList).subspan(1);
}

} // namespace VaskEdit
