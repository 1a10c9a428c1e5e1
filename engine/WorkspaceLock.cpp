#include "engine/WorkspaceLock.h"

#include <sstream>
#include <thread>
#include <utility>

namespace TesselEngine {

namespace {
constexpr auto Pause = std::chrono::milliseconds(100);
constexpr std::uint64_t LongestContent = 4096;

// What the holder wrote: its id, computer and command, one a line.
LockHolder ReadHolder(Platform::Handle h) {
    LockHolder holder;
    std::uint64_t size = 0;
    if (!Platform::QuerySize(h, &size) || size == 0 || size > LongestContent)
        return holder;
    std::string content(size, '\0');
    if (!Platform::ReadExact(h, content.data(), size))
        return holder;
    std::istringstream lines(content);
    std::string pid;
    std::getline(lines, pid);
    std::getline(lines, holder.host);
    std::getline(lines, holder.command);
    try {
        holder.pid = static_cast<std::uint32_t>(std::stoul(pid));
    } catch (...) {
        holder.pid = 0;
    }
    return holder;
}

// One line each: a newline in the command would shift the fields.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}
} // namespace

std::string BusyMessage(const LockHolder& holder) {
    std::string text = "the workspace is being changed by PID " + std::to_string(holder.pid);
    if (!holder.command.empty())
        text += " (" + holder.command + ")";
    return text;
}

WorkspaceLock WorkspaceLock::Take(const std::string& command, std::chrono::milliseconds wait,
                                  const std::function<void(const LockHolder&)>& waiting) {
    WorkspaceLock lock;
    const auto until = std::chrono::steady_clock::now() + wait;
    bool told = false;
    for (;;) {
        const Platform::Handle h = Platform::OpenLockFile(WorkspaceLockFile);
        if (h == Platform::InvalidHandle) {
            lock.state = State::Unavailable;
            lock.failure = Platform::LastError().cause;
            return lock;
        }
        bool busy = false;
        if (Platform::TryLock(h, &busy)) {
            const std::string content = std::to_string(Platform::ProcessId()) + "\n" +
                                        OneLine(Platform::HostName()) + "\n" + OneLine(command) +
                                        "\n";
            // Who holds it only informs the waiting: the lock is held all the same.
            if (Platform::Truncate(h))
                Platform::WriteAll(h, content.data(), content.size());
            lock.state = State::Held;
            lock.handle = h;
            return lock;
        }
        if (!busy) {
            lock.failure = Platform::LastError().cause;
            Platform::Close(h);
            lock.state = State::Unavailable;
            return lock;
        }
        lock.holder = ReadHolder(h);
        Platform::Close(h);
        if (std::chrono::steady_clock::now() >= until) {
            lock.state = State::Busy;
            return lock;
        }
        if (!told && waiting)
            waiting(lock.holder);
        told = true;
        std::this_thread::sleep_for(Pause);
    }
}

WorkspaceLock::WorkspaceLock(WorkspaceLock&& other) noexcept
    : state(other.state), handle(std::exchange(other.handle, Platform::InvalidHandle)),
      holder(std::move(other.holder)), failure(other.failure) {}

WorkspaceLock::~WorkspaceLock() {
    // The file stays: removing it would let a waiter lock a file that a third writer
    // has just replaced with a new one.
    Platform::Close(handle);
}

} // namespace TesselEngine
