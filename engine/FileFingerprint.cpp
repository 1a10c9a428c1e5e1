#include "engine/FileFingerprint.h"
#include "engine/Failure.h"
#include "engine/File.h"

#include <filesystem>
#include <system_error>

namespace TesselEngine {

namespace {
std::uint64_t HashBytes(std::string_view bytes) {
    std::uint64_t hash = 1469598103934665603ull; // FNV-1a
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::int64_t ModifiedTime(const std::string& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(std::filesystem::path(path), error);
    return error ? 0 : static_cast<std::int64_t>(time.time_since_epoch().count());
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error) || error;
}
} // namespace

FileFingerprint FingerprintOf(const std::string& path, std::string_view bytesRead) {
    FileFingerprint print;
    print.taken = true;
    print.size = bytesRead.size();
    print.modified = ModifiedTime(path);
    print.hash = HashBytes(bytesRead);
    return print;
}

FileFingerprint FingerprintFile(const std::string& path) {
    // Only a look: the reason a file cannot be read is not the caller's failure.
    const Failure before = LastFailure();
    std::string bytes;
    const bool read = WinAPI::File::ReadAll(path.c_str(), bytes);
    SetFailure(before);
    return read ? FingerprintOf(path, bytes) : FileFingerprint{};
}

DiskChange CheckOnDisk(const FileFingerprint& read, const std::string& path, FileFingerprint* now) {
    const FileFingerprint current = FingerprintFile(path);
    if (now)
        *now = current;
    if (!current.taken)
        return Exists(path) ? DiskChange::Changed : DiskChange::Deleted;
    return current.SameBytes(read) ? DiskChange::Unchanged : DiskChange::Changed;
}

} // namespace TesselEngine
