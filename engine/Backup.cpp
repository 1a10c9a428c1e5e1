#include "engine/Backup.h"
#include "engine/File.h"
#include "engine/Stream.h"
#include "engine/platform/Platform.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string_view>
#include <utility>

namespace TesselEngine::Backup {

namespace {
using namespace std::chrono;

constexpr std::size_t StampLength = 19; // yyyymmdd-hhmmss-mmm
constexpr std::int64_t MillisecondsPerDay = 86400000;
// The last moment a four-digit year can name; later stamps would no longer sort.
constexpr std::int64_t Latest =
    sys_days{year{10000} / January / 1}.time_since_epoch().count() * MillisecondsPerDay - 1;

std::int64_t Now() {
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Milliseconds since 1970 as a stamp, for 0 to Latest.
std::string Format(std::int64_t at) {
    const year_month_day date{sys_days{days{at / MillisecondsPerDay}}};
    const std::int64_t inDay = at % MillisecondsPerDay;
    char text[48];
    std::snprintf(text, sizeof text, "%04d%02u%02u-%02d%02d%02d-%03d", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(inDay / 3600000),
                  int(inDay / 60000 % 60), int(inDay / 1000 % 60), int(inDay % 1000));
    return text;
}

// The moment a stamp names; nothing for text that is not a stamp Format could have made,
// so that the names of all backups of a file sort as their moments do.
std::optional<std::int64_t> Parse(std::string_view text) {
    if (text.size() != StampLength)
        return std::nullopt;
    for (std::size_t i = 0; i < StampLength; ++i) {
        const bool dash = i == 8 || i == 15;
        if (dash ? text[i] != '-' : (text[i] < '0' || text[i] > '9'))
            return std::nullopt;
    }
    auto number = [text](std::size_t at, std::size_t digits) {
        int value = 0;
        for (std::size_t i = at; i < at + digits; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    const year_month_day date{year{number(0, 4)}, month{unsigned(number(4, 2))},
                              day{unsigned(number(6, 2))}};
    const int hours = number(9, 2), minutes = number(11, 2), seconds = number(13, 2);
    if (!date.ok() || hours > 23 || minutes > 59 || seconds > 59)
        return std::nullopt;
    const std::int64_t at = sys_days{date}.time_since_epoch().count() * MillisecondsPerDay +
                            ((hours * 60 + minutes) * 60 + seconds) * 1000 + number(16, 3);
    if (at < 0)
        return std::nullopt;
    return at;
}

std::string FileName(const char* path) {
    const std::string_view whole(path);
    const std::size_t slash = whole.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? whole : whole.substr(slash + 1));
}

// Also true for a directory or a name that cannot be looked at: never written over.
bool Taken(const std::string& path) {
    int error = 0;
    Platform::Close(Platform::OpenExisting(path.c_str(), Platform::Access::Read, &error));
    return error != Platform::ErrorFileNotFound;
}

// Through a temporary file and a rename like every other write, so that a backup that
// exists is whole.
bool Copy(const char* from, const std::string& to) {
    int error = 0;
    const Platform::Handle h = Platform::OpenExisting(from, Platform::Access::Read, &error);
    if (h == Platform::InvalidHandle)
        return false;
    std::uint64_t size = 0;
    IO::Stream bytes;
    const bool read = Platform::QuerySize(h, &size) && size < 0xFFFFFFFFull &&
                      (size == 0 || (bytes.Allocate(static_cast<std::uint32_t>(size)) &&
                                     Platform::ReadExact(h, bytes.GetBuffer(), size)));
    Platform::Close(h);
    return read && WinAPI::File::SaveAtomically(to.c_str(), bytes.GetBuffer(), size);
}

std::mutex missedLock;
std::vector<Missed> missedSaves;

// Why Backup/ or the file's folder in it cannot take the backup.
std::string FolderProblem(const std::string& folder) {
    if (Platform::LeadsOutsideWorkspace(folder.c_str()))
        return "the folder \"" + folder + "\" leads outside the workspace";
    return "the folder \"" + folder + "\" could not be created";
}

// Makes the folder unless it is there; false when it is not a folder afterwards.
bool MakeFolder(const std::string& folder, bool* made) {
    if (!Platform::IsDirectory(folder.c_str()))
        *made = Platform::CreateDirectory(folder.c_str());
    return Platform::IsDirectory(folder.c_str());
}
} // namespace

std::string FolderOf(const char* path) {
    return Folder + FileName(path) + '/';
}

std::vector<std::string> List(const char* path) {
    const std::string folder = FolderOf(path);
    const std::string prefix = FileName(path) + '.';
    std::vector<std::string> backups;
    for (const Platform::DirectoryEntry& entry : Platform::ListDirectory(folder.c_str())) {
        const std::string& name = entry.name;
        if (!entry.isDirectory && name.size() == prefix.size() + StampLength &&
            name.compare(0, prefix.size(), prefix) == 0 &&
            Parse(std::string_view(name).substr(prefix.size())))
            backups.push_back(folder + name);
    }
    std::sort(backups.begin(), backups.end());
    return backups;
}

Kept Keep(const char* path) {
    Kept kept;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    if (!Platform::QueryStamp(path, &size, &modified) || Platform::IsReadOnlyFile(path))
        return kept;
    // Never into a place outside the workspace that a link leads to.
    if (Platform::LeadsOutsideWorkspace(Folder))
        return Kept{{}, false, {}, FolderProblem(Folder)};
    // A file named Backup, or no right to make the folders: no backup.
    const std::string fileFolder = FolderOf(path);
    bool madeFileFolder = false;
    const bool folders =
        MakeFolder(Folder, &kept.madeFolder) && MakeFolder(fileFolder, &madeFileFolder);
    if (madeFileFolder)
        kept.madeFileFolder = fileFolder;
    if (!folders) {
        Drop(kept);
        return Kept{
            {}, false, {}, FolderProblem(Platform::IsDirectory(Folder) ? fileFolder : Folder)};
    }
    // Later than every earlier backup even when the clock went back or several saves
    // fall into one millisecond.
    std::int64_t stamp = std::max<std::int64_t>(Now(), 0);
    const std::vector<std::string> earlier = List(path);
    if (!earlier.empty()) {
        const std::string_view newest = earlier.back();
        stamp = std::max(stamp, *Parse(newest.substr(newest.size() - StampLength)) + 1);
    }
    const std::string stem = fileFolder + FileName(path) + '.';
    for (int attempt = 0; attempt < 100 && stamp <= Latest; ++attempt, ++stamp) {
        const std::string backup = stem + Format(stamp);
        if (Taken(backup))
            continue;
        if (Platform::CreateHardLink(path, backup.c_str())) {
            kept.path = backup;
            break;
        }
        if (Taken(backup))
            continue; // another process made it first
        if (Copy(path, backup))
            kept.path = backup;
        break;
    }
    if (kept.path.empty()) {
        Drop(kept);
        return Kept{{}, false, {}, "it could not be written to \"" + fileFolder + "\""};
    }
    return kept;
}

void NoteMissed(const std::string& path, const std::string& reason) {
    std::lock_guard guard(missedLock);
    missedSaves.push_back({path, reason});
}

std::vector<Missed> TakeMissed() {
    std::lock_guard guard(missedLock);
    return std::exchange(missedSaves, {});
}

std::string MissedMessage(const Missed& missed) {
    return "No backup of \"" + missed.path + "\" was kept: " + missed.reason + ".";
}

void Drop(const Kept& kept) {
    if (!kept.path.empty())
        Platform::DeleteFile(kept.path.c_str());
    // Folders go only while empty.
    if (!kept.madeFileFolder.empty())
        Platform::RemoveDirectory(kept.madeFileFolder.c_str());
    if (kept.madeFolder)
        Platform::RemoveDirectory(Folder);
}

void Rotate(const char* path, std::uint64_t budget) {
    const std::vector<std::string> backups = List(path);
    std::size_t kept = 0;
    std::uint64_t used = 0;
    for (auto newer = backups.rbegin(); newer != backups.rend(); ++newer) {
        std::uint64_t size = 0;
        std::int64_t modified = 0;
        if (!Platform::QueryStamp(newer->c_str(), &size, &modified))
            size = 0; // gone already
        const bool fits = kept < KeptPerFile && used <= budget && size <= budget - used;
        if (kept == 0 || fits) {
            ++kept;
            used += size;
            continue;
        }
        // This one and every older one go.
        for (auto older = newer; older != backups.rend(); ++older)
            Platform::DeleteFile(older->c_str());
        break;
    }
}

} // namespace TesselEngine::Backup
