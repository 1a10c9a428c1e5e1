#include "info/InfoValues.h"
#include "info/EntryTypes.h"
#include "info/MemberTable.h"
#include "info/RegionMembers.h"

#include <algorithm>
#include <variant>

namespace VaskEdit {

namespace {
constexpr std::string_view PerkClass = "gCRequiredPerk";

using Visit = std::function<void(const ValueAt&)>;

void VisitToken(const std::optional<MemberToken>& token, std::uint32_t regionAt, Place place,
                std::string_view entryClass, const Visit& visit, bool withEmpty) {
    if (!token)
        return;
    std::string scratch;
    const std::string_view value = ValueView(token->text, scratch);
    if (!value.empty() || withEmpty)
        visit(ValueAt{place, value, token->text, regionAt + token->offset, entryClass});
}

void VisitMembers(std::string_view text, std::uint32_t at, std::uint32_t end, MemberGroup group,
                  const Visit& visit, bool withEmpty) {
    RegionMembers members(text.substr(at, end - at));
    const auto table = InfoMemberTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].group != group)
            continue;
        const auto token = members.Locate(Char16(table[i].readKey), Capacity(table[i]) < 256);
        VisitToken(token, at, {PlaceList::Member, 0, static_cast<std::uint8_t>(i)}, {}, visit,
                   withEmpty);
    }
}

void VisitEntry(std::string_view text, const EntrySpan& span, PlaceList list,
                std::uint16_t position, std::span<const Parameter> parameters, const Visit& visit,
                bool withEmpty) {
    const std::string_view body = span.Body(text);
    RegionMembers members(body);
    if (list != PlaceList::Perk)
        members.Locate(Char16("Version"), true); // taken first, as the reader takes it
    for (const Parameter& parameter : parameters) {
        const auto token =
            members.Locate(Char16(parameter.readKey), SlotCapacity(parameter.slot) < 256);
        VisitToken(token, span.open, {list, position, static_cast<std::uint8_t>(parameter.slot)},
                   span.Name(text), visit, withEmpty);
    }
}

// The values of an entry that no type's slots are read from: the token after the "=" of
// each line of its body (a quoted text through its closing quote), except "Version".
void VisitPairs(std::string_view text, const EntrySpan& span, PlaceList list,
                std::uint16_t position, const Visit& visit, bool withEmpty) {
    const std::string_view body = span.Body(text);
    std::uint8_t pair = 0;
    for (std::size_t at = 0; at < body.size() && pair < 0xFF - KeptValueField;) {
        std::size_t end = body.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = body.size();
        const std::string_view line = body.substr(at, end - at);
        const std::size_t equals = line.find('=');
        const std::size_t quote = line.find('"');
        if (equals != std::string_view::npos &&
            (quote == std::string_view::npos || quote > equals) &&
            line.substr(0, equals).find("Version") == std::string_view::npos) {
            std::size_t begin = equals + 1;
            while (begin < line.size() && (line[begin] == ' ' || line[begin] == '\t'))
                ++begin;
            std::size_t stop = begin;
            if (stop < line.size() && line[stop] == '"') {
                const std::size_t close = line.find('"', stop + 1);
                stop = close == std::string_view::npos ? line.size() : close + 1;
            } else {
                while (stop < line.size() && line[stop] != ';' && line[stop] != ' ' &&
                       line[stop] != '\t')
                    ++stop;
            }
            const std::string_view token = line.substr(begin, stop - begin);
            std::string scratch;
            const std::string_view value = ValueView(token, scratch);
            if (!value.empty() || withEmpty)
                visit(ValueAt{{list, position, static_cast<std::uint8_t>(KeptValueField + pair)},
                              value,
                              token,
                              static_cast<std::uint32_t>(span.open + at + begin),
                              span.Name(text)});
            ++pair;
        }
        at = end + 1;
    }
}

void VisitList(std::string_view text, const std::vector<EntrySpan>& entries, EntryKind kind,
               PlaceList list, const Visit& visit, bool withEmpty) {
    const std::string_view prefix = ClassPrefix(kind);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string_view name = entries[i].Name(text);
        const EntryType* type = name.starts_with(prefix) && entries[i].unclosed == 0
                                    ? FindClassType(kind, name.substr(prefix.size()))
                                    : nullptr;
        const auto position = static_cast<std::uint16_t>(i);
        if (type)
            VisitEntry(text, entries[i], list, position, type->parameters, visit, withEmpty);
        else
            VisitPairs(text, entries[i], list, position, visit, withEmpty);
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
    if (place.IsKeptValue())
        return name + "Kept[" + std::to_string(place.field - KeptValueField) + "]";
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

void ForEachValue(std::string_view text, const Visit& visit, bool withEmpty) {
    ForEachValue(text, FindInfoRegions(text), visit, withEmpty);
}

void ForEachValue(std::string_view text, const InfoRegions& regions, const Visit& visit,
                  bool withEmpty) {
    VisitMembers(text, regions.headBegin, regions.headEnd, MemberGroup::Head, visit, withEmpty);
    for (std::size_t i = 0; i < regions.perks.size(); ++i) {
        const auto position = static_cast<std::uint16_t>(i);
        if (regions.perks[i].Name(text) == PerkClass && regions.perks[i].unclosed == 0)
            VisitEntry(text, regions.perks[i], PlaceList::Perk, position, PerkParameters(), visit,
                       withEmpty);
        else
            VisitPairs(text, regions.perks[i], PlaceList::Perk, position, visit, withEmpty);
    }
    VisitMembers(text, regions.tailBegin, regions.tailEnd, MemberGroup::Tail, visit, withEmpty);
    VisitList(text, regions.commands, EntryKind::Command, PlaceList::Command, visit, withEmpty);
    VisitList(text, regions.conditions, EntryKind::Condition, PlaceList::Condition, visit,
              withEmpty);
}

} // namespace VaskEdit
