#include "info/InfoCondition.h"
#include "engine/Member.h"
#include "info/BlockText.h"
#include "info/ConditionTypes.h"

namespace VaskEdit {

namespace {
const Char16 ConditionPrefix("gCInfoCondition");
constexpr std::uint32_t ConditionPrefixLength = 15;
const Char16 PerkStart("gCRequiredPerk ");
const Char16 PerkKey("um gESkill Perk");
const Char16 PerkValueKey("int Value ");
const Char16 PerkInvertKey("bool InvertTest");
} // namespace

void InfoCondition::SetCondition(const char* text) {
    TesselEngine::SetMember(Condition, text);
}
void InfoCondition::SetEntity1(const char* text) {
    TesselEngine::SetMember(Entity1, text);
}
void InfoCondition::SetEntity2(const char* text) {
    TesselEngine::SetMember(Entity2, text);
}
void InfoCondition::SetID1(const char* text) {
    TesselEngine::SetMember(ID1, text);
}
void InfoCondition::SetID2(const char* text) {
    TesselEngine::SetMember(ID2, text);
}
void InfoCondition::SetID3(const char* text) {
    TesselEngine::SetMember(ID3, text);
}
void InfoCondition::SetID4(const char* text) {
    TesselEngine::SetMember(ID4, text);
}
void InfoCondition::SetLocString(const char* text) {
    TesselEngine::SetMember(LocString, text);
}

void InfoCondition::ClearSlots() {
    const std::uint32_t type = ConditionTypeIndex;
    *this = InfoCondition{};
    ConditionTypeIndex = type;
}

bool InfoRequiredPerk::LoadPerkTemplate(Char256 path) {
    return TesselEngine::LoadTemplate(path, PerkStream);
}
void InfoRequiredPerk::SetPerk(const char* text) {
    TesselEngine::SetMember(Perk, text);
}
void InfoRequiredPerk::SetValue(const char* text) {
    TesselEngine::SetMember(Value, text);
}
void InfoRequiredPerk::SetInvertTest(const char* text) {
    TesselEngine::SetMember(InvertTest, text);
}

bool IsSupportedConditionType(std::uint32_t value) {
    return FindConditionType(value) != nullptr;
}

bool ReadConditionBlock(Stream& source, InfoCondition& condition) {
    condition.ClearSlots();
    // A known type's name that opens no block lies inside a value: reading it as a
    // condition would add an empty condition on every save.
    std::uint32_t nameAt = 0;
    const ConditionType* type = nullptr;
    do {
        if (!source.FindKey(ConditionPrefix))
            return false;
        nameAt = source.GetPosition();
        source.Skip(ConditionPrefixLength);
        source.ReadToken(condition.Condition);
        type = FindConditionType(condition.Condition);
    } while (type && !NameOpensBlock(source));
    TesselEngine::ReadMember(source, condition.Version, Char16("Version"), false);
    if (type) {
        condition.ConditionTypeIndex = static_cast<std::uint32_t>(type->value);
        ReadConditionMembers(*type, source, condition);
    } else {
        // CanTeachSkill or an unknown class: keep the block to write it back unchanged.
        condition.PreservedBlock = TakeBlockText(source, nameAt);
    }
    return true;
}

bool WriteConditionBlock(Stream& output, InfoCondition& condition) {
    if (const ConditionType* type = FindConditionType(condition.ConditionTypeIndex))
        WriteConditionMembers(*type, output, condition);
    else if (!condition.PreservedBlock.empty())
        output.WriteData(condition.PreservedBlock.data(),
                         static_cast<std::uint32_t>(condition.PreservedBlock.size()));
    return true;
}

std::uint32_t MeasureCondition(const VaskInfo*, InfoCondition& condition) {
    std::uint64_t total = condition.Condition.Length() + condition.Version.Length() +
                          condition.Entity1.Length() + condition.Entity2.Length() +
                          condition.ID1.Length() + condition.ID2.Length() + condition.ID3.Length() +
                          condition.ID4.Length() + condition.LocString.Length() +
                          condition.PreservedBlock.size();
    if (const ConditionType* type = FindConditionType(condition.Condition)) {
        condition.ConditionTypeIndex = static_cast<std::uint32_t>(type->value);
        total += type->stream->GetSize();
    }
    return static_cast<std::uint32_t>(total);
}

std::uint16_t SelectConditionIndex(const char* text) {
    if (const ConditionType* type = FindConditionType(Char32(text)))
        return static_cast<std::uint16_t>(type->value);
    return 0; // also the value of CanTeachSkill
}

bool ReadRequiredPerk(Stream& source, InfoRequiredPerk& perk) {
    // A perk name further along a line is text inside a value.
    do {
        if (!source.FindKey(PerkStart))
            return false;
    } while (!NameBeginsLine(source, source.GetPosition()));
    TesselEngine::ReadMember(source, perk.Perk, PerkKey, false);
    TesselEngine::ReadMember(source, perk.Value, PerkValueKey, false);
    TesselEngine::ReadMember(source, perk.InvertTest, PerkInvertKey, false);
    return true;
}

bool WriteRequiredPerk(Stream& output, const InfoRequiredPerk& perk, bool lastInList) {
    Stream& templ = InfoRequiredPerk::PerkStream;
    TesselEngine::WriteMember(output, templ, perk.Perk, PerkKey);
    TesselEngine::WriteMember(output, templ, perk.Value, PerkValueKey);
    TesselEngine::WriteMember(output, templ, perk.InvertTest, PerkInvertKey);
    TesselEngine::WriteSkipMarker(output, templ, lastInList);
    TesselEngine::WriteRest(output, templ);
    templ.Reset();
    return true;
}

std::uint32_t MeasureRequiredPerk(const VaskInfo*, const InfoRequiredPerk& perk) {
    return static_cast<std::uint32_t>(perk.Perk.Length() + perk.Value.Length() +
                                      perk.InvertTest.Length()) +
           InfoRequiredPerk::PerkStream.GetSize();
}

} // namespace VaskEdit
