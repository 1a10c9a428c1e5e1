// One condition of an info and one required perk: generic records with the
// operations that read, measure and write their blocks.
#pragma once

#include "info/InfoCommand.h"

namespace VaskEdit {

// The game's condition types; the value of a name is its position.
enum class gCInfoCondition : std::uint16_t {
    CanTeachSkill,
    GameVariable,
    ItemAmount,
    LastExecutionTimestamp,
    NPCAreaStatus,
    NPCCrewMember,
    NPCRoutineStatus,
    NPCStatus,
    OwnerInArea,
    OwnerNearEntity,
    PlayerKnows,
    PlayerNotKnows,
    QuestStatus,
    Script,
    SkillValue,
    TeachEnabled
};
constexpr std::uint32_t ConditionTypeCount = 16;

constexpr std::uint32_t NoConditionType = 0xFFFFFFFFu;

struct InfoCondition {
    Char32 Condition;
    Char8 Version;
    Char48 Entity1;
    Char48 Entity2;
    Char48 ID1;
    Char48 ID2;
    Char48 ID3;
    Char48 ID4;
    Char48 LocString;
    std::uint32_t ConditionTypeIndex = NoConditionType;
    // The block's text as read, for a type without a class or a block that its type's
    // template cannot write back whole; written back unchanged.
    std::string PreservedBlock;

    void SetCondition(const char* text);
    void SetEntity1(const char* text);
    void SetEntity2(const char* text);
    void SetID1(const char* text);
    void SetID2(const char* text);
    void SetID3(const char* text);
    void SetID4(const char* text);
    void SetLocString(const char* text);

    void ClearSlots();
};

struct InfoRequiredPerk {
    Char48 Perk;
    Char8 Value;
    Char8 InvertTest;
    // The perk's text as read, up to its "}", for a perk that its template cannot write
    // back whole; written back unchanged.
    std::string PreservedBlock;

    static inline Stream PerkStream;
    static bool LoadPerkTemplate(Char256 path);

    void SetPerk(const char* text);
    void SetValue(const char* text);
    void SetInvertTest(const char* text);
};

bool ReadConditionBlock(Stream& source, InfoCondition& condition);
bool WriteConditionBlock(Stream& output, InfoCondition& condition);
std::uint32_t MeasureCondition(const VaskInfo* info, InfoCondition& condition);
// The value of "CanTeachSkill" or of a supported short name; 0 for any other text.
std::uint16_t SelectConditionIndex(const char* text);
bool IsSupportedConditionType(std::uint32_t value);

bool ReadRequiredPerk(Stream& source, InfoRequiredPerk& perk);
// The last perk of a list is written without the byte that follows every other perk.
bool WriteRequiredPerk(Stream& output, const InfoRequiredPerk& perk, bool lastInList);
std::uint32_t MeasureRequiredPerk(const VaskInfo* info, const InfoRequiredPerk& perk);

} // namespace VaskEdit
