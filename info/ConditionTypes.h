// The 15 supported condition types: their members in block order, their resource
// templates, and the classes that view a generic InfoCondition.
#pragma once

#include "engine/Member.h"
#include "info/InfoCondition.h"
#include "info/RegionMembers.h"

#include <algorithm>
#include <span>

namespace VaskEdit {

enum class ConditionSlot : std::uint8_t { Entity1, Entity2, ID1, ID2, ID3, ID4, LocString };

struct ConditionMember {
    const char* readKey;
    const char* writeKey;
    ConditionSlot slot;
    bool keepQuotes;
};

struct ConditionType {
    gCInfoCondition value;
    const char* className; // "gCInfoCondition" + short name
    std::span<const ConditionMember> members;
    Stream* stream;
    const Char32* text;
};

std::span<const ConditionType> SupportedConditionTypes();
const ConditionType* FindConditionType(std::uint32_t value);
const ConditionType* FindConditionType(const Char32& shortName);

// Reads the members of a type into the record; false when a value does not fit its slot.
bool ReadConditionMembers(const ConditionType& type, RegionMembers& source, InfoCondition& record);
void WriteConditionMembers(const ConditionType& type, Stream& output, const InfoCondition& record);

template <gCInfoCondition Value> class InfoConditionClass {
public:
    static inline const Char32 Text{ConditionTypeNames[static_cast<std::size_t>(Value)]};
    static inline Stream ConditionStream;

    explicit InfoConditionClass(InfoCondition& record) : record(record) {}
    // Reads the members from the source's position on; the position does not move.
    void ReadCondition(Stream& source) {
        const std::uint32_t at = std::min(source.GetPosition(), source.GetSize());
        RegionMembers members(std::string_view(source.GetBuffer() + at, source.GetSize() - at));
        ReadConditionMembers(Type(), members, record);
    }
    void WriteCondition(Stream& output) { WriteConditionMembers(Type(), output, record); }
    static bool LoadConditionTemplate(Char256 path) {
        return TesselEngine::LoadTemplate(path, ConditionStream);
    }
    static const ConditionType& Type() {
        return *FindConditionType(static_cast<std::uint32_t>(Value));
    }

private:
    InfoCondition& record;
};

#define VASK_CONDITION_CLASS(Name)                                                                 \
    class InfoCondition##Name : public InfoConditionClass<gCInfoCondition::Name> {                 \
    public:                                                                                        \
        using InfoConditionClass::InfoConditionClass;                                              \
    };

VASK_CONDITION_CLASS(GameVariable)
VASK_CONDITION_CLASS(ItemAmount)
VASK_CONDITION_CLASS(LastExecutionTimestamp)
VASK_CONDITION_CLASS(NPCAreaStatus)
VASK_CONDITION_CLASS(NPCCrewMember)
VASK_CONDITION_CLASS(NPCRoutineStatus)
VASK_CONDITION_CLASS(NPCStatus)
VASK_CONDITION_CLASS(OwnerInArea)
VASK_CONDITION_CLASS(OwnerNearEntity)
VASK_CONDITION_CLASS(PlayerKnows)
VASK_CONDITION_CLASS(PlayerNotKnows)
VASK_CONDITION_CLASS(QuestStatus)
VASK_CONDITION_CLASS(Script)
VASK_CONDITION_CLASS(SkillValue)
VASK_CONDITION_CLASS(TeachEnabled)

#undef VASK_CONDITION_CLASS

} // namespace VaskEdit
