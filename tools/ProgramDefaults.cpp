#include "tools/ProgramDefaults.h"

#include "engine/platform/Platform.h"

#include <cstdlib>
#include <optional>
#include <sstream>

namespace VaskEdit::ProgramDefaults {

namespace {

#ifndef _WIN32
// The words of an editor variable such as "code --wait"; no shell is involved, so the
// file's name never reaches one.
std::vector<std::string> Words(const char* variable) {
    std::vector<std::string> words;
    std::istringstream in(variable ? variable : "");
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// The editor a variable names, started on path, in a terminal when there is one.
std::optional<ProgramStart> EditorFrom(const char* variable, const std::string& path) {
    std::vector<std::string> words = Words(std::getenv(variable));
    if (words.empty() || TesselEngine::Platform::FindProgramFile(words[0]).empty())
        return std::nullopt;
    if (!path.empty())
        words.push_back(path);
    constexpr const char* Terminal = "x-terminal-emulator";
    if (TesselEngine::Platform::FindProgramFile(Terminal).empty())
        return ProgramStart{words[0], {words.begin() + 1, words.end()}};
    words.insert(words.begin(), "-e");
    return ProgramStart{Terminal, std::move(words)};
}
#endif

} // namespace

std::vector<ProgramStart> TextEditorStarts(const std::string& path) {
    std::vector<ProgramStart> starts;
#ifdef _WIN32
    starts.push_back(
        {"notepad.exe", path.empty() ? std::vector<std::string>{} : std::vector{path}});
#else
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        auto editor = EditorFrom(variable, path);
        if (editor && (starts.empty() || !(starts.back() == *editor)))
            starts.push_back(std::move(*editor));
    }
#endif
    const auto desktop = TesselEngine::Platform::DesktopOpenCall(path);
    starts.push_back({desktop.program, desktop.argument.empty()
                                           ? std::vector<std::string>{}
                                           : std::vector<std::string>{desktop.argument}});
    return starts;
}

} // namespace VaskEdit::ProgramDefaults
