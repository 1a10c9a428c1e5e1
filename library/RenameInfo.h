// Renaming an info: its file and its name, and every use of the old name in the other
// infos (the Parent of its children, a condition or command that names it), with no other
// byte of those files changed. All or nothing: what cannot be rewritten refuses the whole
// rename before anything is written; a journal (library/Journal.h) written first lets a
// write that still fails, or a kill, be rolled back to every file as it was.
#pragma once

#include "engine/Failure.h"
#include "library/Journal.h"
#include "library/ReferenceIndex.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

// One file the rename writes, with its bytes before and after.
struct RenameChange {
    std::string info; // the info's name (its new one for the renamed info)
    std::string path;
    std::string before;
    std::string after;
    std::vector<Place> places; // the uses of the old name it rewrites
};

struct RenamePlan {
    std::string refusal; // why the rename cannot be done; empty when it can
    std::string oldName;
    std::string newName;
    RenameChange renamed;              // the info itself, written under its new name
    std::vector<RenameChange> changes; // the infos that use the old name
};

// What the rename would write, read from the files as they are now. The index names the
// infos that use the old name; a rename needs it built.
RenamePlan PlanRename(const ReferenceIndex& index, std::string_view oldName,
                      std::string_view newName);

struct RenameOutcome {
    bool done = false;
    std::string refusal;            // nothing was written
    TesselEngine::Failure failure;  // a write failed: what was written is put back
    Rollback putBack;               // with a failure: how each file was put back
    std::vector<std::string> lines; // one a changed file, for the user
    bool cacheUpdated = false;      // "infocache" held the info and was written again
};

// Reads again the files that changed since the index read them, plans, carries the plan
// out, then updates the index and the rows of "infocache". A file of the plan changed by
// someone else before it is written refuses the rename with nothing written. planned, when
// given, runs between the plan and its writing (where another program may step in).
RenameOutcome RenameInfo(ReferenceIndex& index, std::string_view oldName, std::string_view newName,
                         const std::function<void()>& planned = {});

} // namespace VaskEdit
