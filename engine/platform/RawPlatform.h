// The operating-system calls behind the platform layer; one implementation per system.
#pragma once

#include "engine/platform/Platform.h"

#include <string>

namespace TesselEngine::Platform::Raw {

// Records why the call under way failed, for LastError; false, for the caller to return.
bool Fail(Cause cause, int code = 0);
// The cause of one of this system's error numbers.
Cause CauseOf(int code);

Handle OpenExisting(const char* path, bool write, int* error);
Handle Create(const char* path, bool truncateExisting);
bool ReadExact(Handle h, void* buffer, std::uint64_t n);
bool WriteAll(Handle h, const void* buffer, std::uint64_t n);
bool Flush(Handle h);
bool QuerySize(Handle h, std::uint64_t* size);
void Close(Handle h);
bool DeleteFile(const char* path);
bool CreateDirectory(const char* path);
bool RemoveDirectory(const char* path);
bool ReplaceFile(const char* from, const char* to, bool durable);
bool CreateHardLink(const char* existing, const char* link);
bool IsReadOnlyFile(const char* path);
bool IsDirectory(const char* path);
bool QueryStamp(const char* path, std::uint64_t* size, std::int64_t* modified);
std::vector<DirectoryEntry> ListDirectory(const char* directory, ListResult* result);
std::uint32_t ProcessId();
bool IsProcessAlive(std::uint32_t pid);
std::string HostName();
Handle OpenLockFile(const char* path);
bool TryLock(Handle h, bool* busy);
bool Truncate(Handle h);

} // namespace TesselEngine::Platform::Raw
