// The journal of a command that changes several files (a rename, a text import). Before
// it changes anything the command writes, in one atomic and durable step, what it will
// write and each file's bytes from before (or that the file did not exist); when every
// change is made it removes the journal. A journal found later belongs to a command that
// was killed or could not put its files back: rolling it back gives each file its old
// bytes again, verified by reading them back, and only then is the journal removed.
#pragma once

#include "engine/Failure.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace VaskEdit {

inline constexpr const char* JournalPath = "Backup/.journal";

struct JournalFile {
    std::string path;
    std::optional<std::string> before; // none: the command creates the file
};

struct Journal {
    std::string operation;                // "rename", "text import"
    std::vector<std::string> madeFolders; // folders the command creates
    std::vector<JournalFile> files;
};

// The journal's bytes, and back; none for bytes that are not a whole journal.
std::string JournalBytes(const Journal& journal);
std::optional<Journal> ParseJournal(const std::string& bytes);

bool JournalExists();
// Writes the journal, making "Backup/" when needed. Refuses (false, LastFailure) while an
// unfinished journal is there: its backups must not be replaced.
bool WriteJournal(const Journal& journal);
// Removes the journal once every change is made; a missing one is fine.
bool RemoveJournal();

enum class FileState {
    AsItWas,     // found with its old bytes, or still missing
    Restored,    // written back with its old bytes
    Removed,     // created by the command, removed again
    NotRestored, // still holds other bytes than before
    StillThere,  // created by the command and could not be removed
};

struct FileRollback {
    std::string path;
    FileState state = FileState::AsItWas;
    TesselEngine::Failure failure; // why, for NotRestored and StillThere
};

struct Rollback {
    std::string operation;
    std::vector<FileRollback> files;
    std::string unreadable; // why a journal found could not be used; nothing was touched
    bool journalKept = false;

    // Every file verified to be as it was before the command.
    bool AllAsItWas() const;
    std::size_t Count(FileState state) const;
};

// Puts every file of the journal back and verifies it; removes the journal file when all
// are as they were and removeJournal is set (the journal was written).
Rollback RollBack(const Journal& journal, bool removeJournal = true);

// Rolls back an unfinished journal; none when there is no journal.
std::optional<Rollback> RecoverUnfinished();

// One line a file that the rollback changed or could not change, for the user.
std::vector<std::string> RollbackLines(const Rollback& rollback);
// "Recovered an unfinished rename: 3 files restored, 1 removed." for a rollback that
// put everything back.
std::string RecoveredSummary(const Rollback& rollback);
// Says that the journal stays and how to finish the recovery later.
std::string JournalKeptNote(const Rollback& rollback);

} // namespace VaskEdit
