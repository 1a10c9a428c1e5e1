// The programs that this user confirmed the editor may start although a workspace's
// "Settings.ini" named them: a shared mod folder must not run its own scripts on the
// user's machine unasked. A confirmation holds for one file as it was confirmed (its
// full path, size and last-write time), so a replaced program asks again. The list lies
// in the user's own settings folder, never in a workspace.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace VaskEdit::TrustedPrograms {

struct Program {
    std::string path; // absolute, as it is started
    std::uint64_t size = 0;
    std::int64_t modified = 0;

    bool operator==(const Program&) const = default;
};

// "trusted-programs" in the user's settings folder; empty where there is none.
std::string StoreFile();

// The file that starting program would run, found as the start finds it, with its
// stamp; nothing when there is no such program.
std::optional<Program> Identify(const std::string& program);

// True when the user confirmed this very file (path, size and time alike).
bool IsConfirmed(const Program& program);

// Remembers the user's confirmation. False, with the reason in LastFailure, when it
// could not be stored (then nothing is confirmed).
bool Confirm(const Program& program);

} // namespace VaskEdit::TrustedPrograms
