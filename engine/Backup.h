// Earlier versions of the user's files, kept under Backup/ in the current directory
// before each replace: "Backup/<file name>/<file name>.<stamp>", the stamp in UTC as
// "yyyymmdd-hhmmss-mmm", so that a file's backups sort by name in the order they were
// made. A folder of its own for each file keeps the listing that every save needs short
// however many files have backups. No scan of the program looks inside Backup/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace TesselEngine::Backup {

constexpr std::size_t KeptPerFile = 10;
// What the kept backups of one file may take together: a large document keeps fewer.
constexpr std::uint64_t KeptBytesPerFile = 256ull * 1024 * 1024;
constexpr const char* Folder = "Backup/";

// What Keep made, for Drop to take back.
struct Kept {
    std::string path;           // empty: nothing to keep, or it could not be kept
    bool madeFolder = false;    // Backup/ was created for it
    std::string madeFileFolder; // the file's folder in it, when Keep made that too
    std::string missed;         // why a file that exists could not be kept; empty otherwise
};

// A save that went through without its backup.
struct Missed {
    std::string path;   // the file saved
    std::string reason; // why no backup was kept
};
// Records a save of path that kept no backup, for the front end to tell.
void NoteMissed(const std::string& path, const std::string& reason);
// The saves that kept no backup since the last call, oldest first; thread-safe, as
// jobs save on worker threads.
std::vector<Missed> TakeMissed();
// "No backup of "infocache" was kept: the folder "Backup/" could not be created."
std::string MissedMessage(const Missed& missed);

// The folder that holds the backups of the file at path: "Backup/<file name>/".
std::string FolderOf(const char* path);

// Keeps the present bytes of the file at path under a stamp later than that of every
// earlier backup of the file: a second name for the file where the system allows it
// (the replace gives the path a new file and leaves the old one to the backup), a copy
// otherwise. Nothing for a missing, read-only or directory path, which a save refuses
// or creates. Best effort: the file itself is never touched and no temporary file is
// left behind; a backup that could not be made says why in Kept::missed.
Kept Keep(const char* path);
// Takes back what Keep made, for a replace that failed.
void Drop(const Kept& kept);
// Keeps the newest backups of the file at path, at most KeptPerFile of them and only as
// many as fit in budget bytes together, but always the newest; removes the others. A
// backup that is a second name for bytes still in use counts with its whole size.
void Rotate(const char* path, std::uint64_t budget);
// The backups of the file at path, oldest first.
std::vector<std::string> List(const char* path);

} // namespace TesselEngine::Backup
