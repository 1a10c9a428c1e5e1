#include "library/Journal.h"
#include "engine/Backup.h"
#include "engine/File.h"

#include <algorithm>

namespace VaskEdit {

namespace {
using TesselEngine::Failure;
using TesselEngine::Operation;
using TesselEngine::WinAPI::File;
namespace Platform = TesselEngine::Platform;

constexpr std::string_view Header = "VaskEdit journal\r\n";
constexpr std::string_view End = "end\r\n";

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Missing (none, with no failure) or the file's bytes; none with LastFailure set when the
// file is there but cannot be read.
std::optional<std::string> ReadBytes(const std::string& path, bool* missing) {
    *missing = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    if (!Platform::QueryStamp(path.c_str(), &size, &modified) &&
        Platform::LastError().cause == Platform::Cause::NotFound) {
        *missing = true;
        return std::nullopt;
    }
    std::string bytes;
    if (!File::ReadAll(path.c_str(), bytes))
        return std::nullopt;
    return bytes;
}

// One line of the journal, without its line end; false at the end of the bytes.
bool TakeLine(const std::string& bytes, std::size_t& at, std::string& line) {
    const std::size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos)
        return false;
    line = bytes.substr(at, end - at);
    at = end + 2;
    return true;
}

bool Parses(const std::string& bytes, Journal& journal) {
    if (!bytes.starts_with(Header) || !bytes.ends_with(End))
        return false;
    std::size_t at = Header.size();
    std::string line;
    while (TakeLine(bytes, at, line)) {
        if (line == "end")
            return at == bytes.size();
        const std::size_t space = line.find(' ');
        if (space == std::string::npos)
            return false;
        const std::string word = line.substr(0, space);
        std::string rest = line.substr(space + 1);
        if (word == "operation") {
            journal.operation = rest;
        } else if (word == "folder") {
            journal.madeFolders.push_back(rest);
        } else if (word == "new") {
            journal.files.push_back({rest, std::nullopt});
        } else if (word == "old") {
            const std::size_t gap = rest.find(' ');
            if (gap == 0 || gap == std::string::npos ||
                rest.find_first_not_of("0123456789") != gap || gap > 12)
                return false;
            const std::size_t size = std::stoull(rest.substr(0, gap));
            if (size > bytes.size() - at || bytes.compare(at + size, 2, "\r\n") != 0)
                return false;
            journal.files.push_back({rest.substr(gap + 1), bytes.substr(at, size)});
            at += size + 2;
        } else {
            return false;
        }
    }
    return false;
}

FileRollback PutBack(const JournalFile& file) {
    FileRollback result{file.path, FileState::AsItWas, {}};
    bool missing = false;
    if (!file.before) {
        ReadBytes(file.path, &missing);
        if (missing)
            return result;
        if (Platform::DeleteFile(file.path.c_str())) {
            ReadBytes(file.path, &missing);
            if (missing) {
                result.state = FileState::Removed;
                return result;
            }
        }
        result.state = FileState::StillThere;
        TesselEngine::SetFailure(Operation::Save, file.path);
        result.failure = TesselEngine::LastFailure();
        return result;
    }
    if (ReadBytes(file.path, &missing) == file.before)
        return result;
    result.state = FileState::NotRestored;
    if (!File::SaveAtomically(file.path.c_str(), file.before->data(), file.before->size())) {
        result.failure = TesselEngine::LastFailure();
        return result;
    }
    // Written is not yet restored: only the bytes read back count.
    if (ReadBytes(file.path, &missing) == file.before)
        result.state = FileState::Restored;
    else
        result.failure =
            TesselEngine::LastFailure().IsSet()
                ? TesselEngine::LastFailure()
                : Failure{Operation::Read, file.path, Platform::Cause::BadContent, 0, {}};
    return result;
}

std::string Plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}
} // namespace

std::string JournalBytes(const Journal& journal) {
    std::string bytes(Header);
    bytes += "operation " + journal.operation + "\r\n";
    for (const std::string& folder : journal.madeFolders)
        bytes += "folder " + folder + "\r\n";
    for (const JournalFile& file : journal.files) {
        if (!file.before) {
            bytes += "new " + file.path + "\r\n";
            continue;
        }
        bytes += "old " + std::to_string(file.before->size()) + " " + file.path + "\r\n";
        bytes += *file.before + "\r\n";
    }
    return bytes += End;
}

std::optional<Journal> ParseJournal(const std::string& bytes) {
    Journal journal;
    if (!Parses(bytes, journal) || journal.operation.empty())
        return std::nullopt;
    return journal;
}

bool JournalExists() {
    bool missing = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    missing = !Platform::QueryStamp(JournalPath, &size, &modified) &&
              Platform::LastError().cause == Platform::Cause::NotFound;
    return !missing;
}

bool WriteJournal(const Journal& journal) {
    if (JournalExists()) {
        TesselEngine::SetFailure(Operation::Save, JournalPath, Platform::Cause::InUse);
        return false;
    }
    for (const JournalFile& file : journal.files) {
        if (file.path.find_first_of("\r\n") != std::string::npos) {
            TesselEngine::SetFailure(Operation::Save, file.path, Platform::Cause::InvalidName);
            return false;
        }
    }
    const std::string folder(TesselEngine::Backup::Folder);
    if (!Platform::IsDirectory(folder.c_str()) && !Platform::CreateDirectory(folder.c_str())) {
        TesselEngine::SetFailure(Operation::Save, folder);
        return false;
    }
    const std::string bytes = JournalBytes(journal);
    return File::SaveAtomically(JournalPath, bytes.data(), bytes.size());
}

bool RemoveJournal() {
    if (Platform::DeleteFile(JournalPath) || !JournalExists())
        return true;
    TesselEngine::SetFailure(Operation::Save, JournalPath);
    return false;
}

bool Rollback::AllAsItWas() const {
    return unreadable.empty() &&
           std::all_of(files.begin(), files.end(), [](const FileRollback& file) {
               return file.state == FileState::AsItWas || file.state == FileState::Restored ||
                      file.state == FileState::Removed;
           });
}

std::size_t Rollback::Count(FileState state) const {
    return static_cast<std::size_t>(
        std::count_if(files.begin(), files.end(),
                      [state](const FileRollback& file) { return file.state == state; }));
}

Rollback RollBack(const Journal& journal, bool removeJournal) {
    const Failure failure = TesselEngine::LastFailure();
    Rollback rollback;
    rollback.operation = journal.operation;
    // Created files go first: removing them frees the room that the restores need.
    for (const JournalFile& file : journal.files) {
        if (!file.before)
            rollback.files.push_back(PutBack(file));
    }
    for (const JournalFile& file : journal.files) {
        if (file.before)
            rollback.files.push_back(PutBack(file));
    }
    // A made folder goes again when it is empty; one that holds other files stays.
    for (auto folder = journal.madeFolders.rbegin(); folder != journal.madeFolders.rend();
         ++folder) {
        if (Platform::IsDirectory(folder->c_str()))
            Platform::RemoveDirectory(folder->c_str());
    }
    if (removeJournal)
        rollback.journalKept = !rollback.AllAsItWas() || !RemoveJournal();
    TesselEngine::SetFailure(failure);
    return rollback;
}

std::optional<Rollback> RecoverUnfinished() {
    if (!JournalExists())
        return std::nullopt;
    bool missing = false;
    const std::optional<std::string> bytes = ReadBytes(JournalPath, &missing);
    if (missing)
        return std::nullopt; // finished in the meantime
    std::optional<Journal> journal;
    if (bytes)
        journal = ParseJournal(*bytes);
    if (!journal) {
        Rollback rollback;
        rollback.journalKept = true;
        rollback.unreadable = bytes ? Quoted(JournalPath) + " is not a whole journal"
                                    : TesselEngine::FailureMessage(TesselEngine::LastFailure());
        return rollback;
    }
    return RollBack(*journal);
}

std::vector<std::string> RollbackLines(const Rollback& rollback) {
    std::vector<std::string> lines;
    if (!rollback.unreadable.empty()) {
        lines.push_back("The journal of an unfinished command cannot be used: " +
                        rollback.unreadable + ". No file was changed.");
        return lines;
    }
    for (const FileRollback& file : rollback.files) {
        switch (file.state) {
        case FileState::AsItWas:
            break;
        case FileState::Restored:
            lines.push_back("Restored " + Quoted(file.path) + ".");
            break;
        case FileState::Removed:
            lines.push_back("Removed " + Quoted(file.path) + ", which the " + rollback.operation +
                            " had created.");
            break;
        case FileState::NotRestored:
            lines.push_back("Not restored: " + Quoted(file.path) + " still holds what the " +
                            rollback.operation + " wrote. " +
                            TesselEngine::FailureMessage(file.failure));
            break;
        case FileState::StillThere:
            lines.push_back("Not removed: " + Quoted(file.path) + ", which the " +
                            rollback.operation + " created. " +
                            TesselEngine::FailureMessage(file.failure));
            break;
        }
    }
    if (const std::size_t same = rollback.Count(FileState::AsItWas); same && !lines.empty())
        lines.push_back(same == 1 ? "1 other file is as it was."
                                  : std::to_string(same) + " other files are as they were.");
    return lines;
}

std::string RecoveredSummary(const Rollback& rollback) {
    const std::size_t restored = rollback.Count(FileState::Restored);
    const std::size_t removed = rollback.Count(FileState::Removed);
    std::string summary = "Recovered an unfinished " + rollback.operation + ": ";
    if (!restored && !removed)
        return summary + "every file was as it was.";
    summary += Plural(restored, "file", "files") + " restored";
    if (removed)
        summary += ", " + std::to_string(removed) + " removed";
    return summary + ".";
}

std::string JournalKeptNote(const Rollback& rollback) {
    const std::string what =
        rollback.operation.empty() ? "an unfinished command" : "the " + rollback.operation;
    return "The journal " + Quoted(JournalPath) + " of " + what +
           " is kept: \"vaskedit-cli recover\", any later command or the editor's start puts "
           "the files back once they can be written.";
}

} // namespace VaskEdit
