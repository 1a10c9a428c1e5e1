// What a file held when the program read it: its size, modification time and a hash of
// the very bytes read. Checked again before the program writes the file, so that a change
// made by another program (or another window) meanwhile is not overwritten unnoticed.
// The bytes decide: a file touched but holding the same bytes counts as unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace TesselEngine {

struct FileFingerprint {
    bool taken = false; // false: no file was read (a new info)
    std::uint64_t size = 0;
    std::int64_t modified = 0; // the file system's clock; 0 when it could not be told
    std::uint64_t hash = 0;

    bool operator==(const FileFingerprint&) const = default;
    // The same bytes; the modification time does not count.
    bool SameBytes(const FileFingerprint& other) const {
        return taken == other.taken && size == other.size && hash == other.hash;
    }
};

// The fingerprint of bytes just read from the file at path.
FileFingerprint FingerprintOf(const std::string& path, std::string_view bytesRead);
// Reads the file at path; not taken when it is missing or cannot be read.
FileFingerprint FingerprintFile(const std::string& path);

enum class DiskChange { Unchanged, Changed, Deleted };

// How the file at path stands against what was read from it. A file that exists but can
// no longer be read counts as changed. now, when given, receives the file's fingerprint
// as it is (not taken when it is gone).
DiskChange CheckOnDisk(const FileFingerprint& read, const std::string& path,
                       FileFingerprint* now = nullptr);

} // namespace TesselEngine
