// Whole-file input and output for streams, directory creation and pattern scans. A
// failed open, read or save leaves its reason in LastFailure (engine/Failure.h).
#pragma once

#include "engine/FixedText.h"
#include "engine/Stream.h"
#include "engine/platform/Platform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace TesselEngine::WinAPI {

// One match of a directory scan.
struct FindData {
    char cFileName[260] = {};
    std::uint64_t size = 0;
    bool isDirectory = false;
};

class Directory;

class File {
public:
    explicit File(const Char256& path);
    File(const Directory& directory, const Char48& name);
    File(const Char256& directoryPath, const FindData& match);
    File(const Char256& directoryPath, const char* fileName);
    // Does not close: every user closes what it opened.
    ~File() = default;

    // False only when the file is missing from an existing directory.
    bool Exists() const;
    bool Open();     // existing file, reading and writing
    bool OpenRead(); // existing file, reading only
    bool Create();   // creates or truncates, reading and writing
    bool OpenOrCreate();
    void Close();
    bool IsOpen() const { return handle != Platform::InvalidHandle; }
    bool Delete();

    // Size of the open file; all ones when it is exactly 0xFFFFFFFF.
    std::uint64_t GetSize();
    bool ReadAll(char* buffer);
    bool Write(const char* buffer, std::uint32_t n);
    // Loads the whole open file into the stream (position 0). False for a file of
    // 4 GiB or more, which is refused rather than read short, and for a failed read.
    bool ReadStream(IO::Stream& stream);
    // Opens the file, loads it whole into the stream as ReadStream does, and closes it.
    bool LoadWhole(IO::Stream& stream);
    bool WriteStream(const IO::Stream& stream);
    // Appends the whole open file to the stream at its position, read straight into
    // its buffer. False (and nothing appended) when it does not fit or the read fails.
    bool AppendTo(IO::Stream& stream);

    // Replaces the file's content with the stream's bytes through a temporary file
    // in the same directory and one rename: on any failure the old file stays as it
    // was and no temporary file is left. The file need not be open. A durable save
    // flushes the bytes to the disk before the rename; writers of many new files (the
    // split) leave that to the system.
    bool SaveAtomically(const IO::Stream& stream, bool durable = true) const;
    static bool SaveAtomically(const char* path, const char* bytes, std::uint64_t n,
                               bool durable = true);

    // SaveAtomically with the replaced bytes kept under Backup/ (engine/Backup.h): a
    // backup that cannot be made does not stop the save, and a save that fails leaves
    // no backup behind.
    bool SaveWithBackup(const IO::Stream& stream) const;
    static bool SaveWithBackup(const char* path, const char* bytes, std::uint64_t n);
    // The whole file at path, opened, read straight into bytes and closed: the one
    // whole-file read for readers that want text rather than a stream. False, with the
    // reason in LastFailure and bytes untouched, when it cannot be read (4 GiB or more
    // is refused, never read short).
    static bool ReadAll(const char* path, std::string& bytes);

    // The path behind its first "/" and before its first ".", cut to 48 characters.
    Char48 GetBaseName() const;
    const Char256& GetPath() const { return path; }

private:
    Char256 path;
    Platform::Handle handle = Platform::InvalidHandle;
    std::uint64_t size = 0;
};

class Directory {
public:
    class Iterator {
    public:
        explicit Iterator(const Char256& directoryPath);
        // Starts a scan over the folder's listing (ListFolder, engine/FolderListing.h):
        // directories that match come back like files, in the listing's order.
        void First(const Char32& pattern);
        bool Next();
        bool IsValid() const { return index < matches.size(); }
        // Whether the last First could list the folder: a folder that is missing or
        // cannot be read yields no match either, and must not pass for an empty one.
        Platform::ListResult GetListResult() const { return listResult; }
        void Reset();
        const Char256& GetDirectory() const { return directoryPath; }
        // The current match; its size is looked up when first asked for.
        const FindData& GetFindData() const;
        // The current match's name, without looking up its size.
        const char* GetFileName() const { return findData.cFileName; }

    private:
        void Load();

        mutable FindData findData;
        mutable bool sizeKnown = false;
        Char256 searchPath;
        Char256 directoryPath;
        std::vector<Platform::DirectoryEntry> matches;
        std::size_t index = 0;
        Platform::ListResult listResult = Platform::ListResult::Listed;
    };

    explicit Directory(const Char32& path) { this->path = path; }
    explicit Directory(const Char256& path) : path(path) {}

    bool Create() const; // false also when it exists
    bool Remove() const;
    Iterator GetIterator(const Char32& pattern) const;
    const Char256& GetPath() const { return path; }

private:
    Char256 path;
};

// Case-insensitive wildcard match of a file name ("*" any run, "?" one byte).
bool MatchesPattern(const char* name, const char* pattern);

// Forgets which folders the saves of this process cleared of the temporary files that
// ended processes left: after a change of workspace the same relative names are other
// folders, each cleared again by its first save.
void ForgetClearedFolders();

} // namespace TesselEngine::WinAPI
