// One command of an info: a generic record whose text slots hold the parameters of
// any command type, and the operations that read, measure and write its block.
#pragma once

#include "engine/FixedText.h"
#include "engine/Stream.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace VaskEdit {

using TesselEngine::Char16;
using TesselEngine::Char256;
using TesselEngine::Char32;
using TesselEngine::Char48;
using TesselEngine::Char512;
using TesselEngine::Char8;
using TesselEngine::IO::Stream;

// The game's command types; the value of a name is its position.
enum class gCInfoCommand : std::uint16_t {
    AddCrewMember,
    AddInfoSystemEndScript,
    AddLogText,
    AddQuestActor,
    Attack,
    Back,
    ClearGameEvent,
    CloseQuest,
    CreateItem,
    Description,
    DestroyItem,
    End,
    EndGame,
    FullStop,
    Give,
    GiveXP,
    InfoWait,
    KillNPC,
    NarratorEnd,
    NarratorSay,
    NarratorStart,
    NuffSaid,
    PickPocket,
    PlayJingle,
    RemoveCrewMember,
    RemoveNPC,
    RemoveQuestActor,
    RunAIScript,
    RunInfo,
    RunQuest,
    RunScript,
    Say,
    SayConfirm,
    SayHoldingPosition,
    SayKeepItUp,
    SaySVM,
    SetDialogCamera,
    SetGameEvent,
    SetGuardStatus,
    SetPartyEnabled,
    SetRoutine,
    SetSectorStatus,
    SetTeachEnabled,
    SetTradeEnabled,
    ShowPicture,
    ShowSubtitle,
    Sleep,
    StartEffect,
    StartFixCamera,
    StartTutorial,
    StopFixCamera,
    SucceedQuest,
    SwitchCase,
    SwitchDefault,
    SwitchEnd,
    Teach,
    TeleportNPC,
    Use,
    UseCustom,
    Wear
};
constexpr std::uint32_t CommandTypeCount = 60;

// The value of CommandTypeIndex for a record without a supported type.
constexpr std::uint32_t NoCommandType = 0xFFFFFFFFu;

struct InfoCommand;
class VaskInfo;

// Read one command block at or after the position; false when no further block follows.
bool ReadCommandBlock(Stream& source, InfoCommand& command);
// Writes the record's block; a record with a kept block writes that text unchanged.
bool WriteCommandBlock(Stream& output, InfoCommand& command);
// What the record can add to the writer's output; sets CommandTypeIndex from Command.
std::uint32_t MeasureCommand(const VaskInfo* info, InfoCommand& command);
// Fills Text from the text table of that file name.
void LookUpLocText(const char* fileName, InfoCommand& command);
// The value of a supported short name (exact comparison); 0 for any other text.
std::uint16_t SelectCommandIndex(const char* text);
// True for the 39 types that have a class.
bool IsSupportedCommandType(std::uint32_t value);

struct InfoCommand {
    Char32 Command;
    Char8 Version;
    Char48 Entity1;
    Char48 Entity2;
    Char48 Entity3;
    Char48 ID1;
    Char48 ID2;
    Char48 ID3;
    std::array<Char16, 15> Value;
    Char48 LocString;
    Char512 Text;
    bool UseValues = false;
    std::uint32_t CommandTypeIndex = NoCommandType;
    // The block's text as read, for a type without a class or a block that its type's
    // template cannot write back whole; written back unchanged.
    std::string PreservedBlock;

    void SetCommand(const char* text);
    void SetEntity1(const char* text);
    void SetEntity2(const char* text);
    void SetEntity3(const char* text);
    void SetID1(const char* text);
    void SetID2(const char* text);
    void SetID3(const char* text);
    void SetLocString(const char* text);
    void SetText(const char* text);
    void SetValue(const char* text, std::uint32_t index);

    // Empties every text slot and the kept block; the type index stays.
    void ClearSlots();
};

} // namespace VaskEdit
