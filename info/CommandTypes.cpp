#include "info/CommandTypes.h"
#include "engine/Member.h"

#include <algorithm>
#include <array>

namespace VaskEdit {

const std::array<std::string_view, CommandTypeCount> CommandTypeNames = {"AddCrewMember",
                                                                         "AddInfoSystemEndScript",
                                                                         "AddLogText",
                                                                         "AddQuestActor",
                                                                         "Attack",
                                                                         "Back",
                                                                         "ClearGameEvent",
                                                                         "CloseQuest",
                                                                         "CreateItem",
                                                                         "Description",
                                                                         "DestroyItem",
                                                                         "End",
                                                                         "EndGame",
                                                                         "FullStop",
                                                                         "Give",
                                                                         "GiveXP",
                                                                         "InfoWait",
                                                                         "KillNPC",
                                                                         "NarratorEnd",
                                                                         "NarratorSay",
                                                                         "NarratorStart",
                                                                         "NuffSaid",
                                                                         "PickPocket",
                                                                         "PlayJingle",
                                                                         "RemoveCrewMember",
                                                                         "RemoveNPC",
                                                                         "RemoveQuestActor",
                                                                         "RunAIScript",
                                                                         "RunInfo",
                                                                         "RunQuest",
                                                                         "RunScript",
                                                                         "Say",
                                                                         "SayConfirm",
                                                                         "SayHoldingPosition",
                                                                         "SayKeepItUp",
                                                                         "SaySVM",
                                                                         "SetDialogCamera",
                                                                         "SetGameEvent",
                                                                         "SetGuardStatus",
                                                                         "SetPartyEnabled",
                                                                         "SetRoutine",
                                                                         "SetSectorStatus",
                                                                         "SetTeachEnabled",
                                                                         "SetTradeEnabled",
                                                                         "ShowPicture",
                                                                         "ShowSubtitle",
                                                                         "Sleep",
                                                                         "StartEffect",
                                                                         "StartFixCamera",
                                                                         "StartTutorial",
                                                                         "StopFixCamera",
                                                                         "SucceedQuest",
                                                                         "SwitchCase",
                                                                         "SwitchDefault",
                                                                         "SwitchEnd",
                                                                         "Teach",
                                                                         "TeleportNPC",
                                                                         "Use",
                                                                         "UseCustom",
                                                                         "Wear"};

namespace {
using S = CommandSlot;
constexpr bool Q = true;  // double quotes kept on reading
constexpr bool U = false; // double quotes removed on reading

// Members of each type, in the order blocks and templates hold them. Where a read key
// and a write key differ, both are given; otherwise the same key serves both.
constexpr CommandMember AddCrewMember[] = {{"bCString NPC ", "bCString NPC ", S::ID1, U}};
constexpr CommandMember AddInfoSystemEndScript[] = {
    {"xyScript Script", "xyScript Script", S::ID1, U},
    {"String Self ", "String Self ", S::Entity1, U},
    {"String Other ", "String Other ", S::Entity2, U},
    {"Param ", "Param ", S::ID2, Q}};
constexpr CommandMember AddLogText[] = {{"LocString Text", "LocString Text", S::LocString, U},
                                        {"Proxy Quest ", "Proxy Quest ", S::ID1, U}};
constexpr CommandMember QuestActor[] = {{"Proxy Quest ", "Proxy Quest ", S::Entity1, U},
                                        {"ringProxy Actor", "ringProxy Actor", S::ID1, U},
                                        {" ActorType ", " ActorType ", S::ID2, Q}};
constexpr CommandMember Attack[] = {{"String Entity1", "String Entity1", S::Entity1, U},
                                    {"String Entity2", "String Entity2", S::Entity2, U},
                                    {"String Reason", "String Reason", S::ID1, U},
                                    {"ExecutionScript", "ExecutionScript", S::ID2, U}};
constexpr CommandMember GameEventOnly[] = {{"String GameEven", "String GameEven", S::ID1, U}};
constexpr CommandMember QuestOnly[] = {{"Proxy Quest ", "Proxy Quest ", S::ID1, U}};
constexpr CommandMember CreateItem[] = {{"String Entity1", "String Entity1", S::Entity1, U},
                                        {"EntityProxy Item", "EntityProxy Item", S::ID1, Q},
                                        {" int Amount ", " int Amount ", S::ID2, Q},
                                        {"ResetRansacked", "ResetRansacked", S::Value0, Q},
                                        {"OnScreenLog", "OnScreenLog", S::Value1, Q}};
constexpr CommandMember Description[] = {{"LocString Text", "LocString Text", S::LocString, U}};
constexpr CommandMember DestroyItem[] = {{"String Entity1", "String Entity1", S::Entity1, U},
                                         {"EntityProxy Item", "EntityProxy Item", S::ID1, Q},
                                         {" int Amount ", " int Amount ", S::ID2, Q}};
constexpr CommandMember Give[] = {{"String Entity1", "String Entity1", S::Entity1, U},
                                  {"String Entity2", "String Entity2", S::Entity2, U},
                                  {"EntityProxy Ite", "EntityProxy Ite", S::ID1, Q},
                                  {" int Amount ", " int Amount ", S::ID2, Q},
                                  {"ShowNPCAmount ", "ShowNPCAmount ", S::ID3, Q},
                                  {"StackForCommon", "StackForCommon", S::Entity3, Q}};
constexpr CommandMember GiveXP[] = {{"int Amount ", "int Amount ", S::ID1, U}};
constexpr CommandMember InfoWait[] = {{"igned int Time ", "igned int Time ", S::ID1, Q}};
constexpr CommandMember NpcOnly[] = {{"bCString NPC ", "bCString NPC ", S::ID1, U}};
constexpr CommandMember PlayJingle[] = {{"bCString Jingle", "bCString Jingle", S::ID1, U},
                                        {"PlayAsMusic ", "PlayAsMusic ", S::ID2, Q}};
constexpr CommandMember RunAIScript[] = {{"nction AIScript", "nction AIScript", S::ID1, U},
                                         {"bCString Self", "bCString Self", S::Entity1, U},
                                         {"bCString Other", "bCString Other", S::Entity2, U},
                                         {" Param ", " Param ", S::ID2, Q}};
constexpr CommandMember RunScript[] = {{"xyScript Script", "xyScript Script", S::ID1, U},
                                       {"bCString Self", "bCString Self", S::Entity1, U},
                                       {"bCString Other", "bCString Other", S::Entity2, U},
                                       {" OtherType ", " OtherType ", S::ID2, Q},
                                       {" Param ", " Param ", S::Value0, Q},
                                       {" StringParam ", " StringParam ", S::ID3, U}};
constexpr CommandMember Say[] = {{"Speaker ", "String Speaker", S::Entity1, U},
                                 {"Listener ", "String Listener", S::Entity2, U},
                                 {"LocString Text", "LocString Text", S::LocString, U},
                                 {"ForcedDialogCam", "ForcedDialogCam", S::ID1, Q}};
constexpr CommandMember SayConfirm[] = {{"String Speaker", "String Speaker", S::Entity1, U},
                                        {"String Listener", "String Listener", S::Entity2, U}};
constexpr CommandMember SaySVM[] = {{"Speaker ", "String Speaker", S::Entity1, U},
                                    {"Listener ", "String Listener", S::Entity2, U},
                                    {" SVMID ", " SVMID ", S::ID2, U},
                                    {"LocString Text", "LocString Text", S::LocString, U},
                                    {"ForcedDialogCam", "ForcedDialogCam", S::ID1, Q}};
constexpr CommandMember SetGameEvent[] = {{"String GameEven", "String GameEven", S::ID1, U},
                                          {"Value", "Value", S::Value0, Q},
                                          {"RandomValueMin ", "RandomValueMin ", S::Value1, Q},
                                          {"RandomValueMax", "RandomValueMax", S::Value2, Q},
                                          {"PreventLastOne", "PreventLastOne", S::Value3, Q}};
constexpr CommandMember SetPartyEnabled[] = {{"String Entity1", "String Entity1", S::Entity1, U},
                                             {"PartyEnabled ", "PartyEnabled ", S::ID1, Q}};
constexpr CommandMember SetRoutine[] = {{"CString Entity1", "CString Entity1", S::Entity1, U},
                                        {"RoutineName ", "RoutineName ", S::ID1, U}};
constexpr CommandMember SetSectorStatus[] = {{"String SectorNa", "String SectorNa", S::Entity1, U},
                                             {"SectorEnabled", "SectorEnabled", S::ID1, Q}};
constexpr CommandMember SetTeachEnabled[] = {{"String Entity1", "String Entity1", S::Entity1, U},
                                             {"TeachEnabled ", "TeachEnabled ", S::ID1, Q}};
constexpr CommandMember SetTradeEnabled[] = {{"String Entity1", "String Entity1", S::Entity1, U},
                                             {"TradeEnabled", "TradeEnabled", S::ID1, Q}};
constexpr CommandMember Sleep[] = {{"String Entity1", "String Entity1", S::Entity1, U},
                                   {"TargetHour ", "TargetHour ", S::ID1, Q}};
constexpr CommandMember StartEffect[] = {{"String Entity1", "String Entity1", S::Entity1, U},
                                         {"roxy EffectName", "roxy EffectName", S::ID1, U},
                                         {"StopOnInfoEnd ", "StopOnInfoEnd ", S::Value0, Q},
                                         {"WaitForEffectEn", "WaitForEffectEn", S::Value1, Q}};
constexpr CommandMember StartFixCamera[] = {{"tring FixCamera", "tring FixCamera", S::ID1, U},
                                            {"String Target", "String Target", S::ID2, U},
                                            {"OverrideFOV ", "OverrideFOV ", S::Value0, Q},
                                            {"AutoChangeSpeed", "AutoChangeSpeed", S::Value1, Q},
                                            {"AutoChangeLimit", "AutoChangeLimit", S::Value2, Q},
                                            {"FOVChangeSpeed", "FOVChangeSpeed", S::Value3, Q},
                                            {"MoveSpeedMax ", "MoveSpeedMax ", S::Value4, Q},
                                            {"tationSpeedMax", "tationSpeedMax", S::Value5, Q},
                                            {"oveAcceleration", "oveAcceleration", S::Value6, Q},
                                            {"MoveDeccelerati", "MoveDeccelerati", S::Value7, Q},
                                            {"RotationAcceler", "RotationAcceler", S::Value8, Q},
                                            {"RotationDeccele", "RotationDeccele", S::Value9, Q},
                                            {"FocalRangeChang", "FocalRangeChang", S::Value10, Q},
                                            {"FocalRatioChang", "FocalRatioChang", S::Value11, Q},
                                            {"AutoFocusEnable", "AutoFocusEnable", S::Value12, Q},
                                            {"ForceCameraRese", "ForceCameraRese", S::Value13, Q},
                                            {"RotationSyncTo", "RotationSyncTo", S::Value14, Q}};
constexpr CommandMember SwitchCase[] = {{"ase, Version 1]", "ase, Version 1]", S::Text, U}};

constexpr std::span<const CommandMember> None{};

template <gCInfoCommand V>
constexpr CommandType Make(std::span<const CommandMember> members, const char* table = nullptr,
                           bool useValues = false) {
    return {V,
            nullptr,
            members,
            table,
            useValues,
            &InfoCommandClass<V>::CommandStream,
            &InfoCommandClass<V>::Text};
}

using C = gCInfoCommand;
const std::array<CommandType, 39> Types = {
    Make<C::AddCrewMember>(AddCrewMember),
    Make<C::AddInfoSystemEndScript>(AddInfoSystemEndScript),
    Make<C::AddLogText>(AddLogText, "questdescsa.csv"),
    Make<C::AddQuestActor>(QuestActor),
    Make<C::Attack>(Attack),
    Make<C::Back>(None),
    Make<C::ClearGameEvent>(GameEventOnly),
    Make<C::CloseQuest>(QuestOnly),
    Make<C::CreateItem>(CreateItem, nullptr, true),
    Make<C::Description>(Description, "infodescsa.csv"),
    Make<C::DestroyItem>(DestroyItem),
    Make<C::End>(None),
    Make<C::Give>(Give),
    Make<C::GiveXP>(GiveXP),
    Make<C::InfoWait>(InfoWait),
    Make<C::KillNPC>(NpcOnly),
    Make<C::PlayJingle>(PlayJingle),
    Make<C::RemoveCrewMember>(NpcOnly),
    Make<C::RemoveQuestActor>(QuestActor),
    Make<C::RunAIScript>(RunAIScript),
    Make<C::RunQuest>(QuestOnly),
    Make<C::RunScript>(RunScript, nullptr, true),
    Make<C::Say>(Say, "infosa.csv"),
    Make<C::SayConfirm>(SayConfirm),
    Make<C::SaySVM>(SaySVM, "infosa.csv"),
    Make<C::SetGameEvent>(SetGameEvent, nullptr, true),
    Make<C::SetPartyEnabled>(SetPartyEnabled),
    Make<C::SetRoutine>(SetRoutine),
    Make<C::SetSectorStatus>(SetSectorStatus),
    Make<C::SetTeachEnabled>(SetTeachEnabled),
    Make<C::SetTradeEnabled>(SetTradeEnabled),
    Make<C::Sleep>(Sleep),
    Make<C::StartEffect>(StartEffect, nullptr, true),
    Make<C::StartFixCamera>(StartFixCamera, nullptr, true),
    Make<C::StopFixCamera>(None),
    Make<C::SucceedQuest>(QuestOnly),
    Make<C::SwitchCase>(SwitchCase),
    Make<C::SwitchDefault>(None),
    Make<C::SwitchEnd>(None),
};

// Class names ("gCInfoCommand" + short name) live as long as the program.
const std::array<std::string, 39> ClassNames = [] {
    std::array<std::string, 39> names;
    for (std::size_t i = 0; i < Types.size(); ++i)
        names[i] = "gCInfoCommand" +
                   std::string(CommandTypeNames[static_cast<std::size_t>(Types[i].value)]);
    return names;
}();

const std::array<CommandType, 39> Named = [] {
    std::array<CommandType, 39> named = Types;
    for (std::size_t i = 0; i < named.size(); ++i)
        named[i].className = ClassNames[i].c_str();
    return named;
}();

const std::array<const CommandType*, CommandTypeCount> ByValue = [] {
    std::array<const CommandType*, CommandTypeCount> table{};
    for (const auto& type : Named)
        table[static_cast<std::size_t>(type.value)] = &type;
    return table;
}();

template <typename Record, typename F> decltype(auto) WithSlot(Record& r, CommandSlot slot, F f) {
    switch (slot) {
    case S::Entity1:
        return f(r.Entity1);
    case S::Entity2:
        return f(r.Entity2);
    case S::Entity3:
        return f(r.Entity3);
    case S::ID1:
        return f(r.ID1);
    case S::ID2:
        return f(r.ID2);
    case S::ID3:
        return f(r.ID3);
    case S::LocString:
        return f(r.LocString);
    case S::Text:
        return f(r.Text);
    default:
        return f(r.Value[static_cast<std::size_t>(slot) - static_cast<std::size_t>(S::Value0)]);
    }
}
} // namespace

std::span<const CommandType> SupportedCommandTypes() {
    return Named;
}

const CommandType* FindCommandType(std::uint32_t value) {
    return value < CommandTypeCount ? ByValue[value] : nullptr;
}

const CommandType* FindCommandType(const Char32& shortName) {
    for (const auto& type : Named) {
        if (*type.text == shortName)
            return &type;
    }
    return nullptr;
}

bool ReadCommandMembers(const CommandType& type, RegionMembers& source, InfoCommand& record) {
    bool fits = true;
    for (const auto& member : type.members) {
        WithSlot(record, member.slot, [&](auto& slot) {
            fits = source.Read(slot, Char16(member.readKey), !member.keepQuotes) && fits;
        });
    }
    if (type.useValues)
        record.UseValues = true;
    return fits;
}

void WriteCommandMembers(const CommandType& type, Stream& output, const InfoCommand& record) {
    Stream& templ = *type.stream;
    for (const auto& member : type.members) {
        WithSlot(record, member.slot, [&](const auto& slot) {
            TesselEngine::WriteMember(output, templ, slot, Char16(member.writeKey));
        });
    }
    TesselEngine::WriteRest(output, templ);
    templ.Reset();
}

} // namespace VaskEdit
