#include "info/ParameterSchema.h"

#include <iterator>

namespace VaskEdit {

namespace {

// ---------------------------------------------------------------------------------
// Row kinds

constexpr Argb NoColour{0, 0, 0, 0};

constexpr RowKindStyle KindStyles[] = {
    // Text
    {220, true, {255, 255, 255, 225}, "", "", false, false},
    // Number
    {60, true, {255, 210, 255, 210}, "0", "#09999999", false, false},
    // Decimal
    {80, true, {255, 210, 255, 210}, "0", "", false, false},
    // TemplateId
    {220, true, {255, 225, 225, 255}, "", "{AAAAAAAA-AAAA-AAAA-AAAA-AAAAAAAAAAAA}", false, true},
    // YesNo
    {100, false, NoColour, "", "", true, false},
    // Choice
    {220, false, NoColour, "", "", true, false},
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetterOrDigit(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "#09999999": an optional digit, sign or blank, then digits; at most nine characters.
bool FitsNumberMask(std::string_view text) {
    if (text.size() > 9)
        return false;
    const char first = text[0];
    if (!IsDigit(first) && first != '+' && first != '-' && first != ' ')
        return false;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return false;
    }
    return true;
}

// "{AAAAAAAA-AAAA-AAAA-AAAA-AAAAAAAAAAAA}": braces and hyphens fixed, letters or digits
// everywhere else.
bool FitsTemplateIdMask(std::string_view text) {
    const std::string_view mask = KindStyles[static_cast<int>(RowKind::TemplateId)].inputMask;
    if (text.size() != mask.size())
        return false;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] == 'A' ? !IsLetterOrDigit(text[i]) : text[i] != mask[i])
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------
// Slots

struct SlotInfo {
    std::string_view name;
    std::size_t capacity;
};

constexpr SlotInfo SlotInfos[] = {
    {"Entity1", 48}, {"Entity2", 48}, {"Entity3", 48},   {"ID1", 48},     {"ID2", 48},
    {"ID3", 48},     {"ID4", 48},     {"LocString", 48}, {"Value0", 16},  {"Value1", 16},
    {"Value2", 16},  {"Value3", 16},  {"Value4", 16},    {"Value5", 16},  {"Value6", 16},
    {"Value7", 16},  {"Value8", 16},  {"Value9", 16},    {"Value10", 16}, {"Value11", 16},
    {"Value12", 16}, {"Value13", 16}, {"Value14", 16},   {"Value", 8},    {"InvertTest", 8},
};
static_assert(std::size(SlotInfos) == static_cast<std::size_t>(Slot::InvertTest) + 1);

// ---------------------------------------------------------------------------------
// Choice lists

constexpr std::string_view YesNoNames[] = {"False", "True"};

constexpr std::string_view QuestActorNames[] = {"Client", "Target"};

constexpr std::string_view OtherTypeNames[] = {"Entity", "TemplateEntity"};

constexpr std::string_view ForcedDialogCamNames[] = {
    "None",
    "BlockSwitch",
    "ShowSpeaker",
    "ShowListener",
    "ShowSpeakerNearest",
    "ShowListenerNearest",
    "ShowSpeakerFarest",
    "ShowListenerFarest",
    "ShowSpeakerMedium",
    "ShowListenerMedium",
    "NoAutoMove_None",
    "NoAutoMove_BlockSwitch",
    "NoAutoMove_ShowSpeaker",
    "NoAutoMove_ShowListener",
    "NoAutoMove_ShowSpeakerNearest",
    "NoAutoMove_ShowListenerNearest",
    "NoAutoMove_ShowSpeakerFarest",
    "NoAutoMove_ShowListenerFarest",
    "NoAutoMove_ShowSpeakerMedium",
    "NoAutoMove_ShowListenerMedium",
};

constexpr std::string_view GameVarCompareNames[] = {"Equal",     "NotEqual", "Less",
                                                    "LessEqual", "Greater",  "GreaterEqual"};

constexpr std::string_view ExecutionTimestampCompareNames[] = {"None", "Less", "LessOrNone",
                                                               "Greater", "GreaterOrNone"};

constexpr std::string_view InfoNPCStatusNames[] = {"Alive", "UnHarmed",       "Defeated",
                                                   "Dead",  "TalkedToPlayer", "NotTalkedToPlayer"};

constexpr std::string_view InfoQuestStatusNames[] = {
    "Open",  "Overtime", "Running", "Success",        "Failed",  "Cancelled",
    "Ready", "Lost",     "Won",     "NotYetFinished", "Finished"};

constexpr std::string_view CompareOperationNames[] = {"Equal",     "NotEqual", "Less",
                                                      "LessEqual", "Greater",  "GreaterEqual"};

constexpr std::string_view SkillNameList[] = {
    "None",
    "Attrib_Strength",
    "Attrib_Toughness",
    "Attrib_Dexterity",
    "Attrib_Intelligence",
    "Attrib_Cunning",
    "MaxHP",
    "Hitpoints",
    "MaxGuildEnergy",
    "GuildEnergy",
    "MaxStamina",
    "XP",
    "Soul",
    "LearnPoints",
    "AttributePoints",
    "Level",
    "Bonus_MeleeWeapons",
    "Bonus_RangedWeapons",
    "Bonus_HeavyWeapons",
    "Bonus_Grenades",
    "Bonus_AttackPower",
    "Bonus_ParadePower",
    "Bonus_CritChance",
    "Bonus_RadResist",
    "Bonus_FireResist",
    "Bonus_ColdResist",
    "Bonus_PoisonResist",
    "Bonus_Armor",
    "SocketItemsBonus_Damage",
    "SocketItemsBonus_CrewDamage",
    "SocketItemsBonus_HP",
    "SocketItemsBonus_CrewHP",
    "SocketItemsBonus_HPPerHit",
    "SocketItemsBonus_LowerResistOpponent",
    "SocketItemsBonus_ResistAll",
    "SocketItemsBonus_CritChance",
    "SocketItemsBonus_MonsterXP",
    "SocketItemsBonus_QuestXP",
    "Multiplier_XPBonus",
    "Perk_MeleeWeapons",
    "Perk_RangedWeapons",
    "Perk_HeavyWeapons",
    "Perk_AttackPower",
    "Perk_ParadePower",
    "Perk_CritChance",
    "Perk_Grenades",
    "Perk_JetPackAttack",
    "Perk_MutantKiller",
    "Perk_RobotKiller",
    "Perk_RadResist",
    "Perk_FireResist",
    "Perk_ColdResist",
    "Perk_PoisonResist",
    "Perk_Armor",
    "Perk_Trophies",
    "Perk_Eater",
    "Perk_Adventurer",
    "Perk_6thSense",
    "Perk_ExtraHealth",
    "Perk_ExtraStamina",
    "Perk_Lockpick",
    "Perk_LockpickBreak",
    "Perk_Pickpocket",
    "Perk_Pickpocket2ndTry",
    "Perk_ModifyWeapons",
    "Perk_Jewelry",
    "Perk_Socketry",
    "Perk_Chemistry",
    "Perk_Hacking",
    "Perk_HackingExtraTry",
    "Perk_HackingTime",
    "Perk_Mining",
    "Perk_AttributePoints",
    "Perk_MonsterXP",
    "Perk_BookXP",
    "Perk_QuestXP",
    "Perk_Barter",
    "Perk_SkillCombat",
    "Perk_SkillSurvival",
    "Perk_SkillCrafting",
    "Perk_SkillPersonality",
    "Perk_Party",
    "Perk_Advocat",
    "Perk_AnimalFriend",
    "Perk_ExtraAttribute",
    "Perk_Emotional",
    "Perk_Neutral",
    "Perk_Synthetic",
    "Perk_Berserker",
    "Perk_Magic",
    "Perk_Mana",
    "Perk_EnchantWeapon",
    "Perk_ScatterShot",
    "Perk_SeekingShot",
    "Perk_Camouflage",
    "Perk_ArmorBuff",
    "Perk_MeleeBuff",
    "Perk_HPintoMana",
    "Perk_SummonGhostAnimal",
    "Perk_SenseLife",
    "Perk_PoisonAura",
    "Perk_Heal",
    "Perk_Cleric",
    "Perk_PSI",
    "Perk_Battery",
    "Perk_BuildTechWeapon",
    "Perk_OneManArmy",
    "Perk_Suggestion",
    "Perk_SenseMachines",
    "Perk_Cleansing",
    "Perk_Shield",
    "Perk_RangedBuff",
    "Perk_Phasing",
    "Perk_ForceWave",
    "Perk_LastStand",
    "Perk_Projection",
    "Perk_Outlaw",
    "Perk_SalvageWeapons",
    "Perk_BuildAmmo",
    "Perk_Injector",
    "Perk_BuildMechWeapon",
    "Perk_DrugCapacity",
    "Perk_Regeneration",
    "Perk_Resistance",
    "Perk_RageMode",
    "Perk_ItemSight",
    "Perk_ImmuneToStatuseffects",
    "Perk_HalfDamage",
    "Perk_DoubleDamage",
    "Perk_Animalinstinct",
    "Perk_Jetpack",
    "Perk_GuildEnergyRegeneration",
    "Skill_AttackAbility",
    "Skill_ParadeAbility",
    "Skill_Combat",
    "Skill_Survival",
    "Skill_Crafting",
    "Skill_Personality",
    "Skill_Berserker",
    "Skill_Outlaw",
    "Skill_Cleric",
    "Protection_Armor",
    "Protection_ResistFire",
    "Protection_ResistCold",
    "Protection_ResistPoison",
    "Protection_ResistRad",
    "Protection_ResistLightning",
    "Protection_ResistPSI",
    "Protection_ResistBleed",
    "Protection_ResistExplosive",
    "Protection_ResistReflection",
    "Protection_ResistEMP",
    "Protection_ResistPierce",
    "NPC_Attack_Power",
    "NPC_Attack_Speed",
    "NPC_Ranged_Accuracy_Bonus",
    "NPC_Ranged_Critical_Base",
    "Attrib_Blood",
    "Stat_Blood",
    "Stat_Glory",
};
static_assert(std::size(SkillNameList) == 160);

constexpr ChoiceList YesNoList{"bool", "", YesNoNames};

constexpr ChoiceList ChoiceLists[] = {
    {"gEQuestActor", "gEQuestActor_", QuestActorNames},
    {"gEOtherType", "gEOtherType_", OtherTypeNames},
    {"gEForcedDialogCam", "gEForcedDialogCam_", ForcedDialogCamNames},
    {"eEGameVarCompare", "eEGameVarCompare_", GameVarCompareNames},
    {"eEExecutionTimestampCompare", "eEExecutionTimestampCompare_", ExecutionTimestampCompareNames},
    {"gEInfoNPCStatus", "gEInfoNPCStatus_", InfoNPCStatusNames},
    {"gEInfoQuestStatus", "gEInfoQuestStatus_", InfoQuestStatusNames},
    {"gECompareOperation", "gECompareOperation_", CompareOperationNames},
    {"gESkill", SkillPrefix, SkillNameList},
};
static_assert(std::size(ChoiceLists) == EnumerationCount);

constexpr const ChoiceList* ListOf(Enumeration enumeration) {
    return &ChoiceLists[static_cast<int>(enumeration)];
}

// ---------------------------------------------------------------------------------
// Row builders

constexpr ParameterRow Text(std::string_view label, std::string_view tag, Slot slot) {
    return {label, tag, RowKind::Text, slot, nullptr};
}

constexpr ParameterRow Number(std::string_view label, std::string_view tag, Slot slot) {
    return {label, tag, RowKind::Number, slot, nullptr};
}

constexpr ParameterRow Decimal(std::string_view label, std::string_view tag, Slot slot) {
    return {label, tag, RowKind::Decimal, slot, nullptr};
}

constexpr ParameterRow TemplateId(std::string_view label, Slot slot) {
    return {label, "[ eCTemplateEntityProxy ]", RowKind::TemplateId, slot, nullptr};
}

constexpr ParameterRow YesNo(std::string_view label, std::string_view tag, Slot slot) {
    return {label, tag, RowKind::YesNo, slot, &YesNoList};
}

constexpr ParameterRow Choice(std::string_view label, std::string_view tag, Enumeration enumeration,
                              Slot slot) {
    return {label, tag, RowKind::Choice, slot, ListOf(enumeration)};
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

using S = Slot;
using E = Enumeration;

// ---------------------------------------------------------------------------------
// Command rows

constexpr ParameterRow AddCrewMemberRows[] = {Text("NPC", BCString, S::ID1)};

constexpr ParameterRow AddInfoSystemEndScriptRows[] = {
    Text("Script", ScriptProxy, S::ID1),
    Text("Self", BCString, S::Entity1),
    Text("Other", BCString, S::Entity2),
    Number("Param", Int, S::ID2),
};

constexpr ParameterRow AddLogTextRows[] = {
    Text("Text", "[ gCQuestDescLocString ]", S::LocString),
    Text("Quest", QuestProxy, S::ID1),
};

constexpr ParameterRow QuestActorRows[] = {
    Text("Quest", QuestProxy, S::Entity1),
    Text("Actor", EntityStringProxy, S::ID1),
    Choice("ActorType", "[ gEQuestActor ]", E::QuestActor, S::ID2),
};

constexpr ParameterRow AttackRows[] = {
    Text("Entity1", BCString, S::Entity1),
    Text("Entity2", BCString, S::Entity2),
    Text("Reason", BCString, S::ID1),
    Text("ExecutionScript", ScriptProxy, S::ID2),
};

constexpr ParameterRow ClearGameEventRows[] = {Text("GameEvent", BCString, S::ID1)};

constexpr ParameterRow QuestRows[] = {Text("Quest", QuestProxy, S::ID1)};

constexpr ParameterRow CreateItemRows[] = {
    Text("Entity1", BCString, S::Entity1), TemplateId("Item", S::ID1),
    Number("Amount", UnsignedInt, S::ID2), YesNo("ResetRansacked", Bool, S::Value0),
    YesNo("OnScreenLog", Bool, S::Value1),
};

constexpr ParameterRow DescriptionRows[] = {
    Text("Text", "[ gCInfoDescLocString ]", S::LocString),
};

constexpr ParameterRow DestroyItemRows[] = {
    Text("Entity1", BCString, S::Entity1),
    TemplateId("Item", S::ID1),
    Number("Amount", UnsignedInt, S::ID2),
};

constexpr ParameterRow GiveRows[] = {
    Text("Entity1", BCString, S::Entity1),
    Text("Entity2", BCString, S::Entity2),
    TemplateId("Item", S::ID1),
    Number("Amount", UnsignedInt, S::ID2),
    YesNo("ShowNPCAmount", Bool, S::ID3),
    YesNo("ForceNormalStack", Bool, S::Entity3),
};

constexpr ParameterRow GiveXPRows[] = {Number("Amount", UnsignedInt, S::ID1)};

constexpr ParameterRow InfoWaitRows[] = {Number("Time", UnsignedInt, S::ID1)};

constexpr ParameterRow NpcRows[] = {Text("NPC", BCString, S::ID1)};

constexpr ParameterRow PlayJingleRows[] = {
    Text("Jingle", BCString, S::ID1),
    YesNo("PlayAsMusic", Bool, S::ID2),
};

constexpr ParameterRow RunAIScriptRows[] = {
    Text("AIScript", "[ gCScriptProxyAIFunction ]", S::ID1),
    Text("Self", BCString, S::Entity1),
    Text("Other", BCString, S::Entity2),
    Number("Param", Int, S::ID2),
};

constexpr ParameterRow RunScriptRows[] = {
    Text("Script", ScriptProxy, S::ID1),
    Text("Self", BCString, S::Entity1),
    Text("Other", BCString, S::Entity2),
    Choice("OtherType", "[ gEOtherType ]", E::OtherType, S::ID2),
    Number("Param", Int, S::Value0),
    Text("StringParam", BCString, S::ID3),
};

constexpr ParameterRow SayRows[] = {
    Text("Speaker", BCString, S::Entity1),
    Text("Listener", BCString, S::Entity2),
    Text("Text", InfoLocString, S::LocString),
    Choice("ForcedDialogCam", "[ gEForcedDialogCam ]", E::ForcedDialogCam, S::ID1),
};

constexpr ParameterRow SayConfirmRows[] = {
    Text("Speaker", BCString, S::Entity1),
    Text("Listener", BCString, S::Entity2),
};

constexpr ParameterRow SaySVMRows[] = {
    Text("Speaker", BCString, S::Entity1),
    Text("Listener", BCString, S::Entity2),
    Text("SVMID", BCString, S::ID2),
    Text("Text", InfoLocString, S::LocString),
    Choice("ForcedDialogCam", "[ gEForcedDialogCam ]", E::ForcedDialogCam, S::ID1),
};

constexpr ParameterRow SetGameEventRows[] = {
    Text("GameEvent", BCString, S::ID1),      Number("Value", Int, S::Value0),
    Number("RandomValueMin", Int, S::Value1), Number("RandomValueMax", Int, S::Value2),
    YesNo("PreventLastOne", Bool, S::Value3),
};

constexpr ParameterRow SetPartyEnabledRows[] = {
    Text("Entity1", BCString, S::Entity1),
    YesNo("PartyEnabled", Bool, S::ID1),
};

constexpr ParameterRow SetRoutineRows[] = {
    Text("Entity1", BCString, S::Entity1),
    Text("RoutineName", BCString, S::ID1),
};

constexpr ParameterRow SetSectorStatusRows[] = {
    Text("SectorName", BCString, S::Entity1),
    YesNo("SectorEnabled", Bool, S::ID1),
};

constexpr ParameterRow SetTeachEnabledRows[] = {
    Text("Entity1", BCString, S::Entity1),
    YesNo("TeachEnabled", Bool, S::ID1),
};

constexpr ParameterRow SetTradeEnabledRows[] = {
    Text("Entity1", BCString, S::Entity1),
    YesNo("TradeEnabled", Bool, S::ID1),
};

constexpr ParameterRow SleepRows[] = {
    Text("Entity1", BCString, S::Entity1),
    Number("TargetHour", UnsignedInt, S::ID1),
};

constexpr ParameterRow StartEffectRows[] = {
    Text("Entity1", BCString, S::Entity1),
    Text("EffectName", "[ gCEffectProxy ]", S::ID1),
    YesNo("StopOnInfoEnd", Bool, S::Value0),
    YesNo("WaitForEffectEnd", Bool, S::Value1),
};

constexpr ParameterRow StartFixCameraRows[] = {
    Text("FixCamera", BCString, S::ID1),
    Text("Target", BCString, S::ID2),
    Decimal("OverrideFOV", Float, S::Value0),
    Decimal("CamFOV", "[ float ] CamFOVAutoChangeSpeed", S::Value1),
    Decimal("CamFOV", "[ float ] CamFOVAutoChangeLimit", S::Value2),
    Decimal("FOVChangeSpeed", Float, S::Value3),
    Decimal("MoveSpeedMax", Float, S::Value4),
    Decimal("RotationSpeedMax", Float, S::Value5),
    Decimal("Move", "[ float ] MoveAcceleration", S::Value6),
    Decimal("Move", "[ float ] MoveDecceleration", S::Value7),
    Decimal("Rotation", "[ float ] RotationAcceleration", S::Value8),
    Decimal("Rotation", "[ float ] RotationDecceleration", S::Value9),
    Decimal("FocalRange", "[ float ] FocalRangeChangeSpeedMax", S::Value10),
    Decimal("FocalRatio", "[ float ] FocalRatioChangeSpeedMax", S::Value11),
    YesNo("AutoFocusEnabled", Bool, S::Value12),
    YesNo("ForceCameraReset", Bool, S::Value13),
    YesNo("Rotation", "[ bool ] RotationSyncToMove", S::Value14),
};

// ---------------------------------------------------------------------------------
// Command type list

constexpr std::string_view UnusedDescription = "Unused! Unknown params!";

constexpr TypeSchema Command(std::string_view name, std::string_view description,
                             std::span<const ParameterRow> rows = {}, bool usesValues = false) {
    return {name, name, description, rows, true, usesValues};
}

constexpr TypeSchema Unused(std::string_view entry, std::string_view name) {
    return {entry, name, UnusedDescription, {}, false, false};
}

constexpr TypeSchema CommandTypes[] = {
    Command("AddCrewMember", "Adds a new member to the player's crew.", AddCrewMemberRows),
    Command("AddInfoSystemEndScript", "", AddInfoSystemEndScriptRows),
    Command("AddLogText", "Adds logtext to a quest.", AddLogTextRows),
    Command("AddQuestActor", "", QuestActorRows),
    Command("Attack", "Entity1 attacks Entity2.", AttackRows),
    Command("Back", "Go back and skip the parent and its childs."),
    Command("ClearGameEvent", "Clear a GameEvent.", ClearGameEventRows),
    Command("CloseQuest", "Close a Quest.", QuestRows),
    Command("CreateItem", "Add an item to the inventory of Entity1.", CreateItemRows, true),
    Command("Description", "Info selection text.", DescriptionRows),
    Command("DestroyItem", "Destroy an item in the inventory of Entity1.", DestroyItemRows),
    Command("End", "Ends the dialogue."),
    Unused("EndGame - unused", "EndGame"),
    Unused("FullStop - unused", "FullStop"),
    Command("Give", "<Entity1> gives <Entity2> <Amount> items.", GiveRows),
    Command("GiveXP", "The player earns <Amount> XP.", GiveXPRows),
    Command("InfoWait", "Wait <Time> milliseconds.", InfoWaitRows),
    Command("KillNPC", "Kills <NPC>.", NpcRows),
    Unused("NarratorEnd - unused", "NarratorEnd"),
    Unused("NarratorSay - unused", "NarratorSay"),
    Unused("NarratorStart - unused", "NarratorStart"),
    Unused("NuffSaid - unused", "NuffSaid"),
    Unused("PickPocket - unused", "PickPocket"),
    Command("PlayJingle", "", PlayJingleRows),
    Command("RemoveCrewMember", "Removes a member from the players crew.", NpcRows),
    Unused("RemoveNPC - unused", "RemoveNPC"),
    Command("RemoveQuestActor", "", QuestActorRows),
    Command("RunAIScript", "Runs an AI Script.", RunAIScriptRows),
    Unused("RunInfo - unused", "RunInfo"),
    Command("RunQuest", "Runs a Quest.", QuestRows),
    Command("RunScript", "Runs a Script.", RunScriptRows, true),
    Command("Say", "", SayRows),
    Command("SayConfirm", "", SayConfirmRows),
    Unused("SayHoldingPosition - unused", "SayHoldingPosition"),
    Unused("SayKeepItUp - unused", "SayKeepItUp"),
    Command("SaySVM", "", SaySVMRows),
    Unused("SetDialogCamera - unused", "SetDialogCamera"),
    Command("SetGameEvent", "Sets a GameEvent.", SetGameEventRows, true),
    Unused("SetGuardStatus - unused", "SetGuardStatus"),
    Command("SetPartyEnabled", "", SetPartyEnabledRows),
    Command("SetRoutine", "", SetRoutineRows),
    Command("SetSectorStatus", "", SetSectorStatusRows),
    Command("SetTeachEnabled", "", SetTeachEnabledRows),
    Command("SetTradeEnabled", "", SetTradeEnabledRows),
    Unused("ShowPicture - unused", "ShowPicture"),
    Unused("ShowSubtitle - unused", "ShowSubtitle"),
    Command("Sleep", "", SleepRows),
    Command("StartEffect", "", StartEffectRows, true),
    Command("StartFixCamera", "", StartFixCameraRows, true),
    Unused("StartTutorial - unused", "StartTutorial"),
    Command("StopFixCamera", ""),
    Command("SucceedQuest", "", QuestRows),
    // Its one member (a free text) has no row, so the dialog cannot save it.
    {"SwitchCase", "SwitchCase", "Unknown params!", {}, false, false},
    Command("SwitchDefault", ""),
    Command("SwitchEnd", ""),
    Unused("Teach - unused", "Teach"),
    Unused("TeleportNPC - unused", "TeleportNPC"),
    Unused("Use - unused", "Use"),
    Unused("UseCustom - unused", "UseCustom"),
    Unused("Wear - unused", "Wear"),
};
static_assert(std::size(CommandTypes) == 60);

// ---------------------------------------------------------------------------------
// Condition rows and type list

constexpr ParameterRow GameVariableRows[] = {
    Text("GameVariable", BCString, S::Entity1),
    Choice("Compare", "[ eEGameVarCompare ]", E::GameVarCompare, S::ID1),
    Number("Value", Int, S::ID2),
};

constexpr ParameterRow ItemAmountRows[] = {
    Text("Owner", EntityStringProxy, S::Entity1),
    TemplateId("Item", S::ID1),
    Number("ItemAmount", UnsignedInt, S::ID2),
    YesNo("InvertTest", Bool, S::ID3),
};

// TimeDistance is a float member: a decimal row, so that a stored fraction is shown and
// kept as it is (the whole-number mask would drop its decimal point).
constexpr ParameterRow LastExecutionTimestampRows[] = {
    Text("Info", BCString, S::Entity1),
    Choice("Compare", "[ eEExecutionTimestampCompare ]", E::ExecutionTimestampCompare, S::ID1),
    Decimal("TimeDistance", Float, S::ID2),
};

constexpr ParameterRow NPCAreaStatusRows[] = {
    Text("NPC", EntityStringProxy, S::Entity1),
    Text("AreaPropertyName", BCString, S::ID1),
    YesNo("InArea", Bool, S::ID2),
};

constexpr ParameterRow NPCCrewMemberRows[] = {Text("NPC", EntityStringProxy, S::Entity1)};

constexpr ParameterRow NPCRoutineStatusRows[] = {
    Text("NPC", EntityStringProxy, S::Entity1),
    Text("RoutineName", BCString, S::ID1),
    YesNo("RoutineActive", Bool, S::ID2),
};

constexpr ParameterRow NPCStatusRows[] = {
    Text("SecondaryNPC", EntityStringProxy, S::Entity1),
    Choice("NPCStatus", "[ gEInfoNPCStatus ]", E::InfoNPCStatus, S::ID1),
};

constexpr ParameterRow OwnerInAreaRows[] = {Text("AreaPropertyName", BCString, S::ID1)};

constexpr ParameterRow OwnerNearEntityRows[] = {Text("Entity", EntityStringProxy, S::ID1)};

constexpr ParameterRow PlayerKnowsRows[] = {Text("PlayerKnows", BCString, S::ID1)};

constexpr ParameterRow PlayerNotKnowsRows[] = {Text("PlayerNotKnows", BCString, S::ID1)};

constexpr ParameterRow QuestStatusRows[] = {
    Text("Quest", QuestProxy, S::ID1),
    Choice("Status", "[ gEInfoQuestStatus ]", E::InfoQuestStatus, S::ID2),
    YesNo("IsCurrentStatus", Bool, S::ID3),
};

constexpr ParameterRow ScriptRows[] = {
    Text("ScriptName", BCString, S::ID1),
    Text("Self", BCString, S::Entity1),
    Text("Other", BCString, S::Entity2),
    Choice("OtherType", "[ gEOtherType ]", E::OtherType, S::ID2),
    Number("Param", Int, S::ID3),
    Text("StringParam", BCString, S::ID4),
};

constexpr ParameterRow SkillValueRows[] = {
    Text("Entity", BCString, S::Entity1),
    Choice("CompareOperation", "[ gECompareOperation ]", E::CompareOperation, S::ID2),
    Number("Amount", Int, S::ID3),
    Choice("Skill", "[ gESkill ]", E::Skill, S::ID1),
};

constexpr ParameterRow TeachEnabledRows[] = {YesNo("TeachEnabled", Bool, S::ID1)};

constexpr TypeSchema Condition(std::string_view name, std::span<const ParameterRow> rows) {
    return {name, name, "", rows, true, false};
}

constexpr TypeSchema ConditionTypes[] = {
    // No class in the game's tool chain, yet the dialog keeps it savable.
    {"CanTeachSkill - unused", "CanTeachSkill", "", {}, true, false},
    Condition("GameVariable", GameVariableRows),
    Condition("ItemAmount", ItemAmountRows),
    Condition("LastExecutionTimestamp", LastExecutionTimestampRows),
    Condition("NPCAreaStatus", NPCAreaStatusRows),
    Condition("NPCCrewMember", NPCCrewMemberRows),
    Condition("NPCRoutineStatus", NPCRoutineStatusRows),
    Condition("NPCStatus", NPCStatusRows),
    Condition("OwnerInArea", OwnerInAreaRows),
    Condition("OwnerNearEntity", OwnerNearEntityRows),
    Condition("PlayerKnows", PlayerKnowsRows),
    Condition("PlayerNotKnows", PlayerNotKnowsRows),
    Condition("QuestStatus", QuestStatusRows),
    Condition("Script", ScriptRows),
    Condition("SkillValue", SkillValueRows),
    Condition("TeachEnabled", TeachEnabledRows),
};
static_assert(std::size(ConditionTypes) == 16);

// ---------------------------------------------------------------------------------
// Required perk rows

constexpr ParameterRow RequiredPerkRows[] = {
    Number("Value", Int, S::Value),
    YesNo("InvertTest", Bool, S::InvertTest),
};

template <std::size_t N>
int FindEntry(const TypeSchema (&types)[N], std::string_view TypeSchema::*field,
              std::string_view text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (types[i].*field == text)
            return static_cast<int>(i);
    }
    return -1;
}

template <std::size_t N> const TypeSchema* SchemaAt(const TypeSchema (&types)[N], int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return nullptr;
    return &types[index];
}

bool IsListRow(const ParameterRow& row) {
    return row.choices != nullptr;
}

} // namespace

// ---------------------------------------------------------------------------------

const RowKindStyle& RowKindPresentation(RowKind kind) {
    return KindStyles[static_cast<int>(kind)];
}

bool FitsInputMask(RowKind kind, std::string_view text) {
    if (text.empty())
        return true;
    switch (kind) {
    case RowKind::Number:
        return FitsNumberMask(text);
    case RowKind::TemplateId:
        return FitsTemplateIdMask(text);
    default:
        return true;
    }
}

Slot CommandValueSlot(int index) {
    return static_cast<Slot>(static_cast<int>(Slot::Value0) + index);
}

int CommandValueIndex(Slot slot) {
    const int index = static_cast<int>(slot) - static_cast<int>(Slot::Value0);
    return index >= 0 && index < CommandValueCount ? index : -1;
}

std::string_view SlotName(Slot slot) {
    return SlotInfos[static_cast<int>(slot)].name;
}

std::size_t SlotCapacity(Slot slot) {
    return SlotInfos[static_cast<int>(slot)].capacity;
}

std::string_view RefusedCharacters(std::size_t capacity) {
    // The reader's stop bytes and what it removes from the token; those a user can
    // type first.
    static constexpr char ShortValue[] = {' ', '/', ';', '"', '\0', '\r', '\n'};
    static constexpr char LongText[] = {'/', ';', '"', '<', '>', '\0', '\r', '\n'};
    if (capacity < 256)
        return {ShortValue, std::size(ShortValue)};
    return {LongText, std::size(LongText)};
}

bool HoldsOnlyReadableCharacters(std::size_t capacity, std::string_view text) {
    return text.find_first_of(RefusedCharacters(capacity)) == std::string_view::npos;
}

const ChoiceList& Choices(Enumeration enumeration) {
    return *ListOf(enumeration);
}

std::span<const ChoiceList> AllChoiceLists() {
    return ChoiceLists;
}

const ChoiceList& YesNoChoices() {
    return YesNoList;
}

std::span<const std::string_view> SkillNames() {
    return SkillNameList;
}

int FindChoice(const ChoiceList& list, std::string_view name) {
    for (std::size_t i = 0; i < list.names.size(); ++i) {
        if (list.names[i] == name)
            return static_cast<int>(i);
    }
    return -1;
}

int CommandSchemaCount() {
    return static_cast<int>(std::size(CommandTypes));
}

const TypeSchema* CommandSchema(int index) {
    return SchemaAt(CommandTypes, index);
}

int CommandEntryIndex(std::string_view entryText) {
    return FindEntry(CommandTypes, &TypeSchema::entry, entryText);
}

int CommandNameIndex(std::string_view shortName) {
    return FindEntry(CommandTypes, &TypeSchema::name, shortName);
}

int ConditionSchemaCount() {
    return static_cast<int>(std::size(ConditionTypes));
}

const TypeSchema* ConditionSchema(int index) {
    return SchemaAt(ConditionTypes, index);
}

int ConditionEntryIndex(std::string_view entryText) {
    return FindEntry(ConditionTypes, &TypeSchema::entry, entryText);
}

int ConditionNameIndex(std::string_view shortName) {
    return FindEntry(ConditionTypes, &TypeSchema::name, shortName);
}

std::span<const ParameterRow> PerkRows() {
    return RequiredPerkRows;
}

std::string ShownChoiceText(const ChoiceList& list, std::string_view stored) {
    if (stored.size() > list.prefix.size())
        stored.remove_prefix(list.prefix.size());
    return std::string(stored);
}

std::string StoredChoiceText(const ChoiceList& list, std::string_view shown) {
    std::string stored(list.prefix);
    stored.append(shown);
    return stored;
}

std::string StoredChoiceText(const ChoiceList& list, std::string_view shown,
                             std::string_view original) {
    if (FindChoice(list, shown) < 0 && shown == ShownChoiceText(list, original))
        return std::string(original);
    return StoredChoiceText(list, shown);
}

std::string ShownText(const ParameterRow& row, std::string_view stored) {
    return IsListRow(row) ? ShownChoiceText(*row.choices, stored) : std::string(stored);
}

std::string StoredText(const ParameterRow& row, std::string_view shown) {
    return IsListRow(row) ? StoredChoiceText(*row.choices, shown) : std::string(shown);
}

std::string StoredText(const ParameterRow& row, std::string_view shown, std::string_view original) {
    return IsListRow(row) ? StoredChoiceText(*row.choices, shown, original) : std::string(shown);
}

int ChoiceIndex(const ParameterRow& row, std::string_view shown) {
    return IsListRow(row) ? FindChoice(*row.choices, shown) : -1;
}

bool MatchesChoice(const ParameterRow& row, std::string_view shown) {
    return ChoiceIndex(row, shown) >= 0;
}

std::string InitialRowText(const ParameterRow& row) {
    if (IsListRow(row) && !row.choices->names.empty())
        return std::string(row.choices->names.front());
    return std::string(RowKindPresentation(row.kind).initialText);
}

bool LacksChoice(const ParameterRow& row, std::string_view stored) {
    return IsListRow(row) && (stored.empty() || stored == row.choices->prefix);
}

std::string ShownPerkText(std::string_view stored) {
    return ShownChoiceText(Choices(Enumeration::Skill), stored);
}

std::string StoredPerkText(std::string_view shown) {
    return StoredChoiceText(Choices(Enumeration::Skill), shown);
}

std::string StoredPerkText(std::string_view shown, std::string_view original) {
    return StoredChoiceText(Choices(Enumeration::Skill), shown, original);
}

bool MatchesSkill(std::string_view shown) {
    return FindChoice(Choices(Enumeration::Skill), shown) >= 0;
}

} // namespace VaskEdit
