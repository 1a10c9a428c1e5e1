// Win32 implementation of the platform layer's outside programs and standard streams.
#include "engine/platform/ArgumentTexts.h"
#include "engine/platform/Platform.h"

// After the layer's header: windows.h maps names such as DeleteFile to its own.
#include <windows.h>

#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

namespace TesselEngine::Platform {

namespace {

// The started program receives one command line: an argument with blanks or quotes is
// quoted so that it arrives as one argument.
std::string QuoteArgument(const std::string& argument) {
    if (argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

bool ShellStart(const std::string& file, const std::string& parameters, int show) {
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", file.c_str(),
                      parameters.empty() ? nullptr : parameters.c_str(), nullptr, show);
    // Values up to 32 are the shell's error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace

std::string FindProgramFile(const std::string& program) {
    if (program.empty())
        return std::string();
    // A name with a folder stands for itself; a bare name is looked up as the shell does.
    if (program.find_first_of("/\\:") != std::string::npos) {
        const DWORD attributes = GetFileAttributesA(program.c_str());
        const bool file =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        return file ? program : std::string();
    }
    std::string found(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = SearchPathA(nullptr, program.c_str(), ".exe",
                                         static_cast<DWORD>(found.size()), found.data(), nullptr);
        if (length == 0)
            return std::string();
        if (length < found.size()) {
            found.resize(length);
            return found;
        }
        if (found.size() >= 32768)
            return std::string();
        found.resize(length); // the length it needs, with its terminator
    }
}

std::string UserSettingsFolder() {
    const char* appData = std::getenv("APPDATA");
    return appData && appData[0] ? std::string(appData) + "\\VaskEdit" : std::string();
}

std::string UserStateFolder() {
    const char* localAppData = std::getenv("LOCALAPPDATA");
    return localAppData && localAppData[0] ? std::string(localAppData) + "\\VaskEdit"
                                           : std::string();
}

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                  bool hidden) {
    std::string parameters;
    for (const std::string& argument : arguments)
        parameters += (parameters.empty() ? "" : " ") + QuoteArgument(argument);
    return ShellStart(program, parameters, hidden ? SW_HIDE : SW_SHOWNORMAL);
}

ProgramCall DesktopOpenCall(const std::string& path) {
    return {path, std::string()}; // the shell opens a file with its program
}

std::string ExecutablePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768)
            return std::string();
        path.resize(path.size() * 2); // cut off: try a larger buffer
    }
}

bool IsTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide || count != argc) {
        if (wide)
            LocalFree(wide);
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(n > 0 ? n - 1 : 0, '\0');
        if (n > 1)
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8.data(), n, nullptr, nullptr);
        arguments.push_back(std::move(utf8));
    }
    LocalFree(wide);
    return arguments;
}

bool ChangeDirectory(const std::string& folder, std::error_code& error) {
    // The 8-bit call would take the name in the code page; the wide one takes any name.
    const int n =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, folder.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? static_cast<std::size_t>(n) : 0, L'\0');
    if (n <= 0 ||
        !MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, folder.c_str(), -1, wide.data(), n)) {
        // Not UTF-8: the code page's own text, as main was given it.
        if (SetCurrentDirectoryA(folder.c_str())) {
            error.clear();
            return true;
        }
    } else if (SetCurrentDirectoryW(wide.c_str())) {
        error.clear();
        return true;
    }
    error.assign(static_cast<int>(GetLastError()), std::system_category());
    return false;
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace TesselEngine::Platform
