#include "library/InfoMerge.h"

#include "info/EntryFields.h"
#include "info/MemberTable.h"
#include "info/VaskInfo.h"
#include "library/InfoDiff.h"

#include <algorithm>
#include <optional>

namespace VaskEdit {

namespace {
// The type of an entry: entries of different types are never merged field by field.
std::string TypeOf(const InfoCommand& c) {
    return std::string(c.Command.View());
}
std::string TypeOf(const InfoCondition& c) {
    return std::string(c.Condition.View());
}
std::string TypeOf(const InfoRequiredPerk& p) {
    return std::string(p.Perk.View());
}

InfoPlaces::Entry Places(const InfoCommand& c) {
    return EntryPlaces(c, false);
}
InfoPlaces::Entry Places(const InfoCondition& c) {
    return EntryPlaces(c);
}
InfoPlaces::Entry Places(const InfoRequiredPerk& p) {
    return EntryPlaces(p);
}

template <typename T> bool Same(const T& a, const T& b) {
    return Places(a) == Places(b);
}

template <typename T>
bool SameRun(const std::vector<T>& a, std::size_t aFrom, std::size_t aTo, const std::vector<T>& b,
             std::size_t bFrom, std::size_t bTo) {
    if (aTo - aFrom != bTo - bFrom)
        return false;
    for (std::size_t i = 0; i < aTo - aFrom; ++i)
        if (!Same(a[aFrom + i], b[bFrom + i]))
            return false;
    return true;
}

// For each entry of a, the entry of b it stays as (a longest common run), if any.
template <typename T>
std::vector<std::optional<std::size_t>> Kept(const std::vector<T>& a, const std::vector<T>& b) {
    const std::size_t n = a.size(), m = b.size();
    std::vector<std::vector<std::uint32_t>> longest(n + 1, std::vector<std::uint32_t>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            longest[i][j] = Same(a[i], b[j]) ? longest[i + 1][j + 1] + 1
                                             : std::max(longest[i + 1][j], longest[i][j + 1]);
    std::vector<std::optional<std::size_t>> kept(n);
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (Same(a[i], b[j]))
            kept[i++] = j++;
        else if (longest[i + 1][j] >= longest[i][j + 1])
            ++i;
        else
            ++j;
    }
    return kept;
}

// For each base entry of [b0, b1), the entry of [s0, s1) of the side it became: matched
// by type along the run that pairs the most entries, an entry left as it was counting
// twice, so that an entry inserted beside one of its own type is not taken for it.
template <typename T>
std::vector<std::optional<std::size_t>> ByType(const std::vector<T>& base, std::size_t b0,
                                               std::size_t b1, const std::vector<T>& side,
                                               std::size_t s0, std::size_t s1) {
    const std::size_t n = b1 - b0, m = s1 - s0;
    const auto weight = [&](std::size_t i, std::size_t j) -> std::uint32_t {
        if (TypeOf(base[b0 + i]) != TypeOf(side[s0 + j]))
            return 0;
        return Same(base[b0 + i], side[s0 + j]) ? 2 : 1;
    };
    std::vector<std::vector<std::uint32_t>> best(n + 1, std::vector<std::uint32_t>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;) {
            best[i][j] = std::max(best[i + 1][j], best[i][j + 1]);
            if (const std::uint32_t w = weight(i, j))
                best[i][j] = std::max(best[i][j], best[i + 1][j + 1] + w);
        }
    std::vector<std::optional<std::size_t>> matched(n);
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        const std::uint32_t w = weight(i, j);
        if (w && best[i][j] == best[i + 1][j + 1] + w)
            matched[i++] = s0 + j++;
        else if (best[i + 1][j] >= best[i][j + 1])
            ++i;
        else
            ++j;
    }
    return matched;
}

// The side's entries that match no base entry, by the gap they stand in: before base
// entry k, or (k = n) after the last.
inline std::vector<std::vector<std::size_t>>
Inserted(const std::vector<std::optional<std::size_t>>& matched, std::size_t s0, std::size_t s1) {
    std::vector<std::vector<std::size_t>> gaps(matched.size() + 1);
    std::size_t next = s0;
    for (std::size_t k = 0; k < matched.size(); ++k) {
        if (!matched[k])
            continue;
        for (; next < *matched[k]; ++next)
            gaps[k].push_back(next);
        next = *matched[k] + 1;
    }
    for (; next < s1; ++next)
        gaps[matched.size()].push_back(next);
    return gaps;
}

class Merger {
public:
    std::vector<MergeConflict> conflicts;

    // One value: taken from the side that changed it; a conflict when both did, apart.
    std::string Value(const std::string& place, const std::string& base, const std::string& ours,
                      const std::string& theirs) {
        if (ours == theirs || theirs == base)
            return ours;
        if (ours == base)
            return theirs;
        conflicts.push_back({place, base, ours, theirs});
        return ours;
    }

    template <typename T>
    T Entry(const std::string& place, const std::vector<EntryField<T>>& fields, const T& base,
            const T& ours, const T& theirs) {
        // A block kept as read is all the file says of its entry: it merges as a whole.
        if (!base.PreservedBlock.empty() || !ours.PreservedBlock.empty() ||
            !theirs.PreservedBlock.empty()) {
            if (Same(ours, theirs) || Same(theirs, base))
                return ours;
            if (Same(ours, base))
                return theirs;
            conflicts.push_back({place, EntrySummary(Places(base)), EntrySummary(Places(ours)),
                                 EntrySummary(Places(theirs))});
            return ours;
        }
        T merged = ours;
        for (const EntryField<T>& field : fields)
            field.set(merged, Value(place + "." + field.name, field.get(base), field.get(ours),
                                    field.get(theirs)));
        return merged;
    }

    template <typename T>
    std::vector<T> List(const std::string& name, const std::vector<EntryField<T>>& fields,
                        const std::vector<T>& base, const std::vector<T>& ours,
                        const std::vector<T>& theirs) {
        const auto inOurs = Kept(base, ours);
        const auto inTheirs = Kept(base, theirs);
        std::vector<T> out;
        std::size_t b = 0, o = 0, t = 0;
        while (true) {
            // The next base entry that both sides kept, where they agree again.
            std::size_t stable = b;
            while (stable < base.size() && !(inOurs[stable] && inTheirs[stable] &&
                                             *inOurs[stable] >= o && *inTheirs[stable] >= t))
                ++stable;
            const std::size_t oEnd = stable < base.size() ? *inOurs[stable] : ours.size();
            const std::size_t tEnd = stable < base.size() ? *inTheirs[stable] : theirs.size();
            Run(name, fields, base, b, stable, ours, o, oEnd, theirs, t, tEnd, out);
            if (stable == base.size())
                break;
            out.push_back(ours[oEnd]);
            b = stable + 1, o = oEnd + 1, t = tEnd + 1;
        }
        return out;
    }

private:
    template <typename T>
    void Run(const std::string& name, const std::vector<EntryField<T>>& fields,
             const std::vector<T>& base, std::size_t b0, std::size_t b1, const std::vector<T>& ours,
             std::size_t o0, std::size_t o1, const std::vector<T>& theirs, std::size_t t0,
             std::size_t t1, std::vector<T>& out) {
        const auto take = [&out](const std::vector<T>& list, std::size_t from, std::size_t to) {
            out.insert(out.end(), list.begin() + static_cast<std::ptrdiff_t>(from),
                       list.begin() + static_cast<std::ptrdiff_t>(to));
        };
        if (SameRun(ours, o0, o1, base, b0, b1) || SameRun(ours, o0, o1, theirs, t0, t1)) {
            take(theirs, t0, t1);
            return;
        }
        if (SameRun(theirs, t0, t1, base, b0, b1)) {
            take(ours, o0, o1);
            return;
        }
        // Each side's entries matched to the base's by type: an entry of the same type in
        // its place was changed, the others were inserted or removed.
        const std::size_t n = b1 - b0;
        const auto oursOf = ByType(base, b0, b1, ours, o0, o1);
        const auto theirsOf = ByType(base, b0, b1, theirs, t0, t1);
        const auto oursInserted = Inserted(oursOf, o0, o1);
        const auto theirsInserted = Inserted(theirsOf, t0, t1);
        for (std::size_t k = 0; k <= n; ++k) {
            // Inserted before the base entry k (or at the end): ours, then theirs unless
            // they inserted the same.
            std::vector<T> mine, others;
            for (const std::size_t at : oursInserted[k])
                mine.push_back(ours[at]);
            for (const std::size_t at : theirsInserted[k])
                others.push_back(theirs[at]);
            take(mine, 0, mine.size());
            if (!SameRun(mine, 0, mine.size(), others, 0, others.size()))
                take(others, 0, others.size());
            if (k == n)
                break;
            const T& was = base[b0 + k];
            const std::string place = name + "[" + std::to_string(out.size()) + "]";
            if (oursOf[k] && theirsOf[k]) {
                out.push_back(Entry(place, fields, was, ours[*oursOf[k]], theirs[*theirsOf[k]]));
            } else if (oursOf[k] && !Same(was, ours[*oursOf[k]])) {
                // Changed on one side, removed on the other.
                conflicts.push_back({place, EntrySummary(Places(was)),
                                     EntrySummary(Places(ours[*oursOf[k]])), "(none)"});
                out.push_back(ours[*oursOf[k]]);
            } else if (theirsOf[k] && !Same(was, theirs[*theirsOf[k]])) {
                conflicts.push_back({place, EntrySummary(Places(was)), "(none)",
                                     EntrySummary(Places(theirs[*theirsOf[k]]))});
            }
        }
    }
};

template <typename T, typename List> std::vector<T> ToVector(const List& list) {
    return std::vector<T>(list.begin(), list.end());
}

template <typename T, typename List> void Fill(List& list, const std::vector<T>& entries) {
    list.ClearContent();
    for (const T& entry : entries)
        list.PushBack(entry);
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}
} // namespace

std::vector<MergeConflict> MergeInfos(const VaskInfo& base, const VaskInfo& ours,
                                      const VaskInfo& theirs, VaskInfo& merged) {
    Merger merger;
    for (const InfoMember& member : InfoMemberTable()) {
        const std::string name(member.name);
        SetText(merged, member,
                merger.Value(name, std::string(TextOf(base, member)),
                             std::string(TextOf(ours, member)),
                             std::string(TextOf(theirs, member))));
    }
    Fill(merged.RequiredPerks,
         merger.List("RequiredPerks", PerkFields(), ToVector<InfoRequiredPerk>(base.RequiredPerks),
                     ToVector<InfoRequiredPerk>(ours.RequiredPerks),
                     ToVector<InfoRequiredPerk>(theirs.RequiredPerks)));
    Fill(merged.InfoCommands,
         merger.List("InfoCommands", CommandFields(), ToVector<InfoCommand>(base.InfoCommands),
                     ToVector<InfoCommand>(ours.InfoCommands),
                     ToVector<InfoCommand>(theirs.InfoCommands)));
    Fill(merged.InfoConditions, merger.List("InfoConditions", ConditionFields(),
                                            ToVector<InfoCondition>(base.InfoConditions),
                                            ToVector<InfoCondition>(ours.InfoConditions),
                                            ToVector<InfoCondition>(theirs.InfoConditions)));
    return merger.conflicts;
}

std::string ConflictLine(const MergeConflict& conflict) {
    return conflict.place + ": base " + Quoted(conflict.base) + ", ours " + Quoted(conflict.ours) +
           ", theirs " + Quoted(conflict.theirs);
}

} // namespace VaskEdit
