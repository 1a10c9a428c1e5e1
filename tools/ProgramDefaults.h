// The programs the editor starts where the user has set nothing: the one place where
// they differ between Windows and Linux. On Windows they are the system's own (Notepad,
// the browser the help pages were written for); on Linux the desktop's opener and the
// user's own text editor.
#pragma once

#include <string>
#include <vector>

namespace VaskEdit::ProgramDefaults {

// The help program as long as "Settings.ini" names none.
#ifdef _WIN32
inline constexpr const char* HelpProgram = "firefox.exe";
#else
inline constexpr const char* HelpProgram = "xdg-open";
#endif

struct ProgramStart {
    std::string program;
    std::vector<std::string> arguments;
    bool operator==(const ProgramStart&) const = default;
};

// The ways to show a text file to edit, the preferred first; the next is for when one
// cannot be started. Windows: "notepad.exe", then the file's own program. Linux: the
// program in $VISUAL, then the one in $EDITOR (each only when it can be found; words
// after the first are its arguments), run in a terminal by "x-terminal-emulator -e"
// when there is one; then "xdg-open".
std::vector<ProgramStart> TextEditorStarts(const std::string& path);

} // namespace VaskEdit::ProgramDefaults
