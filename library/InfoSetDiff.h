// Comparing two sets of infos, such as "Infos/" against the game document or another
// workspace: which infos are new, gone, renamed (the same info under another name) or
// changed, and each change place by place. Infos whose bytes are equal are not read.
#pragma once

#include "library/InfoDiff.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

// Infos by name, each as its bytes: a file of a folder or a piece of a combined document.
struct InfoVersions {
    std::map<std::string, std::string> bytes;
    std::string folder;  // where its text tables are, ending with "/"; empty: none
    std::string failure; // why they could not be read; nothing else is then set
};

// The pieces of a combined info document (w_info.hdrdoc); tables beside it.
InfoVersions VersionsInDocument(const std::string& path);
// The "*.vaskinfo" of a folder (ending with "/"), by file name without the extension;
// the tables in its parent folder.
InfoVersions VersionsInFolder(const std::string& folder);
// One info file, named as its record names itself (else by its file name).
InfoVersions VersionOfFile(const std::string& path);

// An info's bytes read as places; with texts, its commands' display texts from the
// tables in folder (ending with "/").
InfoPlaces ReadPlaces(std::string_view bytes, const std::string& folder, bool texts);

struct ChangedInfo {
    std::string name;
    std::vector<PlaceChange> changes;
};

struct RenamedInfo {
    std::string from, to;
    std::vector<PlaceChange> changes; // besides its name
};

struct InfoSetDiff {
    std::vector<std::string> added;   // only in now, sorted
    std::vector<std::string> removed; // only in base, sorted
    std::vector<RenamedInfo> renamed; // by the old name
    std::vector<ChangedInfo> changed; // sorted by name
    std::size_t unchanged = 0;
    bool Equal() const {
        return added.empty() && removed.empty() && renamed.empty() && changed.empty();
    }
};

// With texts, the display texts of the commands are compared too, each side's looked up
// in the tables of its own folder (a side without one shows none).
InfoSetDiff DiffInfoSets(const InfoVersions& base, const InfoVersions& now, bool texts);

} // namespace VaskEdit
