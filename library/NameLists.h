// The names the workspace knows of, by kind, for the boxes that offer them as the writer
// types: infos (with the first line they say), quests, persons (owners, partners,
// speakers and listeners) and templates (with their GUID). Gathered from the info cache,
// the reference index and the template cache.
#pragma once

#include "info/NameKinds.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VaskEdit {

class ReferenceIndex;

struct KnownName {
    std::string id;    // what the box takes
    std::string shown; // shown beside it; empty when there is nothing to show
};

struct NameLists {
    std::vector<KnownName> infos;
    std::vector<KnownName> quests;
    std::vector<KnownName> persons;
    std::vector<KnownName> templates;

    const std::vector<KnownName>& Of(NameKind kind) const;
};

// Each list sorted by id, each id once. Display texts are looked up only in tables that
// exist (a lookup would create a missing one).
NameLists GatherNames(const ReferenceIndex& index);

// Changes when what GatherNames reads may have changed: the index's version and the
// content of the info and template caches.
std::uint64_t NamesVersion(const ReferenceIndex& index);

} // namespace VaskEdit
