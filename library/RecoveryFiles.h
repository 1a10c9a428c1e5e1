// Copies of the unsaved work of info editor windows, kept outside the workspace so that
// a program that is killed loses nothing that was typed. Each workspace has a folder of
// its own under the user's state folder, "VaskEdit/recovery/<key>"; each editor window
// writes one file there, atomically, and removes it once its work is saved or discarded.
// The next start lists the files of its workspace and can read each back exactly.
#pragma once

#include "engine/FileFingerprint.h"

#include "info/WorkingCopy.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace VaskEdit {

inline constexpr const char* RecoveryExtension = ".vaskrecovery";

// The unsaved state of one editor window.
struct RecoveryRecord {
    InfoRef copy;           // the working copy, display texts not yet written included
    std::string mode;       // the window's mode: "New", "Copy" or "Edit"
    std::string loadedName; // the name the info was read under; empty for a new info
    std::string sourcePath; // the file the info was opened from; empty for none
    // What that file held when the window read it: a save of the restored work still
    // sees a change made to it since. Not taken when unknown.
    TesselEngine::FileFingerprint sourceRead;
    std::int64_t savedAt = 0;  // seconds since 1970, UTC
    std::uint32_t process = 0; // the program that wrote it

    bool operator==(const RecoveryRecord&) const = default;
};

// The file's bytes, and back; none for bytes that are not a whole recovery file.
std::string RecoveryBytes(const RecoveryRecord& record);
std::optional<RecoveryRecord> ParseRecovery(const std::string& bytes);

// The absolute path of the current directory, the workspace.
std::string CurrentWorkspacePath();
// A readable part of the workspace's folder name and a hash of its whole absolute path:
// two workspaces never share a folder, and the user can still tell which one is which.
std::string WorkspaceKey(const std::string& workspacePath);
// The workspace's recovery folder; empty where the system names no state folder.
std::string RecoveryFolder(const std::string& workspacePath);
// A file name in the folder that no other window of any running program uses.
std::string NewRecoveryFilePath(const std::string& folder);

// Writes the record to path atomically, making its folders first. False with
// LastFailure set when it cannot.
bool WriteRecoveryFile(const std::string& path, const RecoveryRecord& record);
std::optional<RecoveryRecord> ReadRecoveryFile(const std::string& path);
// A missing file counts as removed.
bool RemoveRecoveryFile(const std::string& path);

struct RecoveryEntry {
    std::string path;
    bool readable = false;
    std::string problem;  // why an unreadable file could not be used
    std::string infoName; // the working copy's name; may be empty for a new info
    std::int64_t savedAt = 0;
    bool ownerRunning = false; // its program still runs (it may be this one)
    std::string changes;       // what differs from the file on disk, for the user
};

// The recovery files of the folder, oldest first; unreadable ones are listed with
// their path and why, and are never removed here.
std::vector<RecoveryEntry> ListRecoveryFiles(const std::string& folder);

// What the record changes against the info's file as it is on disk now: "new info",
// "file on disk deleted", "no changes", or the members and entries that differ.
std::string DescribeRecoveryChanges(const RecoveryRecord& record);

} // namespace VaskEdit
