#include "engine/File.h"
#include "engine/Backup.h"
#include "engine/Failure.h"
#include "engine/FolderListing.h"
#include "engine/String.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <new>
#include <random>
#include <set>
#include <string>
#include <string_view>

namespace TesselEngine::WinAPI {

namespace {
char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Leaves the reason of a failed operation on the file; false, for the caller to return.
bool Failed(const Char256& path, Operation operation, Cause cause) {
    SetFailure(operation, path.Str(), cause);
    return false;
}
// The same for the platform call that just failed.
bool Failed(const Char256& path, Operation operation) {
    SetFailure(operation, path.Str());
    return false;
}
bool SaveFailed(const char* target, Cause cause) {
    SetFailure(Operation::Save, target, cause);
    return false;
}
bool SaveFailed(const char* target) {
    SetFailure(Operation::Save, target);
    return false;
}

// Temporary files are "<file>.~<process id>-<number>.tmp" beside their file.
constexpr std::string_view TemporaryMark = ".~";
constexpr std::string_view TemporarySuffix = ".tmp";

std::atomic<std::uint32_t> temporaryCounter{0};

std::string TemporaryPathFor(const char* path) {
    return std::string(path) + std::string(TemporaryMark) + std::to_string(Platform::ProcessId()) +
           "-" + std::to_string(++temporaryCounter) + std::string(TemporarySuffix);
}

// After a name that was taken the numbers go on far from it: an ended process with this
// id may have left a whole run of them.
void SkipTakenNumbers() {
    static std::minstd_rand jump(
        static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    static std::mutex lock;
    std::lock_guard guard(lock);
    temporaryCounter += 1 + jump() % 1000000;
}

// The process id in a temporary file's name; 0 for any other name.
std::uint32_t TemporaryOwner(std::string_view name) {
    if (!name.ends_with(TemporarySuffix))
        return 0;
    name.remove_suffix(TemporarySuffix.size());
    const std::size_t mark = name.rfind(TemporaryMark);
    if (mark == std::string_view::npos)
        return 0;
    name.remove_prefix(mark + TemporaryMark.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 10 || dash + 1 == name.size())
        return 0;
    std::uint64_t pid = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (i == dash)
            continue;
        if (name[i] < '0' || name[i] > '9')
            return 0;
        if (i < dash)
            pid = pid * 10 + static_cast<std::uint64_t>(name[i] - '0');
    }
    return pid <= 0xFFFFFFFFull ? static_cast<std::uint32_t>(pid) : 0;
}

std::string FolderOfPath(const char* path) {
    const std::string_view whole(path);
    const std::size_t slash = whole.find_last_of("/\\");
    return slash == std::string_view::npos ? std::string()
                                           : std::string(whole.substr(0, slash + 1));
}

// The folders (as saves name them, relative to the workspace) already cleared of
// leftovers by this process.
std::mutex clearedLock;
std::set<std::string> clearedFolders;

// Removes, once per folder and process, what writes of processes that have ended left
// in the folder; the first save into a folder pays for one listing.
void RemoveDeadLeftovers(const std::string& folder) {
    {
        std::lock_guard guard(clearedLock);
        if (!clearedFolders.insert(folder).second)
            return;
    }
    const std::uint32_t self = Platform::ProcessId();
    for (const auto& entry : Platform::ListDirectory(folder.empty() ? "." : folder.c_str())) {
        const std::uint32_t owner = TemporaryOwner(entry.name);
        if (owner != 0 && owner != self && !entry.isDirectory && !Platform::IsProcessAlive(owner))
            Platform::DeleteFile((folder + entry.name).c_str());
    }
}

// Creates a temporary file of its own for target: a name that is taken (a process
// that died with this process's id left it) gives way to the next. On failure the
// save's reason is set.
Platform::Handle CreateTemporaryFor(const char* target, std::string& temporary) {
    RemoveDeadLeftovers(FolderOfPath(target));
    for (int attempt = 0;; ++attempt) {
        temporary = TemporaryPathFor(target);
        const Platform::Handle h = Platform::CreateNew(temporary.c_str());
        if (h != Platform::InvalidHandle)
            return h;
        SaveFailed(target);
        std::uint64_t size = 0;
        std::int64_t modified = 0;
        if (attempt == 100 || !Platform::QueryStamp(temporary.c_str(), &size, &modified))
            return h; // not a name taken: the reason stands
        SkipTakenNumbers();
    }
}
} // namespace

void ForgetClearedFolders() {
    std::lock_guard guard(clearedLock);
    clearedFolders.clear();
}

bool MatchesPattern(const char* name, const char* pattern) {
    // Iterative glob with one backtrack point for the last "*".
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*pattern == '?' || (*pattern && UpperAscii(*pattern) == UpperAscii(*name))) {
            ++pattern;
            ++name;
        } else if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == 0;
}

File::File(const Char256& path) : path(path) {}

File::File(const Directory& directory, const Char48& name) : path(directory.GetPath()) {
    String::Append(path, name);
}

File::File(const Char256& directoryPath, const FindData& match) : path(directoryPath) {
    String::Append(path, match.cFileName);
}

File::File(const Char256& directoryPath, const char* fileName) : path(directoryPath) {
    String::Append(path, fileName);
}

bool File::Exists() const {
    int error = 0;
    const Platform::Handle h =
        Platform::OpenExisting(path.Str().c_str(), Platform::Access::Read, &error);
    if (h != Platform::InvalidHandle) {
        Platform::Close(h);
        return true;
    }
    return error != Platform::ErrorFileNotFound;
}

bool File::Open() {
    Close();
    int error = 0;
    handle = Platform::OpenExisting(path.Str().c_str(), Platform::Access::ReadWrite, &error);
    if (!IsOpen())
        SetFailure(Operation::Read, path.Str());
    return IsOpen() && error != Platform::ErrorFileNotFound;
}

bool File::OpenRead() {
    Close();
    int error = 0;
    handle = Platform::OpenExisting(path.Str().c_str(), Platform::Access::Read, &error);
    if (!IsOpen())
        SetFailure(Operation::Read, path.Str());
    return IsOpen();
}

bool File::Create() {
    Close();
    handle = Platform::CreateTruncate(path.Str().c_str());
    if (!IsOpen())
        SetFailure(Operation::Save, path.Str());
    return IsOpen();
}

bool File::OpenOrCreate() {
    if (Open())
        return true;
    return Create();
}

void File::Close() {
    if (IsOpen())
        Platform::Close(handle);
    handle = Platform::InvalidHandle;
}

bool File::Delete() {
    return Platform::DeleteFile(path.Str().c_str());
}

std::uint64_t File::GetSize() {
    std::uint64_t value = 0;
    if (!IsOpen() || !Platform::QuerySize(handle, &value))
        value = 0;
    size = value;
    return value == 0xFFFFFFFFull ? ~std::uint64_t{0} : value;
}

bool File::ReadAll(char* buffer) {
    if (!IsOpen())
        return false; // the open that failed said why
    return Platform::ReadExact(handle, buffer, size) || Failed(path, Operation::Read);
}

bool File::Write(const char* buffer, std::uint32_t n) {
    if (!IsOpen())
        return false;
    return Platform::WriteAll(handle, buffer, n) || Failed(path, Operation::Save);
}

bool File::ReadStream(IO::Stream& stream) {
    stream.Free();
    if (!IsOpen())
        return false; // the open that failed said why
    GetSize();
    if (size >= 0xFFFFFFFFull)
        return Failed(path, Operation::Read, Cause::TooLarge); // refused, never read short
    if (size == 0)
        return true;
    if (!stream.Allocate(static_cast<std::uint32_t>(size)))
        return Failed(path, Operation::Read, Cause::OutOfMemory);
    if (!Platform::ReadExact(handle, stream.GetBuffer(), size)) {
        Failed(path, Operation::Read);
        // The stream keeps the file's size, zero-filled where the read failed.
        std::memset(stream.GetBuffer(), 0, stream.GetSize());
        return false;
    }
    return true;
}

bool File::AppendTo(IO::Stream& stream) {
    if (!IsOpen())
        return false; // the open that failed said why
    GetSize();
    const std::uint64_t at = stream.GetPosition();
    if (size >= 0xFFFFFFFFull)
        return Failed(path, Operation::Read, Cause::TooLarge);
    if (at + size > stream.GetSize())
        return false; // no room: the caller takes another way
    if (size && !Platform::ReadExact(handle, stream.GetBuffer() + at, size)) {
        Failed(path, Operation::Read);
        std::memset(stream.GetBuffer() + at, 0, size);
        return false;
    }
    stream.SetPosition(static_cast<std::uint32_t>(at + size));
    return true;
}

bool File::WriteStream(const IO::Stream& stream) {
    return Write(stream.GetBuffer(), stream.GetSize());
}

bool File::LoadWhole(IO::Stream& stream) {
    const bool read = OpenRead() && ReadStream(stream);
    Close();
    return read;
}

bool File::ReadAll(const char* path, std::string& bytes) {
    // The path whole, not cut to a Char256: a long path must not name another file.
    int error = 0;
    const Platform::Handle h = Platform::OpenExisting(path, Platform::Access::Read, &error);
    if (h == Platform::InvalidHandle) {
        SetFailure(Operation::Read, path);
        return false;
    }
    std::uint64_t size = 0;
    bool read = false;
    if (!Platform::QuerySize(h, &size)) {
        SetFailure(Operation::Read, path);
    } else if (size >= 0xFFFFFFFFull) {
        SetFailure(Operation::Read, path, Cause::TooLarge); // refused, never read short
    } else {
        try {
            // Straight into the text, so that a large file is held once.
            std::string whole(size, '\0');
            read = size == 0 || Platform::ReadExact(h, whole.data(), size);
            if (read)
                bytes = std::move(whole);
            else
                SetFailure(Operation::Read, path);
        } catch (const std::bad_alloc&) {
            SetFailure(Operation::Read, path, Cause::OutOfMemory);
        }
    }
    Platform::Close(h);
    return read;
}

bool File::SaveAtomically(const IO::Stream& stream, bool durable) const {
    return SaveAtomically(path.Str().c_str(), stream.GetBuffer(), stream.GetSize(), durable);
}

bool File::SaveAtomically(const char* target, const char* bytes, std::uint64_t n, bool durable) {
    if (Platform::IsDirectory(target))
        return SaveFailed(target, Cause::IsFolder);
    if (Platform::IsReadOnlyFile(target))
        return SaveFailed(target, Cause::ReadOnly);
    std::string temporary;
    const Platform::Handle h = CreateTemporaryFor(target, temporary);
    if (h == Platform::InvalidHandle)
        return false;
    const bool written = Platform::WriteAll(h, bytes, n) && (!durable || Platform::Flush(h));
    if (!written)
        SaveFailed(target);
    Platform::Close(h);
    if (written && Platform::ReplaceFile(temporary.c_str(), target, durable))
        return true;
    if (written)
        SaveFailed(target);
    Platform::DeleteFile(temporary.c_str());
    return false;
}

bool File::SaveWithBackup(const IO::Stream& stream) const {
    return SaveWithBackup(path.Str().c_str(), stream.GetBuffer(), stream.GetSize());
}

bool File::SaveWithBackup(const char* target, const char* bytes, std::uint64_t n) {
    const Backup::Kept kept = Backup::Keep(target);
    if (!SaveAtomically(target, bytes, n)) {
        Backup::Drop(kept);
        return false;
    }
    if (!kept.path.empty())
        Backup::Rotate(target, Backup::KeptBytesPerFile);
    if (!kept.missed.empty())
        Backup::NoteMissed(target, kept.missed);
    return true;
}

Char48 File::GetBaseName() const {
    Char256 base = path;
    String::CutBefore(base, '/');
    String::CutAfter(base, '.');
    Char48 result;
    result.Assign(base.data, base.Length());
    return result;
}

Directory::Iterator::Iterator(const Char256& directoryPath) : directoryPath(directoryPath) {}

void Directory::Iterator::First(const Char32& pattern) {
    Reset();
    searchPath = directoryPath;
    String::Append(searchPath, pattern);
    FolderListing listing;
    if (!ListFolder(directoryPath, pattern, listing))
        listResult = Platform::ListResult::Unreadable;
    else
        listResult = listing.missing ? Platform::ListResult::Missing : Platform::ListResult::Listed;
    matches = std::move(listing.entries);
    Load();
}

bool Directory::Iterator::Next() {
    if (index < matches.size())
        ++index;
    if (index >= matches.size()) {
        Reset();
        return false;
    }
    Load();
    return true;
}

void Directory::Iterator::Reset() {
    matches.clear();
    index = 0;
    findData = FindData{};
}

void Directory::Iterator::Load() {
    findData = FindData{};
    sizeKnown = false;
    if (index >= matches.size())
        return;
    const auto& entry = matches[index];
    const std::size_t n = std::min(entry.name.size(), sizeof(findData.cFileName) - 1);
    std::memcpy(findData.cFileName, entry.name.data(), n);
    findData.isDirectory = entry.isDirectory;
    findData.size = entry.size;
    sizeKnown = entry.hasSize;
}

const FindData& Directory::Iterator::GetFindData() const {
    if (!sizeKnown && index < matches.size()) {
        // Listing a directory does not look at every file; sizes are read when needed.
        std::uint64_t size = 0;
        std::int64_t modified = 0;
        const std::string path = directoryPath.Str() + findData.cFileName;
        if (!findData.isDirectory && Platform::QueryStamp(path.c_str(), &size, &modified))
            findData.size = size;
        sizeKnown = true;
    }
    return findData;
}

bool Directory::Create() const {
    return Platform::CreateDirectory(path.Str().c_str());
}
bool Directory::Remove() const {
    return Platform::RemoveDirectory(path.Str().c_str());
}

Directory::Iterator Directory::GetIterator(const Char32& pattern) const {
    Iterator it(path);
    it.First(pattern);
    return it;
}

} // namespace TesselEngine::WinAPI
