#include "info/ConditionTypes.h"

#include <array>
#include <string>

namespace VaskEdit {

const std::array<std::string_view, ConditionTypeCount> ConditionTypeNames = {
    "CanTeachSkill", "GameVariable",    "ItemAmount",       "LastExecutionTimestamp",
    "NPCAreaStatus", "NPCCrewMember",   "NPCRoutineStatus", "NPCStatus",
    "OwnerInArea",   "OwnerNearEntity", "PlayerKnows",      "PlayerNotKnows",
    "QuestStatus",   "Script",          "SkillValue",       "TeachEnabled"};

namespace {
using S = ConditionSlot;
constexpr bool Q = true;  // double quotes kept on reading
constexpr bool U = false; // double quotes removed on reading

constexpr ConditionMember GameVariable[] = {{"String GameVari", "String GameVari", S::Entity1, U},
                                            {"VarCompare Com", "VarCompare Com", S::ID1, Q},
                                            {"int Value ", "int Value ", S::ID2, Q}};
constexpr ConditionMember ItemAmount[] = {{"ringProxy Owner", "ringProxy Owner", S::Entity1, U},
                                          {"EntityProxy Ite", "EntityProxy Ite", S::ID1, Q},
                                          {"int ItemAmount ", "int ItemAmount ", S::ID2, Q},
                                          {" InvertTest ", " InvertTest ", S::ID3, Q}};
constexpr ConditionMember LastExecutionTimestamp[] = {
    {"bCString Info ", "bCString Info ", S::Entity1, U},
    {"tampCompare Com", "tampCompare Com", S::ID1, Q},
    {" TimeDistance ", " TimeDistance ", S::ID2, Q}};
constexpr ConditionMember NPCAreaStatus[] = {{"StringProxy NPC", "StringProxy NPC", S::Entity1, U},
                                             {"AreaPropertyNam", "AreaPropertyNam", S::ID1, U},
                                             {"bool InArea ", "bool InArea ", S::ID2, Q}};
constexpr ConditionMember NPCCrewMember[] = {{"StringProxy NPC", "StringProxy NPC", S::Entity1, U}};
constexpr ConditionMember NPCRoutineStatus[] = {
    {"StringProxy NPC", "StringProxy NPC", S::Entity1, U},
    {" RoutineName ", " RoutineName ", S::ID1, U},
    {"RoutineActive", "RoutineActive", S::ID2, Q}};
constexpr ConditionMember NPCStatus[] = {{" SecondaryNPC ", " SecondaryNPC ", S::Entity1, U},
                                         {"ondaryNPCStatus", "ondaryNPCStatus", S::ID1, Q}};
constexpr ConditionMember OwnerInArea[] = {{"AreaPropertyNam", "AreaPropertyNam", S::ID1, U}};
constexpr ConditionMember OwnerNearEntity[] = {{"ingProxy Entity", "ingProxy Entity", S::ID1, U}};
constexpr ConditionMember PlayerKnows[] = {{" PlayerKnows ", " PlayerKnows ", S::ID1, U}};
constexpr ConditionMember PlayerNotKnows[] = {{"PlayerNotKnows", "PlayerNotKnows", S::ID1, U}};
constexpr ConditionMember QuestStatus[] = {{"Proxy Quest ", "Proxy Quest ", S::ID1, U},
                                           {"QuestStatus ", "QuestStatus ", S::ID2, Q},
                                           {"IsCurrentStatus", "IsCurrentStatus", S::ID3, Q}};
constexpr ConditionMember Script[] = {{"ring ScriptName", "xyScript Script", S::ID1, U},
                                      {"bCString Self", "bCString Self", S::Entity1, U},
                                      {"bCString Other", "bCString Other", S::Entity2, U},
                                      {" OtherType ", " OtherType ", S::ID2, Q},
                                      {"int Param ", "int Param ", S::ID3, Q},
                                      {" StringParam ", " StringParam ", S::ID4, U}};
// The skill stands last in the block although it fills the first ID slot.
constexpr ConditionMember SkillValue[] = {{"bCString Entity", "bCString Entity", S::Entity1, U},
                                          {"CompareOperatio", "CompareOperatio", S::ID2, Q},
                                          {"int Amount ", "int Amount ", S::ID3, Q},
                                          {"gESkill Skill", "gESkill Skill", S::ID1, Q}};
constexpr ConditionMember TeachEnabled[] = {{"TeachEnabled ", "TeachEnabled ", S::ID1, Q}};

template <gCInfoCondition V> ConditionType Make(std::span<const ConditionMember> members) {
    return {V, nullptr, members, &InfoConditionClass<V>::ConditionStream,
            &InfoConditionClass<V>::Text};
}

using C = gCInfoCondition;
const std::array<ConditionType, 15> Types = {
    Make<C::GameVariable>(GameVariable),
    Make<C::ItemAmount>(ItemAmount),
    Make<C::LastExecutionTimestamp>(LastExecutionTimestamp),
    Make<C::NPCAreaStatus>(NPCAreaStatus),
    Make<C::NPCCrewMember>(NPCCrewMember),
    Make<C::NPCRoutineStatus>(NPCRoutineStatus),
    Make<C::NPCStatus>(NPCStatus),
    Make<C::OwnerInArea>(OwnerInArea),
    Make<C::OwnerNearEntity>(OwnerNearEntity),
    Make<C::PlayerKnows>(PlayerKnows),
    Make<C::PlayerNotKnows>(PlayerNotKnows),
    Make<C::QuestStatus>(QuestStatus),
    Make<C::Script>(Script),
    Make<C::SkillValue>(SkillValue),
    Make<C::TeachEnabled>(TeachEnabled),
};

const std::array<std::string, 15> ClassNames = [] {
    std::array<std::string, 15> names;
    for (std::size_t i = 0; i < Types.size(); ++i)
        names[i] = "gCInfoCondition" +
                   std::string(ConditionTypeNames[static_cast<std::size_t>(Types[i].value)]);
    return names;
}();

const std::array<ConditionType, 15> Named = [] {
    std::array<ConditionType, 15> named = Types;
    for (std::size_t i = 0; i < named.size(); ++i)
        named[i].className = ClassNames[i].c_str();
    return named;
}();

template <typename Record> auto& Slot(Record& r, ConditionSlot slot) {
    switch (slot) {
    case S::Entity1:
        return r.Entity1;
    case S::Entity2:
        return r.Entity2;
    case S::ID1:
        return r.ID1;
    case S::ID2:
        return r.ID2;
    case S::ID3:
        return r.ID3;
    case S::ID4:
        return r.ID4;
    default:
        return r.LocString;
    }
}
} // namespace

std::span<const ConditionType> SupportedConditionTypes() {
    return Named;
}

const ConditionType* FindConditionType(std::uint32_t value) {
    if (value < 1 || value > 15)
        return nullptr;
    return &Named[value - 1];
}

const ConditionType* FindConditionType(const Char32& shortName) {
    for (const auto& type : Named) {
        if (*type.text == shortName)
            return &type;
    }
    return nullptr;
}

bool ReadConditionMembers(const ConditionType& type, RegionMembers& source, InfoCondition& record) {
    bool fits = true;
    for (const auto& member : type.members)
        fits = source.Read(Slot(record, member.slot), Char16(member.readKey), !member.keepQuotes) &&
               fits;
    return fits;
}

void WriteConditionMembers(const ConditionType& type, Stream& output, const InfoCondition& record) {
    Stream& templ = *type.stream;
    for (const auto& member : type.members)
        TesselEngine::WriteMember(output, templ, Slot(record, member.slot),
                                  Char16(member.writeKey));
    TesselEngine::WriteRest(output, templ);
    templ.Reset();
}

} // namespace VaskEdit
