// The classes of the 15 condition types that the program reads and writes: each a view
// on a generic InfoCondition with its short name and resource template. What they read
// and write is described in the type catalogue (info/EntryTypes.h).
#pragma once

#include "info/EntryBlocks.h"

#include <algorithm>

namespace VaskEdit {

template <gCInfoCondition Value> class InfoConditionClass {
public:
    static const EntryType& Type() {
        return *FindEntryType(EntryKind::Condition, static_cast<std::uint32_t>(Value));
    }
    static inline const Char32 Text{Type().name};
    static inline Stream& ConditionStream = TemplateStorage(Type());

    explicit InfoConditionClass(InfoCondition& record) : record(record) {}
    // Reads the members from the source's position on; the position does not move.
    void ReadCondition(Stream& source) {
        const std::uint32_t at = std::min(source.GetPosition(), source.GetSize());
        RegionMembers members(std::string_view(source.GetBuffer() + at, source.GetSize() - at));
        ReadParameters(Type().parameters, members, record);
    }
    void WriteCondition(Stream& output) { WriteEntryMembers(Type(), output, record); }
    static bool LoadConditionTemplate(Char256 path) {
        return TesselEngine::LoadTemplate(path, ConditionStream);
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
