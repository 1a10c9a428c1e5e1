// The one listing of a folder by pattern. Every scan of "Infos/" and "Templates/" goes
// through it, so that a folder that cannot be read is a failure wherever it is listed
// and the names come in the same order everywhere.
#pragma once

#include "engine/FixedText.h"
#include "engine/platform/Platform.h"

#include <string>
#include <vector>

namespace TesselEngine::WinAPI {

struct FolderListing {
    // The matches, directories too, by name with the letters upper-cased: one fixed
    // order on every system.
    std::vector<Platform::DirectoryEntry> entries;
    // The folder does not exist: nothing listed, and no failure. Callers for whom the
    // folder must be there refuse it themselves.
    bool missing = false;

    std::vector<std::string> Names() const;
};

// Lists the entries of folder (ending with "/") whose names match pattern ("*" and "?",
// letters without regard to case). False, with Cause::UnreadableFolder in LastFailure,
// when the folder exists but cannot be listed (no permission, a plain file of that name,
// a listing that broke off): that must never pass for an empty folder.
bool ListFolder(const Char256& folder, const Char32& pattern, FolderListing& listing);

} // namespace TesselEngine::WinAPI
