// POSIX implementation of the platform layer's outside programs and standard streams.
#include "engine/platform/ArgumentTexts.h"
#include "engine/platform/Platform.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace TesselEngine::Platform {

namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// A name with a "/" stands for itself; a bare name is looked up on PATH. Empty when
// there is no such program.
std::string FindProgram(const std::string& program) {
    if (program.find('/') != std::string::npos)
        return IsExecutableFile(program) ? program : std::string();
    const char* variable = std::getenv("PATH");
    std::string_view searchPath = variable ? variable : "/usr/local/bin:/usr/bin:/bin";
    for (;;) {
        const std::size_t colon = searchPath.find(':');
        std::string directory(searchPath.substr(0, colon));
        if (directory.empty())
            directory = ".";
        std::string candidate = directory + "/" + program;
        if (IsExecutableFile(candidate))
            return candidate;
        if (colon == std::string_view::npos)
            return std::string();
        searchPath.remove_prefix(colon + 1);
    }
}

// Settings name Windows programs ("firefox.exe"); here the same program has no suffix.
std::string ResolveProgram(const std::string& program) {
    std::string found = FindProgram(program);
    constexpr std::string_view Suffix = ".exe";
    const bool bareWindowsName = program.find('/') == std::string::npos &&
                                 program.size() > Suffix.size() && program.ends_with(Suffix);
    if (found.empty() && bareWindowsName)
        found = FindProgram(program.substr(0, program.size() - Suffix.size()));
    return found;
}

void ReportError(int report) {
    const int error = errno;
    if (::write(report, &error, sizeof error) < 0) {
        // Nobody is left to tell; the parent then sees the program as started.
    }
}

// Runs in the grandchild, a copy of a possibly threaded process: only calls that are
// safe there. Never returns.
[[noreturn]] void RunProgram(const char* file, char* const argv[], int report) {
    if (report <= 2) {
        // Keep the report channel clear of the standard streams replaced below.
        report = ::fcntl(report, F_DUPFD_CLOEXEC, 3);
        if (report < 0)
            ::_exit(127);
    }
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        if (null > 2)
            ::close(null);
    }
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    ::sigaction(SIGPIPE, &standard, nullptr);
    ::sigaction(SIGCHLD, &standard, nullptr);
    ::execv(file, argv);
    ReportError(report);
    ::_exit(127);
}

// Double fork: the program belongs to a session of its own and to init, so it outlives
// us and leaves no zombie. A close-on-exec pipe tells whether exec succeeded: it closes
// without data on success and carries errno on failure.
bool SpawnDetached(std::string file, std::vector<std::string> arguments) {
    std::vector<char*> argv{file.data()};
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild < 0) {
            ReportError(report[1]);
            ::_exit(1);
        }
        if (grandchild > 0)
            ::_exit(0);
        RunProgram(file.c_str(), argv.data(), report[1]);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = 0;
    do {
        got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    return got == 0;
}

} // namespace

std::string FindProgramFile(const std::string& program) {
    return ResolveProgram(program);
}

std::string UserSettingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/vaskedit";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.config/vaskedit";
    return std::string();
}

std::string UserStateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/VaskEdit";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/state/VaskEdit";
    return std::string();
}

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                  bool hidden) {
    (void)hidden; // started programs get no terminal; there is no window to hide
    const std::string file = ResolveProgram(program);
    return !file.empty() && SpawnDetached(file, arguments);
}

ProgramCall DesktopOpenCall(const std::string& path) {
    return {"xdg-open", path};
}

std::string ExecutablePath() {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return std::string();
    path.resize(static_cast<std::size_t>(length));
    return path;
}

bool IsTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) != 0;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc); // the terminal's UTF-8 as it came
}

bool ChangeDirectory(const std::string& folder, std::error_code& error) {
    if (::chdir(folder.c_str()) == 0) {
        error.clear();
        return true;
    }
    error.assign(errno, std::generic_category());
    return false;
}

void UseBinaryStandardStreams() {
    // POSIX streams never translate bytes.
}

} // namespace TesselEngine::Platform
