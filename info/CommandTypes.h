// The classes of the 39 command types that the program reads and writes: each a view
// on a generic InfoCommand with its short name and resource template. What they read and
// write is described in the type catalogue (info/EntryTypes.h).
#pragma once

#include "info/EntryBlocks.h"

#include <algorithm>

namespace VaskEdit {

template <gCInfoCommand Value> class InfoCommandClass {
public:
    static const EntryType& Type() {
        return *FindEntryType(EntryKind::Command, static_cast<std::uint32_t>(Value));
    }
    static inline const Char32 Text{Type().name};
    static inline Stream& CommandStream = TemplateStorage(Type());

    explicit InfoCommandClass(InfoCommand& record) : record(record) {}
    // Reads the members from the source's position on; the position does not move.
    void ReadCommand(Stream& source) {
        const std::uint32_t at = std::min(source.GetPosition(), source.GetSize());
        RegionMembers members(std::string_view(source.GetBuffer() + at, source.GetSize() - at));
        ReadParameters(Type().parameters, members, record);
        if (Type().useValues)
            record.UseValues = true;
    }
    void WriteCommand(Stream& output) { WriteEntryMembers(Type(), output, record); }
    static bool LoadCommandTemplate(Char256 path) {
        return TesselEngine::LoadTemplate(path, CommandStream);
    }

private:
    InfoCommand& record;
};

#define VASK_COMMAND_CLASS(Name)                                                                   \
    class InfoCommand##Name : public InfoCommandClass<gCInfoCommand::Name> {                       \
    public:                                                                                        \
        using InfoCommandClass::InfoCommandClass;                                                  \
    };

VASK_COMMAND_CLASS(AddCrewMember)
VASK_COMMAND_CLASS(AddInfoSystemEndScript)
VASK_COMMAND_CLASS(AddLogText)
VASK_COMMAND_CLASS(AddQuestActor)
VASK_COMMAND_CLASS(Attack)
VASK_COMMAND_CLASS(Back)
VASK_COMMAND_CLASS(ClearGameEvent)
VASK_COMMAND_CLASS(CloseQuest)
VASK_COMMAND_CLASS(CreateItem)
VASK_COMMAND_CLASS(Description)
VASK_COMMAND_CLASS(DestroyItem)
VASK_COMMAND_CLASS(End)
VASK_COMMAND_CLASS(Give)
VASK_COMMAND_CLASS(GiveXP)
VASK_COMMAND_CLASS(InfoWait)
VASK_COMMAND_CLASS(KillNPC)
VASK_COMMAND_CLASS(PlayJingle)
VASK_COMMAND_CLASS(RemoveCrewMember)
VASK_COMMAND_CLASS(RemoveQuestActor)
VASK_COMMAND_CLASS(RunAIScript)
VASK_COMMAND_CLASS(RunQuest)
VASK_COMMAND_CLASS(RunScript)
VASK_COMMAND_CLASS(Say)
VASK_COMMAND_CLASS(SayConfirm)
VASK_COMMAND_CLASS(SaySVM)
VASK_COMMAND_CLASS(SetGameEvent)
VASK_COMMAND_CLASS(SetPartyEnabled)
VASK_COMMAND_CLASS(SetRoutine)
VASK_COMMAND_CLASS(SetSectorStatus)
VASK_COMMAND_CLASS(SetTeachEnabled)
VASK_COMMAND_CLASS(SetTradeEnabled)
VASK_COMMAND_CLASS(Sleep)
VASK_COMMAND_CLASS(StartEffect)
VASK_COMMAND_CLASS(StartFixCamera)
VASK_COMMAND_CLASS(StopFixCamera)
VASK_COMMAND_CLASS(SucceedQuest)
VASK_COMMAND_CLASS(SwitchCase)
VASK_COMMAND_CLASS(SwitchDefault)
VASK_COMMAND_CLASS(SwitchEnd)

#undef VASK_COMMAND_CLASS

} // namespace VaskEdit
