// The thin layer between the program and the operating system: its file API, the
// outside programs it starts and its standard streams. One implementation uses POSIX,
// the other the Win32 8-bit calls; both give the same results, including the Windows
// rules that the program relies on:
//  - opening a missing file in an existing directory is "not found" (2); a path
//    whose directory is missing is a different error;
//  - a file without any write permission is read-only and cannot be opened for
//    writing or replaced;
//  - directory listings match names without regard to case.
// A call that fails leaves why in LastError, with the same cause on every system.
// Tests can make writes, flushes, renames, reads and hard links fail through
// FaultInjection, with the cause they choose.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace TesselEngine::Platform {

using Handle = std::intptr_t;
constexpr Handle InvalidHandle = -1;

// The error code for a missing file in an existing directory, as Windows reports it.
constexpr int ErrorFileNotFound = 2;

enum class Access { Read, ReadWrite };

// Why something failed. The system's errors map to the first group; the program's own
// layers above give the others.
enum class Cause {
    None,
    NotFound,     // the file (or its folder) does not exist
    ReadOnly,     // the file, or the disk, may not be written
    AccessDenied, // the system refuses access
    IsFolder,     // a folder stands where a file is wanted
    InUse,        // another program holds the file
    NoSpace,      // the disk is full
    TooLarge,     // 4 GiB or more, more than a stream holds
    Other,        // any other system error: see Error::code
    OutOfMemory,
    UnreadableFolder,   // a folder that could not be listed
    BadContent,         // the file was read but does not hold what it should
    InvalidName,        // a name that cannot be a file's name
    Incomplete,         // some of the files that the result needs could not be read
    TooLong,            // a program's path does not fit its setting (Error::code: how much does)
    Unconfirmed,        // a program the user has not confirmed to run
    ReadOnlyFileSystem, // the whole disk or mount may not be written
    NotAFile,           // a named pipe, device or socket where a file is wanted
    OutsideWorkspace,   // a link in the workspace leads to a place outside it
    ChangedOnDisk,      // someone else changed the file since it was read: not overwritten
};

struct Error {
    Cause cause = Cause::None;
    int code = 0; // the system's own number (errno, GetLastError), 0 where there is none
};

// Why this thread's last failed call of this layer failed. Only meaningful right after
// a failure: later calls, also those that succeed, may change it.
Error LastError();

// Opens an existing file. On failure returns InvalidHandle and sets *error
// (ErrorFileNotFound for a missing file in an existing directory, another value otherwise).
Handle OpenExisting(const char* path, Access access, int* error);
// Creates the file or truncates an existing one, for reading and writing.
Handle CreateTruncate(const char* path);
// Creates a new file that must not exist yet.
Handle CreateNew(const char* path);
bool ReadExact(Handle h, void* buffer, std::uint64_t n);
bool WriteAll(Handle h, const void* buffer, std::uint64_t n);
bool Flush(Handle h);
bool QuerySize(Handle h, std::uint64_t* size);
void Close(Handle h);

bool DeleteFile(const char* path);
bool CreateDirectory(const char* path);
bool RemoveDirectory(const char* path);
// Moves from over to in one step; to is replaced when it exists.
bool ReplaceFile(const char* from, const char* to, bool durable = true);
// Gives the plain file existing a second name, link, which must not exist yet. False,
// with nothing made, also where the file system has no hard links and for a file that
// has other names already or is a symbolic link: its bytes could change under the new
// name later.
bool CreateHardLink(const char* existing, const char* link);
// True when path names an existing file that nobody may write.
bool IsReadOnlyFile(const char* path);
bool IsDirectory(const char* path);
// Size and last-write time of a file, to notice that it changed; false when missing.
bool QueryStamp(const char* path, std::uint64_t* size, std::int64_t* modified);

struct DirectoryEntry {
    std::string name;
    std::uint64_t size = 0;
    bool hasSize = false; // some systems give sizes with the listing, others do not
    bool isDirectory = false;
};
// How a listing went. A folder that does not exist is not the same as one that exists
// but cannot be read (no permission, a plain file of that name): the latter must not
// pass for an empty folder.
enum class ListResult { Listed, Missing, Unreadable };
// Every entry of the directory except "." and "..", in no particular order; result,
// when given, tells whether the list is the folder's whole content.
std::vector<DirectoryEntry> ListDirectory(const char* directory, ListResult* result = nullptr);

// A number that differs between running processes, for temporary file names.
std::uint32_t ProcessId();
// False once the process with that id has ended (a later process may get its id).
bool IsProcessAlive(std::uint32_t pid);
// This computer's name; empty where the system does not tell.
std::string HostName();

// Zero-filled memory for a buffer of many megabytes, in pages as large as the system
// gives (a whole game document faults in a few dozen pages rather than thousands);
// null when memory is short. *reserved is what FreeLarge must be given back.
void* AllocateLarge(std::size_t n, std::size_t* reserved);
void FreeLarge(void* memory, std::size_t reserved);

// Opens the file at path for reading and writing, creating it when missing, never
// through a link, and so that other processes may open it too.
Handle OpenLockFile(const char* path);
// Takes the exclusive lock of the open file without waiting; false, with *busy true,
// when another open of the file holds it. The lock ends with Close or with the
// holder's process, so that a holder that died blocks nobody. The lock does not keep
// others from reading the file's content.
bool TryLock(Handle h, bool* busy);
// Empties an open file and writes from its start again.
bool Truncate(Handle h);

// True for a path relative to the current directory (the workspace) that stays inside
// it by its names but whose real place, links followed, is outside it. Paths that name
// a place outside on their own (absolute, or starting with "..") are the caller's
// choice and never count. With followLast false only the folders are followed: the
// last name itself is replaced or removed, not written through.
bool LeadsOutsideWorkspace(const char* path, bool followLast = true);

// Starts program with the arguments, each arriving as one, detached, without waiting.
// A bare name is looked up on the search path; a bare Windows name ("notepad.exe") is
// also found without its suffix where programs have none. hidden starts it without a
// window where the system gives programs one. True when the program was started.
bool StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                  bool hidden);

// The file that StartProgram would start for program, as it finds it; empty when there
// is none.
std::string FindProgramFile(const std::string& program);

// The folder that holds this user's own settings of the program, outside every
// workspace: $XDG_CONFIG_HOME/vaskedit or ~/.config/vaskedit, %APPDATA%\VaskEdit on
// Windows. Empty where the system names no such place.
std::string UserSettingsFolder();

// The folder for what the program keeps about this user's work between runs (copies
// of unsaved changes), outside every workspace: $XDG_STATE_HOME/VaskEdit or
// ~/.local/state/VaskEdit, %LOCALAPPDATA%\VaskEdit on Windows. Empty where the system
// names no such place.
std::string UserStateFolder();

struct ProgramCall {
    std::string program;
    std::string argument;
};
// The start that opens path with the desktop's default program for it: ("xdg-open",
// path) on Linux, the file itself (path, "") on Windows.
ProgramCall DesktopOpenCall(const std::string& path);

// The running program's own file, as an absolute path; empty where the system does not
// tell. Unlike argv[0], it holds also for a program found on the search path.
std::string ExecutablePath();

// True when stream is connected to a terminal rather than a file or a pipe.
bool IsTerminal(std::FILE* stream);

// The program's arguments in UTF-8. Windows hands main its arguments in the system's
// code page, which holds few characters: there they are taken from the wide command line.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Makes standard output and standard error pass bytes unchanged: rows end with LF and
// no byte is translated, on every system.
void UseBinaryStandardStreams();

// Failures that tests switch on to prove that no user file is lost.
struct FaultInjection {
    // Writes fail after this many more bytes have been written (-1: never).
    static std::atomic<std::int64_t> writeBudget;
    // The next n flushes fail.
    static std::atomic<int> failFlushes;
    // The next n replace operations fail, once the replaces to let through first have
    // passed (a failure half way through a series of saves).
    static std::atomic<int> failReplaces;
    static std::atomic<int> replacesBeforeFailing;
    // The next n reads fail.
    static std::atomic<int> failReads;
    // The next n hard links fail, as on a file system without them.
    static std::atomic<int> failLinks;
    // What an injected failure gives as LastError; Cause::None: the one each kind usually
    // has (a full disk for writes and flushes, access denied for renames, a system error
    // for reads and links).
    static std::atomic<Cause> cause;
    static std::atomic<int> code; // with Cause::Other
    // A kill: once this many more calls that change the disk (create, write, flush,
    // rename, delete, link, folder) have passed, every further one fails and changes
    // nothing, so the disk stays as the process left it there (-1: never).
    static std::atomic<std::int64_t> changesBeforeKill;
    static void Clear() {
        writeBudget = -1;
        failFlushes = 0;
        failReplaces = 0;
        replacesBeforeFailing = 0;
        failReads = 0;
        failLinks = 0;
        cause = Cause::None;
        code = 0;
        changesBeforeKill = -1;
    }
};

} // namespace TesselEngine::Platform
