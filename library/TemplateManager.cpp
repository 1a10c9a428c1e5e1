#include "library/TemplateManager.h"

#include "engine/Failure.h"
#include "engine/QuotedValue.h"
#include "engine/String.h"
#include "library/CacheFile.h"
#include "tools/ExternalTools.h"

#include <cstring>
#include <limits>
#include <string>

namespace VaskEdit {

using TesselEngine::Char16;
using TesselEngine::Char32;
using TesselEngine::IO::Stream;
using TesselEngine::WinAPI::Directory;
using TesselEngine::WinAPI::File;
using TesselEngine::WinAPI::FindData;
namespace String = TesselEngine::String;

TesselEngine::TTL::Vector<VaskTemplateCache> TemplateManager::TemplateCache;
TesselEngine::TTL::Vector<VaskTemplateCache> TemplateManager::TemplateCurrentFilter;
std::unique_ptr<Char256> TemplateManager::TemplateDirectoryPath;
std::unique_ptr<Directory::Iterator> TemplateManager::TemplateDirectory;

namespace {

constexpr const char* CacheFileName = "templatecache";

// Leaves the reason of a failed read or write of the cache; false, for the caller.
bool CacheFailed(TesselEngine::Operation operation, TesselEngine::Cause cause) {
    TesselEngine::SetFailure(operation, CacheFileName, cause);
    return false;
}
const Char32 DocumentPattern("*.vasktpldoc");
const Char32 TemplatePattern("*.vasktpl");
const Char16 GuidKey(" GUID = {");

std::vector<std::string> skippedFiles;

// The document's file name up to its first ".".
Char48 FileNameBeforeDot(const FindData& entry) {
    Char48 name(entry.cFileName);
    String::CutAfter(name, '.');
    return name;
}

// The template's name is the first quoted value (also when the document begins with
// it) and its GUID the braced value behind " GUID = {". A field whose marker is missing
// stays empty.
VaskTemplateCache ReadDocument(const FindData& entry, Stream& text) {
    VaskTemplateCache record;
    record.File = FileNameBeforeDot(entry);
    if (std::string name; TesselEngine::IO::ReadQuotedValue(text, name)) {
        record.Name = Char48(name);
        String::Remove(record.Name, ';');
    } else {
        text.Reset(); // no name: the GUID may still be anywhere
    }
    if (text.FindKey(GuidKey) && text.SkipTo('{')) {
        text.ReadToken(record.GUID);
        String::Remove(record.GUID, ';');
    }
    return record;
}

// The fields of "templatecache", in file order.
constexpr CacheFile::Fields<VaskTemplateCache> CacheFields{
    &VaskTemplateCache::File, &VaskTemplateCache::Name, &VaskTemplateCache::GUID};

} // namespace

void TemplateManager::ResetState() {
    TemplateCache.ClearContent();
    TemplateCurrentFilter.ClearContent();
    TemplateDirectory.reset();
    TemplateDirectoryPath.reset();
    skippedFiles.clear();
}

bool TemplateManager::InitializeDirectory(bool textDocuments) {
    TemplateDirectory.reset();
    TemplateDirectoryPath = std::make_unique<Char256>(Folder);
    TemplateDirectory = std::make_unique<Directory::Iterator>(*TemplateDirectoryPath);
    TemplateDirectory->First(textDocuments ? DocumentPattern : TemplatePattern);
    skippedFiles.clear();
    return TemplateDirectory->GetListResult() == TesselEngine::Platform::ListResult::Listed;
}

std::int32_t TemplateManager::CountTemplateFiles(bool textDocuments) {
    InitializeDirectory(textDocuments);
    std::int32_t count = 0;
    while (TemplateDirectory->IsValid()) {
        ++count;
        TemplateDirectory->Next();
    }
    return count;
}

bool TemplateManager::GenerateCacheEntry() {
    if (!TemplateDirectory || !TemplateDirectory->IsValid())
        return false;
    const FindData& entry = TemplateDirectory->GetFindData();
    File document(*TemplateDirectoryPath, entry);
    Stream text;
    if (!document.LoadWhole(text)) {
        skippedFiles.push_back(std::string(Folder) + entry.cFileName);
    } else if (!TemplateCache.PushBack(ReadDocument(entry, text))) {
        return false; // out of memory: the build ends with what it has
    }
    TemplateDirectory->Next();
    return true;
}

bool TemplateManager::WriteCache() {
    constexpr std::uint64_t EntryLimit = 3 * (Char48::Capacity + 1);
    const std::uint64_t bound = EntryLimit * TemplateCache.GetSize();
    using TesselEngine::Cause;
    using TesselEngine::Operation;
    if (bound > std::numeric_limits<std::uint32_t>::max())
        return CacheFailed(Operation::Save, Cause::TooLarge);
    std::string out;
    if (!CacheFile::Text(TemplateCache, CacheFields, out))
        return CacheFailed(Operation::Save, Cause::OutOfMemory);
    return File::SaveWithBackup(CacheFileName, out.data(), out.size());
}

bool TemplateManager::ReadCache() {
    return ReadCacheFile(TemplateCache);
}

bool TemplateManager::ReadCacheFile(TesselEngine::TTL::Vector<VaskTemplateCache>& records) {
    records.ClearContent();
    File file{Char256(CacheFileName)};
    Stream in;
    const bool read = file.LoadWhole(in);
    using TesselEngine::Cause;
    using TesselEngine::Operation;
    if (!read)
        return false;
    if (in.GetSize() == 0)
        return CacheFailed(Operation::Read, Cause::BadContent);
    if (!CacheFile::Read(in, records, CacheFields))
        return CacheFailed(Operation::Read, Cause::OutOfMemory);
    return true;
}

void TemplateManager::ConvertAll() {
    if (!TemplateDirectory)
        return;
    Directory::Iterator& scan = *TemplateDirectory;
    for (; scan.IsValid(); scan.Next()) {
        const FindData& entry = scan.GetFindData();
        if (entry.isDirectory)
            continue;
        // The whole name: a cut one would hand the tool a file that does not exist.
        const std::string path = scan.GetDirectory().Str() + entry.cFileName;
        VaskResMan::OpenFile(path.c_str());
    }
    scan.First(TemplatePattern);
}

void TemplateManager::ClearFilter() {
    TemplateCurrentFilter.ClearContent();
}

void TemplateManager::FilterByName(const char* text) {
    const Char48 wanted(text);
    for (const VaskTemplateCache& record : TemplateCache) {
        if (record.Name == wanted)
            TemplateCurrentFilter.PushBack(record);
    }
}

void TemplateManager::FilterByGUID(const char* text) {
    const Char48 wanted(text);
    for (const VaskTemplateCache& record : TemplateCache) {
        if (record.GUID == wanted)
            TemplateCurrentFilter.PushBack(record);
    }
}

void TemplateManager::FilterAnyMatch(const char* text) {
    const Char48 wanted(text);
    for (const VaskTemplateCache& record : TemplateCache) {
        if (String::ContainsNoCase(record.GUID, wanted) ||
            String::ContainsNoCase(record.Name, wanted) ||
            String::ContainsNoCase(record.File, wanted))
            TemplateCurrentFilter.PushBack(record);
    }
}

std::int32_t TemplateManager::FindTemplate(const char* name, const char* guid) {
    if (!name && !guid)
        return -1;
    const Char48 wanted(name ? name : guid);
    const std::uint32_t count = TemplateCache.GetSize();
    for (std::uint32_t i = 0; i < count; ++i) {
        const VaskTemplateCache& record = TemplateCache[i];
        if ((name ? record.Name : record.GUID) == wanted)
            return static_cast<std::int32_t>(i);
    }
    return -1;
}

std::uint32_t TemplateManager::SkippedFiles() {
    return static_cast<std::uint32_t>(skippedFiles.size());
}

const std::vector<std::string>& TemplateManager::SkippedFileNames() {
    return skippedFiles;
}

} // namespace VaskEdit
