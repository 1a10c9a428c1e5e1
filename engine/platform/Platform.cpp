// The operating-system independent part of the platform layer: fault injection in
// front of the raw calls of PlatformPosix.cpp or PlatformWin32.cpp.
#include "engine/platform/Platform.h"
#include "engine/platform/RawPlatform.h"

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
    return Raw::OpenExisting(path, access == Access::ReadWrite, error);
}
Handle CreateTruncate(const char* path) {
    Begin();
    if (!MayChange())
        return InvalidHandle;
    return Raw::Create(path, true);
}
Handle CreateNew(const char* path) {
    Begin();
    if (!MayChange())
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
    if (!MayChange())
        return false;
    return Raw::DeleteFile(path);
}
bool CreateDirectory(const char* path) {
    Begin();
    if (!MayChange())
        return false;
    return Raw::CreateDirectory(path);
}
bool RemoveDirectory(const char* path) {
    Begin();
    if (!MayChange())
        return false;
    return Raw::RemoveDirectory(path);
}

bool ReplaceFile(const char* from, const char* to, bool durable) {
    Begin();
    if (!MayChange())
        return false;
    if (!TakeOne(FaultInjection::replacesBeforeFailing) && TakeOne(FaultInjection::failReplaces))
        return Injected(Cause::AccessDenied);
    return Raw::ReplaceFile(from, to, durable);
}

bool CreateHardLink(const char* existing, const char* link) {
    Begin();
    if (!MayChange())
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
    return Raw::ListDirectory(directory, result ? result : &ignored);
}
std::uint32_t ProcessId() {
    return Raw::ProcessId();
}

} // namespace TesselEngine::Platform
