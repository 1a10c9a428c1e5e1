// The operating-system independent part of the platform layer: fault injection in
// front of the raw calls of PlatformPosix.cpp or PlatformWin32.cpp.
#include "engine/platform/Platform.h"
#include "engine/platform/RawPlatform.h"

#include <filesystem>
#include <iterator>
#include <mutex>
#include <system_error>

namespace TesselEngine::Platform {

std::atomic<std::int64_t> FaultInjection::writeBudget{-1};
std::atomic<int> FaultInjection::failFlushes{0};
std::atomic<int> FaultInjection::failReplaces{0};
std::atomic<int> FaultInjection::replacesBeforeFailing{0};
std::atomic<int> FaultInjection::failReads{0};
std::atomic<int> FaultInjection::failLinks{0};
std::atomic<Cause> FaultInjection::cause{Cause::None};
std::atomic<int> FaultInjection::code{0};
std::atomic<std::int64_t> FaultInjection::changesBeforeKill{-1};

namespace {
// Jobs run on a worker thread while the window saves: each thread has its own.
thread_local Error lastError;

// A failure that the raw call does not explain further is some system error.
void Begin() {
    lastError = Error{Cause::Other, 0};
}

// Refuses a call on a path that a link takes outside the workspace; false, for the
// caller to return.
bool Outside(const char* path, bool followLast = true) {
    if (!LeadsOutsideWorkspace(path, followLast))
        return false;
    Raw::Fail(Cause::OutsideWorkspace);
    return true;
}
bool Inside(const char* path, bool followLast = true) {
    return !LeadsOutsideWorkspace(path, followLast) || Raw::Fail(Cause::OutsideWorkspace);
}

bool TakeOne(std::atomic<int>& counter) {
    int left = counter.load();
    while (left > 0) {
        if (counter.compare_exchange_weak(left, left - 1))
            return true;
    }
    return false;
}

// Fails the call under way as the test chose, or with the usual cause of its kind.
bool Injected(Cause usual) {
    const Cause chosen = FaultInjection::cause.load();
    lastError =
        chosen == Cause::None ? Error{usual, 0} : Error{chosen, FaultInjection::code.load()};
    return false;
}

// False for a call that would change the disk after the simulated kill.
bool MayChange() {
    std::int64_t left = FaultInjection::changesBeforeKill.load();
    while (left > 0) {
        if (FaultInjection::changesBeforeKill.compare_exchange_weak(left, left - 1))
            return true;
    }
    if (left == 0)
        lastError = Error{Cause::Other, 0};
    return left < 0;
}
} // namespace

bool Raw::Fail(Cause cause, int code) {
    lastError = Error{cause, code};
    return false;
}

Error LastError() {
    return lastError;
}

Handle OpenExisting(const char* path, Access access, int* error) {
    Begin();
    bool checked = false;
    const Handle inside =
        Raw::OpenExistingInside(path, access == Access::ReadWrite, error, &checked);
    if (checked)
        return inside;
    if (LeadsOutsideWorkspace(path)) {
        Raw::Fail(Cause::OutsideWorkspace);
        if (error)
            *error = 5; // access denied, as Windows says it
        return InvalidHandle;
    }
    return Raw::OpenExisting(path, access == Access::ReadWrite, error);
}
Handle CreateTruncate(const char* path) {
    Begin();
    if (!MayChange() || Outside(path))
        return InvalidHandle;
    return Raw::Create(path, true);
}
Handle CreateNew(const char* path) {
    Begin();
    if (!MayChange() || Outside(path))
        return InvalidHandle;
    return Raw::Create(path, false);
}

bool ReadExact(Handle h, void* buffer, std::uint64_t n) {
    Begin();
    if (TakeOne(FaultInjection::failReads))
        return Injected(Cause::Other);
    return Raw::ReadExact(h, buffer, n);
}

bool WriteAll(Handle h, const void* buffer, std::uint64_t n) {
    Begin();
    if (!MayChange())
        return false;
    std::int64_t budget = FaultInjection::writeBudget.load();
    if (budget >= 0) {
        // A disk that fills up half way: write what fits, then fail.
        const std::uint64_t allowed =
            static_cast<std::uint64_t>(budget) < n ? static_cast<std::uint64_t>(budget) : n;
        FaultInjection::writeBudget = budget - static_cast<std::int64_t>(allowed);
        if (allowed && !Raw::WriteAll(h, buffer, allowed))
            return false;
        return allowed == n || Injected(Cause::NoSpace);
    }
    return Raw::WriteAll(h, buffer, n);
}

bool Flush(Handle h) {
    Begin();
    if (!MayChange())
        return false;
    if (TakeOne(FaultInjection::failFlushes))
        return Injected(Cause::NoSpace);
    return Raw::Flush(h);
}
bool QuerySize(Handle h, std::uint64_t* size) {
    Begin();
    return Raw::QuerySize(h, size);
}
void Close(Handle h) {
    Raw::Close(h);
}
bool DeleteFile(const char* path) {
    Begin();
    return MayChange() && Inside(path, false) && Raw::DeleteFile(path);
}
bool CreateDirectory(const char* path) {
    Begin();
    return MayChange() && Inside(path, false) && Raw::CreateDirectory(path);
}
bool RemoveDirectory(const char* path) {
    Begin();
    if (!MayChange())
        return false;
    return Raw::RemoveDirectory(path);
}

bool ReplaceFile(const char* from, const char* to, bool durable) {
    Begin();
    if (!MayChange() || !Inside(from, false) || !Inside(to, false))
        return false;
    if (!TakeOne(FaultInjection::replacesBeforeFailing) && TakeOne(FaultInjection::failReplaces))
        return Injected(Cause::AccessDenied);
    return Raw::ReplaceFile(from, to, durable);
}

bool CreateHardLink(const char* existing, const char* link) {
    Begin();
    if (!MayChange() || !Inside(existing) || !Inside(link, false))
        return false;
    if (TakeOne(FaultInjection::failLinks))
        return Injected(Cause::Other);
    return Raw::CreateHardLink(existing, link);
}

bool IsReadOnlyFile(const char* path) {
    return Raw::IsReadOnlyFile(path);
}
bool IsDirectory(const char* path) {
    return Raw::IsDirectory(path);
}
bool QueryStamp(const char* path, std::uint64_t* size, std::int64_t* modified) {
    Begin();
    return Raw::QueryStamp(path, size, modified);
}
std::vector<DirectoryEntry> ListDirectory(const char* directory, ListResult* result) {
    Begin();
    ListResult ignored = ListResult::Listed;
    if (!result)
        result = &ignored;
    if (directory && Outside(directory)) {
        *result = ListResult::Unreadable;
        return {};
    }
    return Raw::ListDirectory(directory, result);
}
std::uint32_t ProcessId() {
    return Raw::ProcessId();
}
bool IsProcessAlive(std::uint32_t pid) {
    return Raw::IsProcessAlive(pid);
}
std::string HostName() {
    return Raw::HostName();
}
void* AllocateLarge(std::size_t n, std::size_t* reserved) {
    return Raw::AllocateLarge(n, reserved);
}
void FreeLarge(void* memory, std::size_t reserved) {
    Raw::FreeLarge(memory, reserved);
}
Handle OpenLockFile(const char* path) {
    Begin();
    if (Outside(path))
        return InvalidHandle;
    return Raw::OpenLockFile(path);
}
bool TryLock(Handle h, bool* busy) {
    Begin();
    *busy = false;
    return Raw::TryLock(h, busy);
}
bool Truncate(Handle h) {
    Begin();
    return Raw::Truncate(h);
}

namespace {
// The real place of `rest` below `reached`, a real path itself, each link on the way
// followed, also one whose target does not exist (a write would create it there). Empty
// for a chain of links too long to be real.
std::filesystem::path RealPlace(std::filesystem::path reached, const std::filesystem::path& rest,
                                int depth = 0) {
    namespace fs = std::filesystem;
    constexpr int LongestChain = 40;
    for (auto part = rest.begin(); part != rest.end(); ++part) {
        if (part->empty() || *part == ".")
            continue;
        if (*part == "..") {
            reached = reached.parent_path();
            continue;
        }
        fs::path next = reached / *part;
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(next, error))) {
            reached = std::move(next);
            continue;
        }
        const fs::path target = fs::read_symlink(next, error);
        if (error || depth == LongestChain)
            return {};
        fs::path followed = target.is_absolute() ? target : reached / target;
        for (auto after = std::next(part); after != rest.end(); ++after)
            followed /= *after;
        followed = followed.lexically_normal();
        return RealPlace(followed.root_path(), followed.relative_path(), depth + 1);
    }
    return reached;
}

// The real path of the current folder, worked out again only when the folder changes:
// every open asks. One for the process, as the current folder is (and MinGW's
// thread-local objects with destructors can crash as a thread ends).
std::filesystem::path RealCurrentFolder(std::error_code& error) {
    namespace fs = std::filesystem;
    static std::mutex guard;
    static fs::path current;
    static fs::path real;
    fs::path now = fs::current_path(error);
    if (error)
        return {};
    const std::lock_guard<std::mutex> lock(guard);
    if (now != current || real.empty()) {
        real = fs::canonical(now, error);
        current = error ? fs::path() : std::move(now);
    }
    return real;
}
} // namespace

bool LeadsOutsideWorkspace(const char* path, bool followLast) {
    namespace fs = std::filesystem;
    if (!path || !*path)
        return false;
    const fs::path given(path);
    if (given.has_root_name() || given.has_root_directory())
        return false;
    const fs::path normal = given.lexically_normal();
    if (normal.empty() || *normal.begin() == "..")
        return false;
    const fs::path followed = followLast ? normal : normal.parent_path();
    if (followed.empty() || followed == ".")
        return false;
    std::error_code error;
    const fs::path root = RealCurrentFolder(error);
    if (error)
        return false;
    const fs::path real = RealPlace(root, followed);
    if (real.empty())
        return true;
    const fs::path within = real.lexically_relative(root);
    return within.empty() || *within.begin() == "..";
}

} // namespace TesselEngine::Platform
