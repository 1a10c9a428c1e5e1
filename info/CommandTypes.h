// The 39 supported command types. Each class knows its members (in the order in
// which blocks and templates hold them), its resource template and whether it keeps
// parameters in the Value slots; the classes are views on a generic InfoCommand.
#pragma once

#include "engine/Member.h"
#include "info/InfoCommand.h"
#include "info/RegionMembers.h"

#include <algorithm>
#include <span>

namespace VaskEdit {

enum class CommandSlot : std::uint8_t {
    Entity1,
    Entity2,
    Entity3,
    ID1,
    ID2,
    ID3,
    LocString,
    Text,
    Value0,
    Value1,
    Value2,
    Value3,
    Value4,
    Value5,
    Value6,
    Value7,
    Value8,
    Value9,
    Value10,
    Value11,
    Value12,
    Value13,
    Value14
};

struct CommandMember {
    const char* readKey;
    const char* writeKey;
    CommandSlot slot;
    bool keepQuotes;
};

// Everything the generic reader and writer need to know of one supported type.
struct CommandType {
    gCInfoCommand value;
    const char* className; // "gCInfoCommand" + short name: the template file's name
    std::span<const CommandMember> members;
    const char* textTable; // where LocString is looked up after reading, or null
    bool useValues;
    Stream* stream;     // the class's template
    const Char32* text; // the class's short name
};

// The supported types in the order their templates are loaded.
std::span<const CommandType> SupportedCommandTypes();
// The type of a value, or null for the 21 names without a class.
const CommandType* FindCommandType(std::uint32_t value);
const CommandType* FindCommandType(const Char32& shortName);

// Reads the members of a type into the record; writes them by filling its template.
// Reads the members of a type into the record; false when a value does not fit its slot.
bool ReadCommandMembers(const CommandType& type, RegionMembers& source, InfoCommand& record);
void WriteCommandMembers(const CommandType& type, Stream& output, const InfoCommand& record);

// The shared shape of the command classes: a view on one record.
template <gCInfoCommand Value> class InfoCommandClass {
public:
    static inline const Char32 Text{CommandTypeNames[static_cast<std::size_t>(Value)]};
    static inline Stream CommandStream;

    explicit InfoCommandClass(InfoCommand& record) : record(record) {}
    // Reads the members from the source's position on; the position does not move.
    void ReadCommand(Stream& source) {
        const std::uint32_t at = std::min(source.GetPosition(), source.GetSize());
        RegionMembers members(std::string_view(source.GetBuffer() + at, source.GetSize() - at));
        ReadCommandMembers(Type(), members, record);
    }
    void WriteCommand(Stream& output) { WriteCommandMembers(Type(), output, record); }
    static bool LoadCommandTemplate(Char256 path) {
        return TesselEngine::LoadTemplate(path, CommandStream);
    }
    static const CommandType& Type() { return *FindCommandType(static_cast<std::uint32_t>(Value)); }

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
