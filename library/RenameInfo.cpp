#include "library/RenameInfo.h"
#include "engine/Backup.h"
#include "engine/File.h"
#include "engine/FileFingerprint.h"
#include "info/InfoFileName.h"
#include "info/MemberTable.h"
#include "info/RegionMembers.h"
#include "library/InfoManager.h"

#include <algorithm>
#include <set>

namespace VaskEdit {

namespace {
using TesselEngine::WinAPI::File;

std::string InfoPath(std::string_view name) {
    return InfoDirectoryName + std::string(name) + InfoExtension;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::size_t CapacityOf(const Place& place) {
    if (place.IsKeptValue())
        return std::string::npos; // a kept entry is written back as its text stands
    return place.list == PlaceList::Member ? Capacity(InfoMemberTable()[place.field])
                                           : SlotCapacity(place.SlotOf());
}

struct Edit {
    std::uint32_t offset;
    std::uint32_t length;
    std::string text;
};

std::string Applied(std::string text, std::vector<Edit> edits) {
    std::sort(edits.begin(), edits.end(),
              [](const Edit& a, const Edit& b) { return a.offset > b.offset; });
    for (const Edit& edit : edits)
        text.replace(edit.offset, edit.length, edit.text);
    return text;
}

std::vector<std::pair<Place, std::string>> Values(std::string_view text) {
    std::vector<std::pair<Place, std::string>> values;
    ForEachValue(text,
                 [&](const ValueAt& at) { values.emplace_back(at.place, std::string(at.value)); });
    return values;
}

class Rewrite {
public:
    Rewrite(std::string_view oldName, std::string_view newName)
        : oldName(oldName), newName(newName) {}

    // The edits of every use of the old name in the text; false (with the refusal) when
    // one of them cannot be rewritten.
    bool Uses(std::string_view info, std::string_view text, std::vector<Edit>& edits,
              std::vector<Place>& places) {
        ForEachValue(text, [&](const ValueAt& at) {
            if (!refusal.empty() || at.value != oldName)
                return;
            const std::string where = std::string(info) + "'s " + PlaceName(at.place);
            if (newName.size() > CapacityOf(at.place)) {
                refusal = Quoted(newName) + " does not fit " + where + ", which holds " +
                          std::to_string(CapacityOf(at.place)) + " characters.";
            } else if (at.token == Quoted(oldName)) {
                edits.push_back(
                    {at.offset, static_cast<std::uint32_t>(at.token.size()), Quoted(newName)});
            } else if (at.token == oldName) {
                edits.push_back(
                    {at.offset, static_cast<std::uint32_t>(at.token.size()), std::string(newName)});
            } else {
                refusal = where + " holds " + Quoted(oldName) +
                          " in a form that the rename cannot rewrite.";
            }
            places.push_back(at.place);
        });
        return refusal.empty();
    }

    // Whether the rewritten text reads back with the new name at those places and every
    // other value as it was.
    bool ReadsBack(std::string_view info, const RenameChange& change) {
        auto expected = Values(change.before);
        for (auto& [place, value] : expected) {
            if (std::find(change.places.begin(), change.places.end(), place) != change.places.end())
                value = newName;
        }
        if (Values(change.after) == expected)
            return true;
        refusal = "The rename would change more of " + std::string(info) + " than its uses of " +
                  Quoted(oldName) + ".";
        return false;
    }

    std::string refusal;

private:
    std::string_view oldName;
    std::string_view newName;
};

// The name stands twice in the info's own file: in front of its braces and as its Name.
bool NameEdits(std::string_view text, std::string_view newName, std::vector<Edit>& edits) {
    const InfoRegions regions = FindInfoRegions(text);
    if (regions.nameEnd <= regions.nameBegin)
        return false;
    edits.push_back({regions.nameBegin, regions.nameEnd - regions.nameBegin, Quoted(newName)});
    const auto member =
        std::find_if(InfoMemberTable().begin(), InfoMemberTable().end(),
                     [](const InfoMember& m) { return m.group == MemberGroup::Name; });
    RegionMembers head(regions.Head(text));
    const auto token = head.Locate(TesselEngine::Char16(member->readKey), true);
    if (!token || token->text.empty())
        return false;
    edits.push_back({regions.headBegin + token->offset,
                     static_cast<std::uint32_t>(token->text.size()), Quoted(newName)});
    return true;
}

bool Write(const RenameChange& change, bool backup) {
    const char* bytes = change.after.data();
    return backup ? File::SaveWithBackup(change.path.c_str(), bytes, change.after.size())
                  : File::SaveAtomically(change.path.c_str(), bytes, change.after.size());
}

Journal JournalOf(const RenamePlan& plan, const std::string& oldPath) {
    Journal journal{"rename", {}, {{plan.renamed.path, std::nullopt}}};
    for (const RenameChange& change : plan.changes)
        journal.files.push_back({change.path, change.before});
    journal.files.push_back({oldPath, plan.renamed.before});
    // The cache's rows follow the rename before it counts as done.
    if (std::string cache; File::ReadAll("infocache", cache))
        journal.files.push_back({"infocache", std::move(cache)});
    return journal;
}

void UpdateCacheRows(const ReferenceIndex& index, const RenamePlan& plan, RenameOutcome& outcome) {
    if (!InfoManager::ReadInfoCache())
        return;
    std::set<std::string> changed{plan.newName};
    for (const RenameChange& change : plan.changes)
        changed.insert(change.info);
    bool touched = false;
    for (VaskInfoCache& row : InfoManager::InfoFileCache) {
        std::string name(row.Name.View());
        if (name == plan.oldName)
            name = plan.newName;
        if (!changed.contains(name))
            continue;
        if (const auto outline = index.Outline(name)) {
            row.Name = Char48(outline->name.c_str());
            row.Owner = Char48(outline->owner.c_str());
            row.Quest = Char48(outline->quest.c_str());
            touched = true;
        }
    }
    outcome.cacheUpdated = touched && InfoManager::WriteInfoCache();
}
// The first file of the plan that no longer holds what the plan read from it, or a file
// that now stands under the new name; empty when every file is as planned.
std::string ChangedSincePlanned(const RenamePlan& plan) {
    using TesselEngine::CheckOnDisk;
    using TesselEngine::DiskChange;
    using TesselEngine::FingerprintOf;
    const std::string oldPath = InfoPath(plan.oldName);
    if (CheckOnDisk(FingerprintOf(oldPath, plan.renamed.before), oldPath) != DiskChange::Unchanged)
        return oldPath;
    if (File(TesselEngine::Char256(plan.renamed.path.c_str())).Exists())
        return plan.renamed.path;
    for (const RenameChange& change : plan.changes) {
        if (CheckOnDisk(FingerprintOf(change.path, change.before), change.path) !=
            DiskChange::Unchanged)
            return change.path;
    }
    return {};
}

} // namespace

RenamePlan PlanRename(const ReferenceIndex& index, std::string_view oldName,
                      std::string_view newName) {
    RenamePlan plan;
    plan.oldName = oldName;
    plan.newName = newName;
    const std::string oldPath = InfoPath(oldName);
    const std::string newPath = InfoPath(newName);
    if (!IsValidInfoName(oldName) || !File::ReadAll(oldPath.c_str(), plan.renamed.before)) {
        plan.refusal = "There is no info " + Quoted(oldName) + " in \"Infos/\".";
        return plan;
    }
    if (newName.size() > Char48::Capacity || !IsValidInfoName(newName)) {
        plan.refusal = Quoted(newName) + " cannot be the name of an info.";
        return plan;
    }
    if (File(TesselEngine::Char256(newPath.c_str())).Exists()) {
        plan.refusal = "An info named " + Quoted(newName) + " exists already.";
        return plan;
    }

    Rewrite rewrite(oldName, newName);
    const auto refused = [&plan](std::string reason) {
        plan.refusal = std::move(reason);
        return plan;
    };
    std::vector<Edit> edits;
    plan.renamed.info = newName;
    plan.renamed.path = newPath;
    if (!NameEdits(plan.renamed.before, newName, edits))
        return refused("The file of " + Quoted(oldName) +
                       " does not hold its name where an info holds it.");
    if (!rewrite.Uses(oldName, plan.renamed.before, edits, plan.renamed.places))
        return refused(rewrite.refusal);
    plan.renamed.after = Applied(plan.renamed.before, edits);
    if (FindInfoRegions(plan.renamed.after).Name(plan.renamed.after) != Quoted(newName) ||
        !rewrite.ReadsBack(oldName, plan.renamed))
        return refused("The rename would change more of " + Quoted(oldName) + " than its name.");

    std::set<std::string> users;
    for (const Usage& usage : index.Usages(oldName)) {
        if (usage.info != oldName)
            users.insert(usage.info);
    }
    for (const std::string& user : users) {
        RenameChange change;
        change.info = user;
        change.path = InfoPath(user);
        if (!File::ReadAll(change.path.c_str(), change.before))
            continue; // gone since the index was built: nothing of it to change
        std::vector<Edit> userEdits;
        if (!rewrite.Uses(user, change.before, userEdits, change.places))
            return refused(rewrite.refusal);
        if (userEdits.empty())
            continue;
        change.after = Applied(change.before, std::move(userEdits));
        if (!rewrite.ReadsBack(user, change))
            return refused(rewrite.refusal);
        plan.changes.push_back(std::move(change));
    }
    for (const RenameChange& change : plan.changes) {
        if (TesselEngine::Platform::IsReadOnlyFile(change.path.c_str()))
            return refused("Could not save " + Quoted(change.path) + ": the file is read-only.");
    }
    if (TesselEngine::Platform::IsReadOnlyFile(oldPath.c_str()))
        return refused("Could not remove " + Quoted(oldPath) + ": the file is read-only.");
    return plan;
}

RenameOutcome RenameInfo(ReferenceIndex& index, std::string_view oldName, std::string_view newName,
                         const std::function<void()>& planned) {
    RenameOutcome outcome;
    if (!index.IsBuilt()) {
        const Jobs::Outcome built = index.Build({}, {});
        if (!built.succeeded) {
            outcome.failure = built.failure;
            return outcome;
        }
    }
    // A file written since the index read it may use the old name by now.
    if (!index.RefreshChanged()) {
        outcome.failure = TesselEngine::LastFailure();
        return outcome;
    }
    const RenamePlan plan = PlanRename(index, oldName, newName);
    if (!plan.refusal.empty()) {
        outcome.refusal = plan.refusal;
        return outcome;
    }
    if (planned)
        planned();
    // What someone else wrote since the plan read it is not overwritten.
    if (const std::string changed = ChangedSincePlanned(plan); !changed.empty()) {
        outcome.refusal = Quoted(changed) +
                          " was changed by someone else while the rename was planned; nothing "
                          "was changed.";
        return outcome;
    }
    const std::string oldPath = InfoPath(oldName);
    const Journal journal = JournalOf(plan, oldPath);
    // Every file goes back from the journal and is read back before "as it was" holds.
    const auto fail = [&](bool journalWritten) {
        outcome.failure = TesselEngine::LastFailure();
        outcome.putBack = RollBack(journal, journalWritten);
        return outcome;
    };
    if (JournalExists()) {
        outcome.refusal =
            "An unfinished command left its journal " + Quoted(JournalPath) + ": recover it first.";
        return outcome;
    }
    if (!WriteJournal(journal))
        return fail(false);
    if (!Write(plan.renamed, false))
        return fail(true);
    for (const RenameChange& change : plan.changes) {
        if (!Write(change, true))
            return fail(true);
    }
    // The old file goes, its bytes kept under Backup/ like those of every replaced file.
    const TesselEngine::Backup::Kept kept = TesselEngine::Backup::Keep(oldPath.c_str());
    if (!TesselEngine::Platform::DeleteFile(oldPath.c_str())) {
        TesselEngine::SetFailure(TesselEngine::Operation::Save, oldPath);
        TesselEngine::Backup::Drop(kept);
        return fail(true);
    }
    const auto refreshIndex = [&](std::string_view gone, std::string_view there) {
        index.Forget(gone);
        index.Refresh(there);
        for (const RenameChange& change : plan.changes)
            index.Refresh(change.info);
    };
    refreshIndex(oldName, newName);
    UpdateCacheRows(index, plan, outcome);
    // A journal left behind would undo the finished rename at the next start.
    if (!RemoveJournal()) {
        fail(true);
        outcome.cacheUpdated = false;
        refreshIndex(newName, oldName);
        InfoManager::ReadInfoCache();
        return outcome;
    }

    outcome.done = true;
    outcome.lines.push_back("Renamed " + Quoted(oldPath) + " to " + Quoted(plan.renamed.path) +
                            ".");
    for (const RenameChange& change : plan.changes) {
        std::string places;
        for (const Place& place : change.places)
            places += (places.empty() ? "" : ", ") + PlaceName(place);
        outcome.lines.push_back("Changed " + Quoted(change.path) + ": " + places + ".");
    }
    return outcome;
}

} // namespace VaskEdit
