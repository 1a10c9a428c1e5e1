// The template library: a cache of file name, template name and GUID of every entity
// template document in "Templates/", kept in memory and in the file "templatecache",
// with its filters and lookups. Static state only; the cache build is a step function
// that handles one document per call.
#pragma once

#include "engine/File.h"
#include "engine/FixedText.h"
#include "engine/Vector.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VaskEdit {

using TesselEngine::Char256;
using TesselEngine::Char48;

// One cache record. All fields are empty when it is constructed.
struct VaskTemplateCache {
    Char48 File;
    Char48 Name;
    Char48 GUID;
};

class TemplateManager {
public:
    TemplateManager() = delete;

    static TesselEngine::TTL::Vector<VaskTemplateCache> TemplateCache;
    static TesselEngine::TTL::Vector<VaskTemplateCache> TemplateCurrentFilter;
    static std::unique_ptr<Char256> TemplateDirectoryPath;
    static std::unique_ptr<TesselEngine::WinAPI::Directory::Iterator> TemplateDirectory;

    static constexpr const char* Folder = "Templates/";

    // Forgets the cache, the filter, the scan and the skipped documents of the workspace
    // (ResetWorkspaceState).
    static void ResetState();

    // Starts the scan of "Templates/" afresh: the text documents (".vasktpldoc") when
    // textDocuments is set, the templates themselves (".vasktpl") otherwise. False when
    // the folder is missing or cannot be listed: that is no folder without templates.
    static bool InitializeDirectory(bool textDocuments);
    // Starts the scan and counts its matches; the scan is used up afterwards.
    static std::int32_t CountTemplateFiles(bool textDocuments);
    // Caches the scan's current document and moves on. A document that cannot be read
    // is skipped and counted (SkippedFiles). False when the scan is used up.
    static bool GenerateCacheEntry();
    // Replaces "templatecache" with TemplateCache; the old file stays on failure.
    static bool WriteCache();
    // Replaces TemplateCache with the records of "templatecache". False (and an empty
    // cache) when the file is missing or empty.
    static bool ReadCache();
    // Reads the records of "templatecache" into records, leaving TemplateCache alone
    // (for readers that may run beside the editor). False as ReadCache.
    static bool ReadCacheFile(TesselEngine::TTL::Vector<VaskTemplateCache>& records);
    // Hands every remaining template of the running scan to the resource tool, then
    // starts the scan of templates again.
    static void ConvertAll();

    // Filters append to TemplateCurrentFilter; the caller clears it first.
    static void ClearFilter();
    static void FilterByName(const char* text);
    static void FilterByGUID(const char* text);
    static void FilterAnyMatch(const char* text);

    // Index of the first record with the name, or else (no name given) with the GUID.
    // A null pointer means "not given"; -1 when nothing is found.
    static std::int32_t FindTemplate(const char* name, const char* guid);

    // Documents that the build since the last directory start could not read.
    static std::uint32_t SkippedFiles();
    // Their paths ("Templates/<file>"), in scan order.
    static const std::vector<std::string>& SkippedFileNames();
};

} // namespace VaskEdit
