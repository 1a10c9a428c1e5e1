// POSIX implementation of the platform layer, with the Windows results emulated
// where POSIX differs (missing directory vs. missing file, the read-only attribute,
// directories that cannot be opened as files).
#include "engine/platform/RawPlatform.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TesselEngine::Platform::Raw {

namespace {
constexpr int ErrorAccessDenied = 5;
constexpr int ErrorPathNotFound = 3;

std::string ParentOf(const char* path) {
    std::string p(path);
    while (!p.empty() && p.back() == '/')
        p.pop_back();
    const auto slash = p.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : p.substr(0, slash);
}

bool ParentDirectoryExists(const char* path) {
    struct stat st {};
    return ::stat(ParentOf(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool HasNoWriteBits(const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Opened without waiting: opening a named pipe would wait for its writer. Files read
// and write as usual afterwards.
void ClearNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

// Records errno's cause for LastError; false, for the caller to return.
bool FailWithErrno() {
    const int code = errno;
    return Fail(CauseOf(code), code);
}

int MapOpenError(int err, const char* path) {
    if (err == ENOENT)
        return ParentDirectoryExists(path) ? ErrorFileNotFound : ErrorPathNotFound;
    if (err == ENOTDIR)
        return ErrorPathNotFound;
    return ErrorAccessDenied;
}
} // namespace

Cause CauseOf(int code) {
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return Cause::NotFound;
    case EROFS:
        return Cause::ReadOnlyFileSystem;
    case EACCES:
    case EPERM:
        return Cause::AccessDenied;
    case EISDIR:
        return Cause::IsFolder;
    case ETXTBSY:
    case EBUSY:
        return Cause::InUse;
    case ENOSPC:
    case EDQUOT:
        return Cause::NoSpace;
    case EFBIG:
    case EOVERFLOW:
        return Cause::TooLarge;
    case ENOMEM:
        return Cause::OutOfMemory;
    case ENAMETOOLONG:
        return Cause::InvalidName;
    default:
        return Cause::Other;
    }
}

Handle OpenExisting(const char* path, bool write, int* error) {
    int dummy = 0;
    if (!error)
        error = &dummy;
    *error = 0;
    const int fd = ::open(path, (write ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        FailWithErrno();
        // Opening a directory for writing fails with EISDIR: access denied, as on Windows.
        *error = errno == EISDIR ? ErrorAccessDenied : MapOpenError(errno, path);
        return InvalidHandle;
    }
    // A directory is not a file, and a file without write bits is read-only even
    // for a user (such as root) whom POSIX would let write.
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    if (!known)
        FailWithErrno();
    else if (S_ISDIR(st.st_mode))
        Fail(Cause::IsFolder);
    else if (!S_ISREG(st.st_mode))
        Fail(Cause::NotAFile);
    else if (write && HasNoWriteBits(st))
        Fail(Cause::ReadOnly);
    if (!known || !S_ISREG(st.st_mode) || (write && HasNoWriteBits(st))) {
        ::close(fd);
        *error = ErrorAccessDenied;
        return InvalidHandle;
    }
    ClearNonBlocking(fd);
    return fd;
}

Handle Create(const char* path, bool truncateExisting) {
    struct stat st {};
    if (::stat(path, &st) == 0 && !S_ISREG(st.st_mode)) {
        Fail(S_ISDIR(st.st_mode) ? Cause::IsFolder : Cause::NotAFile);
        return InvalidHandle;
    }
    if (::stat(path, &st) == 0 && HasNoWriteBits(st)) {
        Fail(Cause::ReadOnly);
        return InvalidHandle;
    }
    const int flags =
        O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | (truncateExisting ? O_TRUNC : O_EXCL);
    const int fd = ::open(path, flags, 0666);
    if (fd < 0) {
        FailWithErrno();
        return InvalidHandle;
    }
    ClearNonBlocking(fd);
    return fd;
}

bool ReadExact(Handle h, void* buffer, std::uint64_t n) {
    auto* out = static_cast<char*>(buffer);
    while (n > 0) {
        const ssize_t got = ::read(static_cast<int>(h), out, n > (1u << 30) ? (1u << 30) : n);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return FailWithErrno();
        if (got == 0)
            return Fail(Cause::Other); // the file is shorter than it was
        out += got;
        n -= static_cast<std::uint64_t>(got);
    }
    return true;
}

bool WriteAll(Handle h, const void* buffer, std::uint64_t n) {
    const auto* in = static_cast<const char*>(buffer);
    while (n > 0) {
        const ssize_t put = ::write(static_cast<int>(h), in, n > (1u << 30) ? (1u << 30) : n);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return FailWithErrno();
        if (put == 0)
            return Fail(Cause::NoSpace);
        in += put;
        n -= static_cast<std::uint64_t>(put);
    }
    return true;
}

bool Flush(Handle h) {
    return ::fsync(static_cast<int>(h)) == 0 || FailWithErrno();
}

bool QuerySize(Handle h, std::uint64_t* size) {
    struct stat st {};
    if (::fstat(static_cast<int>(h), &st) != 0)
        return FailWithErrno();
    *size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

void Close(Handle h) {
    if (h != InvalidHandle)
        ::close(static_cast<int>(h));
}

bool DeleteFile(const char* path) {
    return ::unlink(path) == 0 || FailWithErrno();
}
bool CreateDirectory(const char* path) {
    return ::mkdir(path, 0777) == 0 || FailWithErrno();
}
bool RemoveDirectory(const char* path) {
    return ::rmdir(path) == 0 || FailWithErrno();
}

bool ReplaceFile(const char* from, const char* to, bool durable) {
    struct stat target {};
    if (::stat(to, &target) == 0) {
        if (S_ISDIR(target.st_mode))
            return Fail(Cause::IsFolder);
        if (HasNoWriteBits(target))
            return Fail(Cause::ReadOnly);
        // The replacement keeps the permissions of the file it replaces.
        ::chmod(from, target.st_mode & 07777);
    }
    if (::rename(from, to) != 0)
        return FailWithErrno();
    if (!durable)
        return true;
    // Make the rename itself durable.
    const int dir = ::open(ParentOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool CreateHardLink(const char* existing, const char* link) {
    struct stat st {};
    if (::lstat(existing, &st) != 0)
        return FailWithErrno();
    if (!S_ISREG(st.st_mode) || st.st_nlink != 1)
        return Fail(Cause::Other);
    return ::link(existing, link) == 0 || FailWithErrno();
}

bool IsReadOnlyFile(const char* path) {
    struct stat st {};
    return ::stat(path, &st) == 0 && !S_ISDIR(st.st_mode) && HasNoWriteBits(st);
}

bool IsDirectory(const char* path) {
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool QueryStamp(const char* path, std::uint64_t* size, std::int64_t* modified) {
    struct stat st {};
    if (::stat(path, &st) != 0)
        return FailWithErrno();
    if (S_ISDIR(st.st_mode))
        return Fail(Cause::IsFolder);
    *size = static_cast<std::uint64_t>(st.st_size);
    *modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

std::vector<DirectoryEntry> ListDirectory(const char* directory, ListResult* result) {
    std::vector<DirectoryEntry> entries;
    std::string base = (directory && *directory) ? directory : ".";
    DIR* dir = ::opendir(base.c_str());
    if (!dir) {
        FailWithErrno();
        *result = errno == ENOENT ? ListResult::Missing : ListResult::Unreadable;
        return entries;
    }
    if (base.back() != '/')
        base += '/';
    *result = ListResult::Listed;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) {
            if (errno != 0) {
                FailWithErrno();
                *result = ListResult::Unreadable; // a listing that broke off is no listing
            }
            break;
        }
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        DirectoryEntry found;
        found.name = entry->d_name;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat st {};
            found.isDirectory =
                ::stat((base + found.name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        } else {
            found.isDirectory = entry->d_type == DT_DIR;
        }
        entries.push_back(std::move(found));
    }
    ::closedir(dir);
    return entries;
}

std::uint32_t ProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

bool IsProcessAlive(std::uint32_t pid) {
    if (pid == 0 || pid > static_cast<std::uint32_t>(INT32_MAX))
        return false;
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

Handle OpenLockFile(const char* path) {
    const int fd = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0) {
        FailWithErrno();
        return InvalidHandle;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        Fail(Cause::NotAFile);
        return InvalidHandle;
    }
    ClearNonBlocking(fd);
    return fd;
}

bool TryLock(Handle h, bool* busy) {
    // flock belongs to the open, not the process: a second open in the same process
    // is refused as well, and the lock is advisory, so the content stays readable.
    while (::flock(static_cast<int>(h), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        *busy = errno == EWOULDBLOCK;
        return FailWithErrno();
    }
    return true;
}

bool Truncate(Handle h) {
    const int fd = static_cast<int>(h);
    return (::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0) || FailWithErrno();
}

} // namespace TesselEngine::Platform::Raw
