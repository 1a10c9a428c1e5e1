// The operating-system independent part of the platform layer: fault injection in
// front of the raw calls of PlatformPosix.cpp or PlatformWin32.cpp.
#include "engine/platform/Platform.h"
#include "engine/platform/RawPlatform.h"

namespace TesselEngine::Platform {

std::atomic<std::int64_t> FaultInjection::writeBudget{-1};
std::atomic<int> FaultInjection::failReplaces{0};
std::atomic<int> FaultInjection::failReads{0};
std::atomic<int> FaultInjection::failLinks{0};

namespace {
bool TakeOne(std::atomic<int>& counter) {
    int left = counter.load();
    while (left > 0) {
        if (counter.compare_exchange_weak(left, left - 1))
            return true;
    }
    return false;
}
} // namespace

Handle OpenExisting(const char* path, Access access, int* error) {
    return Raw::OpenExisting(path, access == Access::ReadWrite, error);
}
Handle CreateTruncate(const char* path) {
    return Raw::Create(path, true);
}
Handle CreateNew(const char* path) {
    return Raw::Create(path, false);
}

bool ReadExact(Handle h, void* buffer, std::uint64_t n) {
    if (TakeOne(FaultInjection::failReads))
        return false;
    return Raw::ReadExact(h, buffer, n);
}

bool WriteAll(Handle h, const void* buffer, std::uint64_t n) {
    std::int64_t budget = FaultInjection::writeBudget.load();
    if (budget >= 0) {
        // A disk that fills up half way: write what fits, then fail.
        const std::uint64_t allowed =
            static_cast<std::uint64_t>(budget) < n ? static_cast<std::uint64_t>(budget) : n;
        FaultInjection::writeBudget = budget - static_cast<std::int64_t>(allowed);
        if (allowed && !Raw::WriteAll(h, buffer, allowed))
            return false;
        return allowed == n;
    }
    return Raw::WriteAll(h, buffer, n);
}

bool Flush(Handle h) {
    return Raw::Flush(h);
}
bool QuerySize(Handle h, std::uint64_t* size) {
    return Raw::QuerySize(h, size);
}
void Close(Handle h) {
    Raw::Close(h);
}
bool DeleteFile(const char* path) {
    return Raw::DeleteFile(path);
}
bool CreateDirectory(const char* path) {
    return Raw::CreateDirectory(path);
}
bool RemoveDirectory(const char* path) {
    return Raw::RemoveDirectory(path);
}

bool ReplaceFile(const char* from, const char* to, bool durable) {
    if (TakeOne(FaultInjection::failReplaces))
        return false;
    return Raw::ReplaceFile(from, to, durable);
}

bool CreateHardLink(const char* existing, const char* link) {
    if (TakeOne(FaultInjection::failLinks))
        return false;
    return Raw::CreateHardLink(existing, link);
}

bool IsReadOnlyFile(const char* path) {
    return Raw::IsReadOnlyFile(path);
}
bool IsDirectory(const char* path) {
    return Raw::IsDirectory(path);
}
bool QueryStamp(const char* path, std::uint64_t* size, std::int64_t* modified) {
    return Raw::QueryStamp(path, size, modified);
}
std::vector<DirectoryEntry> ListDirectory(const char* directory, ListResult* result) {
    ListResult ignored = ListResult::Listed;
    return Raw::ListDirectory(directory, result ? result : &ignored);
}
std::uint32_t ProcessId() {
    return Raw::ProcessId();
}

} // namespace TesselEngine::Platform
