#include "info/Choices.h"

#include <iterator>

namespace VaskEdit {

namespace {
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

constexpr std::string_view InfoCondTypeNames[] = {
    "gEInfoCondType_General",      "gEInfoCondType_Open",     "gEInfoCondType_Ready",
    "gEInfoCondType_Activator",    "gEInfoCondType_Running",  "gEInfoCondType_Success",
    "gEInfoCondType_Delivery",     "gEInfoCondType_Finished", "gEInfoCondType_Join",
    "gEInfoCondType_NothingToSay", "gEInfoCondType_Back"};

constexpr std::string_view InfoTypeNames[] = {
    "gEInfoType_VeryImportant", "gEInfoType_Important", "gEInfoType_News",
    "gEInfoType_Info",          "gEInfoType_Comment",   "gEInfoType_Parent",
    "gEInfoType_Refuse",        "gEInfoType_Audiolog",  "gEInfoType_Cutscene",
    "gEInfoType_NPCSmalltalk",  "gEInfoType_Radio"};

constexpr std::string_view InfoGameModeTypeNames[] = {"gEInfoGameModeType_Normal"};

} // namespace

extern constexpr ChoiceList YesNoList{"bool", "", YesNoNames};

extern constexpr ChoiceList ChoiceListTable[] = {
    {"gEQuestActor", "gEQuestActor_", QuestActorNames},
    {"gEOtherType", "gEOtherType_", OtherTypeNames},
    {"gEForcedDialogCam", "gEForcedDialogCam_", ForcedDialogCamNames},
    {"eEGameVarCompare", "eEGameVarCompare_", GameVarCompareNames},
    {"eEExecutionTimestampCompare", "eEExecutionTimestampCompare_", ExecutionTimestampCompareNames},
    {"gEInfoNPCStatus", "gEInfoNPCStatus_", InfoNPCStatusNames},
    {"gEInfoQuestStatus", "gEInfoQuestStatus_", InfoQuestStatusNames},
    {"gECompareOperation", "gECompareOperation_", CompareOperationNames},
    {"gESkill", SkillPrefix, SkillNameList},
    {"gEInfoCondType", "", InfoCondTypeNames},
    {"gEInfoType", "", InfoTypeNames},
    {"gEInfoGameModeType", "", InfoGameModeTypeNames},
};
static_assert(std::size(ChoiceListTable) == EnumerationCount);

const ChoiceList& Choices(Enumeration enumeration) {
    return *ChoicesOf(enumeration);
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

} // namespace VaskEdit
