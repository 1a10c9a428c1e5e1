// The enumerations that the editors offer as lists: the choice rows of the entry
// dialogs (with the prefix under which a choice is stored), yes/no, the skills, and the
// info's own type members.
#pragma once

#include <span>
#include <string_view>

namespace VaskEdit {

struct ChoiceList {
    std::string_view typeTag; // the enumeration's name, e.g. "gEQuestActor"; "bool" for yes/no
    std::string_view prefix;  // stored in front of a chosen name; empty for yes/no and the
                              // info's types, whose names carry it
    std::span<const std::string_view> names; // in list order
};

enum class Enumeration {
    // The choice rows of the entry dialogs.
    QuestActor,
    OtherType,
    ForcedDialogCam,
    GameVarCompare,
    ExecutionTimestampCompare,
    InfoNPCStatus,
    InfoQuestStatus,
    CompareOperation,
    Skill,
    // The info's own members.
    InfoCondType,
    InfoType,
    InfoGameModeType,
};

inline constexpr int EnumerationCount = 12;

// The lists by enumeration, and yes/no: constant, so that tables can point to them.
extern const ChoiceList ChoiceListTable[EnumerationCount];
extern const ChoiceList YesNoList;

constexpr const ChoiceList* ChoicesOf(Enumeration enumeration) {
    return &ChoiceListTable[static_cast<int>(enumeration)];
}
const ChoiceList& Choices(Enumeration enumeration);

// The skill names (the gESkill list), also the type list of the required-perk dialog.
std::span<const std::string_view> SkillNames();
inline constexpr std::string_view SkillPrefix = "gESkill_";

// Position of name in the list (exact, case-sensitive); -1 when it is none of them.
int FindChoice(const ChoiceList& list, std::string_view name);

} // namespace VaskEdit
