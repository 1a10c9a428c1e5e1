// The info directory scan, the info cache and its file, the filters and the search.
#include "engine/Failure.h"
#include "engine/FolderListing.h"
#include "engine/QuotedValue.h"
#include "engine/String.h"
#include "info/InfoFileName.h"
#include "info/MemberTable.h"
#include "library/CacheFile.h"
#include "library/InfoManager.h"

#include <algorithm>
#include <cstring>

namespace VaskEdit {

using TesselEngine::WinAPI::Directory;
using TesselEngine::WinAPI::File;

namespace {
const Char32 InfoPattern("*.vaskinfo");
const Char256 InfoCacheFile("infocache");

// Reads the quoted value behind the current position into field; false when there is
// no quote, so that the field stays empty instead of taking unrelated bytes.
bool ReadQuotedToken(Stream& text, Char48& field) {
    std::string value;
    if (!TesselEngine::IO::ReadQuotedValue(text, value))
        return false;
    field = Char48(value);
    return true;
}

// Finds the marker, then the quoted value behind it. When the marker is missing the
// field stays empty and the position stays, so that later markers are still found.
void ReadMarkedValue(Stream& text, const Char16& marker, Char48& field) {
    const std::uint32_t from = text.GetPosition();
    if (!text.FindKey(marker) || !ReadQuotedToken(text, field)) {
        field = Char48();
        text.SetPosition(from);
    }
}

// The info member that the cache's column holds.
const InfoMember& CacheMember(const InfoCacheColumn& column) {
    const auto members = InfoMemberTable();
    return *std::find_if(members.begin(), members.end(),
                         [&](const InfoMember& m) { return m.name == column.member; });
}

CacheFile::Fields<VaskInfoCache> CacheFields() {
    CacheFile::Fields<VaskInfoCache> fields{};
    for (std::size_t i = 0; i < InfoCacheColumns.size(); ++i)
        fields[i] = InfoCacheColumns[i].field;
    return fields;
}

template <typename Match> void Select(Match match) {
    for (const auto& record : InfoManager::InfoFileCache) {
        if (match(record))
            InfoManager::InfoCurrentFilter.PushBack(record);
    }
}

// The whole text: a cut one would report files that hold only its beginning.
bool Holds(Stream& content, const char* text) {
    const std::size_t length = text ? std::strlen(text) : 0;
    return length <= content.GetSize() &&
           content.FindBytes(text, static_cast<std::uint32_t>(length));
}

// Opens the scan's current file and loads it whole; false for a file that cannot be read.
bool LoadCurrent(Stream& text) {
    File file(*InfoManager::InfoDirectoryPath, InfoManager::InfoDirectory->GetFileName());
    return file.LoadWhole(text);
}
} // namespace

bool InfoManager::InitializeDirectory() {
    InfoDirectory.reset();
    InfoDirectoryPath = std::make_unique<Char256>("Infos/");
    Directory(*InfoDirectoryPath).Create();
    InfoDirectory = std::make_unique<Directory::Iterator>(*InfoDirectoryPath);
    InfoDirectory->First(InfoPattern);
    InfoStream.Free();
    skippedFiles.clear();
    return InfoDirectory->GetListResult() == TesselEngine::Platform::ListResult::Listed;
}

bool InfoManager::ListInfoFiles(std::vector<std::string>& files, bool* missing) {
    TesselEngine::WinAPI::FolderListing listing;
    const bool listed =
        TesselEngine::WinAPI::ListFolder(Char256(InfoDirectoryName), InfoPattern, listing);
    files = listing.Names();
    if (missing)
        *missing = listing.missing;
    return listed;
}

std::int32_t InfoManager::CountInfoFiles() {
    if (!InfoDirectory)
        return 0;
    std::int32_t count = 0;
    if (InfoDirectory->IsValid()) {
        do {
            ++count;
        } while (InfoDirectory->Next());
    }
    InfoDirectory->First(InfoPattern);
    return count;
}

std::int64_t InfoManager::GetTotalFileSize() {
    if (!InfoDirectory)
        return 0;
    InfoDirectory->First(InfoPattern);
    std::int64_t total = 0;
    for (; InfoDirectory->IsValid(); InfoDirectory->Next())
        total += static_cast<std::int64_t>(InfoDirectory->GetFindData().size);
    InfoDirectory->First(InfoPattern);
    return total;
}

VaskInfoCache InfoManager::ExtractCacheFields(Stream& text) {
    VaskInfoCache record;
    text.Reset();
    // Each column in file order, found as the info's reader finds its member: the name
    // is the first quoted text, the others follow their member's key.
    for (const InfoCacheColumn& column : InfoCacheColumns) {
        const InfoMember& member = CacheMember(column);
        Char48& field = record.*column.field;
        if (member.group == MemberGroup::Name) {
            ReadQuotedToken(text, field);
        } else {
            ReadMarkedValue(text, Char16(member.readKey), field);
            TesselEngine::String::Remove(field, ';');
        }
        TesselEngine::String::Remove(field, '"');
    }
    return record;
}

bool InfoManager::GenerateCacheEntry() {
    if (!InfoDirectory || !InfoDirectory->IsValid())
        return false;
    Stream text;
    if (LoadCurrent(text))
        InfoFileCache.PushBack(ExtractCacheFields(text));
    else
        Skip(InfoDirectory->GetFileName()); // an unreadable file does not end the build
    InfoDirectory->Next();
    return true;
}

bool InfoManager::WriteInfoCache() {
    std::string content;
    if (!CacheFile::Text(InfoFileCache, CacheFields(), content)) {
        TesselEngine::SetFailure(TesselEngine::Operation::Save, InfoCacheFile.Str(),
                                 TesselEngine::Cause::OutOfMemory);
        return false;
    }
    return File::SaveWithBackup(InfoCacheFile.Str().c_str(), content.data(), content.size());
}

bool InfoManager::ReadInfoCache() {
    InfoFileCache.ClearContent();
    File file(InfoCacheFile);
    Stream text;
    const bool read = file.LoadWhole(text);
    if (!read)
        return false;
    if (text.GetSize() == 0) {
        TesselEngine::SetFailure(TesselEngine::Operation::Read, InfoCacheFile.Str(),
                                 TesselEngine::Cause::BadContent);
        return false;
    }
    if (!CacheFile::Read(text, InfoFileCache, CacheFields())) {
        TesselEngine::SetFailure(TesselEngine::Operation::Read, InfoCacheFile.Str(),
                                 TesselEngine::Cause::OutOfMemory);
        return false;
    }
    return true;
}

namespace {
// Reads the info's own file whole; false, with the reason in LastFailure, when it cannot.
bool LoadInfoFile(const Char48& name, Stream& text) {
    if (!IsValidInfoName(name.View())) {
        TesselEngine::SetFailure(TesselEngine::Operation::Read, name.Str(),
                                 TesselEngine::Cause::InvalidName);
        return false;
    }
    File file(InfoFilePath(name));
    return file.LoadWhole(text);
}
} // namespace

bool InfoManager::InfoFileHolds(const char* name, const char* text, VaskInfoCache& row) {
    Stream content;
    if (!LoadInfoFile(Char48(name), content) || !Holds(content, text))
        return false;
    row = ExtractCacheFields(content);
    return true;
}

bool InfoManager::FollowInfoFile(const char* name) {
    const Char48 infoName(name);
    Stream text;
    if (!LoadInfoFile(infoName, text))
        return false;
    const VaskInfoCache fresh = ExtractCacheFields(text);
    if (!ReadInfoCache()) {
        // An empty "infocache" is the cache of a folder without infos.
        if (TesselEngine::LastFailure().cause != TesselEngine::Cause::BadContent)
            return false;
    }
    bool listed = false;
    for (VaskInfoCache& record : InfoFileCache) {
        if (record.Name == infoName) {
            record = fresh;
            listed = true;
        }
    }
    if (!listed)
        InfoFileCache.PushBack(fresh);
    return WriteInfoCache();
}

void InfoManager::ClearFilter() {
    InfoCurrentFilter.ClearContent();
}

void InfoManager::FilterByName(const char* text) {
    const Char48 wanted(text);
    Select([&](const VaskInfoCache& r) { return r.Name == wanted; });
}

void InfoManager::FilterByOwner(const char* text) {
    const Char48 wanted(text);
    Select([&](const VaskInfoCache& r) { return r.Owner == wanted; });
}

void InfoManager::FilterByQuest(const char* text) {
    const Char48 wanted(text);
    Select([&](const VaskInfoCache& r) { return r.Quest == wanted; });
}

void InfoManager::FilterAnyMatch(const char* text) {
    const Char48 wanted(text);
    using TesselEngine::String::ContainsNoCase;
    Select([&](const VaskInfoCache& r) {
        return ContainsNoCase(r.Name, wanted) || ContainsNoCase(r.Owner, wanted) ||
               ContainsNoCase(r.Quest, wanted);
    });
}

bool InfoManager::SearchFilesFor(const char* text) {
    if (!InfoDirectory || !InfoDirectory->IsValid())
        return false;
    Stream content;
    if (LoadCurrent(content)) {
        if (Holds(content, text))
            InfoCurrentFilter.PushBack(ExtractCacheFields(content));
    } else {
        Skip(InfoDirectory->GetFileName());
    }
    InfoDirectory->Next();
    return true;
}

} // namespace VaskEdit
