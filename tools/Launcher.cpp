#include "tools/Launcher.h"

#include "engine/platform/Platform.h"

#include <mutex>
#include <utility>

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

} // namespace

bool Start(const std::string& program, const std::string& argument, bool hidden) {
    if (program.empty())
        return false;
    bool started = false;
    if (Recorded(program, argument, &started))
        return started;
    return TesselEngine::Platform::StartProgram(
        program, argument.empty() ? std::vector<std::string>{} : std::vector{argument}, hidden);
}

bool Start(const std::string& program, const std::vector<std::string>& arguments) {
    if (program.empty())
        return false;
    std::string joined;
    for (const std::string& argument : arguments)
        joined += (joined.empty() ? "" : " ") + argument;
    bool started = false;
    if (Recorded(program, joined, &started))
        return started;
    return TesselEngine::Platform::StartProgram(program, arguments, false);
}

bool OpenWithDesktop(const std::string& path) {
    if (path.empty())
        return false;
    const auto call = TesselEngine::Platform::DesktopOpenCall(path);
    return Start(call.program, call.argument);
}

void SetRecorder(Recorder replacement) {
    std::lock_guard<std::mutex> hold(recorderLock);
    recorder = std::move(replacement);
}

} // namespace VaskEdit::Launcher
