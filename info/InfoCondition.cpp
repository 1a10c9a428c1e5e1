#include "info/InfoCondition.h"
#include "engine/Member.h"
#include "info/EntryBlocks.h"
#include "info/ListEntries.h"

namespace VaskEdit {

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
    return FindClassType(EntryKind::Condition, value) != nullptr;
}

bool ReadConditionBlock(Stream& source, InfoCondition& condition) {
    if (ReadNextEntry(source, condition, ReadEntry<InfoCondition>))
        return true;
    condition.ClearSlots();
    return false;
}

bool WriteConditionBlock(Stream& output, InfoCondition& condition) {
    return WriteEntryBlock(output, condition);
}

std::uint32_t MeasureCondition(const VaskInfo*, InfoCondition& condition) {
    return MeasureEntry(condition);
}

std::uint16_t SelectConditionIndex(const char* text) {
    if (const EntryType* type =
            FindClassType(EntryKind::Condition, std::string_view(text ? text : "")))
        return static_cast<std::uint16_t>(type->value);
    return 0; // also the value of CanTeachSkill
}

bool ReadRequiredPerk(Stream& source, InfoRequiredPerk& perk) {
    return ReadNextEntry(source, perk, ReadPerkEntry);
}

namespace {
// What the perk template holds after its last placeholder: the separator that follows
// every perk but the last, and the line end.
std::string_view PerkTail() {
    const Stream& templ = InfoRequiredPerk::PerkStream;
    const std::string_view text(templ.GetBuffer(), templ.GetSize());
    const std::size_t last = text.rfind("||");
    return last == std::string_view::npos ? std::string_view() : text.substr(last + 2);
}
} // namespace

bool WriteRequiredPerk(Stream& output, const InfoRequiredPerk& perk, bool lastInList) {
    if (!perk.PreservedBlock.empty()) {
        output.WriteData(perk.PreservedBlock.data(),
                         static_cast<std::uint32_t>(perk.PreservedBlock.size()));
        const std::string_view tail = PerkTail().substr(lastInList && !PerkTail().empty() ? 1 : 0);
        output.WriteData(tail.data(), static_cast<std::uint32_t>(tail.size()));
        return true;
    }
    Stream cursor = TesselEngine::TemplateCursor(InfoRequiredPerk::PerkStream);
    WriteParameters(PerkParameters(), output, cursor, perk);
    TesselEngine::WriteSkipMarker(output, cursor, lastInList);
    TesselEngine::WriteRest(output, cursor);
    return true;
}

std::uint32_t MeasureRequiredPerk(const VaskInfo*, const InfoRequiredPerk& perk) {
    return static_cast<std::uint32_t>(perk.Perk.Length() + perk.Value.Length() +
                                      perk.InvertTest.Length() + perk.PreservedBlock.size()) +
           InfoRequiredPerk::PerkStream.GetSize();
}

} // namespace VaskEdit
