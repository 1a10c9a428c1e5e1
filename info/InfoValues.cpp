#include "info/InfoValues.h"
#include "info/EntryTypes.h"
#include "info/MemberTable.h"
#include "info/RegionMembers.h"

#include <algorithm>
#include <variant>

namespace VaskEdit {

namespace {
constexpr std::string_view PerkClass = "gCRequiredPerk";

void VisitToken(const std::optional<MemberToken>& token, std::uint32_t regionAt, Place place,
                std::string_view entryClass, const std::function<void(const ValueAt&)>& visit) {
    if (!token)
        return;
    std::string scratch;
    const std::string_view value = ValueView(token->text, scratch);
    if (!value.empty())
        visit(ValueAt{place, value, token->text, regionAt + token->offset, entryClass});
}

void VisitMembers(std::string_view text, std::uint32_t at, std::uint32_t end, MemberGroup group,
                  const std::function<void(const ValueAt&)>& visit) {
    RegionMembers members(text.substr(at, end - at));
    const auto table = InfoMemberTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].group != group)
            continue;
        const auto token = members.Locate(Char16(table[i].readKey), Capacity(table[i]) < 256);
        VisitToken(token, at, {PlaceList::Member, 0, static_cast<std::uint8_t>(i)}, {}, visit);
    }
}

void VisitEntry(std::string_view text, const EntrySpan& span, PlaceList list,
                std::uint16_t position, std::span<const Parameter> parameters,
                const std::function<void(const ValueAt&)>& visit) {
    const std::string_view body = span.Body(text);
    RegionMembers members(body);
    if (list != PlaceList::Perk)
        members.Locate(Char16("Version"), true); // taken first, as the reader takes it
    for (const Parameter& parameter : parameters) {
        const auto token =
            members.Locate(Char16(parameter.readKey), SlotCapacity(parameter.slot) < 256);
        VisitToken(token, span.open, {list, position, static_cast<std::uint8_t>(parameter.slot)},
                   span.Name(text), visit);
    }
}

void VisitList(std::string_view text, const std::vector<EntrySpan>& entries, EntryKind kind,
               PlaceList list, const std::function<void(const ValueAt&)>& visit) {
    const std::string_view prefix = ClassPrefix(kind);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string_view name = entries[i].Name(text);
        if (!name.starts_with(prefix) || entries[i].unclosed != 0)
            continue;
        if (const EntryType* type = FindClassType(kind, name.substr(prefix.size())))
            VisitEntry(text, entries[i], list, static_cast<std::uint16_t>(i), type->parameters,
                       visit);
    }
}
} // namespace

std::string PlaceName(const Place& place) {
    if (place.list == PlaceList::Member)
        return std::string(InfoMemberTable()[place.field].name);
    static constexpr std::string_view Lists[] = {"", "RequiredPerks", "InfoCommands",
                                                 "InfoConditions"};
    std::string name =
        std::string(Lists[static_cast<int>(place.list)]) + "[" + std::to_string(place.entry) + "].";
    const int value = CommandValueIndex(place.SlotOf());
    if (place.list == PlaceList::Command && value >= 0)
        return name + "Values[" + std::to_string(value) + "]";
    return name + std::string(SlotName(place.SlotOf()));
}

std::string ValueText(std::string_view token) {
    return TesselEngine::Detail::CleanMember(token, true, false);
}

std::string_view ValueView(std::string_view token, std::string& scratch) {
    std::string_view inner = token;
    if (inner.size() >= 2 && inner.front() == '"' && inner.back() == '"')
        inner = inner.substr(1, inner.size() - 2);
    if (std::none_of(inner.begin(), inner.end(), [](char c) { return c == '"' || c == ';'; }))
        return inner;
    scratch = ValueText(token);
    return scratch;
}

void ForEachValue(std::string_view text, const std::function<void(const ValueAt&)>& visit) {
    ForEachValue(text, FindInfoRegions(text), visit);
}

void ForEachValue(std::string_view text, const InfoRegions& regions,
                  const std::function<void(const ValueAt&)>& visit) {
    VisitMembers(text, regions.headBegin, regions.headEnd, MemberGroup::Head, visit);
    for (std::size_t i = 0; i < regions.perks.size(); ++i) {
        if (regions.perks[i].Name(text) == PerkClass && regions.perks[i].unclosed == 0)
            VisitEntry(text, regions.perks[i], PlaceList::Perk, static_cast<std::uint16_t>(i),
                       PerkParameters(), visit);
    }
    VisitMembers(text, regions.tailBegin, regions.tailEnd, MemberGroup::Tail, visit);
    VisitList(text, regions.commands, EntryKind::Command, PlaceList::Command, visit);
    VisitList(text, regions.conditions, EntryKind::Condition, PlaceList::Condition, visit);
}

} // namespace VaskEdit
