#include "tools/Launcher.h"

#include <mutex>
#include <string_view>
#include <utility>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#else
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace VaskEdit::Launcher {

namespace {

std::mutex recorderLock;
Recorder recorder;

// True when a recorder took the request; *started is then its answer.
bool Recorded(const std::string& program, const std::string& argument, bool* started) {
    Recorder current;
    {
        std::lock_guard<std::mutex> hold(recorderLock);
        current = recorder;
    }
    if (!current)
        return false;
    *started = current(program, argument);
    return true;
}

#ifdef _WIN32

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

#else

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
bool SpawnDetached(std::string file, std::string argument) {
    char* argv[] = {file.data(), argument.empty() ? nullptr : argument.data(), nullptr};
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
        RunProgram(file.c_str(), argv, report[1]);
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

#endif

} // namespace

bool Start(const std::string& program, const std::string& argument, bool hidden) {
    if (program.empty())
        return false;
    bool started = false;
    if (Recorded(program, argument, &started))
        return started;
#ifdef _WIN32
    return ShellStart(program, QuoteArgument(argument), hidden ? SW_HIDE : SW_SHOWNORMAL);
#else
    (void)hidden; // started programs get no terminal; there is no window to hide
    const std::string file = ResolveProgram(program);
    return !file.empty() && SpawnDetached(file, argument);
#endif
}

bool OpenWithDesktop(const std::string& path) {
    if (path.empty())
        return false;
#ifdef _WIN32
    bool started = false;
    if (Recorded(path, std::string(), &started))
        return started;
    return ShellStart(path, std::string(), SW_SHOWNORMAL);
#else
    return Start("xdg-open", path);
#endif
}

void SetRecorder(Recorder replacement) {
    std::lock_guard<std::mutex> hold(recorderLock);
    recorder = std::move(replacement);
}

} // namespace VaskEdit::Launcher
