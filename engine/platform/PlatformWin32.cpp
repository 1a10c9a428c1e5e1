// Win32 implementation of the platform layer, on the 8-bit ("A") file API.
#include <windows.h>

// windows.h maps these names to its own A/W variants.
#undef DeleteFile
#undef CreateDirectory
#undef RemoveDirectory
#undef ReplaceFile
#undef CreateHardLink

#include "engine/platform/RawPlatform.h"

#include <string>

namespace TesselEngine::Platform::Raw {

namespace {
HANDLE ToHandle(Handle h) {
    return reinterpret_cast<HANDLE>(h);
}
Handle FromHandle(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? InvalidHandle : reinterpret_cast<Handle>(h);
}
constexpr DWORD Chunk = 1u << 30;

// Windows refuses to write a read-only file; wine running as root does not, so the
// attribute is tested here as well.
bool HasReadOnlyAttribute(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

bool IsFolder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Records GetLastError's cause for LastError; false, for the caller to return. Windows
// denies access to a folder or a read-only file where POSIX names these: so does this.
bool FailWithLastError(const char* path = nullptr) {
    const DWORD code = GetLastError();
    if (code == ERROR_ACCESS_DENIED && path && IsFolder(path))
        return Fail(Cause::IsFolder, static_cast<int>(code));
    if (code == ERROR_ACCESS_DENIED && path && HasReadOnlyAttribute(path))
        return Fail(Cause::ReadOnly, static_cast<int>(code));
    return Fail(CauseOf(static_cast<int>(code)), static_cast<int>(code));
}
} // namespace

Cause CauseOf(int code) {
    switch (static_cast<DWORD>(code)) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
        return Cause::NotFound;
    case ERROR_WRITE_PROTECT:
        return Cause::ReadOnlyFileSystem;
    case ERROR_ACCESS_DENIED:
        return Cause::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return Cause::InUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Cause::NoSpace;
    case ERROR_FILE_TOO_LARGE:
        return Cause::TooLarge;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return Cause::OutOfMemory;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return Cause::InvalidName;
    default:
        return Cause::Other;
    }
}

Handle OpenExisting(const char* path, bool write, int* error) {
    if (write && HasReadOnlyAttribute(path)) {
        Fail(Cause::ReadOnly, ERROR_ACCESS_DENIED);
        if (error)
            *error = ERROR_ACCESS_DENIED;
        return InvalidHandle;
    }
    const DWORD access = write ? (GENERIC_READ | GENERIC_WRITE) : GENERIC_READ;
    HANDLE h = CreateFileA(path, access, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        FailWithLastError(path);
        if (error)
            *error = static_cast<int>(code);
        return InvalidHandle;
    }
    if (error)
        *error = 0;
    return FromHandle(h);
}

Handle Create(const char* path, bool truncateExisting) {
    if (HasReadOnlyAttribute(path)) {
        Fail(Cause::ReadOnly, ERROR_ACCESS_DENIED);
        return InvalidHandle;
    }
    HANDLE h =
        CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                    truncateExisting ? CREATE_ALWAYS : CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        FailWithLastError(path);
    return FromHandle(h);
}

bool ReadExact(Handle h, void* buffer, std::uint64_t n) {
    auto* out = static_cast<char*>(buffer);
    while (n > 0) {
        DWORD got = 0;
        const DWORD want = n > Chunk ? Chunk : static_cast<DWORD>(n);
        if (!ReadFile(ToHandle(h), out, want, &got, nullptr))
            return FailWithLastError();
        if (got == 0)
            return Fail(Cause::Other); // the file is shorter than it was
        out += got;
        n -= got;
    }
    return true;
}

bool WriteAll(Handle h, const void* buffer, std::uint64_t n) {
    const auto* in = static_cast<const char*>(buffer);
    while (n > 0) {
        DWORD put = 0;
        const DWORD want = n > Chunk ? Chunk : static_cast<DWORD>(n);
        if (!WriteFile(ToHandle(h), in, want, &put, nullptr))
            return FailWithLastError();
        if (put == 0)
            return Fail(Cause::NoSpace);
        in += put;
        n -= put;
    }
    return true;
}

bool Flush(Handle h) {
    return FlushFileBuffers(ToHandle(h)) != 0 || FailWithLastError();
}

bool QuerySize(Handle h, std::uint64_t* size) {
    LARGE_INTEGER value;
    if (!GetFileSizeEx(ToHandle(h), &value))
        return FailWithLastError();
    *size = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

void Close(Handle h) {
    if (h != InvalidHandle)
        CloseHandle(ToHandle(h));
}

bool DeleteFile(const char* path) {
    return DeleteFileA(path) != 0 || FailWithLastError(path);
}
bool CreateDirectory(const char* path) {
    return CreateDirectoryA(path, nullptr) != 0 || FailWithLastError();
}
bool RemoveDirectory(const char* path) {
    return RemoveDirectoryA(path) != 0 || FailWithLastError();
}

bool ReplaceFile(const char* from, const char* to, bool durable) {
    // Wine running as root would replace a read-only file: refused here as on Windows.
    if (HasReadOnlyAttribute(to))
        return Fail(Cause::ReadOnly, ERROR_ACCESS_DENIED);
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
    return MoveFileExA(from, to, flags) != 0 || FailWithLastError(to);
}

bool CreateHardLink(const char* existing, const char* link) {
    // Opened without access rights: only to count the file's names.
    HANDLE h = CreateFileA(existing, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FailWithLastError();
    BY_HANDLE_FILE_INFORMATION info;
    const bool plain =
        GetFileInformationByHandle(h, &info) && info.nNumberOfLinks == 1 &&
        !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
    CloseHandle(h);
    if (!plain)
        return Fail(Cause::Other);
    return CreateHardLinkA(link, existing, nullptr) != 0 || FailWithLastError();
}

bool IsReadOnlyFile(const char* path) {
    return HasReadOnlyAttribute(path);
}

bool IsDirectory(const char* path) {
    return IsFolder(path);
}

bool QueryStamp(const char* path, std::uint64_t* size, std::int64_t* modified) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return FailWithLastError();
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return Fail(Cause::IsFolder);
    *size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    *modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime);
    return true;
}

std::vector<DirectoryEntry> ListDirectory(const char* directory, ListResult* result) {
    std::vector<DirectoryEntry> entries;
    std::string folder = (directory && *directory) ? directory : ".";
    std::string pattern = folder;
    if (pattern.back() != '/' && pattern.back() != '\\')
        pattern += '/';
    pattern += '*';
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        FailWithLastError();
        // A folder without any entry (a drive's empty root) gives "file not found".
        if (error == ERROR_FILE_NOT_FOUND) {
            *result = ListResult::Listed;
            return entries;
        }
        while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
            folder.pop_back();
        // "Path not found" also comes for a plain file of the folder's name.
        *result = GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES &&
                          (error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME)
                      ? ListResult::Missing
                      : ListResult::Unreadable;
        return entries;
    }
    *result = ListResult::Listed;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        DirectoryEntry found;
        found.name = name;
        found.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        found.hasSize = true;
        found.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back(std::move(found));
    } while (FindNextFileA(h, &data));
    if (GetLastError() != ERROR_NO_MORE_FILES) {
        FailWithLastError();
        *result = ListResult::Unreadable; // a listing that broke off is no listing
    }
    FindClose(h);
    return entries;
}

std::uint32_t ProcessId() {
    return static_cast<std::uint32_t>(GetCurrentProcessId());
}

bool IsProcessAlive(std::uint32_t pid) {
    if (pid == 0)
        return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED; // it runs, under another user
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

std::string HostName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

namespace {
// The byte locked lies far behind the content, so that a waiting writer can still read
// who holds the lock.
constexpr DWORD LockedByteOffset = 0x7FFFFFFF;
} // namespace

Handle OpenLockFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        Fail(Cause::NotAFile);
        return InvalidHandle;
    }
    HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        FailWithLastError(path);
    return FromHandle(h);
}

bool TryLock(Handle h, bool* busy) {
    OVERLAPPED at{};
    at.Offset = LockedByteOffset;
    if (LockFileEx(ToHandle(h), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
        return true;
    const DWORD code = GetLastError();
    *busy = code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING;
    return Fail(Cause::InUse, static_cast<int>(code));
}

bool Truncate(Handle h) {
    LARGE_INTEGER start{};
    return (SetFilePointerEx(ToHandle(h), start, nullptr, FILE_BEGIN) &&
            SetEndOfFile(ToHandle(h))) ||
           FailWithLastError();
}

} // namespace TesselEngine::Platform::Raw
