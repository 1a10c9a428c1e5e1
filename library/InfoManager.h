// The process-wide info library: the resource templates, the info directory and its
// cache, filters and search, the split and merge of the combined document, and the
// infos held in memory for editing. Static state only; the long operations are step
// functions that handle one file or one info per call.
#pragma once

#include "engine/File.h"
#include "engine/Vector.h"
#include "info/VaskInfo.h"
#include "library/DocumentFraming.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace VaskEdit {

// One cache record: the three values that identify an info file.
struct VaskInfoCache {
    Char48 Name;
    Char48 Owner;
    Char48 Quest;
};

// The cache's columns in the order of "infocache", each with the info member (by its
// name in the member table, info/MemberTable.h) whose value it holds.
struct InfoCacheColumn {
    Char48 VaskInfoCache::*field;
    std::string_view member;
};
inline constexpr std::array<InfoCacheColumn, 3> InfoCacheColumns{{
    {&VaskInfoCache::Name, "Name"},
    {&VaskInfoCache::Owner, "Owner"},
    {&VaskInfoCache::Quest, "Quest"},
}};

class InfoManager {
public:
    InfoManager() = delete;

    static TesselEngine::TTL::Vector<VaskInfo> InfoFiles;
    static TesselEngine::TTL::Vector<VaskInfoCache> InfoFileCache;
    static TesselEngine::TTL::Vector<VaskInfoCache> InfoCurrentFilter;
    static Stream InfoStream;
    static std::unique_ptr<Char256> InfoDirectoryPath;
    static std::unique_ptr<TesselEngine::WinAPI::Directory::Iterator> InfoDirectory;
    static std::unique_ptr<TesselEngine::WinAPI::File> HdrdocFile;

    // Start-up and shutdown: the directory scan and the 56 resource templates.
    static bool Initialize();
    static void Shutdown();
    // Forgets everything held about the workspace: the infos in memory, the cache and
    // filter, the document, the scan and the last jobs' results (ResetWorkspaceState).
    static void ResetState();

    // The info directory and its cache. Starts the scan of "Infos/", creating the folder
    // when it is missing; false when it cannot be listed (a plain file of that name, no
    // permission), which must not pass for an empty folder.
    static bool InitializeDirectory();
    static std::int32_t CountInfoFiles();
    static std::int64_t GetTotalFileSize();
    static bool GenerateCacheEntry();
    static bool WriteInfoCache();
    static bool ReadInfoCache();
    // After the info's file was written: reads "infocache", gives the info's row the
    // values of the file as it is now (a new row at the end for an info the cache lacks)
    // and writes the cache again. False, with the reason in LastFailure, when the file or
    // the cache cannot be read or the cache not written; a workspace without "infocache"
    // gets none, which would list only this info.
    static bool FollowInfoFile(const char* name);
    static void ClearFilter();
    static void FilterByName(const char* text);
    static void FilterByOwner(const char* text);
    static void FilterByQuest(const char* text);
    static void FilterAnyMatch(const char* text);
    static bool SearchFilesFor(const char* text);
    // The search of one info's file: true, with the file's cache row, when
    // "Infos/" + name + ".vaskinfo" holds the whole text.
    static bool InfoFileHolds(const char* name, const char* text, VaskInfoCache& row);
    // The file names of "Infos/*.vaskinfo" in scan order: the listing that every reader of
    // the whole folder goes through (ListFolder). False, with the reason in LastFailure,
    // for a folder that exists but cannot be listed, which must not pass for one without
    // infos; a missing folder lists none and sets missing, when given.
    static bool ListInfoFiles(std::vector<std::string>& files, bool* missing = nullptr);

    // The combined document.
    static bool LoadInfoStream();
    static bool SplitSingleFromHdrdoc();
    static void HdrdocBegin(std::uint64_t totalSize);
    static bool WriteSingleToHdrdocStream();
    static void HdrdocEnd();
    static bool WriteHdrdocFile();

    // Infos in memory.
    static std::uint32_t PrepareInfo();
    static std::uint32_t CreateVaskInfo(const char* name);
    // The index of the first loaded info with the name, or -1 when there is none.
    static std::int64_t FindInfoIndex(const char* name);
    static bool WriteVaskInfo(std::uint32_t index);
    static bool ExistsInfoFile(const char* name);
    static void UnloadVaskInfo(const char* name);

    // Files that a step could not read (or, in the split, write) since the job began:
    // the cache build and the search skip them, the split reports and drops them, and
    // a merge that met one writes no document.
    static std::uint32_t SkippedFiles();
    // Their paths ("Infos/<file>"), in scan order.
    static const std::vector<std::string>& SkippedFileNames();
    // Pieces of the current split whose file could not be created.
    static std::uint32_t SplitFailures();
    // Names met a second time in the current split's document, once per repetition; only
    // the first info of a name gets the file.
    static const std::vector<std::string>& SplitDuplicates();
    // Pieces of the current split written, and those skipped for an existing file.
    static std::uint32_t SplitWritten();
    static std::uint32_t SplitExisting();
    // Infos the current split found in the document, and those it refused to cut out
    // (a name that makes no file name, braces that do not close), each with its line.
    static std::uint32_t SplitFound();
    static const std::vector<std::string>& SplitRefused();
    // Bytes of the document that went into no file, and pieces written with text
    // behind their info's closing brace.
    static const std::vector<std::string>& SplitNotes();
    // Files of the last merge that had no final line end and got one in the document.
    static const std::vector<std::string>& MergeLineEndsAdded();
    // Files of the last merge that a split of the merged document would not give back as
    // they are, each with the reason.
    static const std::vector<std::string>& MergeNotSplittable();

    // The names of the infos in "w_info.hdrdoc" that have no file in "Infos/", in
    // document order: a merged document lacks them. Empty when there is no such document,
    // and when "Infos/" cannot be listed, which tells nothing about its files.
    static std::vector<std::string> InfosWithoutFile();

    // The three fields of the cache, taken from an info file's text.
    static VaskInfoCache ExtractCacheFields(Stream& text);

private:
    // Forgets what the last split found and wrote.
    static void ForgetSplit();
    static void Skip(const char* fileName);
    static void CheckMergedPieces();

    struct MergedPiece {
        std::string file;
        std::uint32_t begin = 0;
        std::uint32_t end = 0;
    };

    static std::vector<std::string> skippedFiles;
    static std::uint32_t splitFailures;
    static std::vector<std::string> splitDuplicates;
    static std::unordered_set<std::string> splitNamesMet;
    static std::unordered_set<std::string> splitFilesWritten; // as file names compare
    static std::uint32_t splitExisting;
    static DocumentFrame splitFrame;
    static std::size_t splitNext;
    static std::vector<std::string> splitRefused;
    static std::vector<std::string> splitNotes;
    static std::vector<MergedPiece> mergePlaced;
    static std::vector<std::string> mergeLineEndAdded;
    static std::vector<std::string> mergeNotSplittable;
    static bool mergeComplete;
};

} // namespace VaskEdit
