#include "library/InfoDiff.h"

#include "info/EntryFields.h"
#include "info/MemberTable.h"
#include "info/VaskInfo.h"

#include <algorithm>
#include <string_view>

namespace VaskEdit {

namespace {
template <std::size_t N> std::string Text(const TesselEngine::FixedText<N>& text) {
    return std::string(text.View());
}

// The entry's type, then its fields; a block kept as read is compared as a whole: it is
// all the file says of the entry.
template <typename Entry>
InfoPlaces::Entry Places(const char* typeName, std::string type,
                         const std::vector<EntryField<Entry>>& fields, const Entry& entry,
                         const std::string* text = nullptr) {
    InfoPlaces::Entry places{type, {{typeName, type}}};
    for (const EntryField<Entry>& field : fields) {
        places.fields.emplace_back(field.name, field.get(entry));
        if (text && field.name == "LocString")
            places.fields.emplace_back("Text", *text);
    }
    if (!entry.PreservedBlock.empty())
        places.fields.emplace_back("Block", entry.PreservedBlock);
    return places;
}
} // namespace

InfoPlaces::Entry EntryPlaces(const InfoCommand& c, bool withTexts) {
    const std::string text = withTexts ? Text(c.Text) : std::string();
    return Places("Command", Text(c.Command), CommandFields(), c, withTexts ? &text : nullptr);
}

InfoPlaces::Entry EntryPlaces(const InfoCondition& c) {
    return Places("Condition", Text(c.Condition), ConditionFields(), c);
}

InfoPlaces::Entry EntryPlaces(const InfoRequiredPerk& p) {
    return Places("Perk", Text(p.Perk), PerkFields(), p);
}

namespace {
std::string Quoted(std::string_view value) {
    return "\"" + std::string(value) + "\"";
}

std::string At(std::string_view list, std::size_t index) {
    return std::string(list) + "[" + std::to_string(index) + "]";
}

// The pairs of equal entries of the longest common run, in order.
std::vector<std::pair<std::size_t, std::size_t>>
CommonEntries(const std::vector<InfoPlaces::Entry>& a, const std::vector<InfoPlaces::Entry>& b) {
    const std::size_t n = a.size(), m = b.size();
    std::vector<std::vector<std::uint32_t>> longest(n + 1, std::vector<std::uint32_t>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            longest[i][j] = a[i] == b[j] ? longest[i + 1][j + 1] + 1
                                         : std::max(longest[i + 1][j], longest[i][j + 1]);
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (a[i] == b[j]) {
            pairs.emplace_back(i++, j++);
        } else if (longest[i + 1][j] >= longest[i][j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    return pairs;
}

void DiffFields(const InfoPlaces::Fields& base, const InfoPlaces::Fields& now,
                const std::string& prefix, std::vector<PlaceChange>& out) {
    // The same type has the same fields; a kept block may come or go.
    for (const auto& field : now) {
        const auto old = std::find_if(base.begin(), base.end(),
                                      [&](const auto& each) { return each.first == field.first; });
        const std::string before = old == base.end() ? std::string() : old->second;
        if (before != field.second)
            out.push_back({PlaceChange::Kind::Changed, prefix + field.first, before, field.second});
    }
    for (const auto& field : base) {
        const bool kept = std::any_of(now.begin(), now.end(),
                                      [&](const auto& each) { return each.first == field.first; });
        if (!kept)
            out.push_back({PlaceChange::Kind::Changed, prefix + field.first, field.second, {}});
    }
}

void DiffList(std::string_view list, const std::vector<InfoPlaces::Entry>& base,
              const std::vector<InfoPlaces::Entry>& now, std::vector<PlaceChange>& out) {
    const auto common = CommonEntries(base, now);
    // The gaps between kept entries: what was removed and inserted there.
    struct Gap {
        std::vector<std::size_t> removed, inserted;
    };
    std::vector<Gap> gaps(common.size() + 1);
    std::size_t i = 0, j = 0;
    for (std::size_t k = 0; k <= common.size(); ++k) {
        const std::size_t iEnd = k < common.size() ? common[k].first : base.size();
        const std::size_t jEnd = k < common.size() ? common[k].second : now.size();
        for (; i < iEnd; ++i)
            gaps[k].removed.push_back(i);
        for (; j < jEnd; ++j)
            gaps[k].inserted.push_back(j);
        ++i, ++j;
    }
    // An entry removed in one place and inserted unchanged in another has moved.
    std::vector<PlaceChange> moves;
    for (Gap& from : gaps) {
        for (auto r = from.removed.begin(); r != from.removed.end();) {
            bool moved = false;
            for (Gap& to : gaps) {
                if (&to == &from)
                    continue;
                const auto match =
                    std::find_if(to.inserted.begin(), to.inserted.end(),
                                 [&](std::size_t at) { return now[at] == base[*r]; });
                if (match != to.inserted.end()) {
                    moves.push_back({PlaceChange::Kind::Moved, std::string(list),
                                     "[" + std::to_string(*r) + "]",
                                     "[" + std::to_string(*match) + "]"});
                    to.inserted.erase(match);
                    moved = true;
                    break;
                }
            }
            r = moved ? from.removed.erase(r) : r + 1;
        }
    }
    for (const Gap& gap : gaps) {
        // An entry removed and one inserted of the same type, in the same order, are one
        // entry changed in place.
        std::vector<std::size_t> pairOf(gap.inserted.size(), base.size());
        std::size_t next = 0;
        for (const std::size_t removed : gap.removed) {
            for (std::size_t n = next; n < gap.inserted.size(); ++n) {
                if (now[gap.inserted[n]].type == base[removed].type) {
                    pairOf[n] = removed;
                    next = n + 1;
                    break;
                }
            }
        }
        for (const std::size_t removed : gap.removed)
            if (std::find(pairOf.begin(), pairOf.end(), removed) == pairOf.end())
                out.push_back({PlaceChange::Kind::Removed,
                               At(list, removed),
                               EntrySummary(base[removed]),
                               {}});
        for (std::size_t n = 0; n < gap.inserted.size(); ++n) {
            const std::size_t at = gap.inserted[n];
            if (pairOf[n] < base.size())
                DiffFields(base[pairOf[n]].fields, now[at].fields, At(list, at) + ".", out);
            else
                out.push_back(
                    {PlaceChange::Kind::Inserted, At(list, at), {}, EntrySummary(now[at])});
        }
    }
    out.insert(out.end(), moves.begin(), moves.end());
}
} // namespace

InfoPlaces PlacesOf(const VaskInfo& info, bool withTexts) {
    InfoPlaces places;
    for (const InfoMember& member : InfoMemberTable())
        places.members.emplace_back(std::string(member.name), std::string(TextOf(info, member)));
    for (const auto& perk : info.RequiredPerks)
        places.perks.push_back(EntryPlaces(perk));
    for (const auto& command : info.InfoCommands)
        places.commands.push_back(EntryPlaces(command, withTexts));
    for (const auto& condition : info.InfoConditions)
        places.conditions.push_back(EntryPlaces(condition));
    return places;
}

std::vector<PlaceChange> DiffInfo(const InfoPlaces& base, const InfoPlaces& now,
                                  const std::vector<std::string>& skip) {
    std::vector<PlaceChange> out;
    InfoPlaces::Fields baseMembers, nowMembers;
    const auto kept = [&](const auto& field) {
        return std::find(skip.begin(), skip.end(), field.first) == skip.end();
    };
    std::copy_if(base.members.begin(), base.members.end(), std::back_inserter(baseMembers), kept);
    std::copy_if(now.members.begin(), now.members.end(), std::back_inserter(nowMembers), kept);
    DiffFields(baseMembers, nowMembers, {}, out);
    DiffList("RequiredPerks", base.perks, now.perks, out);
    DiffList("InfoCommands", base.commands, now.commands, out);
    DiffList("InfoConditions", base.conditions, now.conditions, out);
    return out;
}

std::string EntrySummary(const InfoPlaces::Entry& entry) {
    std::string values;
    for (const auto& [name, value] : entry.fields) {
        // The type is said first; the version and the switch of the values say little.
        if (value.empty() || name == "Command" || name == "Condition" || name == "Perk" ||
            name == "Version" || name == "UseValues" || name == "Block")
            continue;
        values += (values.empty() ? "" : ", ") + value;
    }
    return values.empty() ? entry.type : entry.type + " (" + values + ")";
}

std::string ChangeLine(const PlaceChange& change) {
    switch (change.kind) {
    case PlaceChange::Kind::Changed:
        return change.place + ": " + Quoted(change.before) + " -> " + Quoted(change.after);
    case PlaceChange::Kind::Inserted:
        return change.place + ": + " + change.after;
    case PlaceChange::Kind::Removed:
        return change.place + ": - " + change.before;
    case PlaceChange::Kind::Moved:
        return change.place + ": moved " + change.before + " -> " + change.after;
    }
    return {};
}

} // namespace VaskEdit
